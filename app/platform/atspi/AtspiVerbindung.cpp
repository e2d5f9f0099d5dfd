#include "app/platform/atspi/AtspiVerbindung.hpp"

#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"
#include "core/log/DateiLog.hpp"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <atomic>
#include <atspi/atspi.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int kAufrufFristMs = 800;
// A freshly started application may take longer to answer its first calls.
constexpr int kStartFristMs = 2000;

bool registerAntwortet() {
    AtspiAccessible* desktop = atspi_get_desktop(0);
    if (!desktop) {
        return false;
    }
    GError* fehler = nullptr;
    atspi_accessible_get_child_count(desktop, &fehler);
    g_object_unref(desktop);
    const bool ok = fehler == nullptr;
    g_clear_error(&fehler);
    return ok;
}

// Whether the main thread's Qt event loop iterates GLib's default context (Qt's GLib
// dispatcher, unless QT_NO_GLIB is set before the application is created).
bool qtLaeuftAufGlib() {
    const auto* anwendung = QCoreApplication::instance();
    const auto* verteiler =
        anwendung ? QAbstractEventDispatcher::instance(anwendung->thread()) : nullptr;
    return verteiler && verteiler->inherits("QEventDispatcherGlib");
}

gboolean fuehreJobAus(gpointer daten) {
    (*static_cast<std::function<void()>*>(daten))();
    return G_SOURCE_REMOVE;
}

void loescheJob(gpointer daten) {
    delete static_cast<std::function<void()>*>(daten);
}

} // namespace

struct AtspiVerbindung::Kern {
    // libatspi attaches the bus and its private connection to each application to
    // GLib's default context, whatever context it is told to use: so this thread runs
    // the default context, and no other thread may.
    GMainContext* kontext = g_main_context_ref(g_main_context_default());
    GMainLoop* schleife = g_main_loop_new(kontext, FALSE);
    std::atomic<bool> erreichbar{false};
    std::thread faden;

    void laufe() {
        AtspiBarrierefreiheit().schalteEin();
        const bool verbunden = atspi_init() == 0;
        if (verbunden) {
            atspi_set_timeout(kAufrufFristMs, kStartFristMs);
        }
        erreichbar = verbunden && registerAntwortet();
        if (!erreichbar) {
            log().schreibe(u"FEHLER: AT-SPI-Bus nicht erreichbar"_s);
        }
        g_main_loop_run(schleife);
    }
};

AtspiVerbindung::AtspiVerbindung()
    : kern_(std::make_unique<Kern>()) {
    if (qtLaeuftAufGlib()) {
        // Two threads iterating one context block each other: no accessibility then.
        log().schreibe(u"FEHLER: AT-SPI braucht eine Qt-Ereignisschleife ohne GLib "
                       u"(QT_NO_GLIB=1)"_s);
        return;
    }
    kern_->faden = std::thread([kern = kern_.get()] { kern->laufe(); });
}

AtspiVerbindung::~AtspiVerbindung() {
    if (kern_->faden.joinable()) {
        poste([schleife = kern_->schleife] { g_main_loop_quit(schleife); });
        kern_->faden.join();
    }
    g_main_loop_unref(kern_->schleife);
    g_main_context_unref(kern_->kontext);
}

bool AtspiVerbindung::erreichbar() const {
    return kern_->erreichbar;
}

void AtspiVerbindung::poste(std::function<void()> job) {
    if (!kern_->faden.joinable()) {
        return; // dropped: the waiting caller gets nothing at once
    }
    g_main_context_invoke_full(kern_->kontext, G_PRIORITY_DEFAULT, fuehreJobAus,
                               new std::function<void()>(std::move(job)), loescheJob);
}

} // namespace parlix
