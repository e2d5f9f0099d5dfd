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
    std::atomic<bool> erreichbar{false};
    // Set by the destructor, then the context is woken. A flag rather than a quit posted
    // into a GMainLoop: a quit that arrives while the thread still connects (before the
    // loop runs) would be lost, and the destructor would wait for ever.
    std::atomic<bool> ende{false};
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
        while (!ende) {
            g_main_context_iteration(kontext, TRUE);
        }
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
        kern_->ende = true;
        g_main_context_wakeup(kern_->kontext);
        kern_->faden.join();
    }
    g_main_context_unref(kern_->kontext);
}

bool AtspiVerbindung::erreichbar() const {
    return kern_->erreichbar;
}

void AtspiVerbindung::poste(std::function<void()> job) {
    if (!kern_->faden.joinable()) {
        return; // dropped: the waiting caller gets nothing at once
    }
    // Always through a source the accessibility thread runs: g_main_context_invoke would
    // run the job on the caller's thread while the context has no owner yet (the thread
    // still connecting), and libatspi is not to be called from two threads.
    GSource* quelle = g_idle_source_new();
    g_source_set_priority(quelle, G_PRIORITY_DEFAULT);
    g_source_set_callback(quelle, fuehreJobAus, new std::function<void()>(std::move(job)),
                          loescheJob);
    g_source_attach(quelle, kern_->kontext);
    g_source_unref(quelle);
}

} // namespace parlix
