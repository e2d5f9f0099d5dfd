#include "app/platform/atspi/AtspiVerbindung.hpp"

#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"
#include "core/log/DateiLog.hpp"

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

gboolean fuehreJobAus(gpointer daten) {
    (*static_cast<std::function<void()>*>(daten))();
    return G_SOURCE_REMOVE;
}

void loescheJob(gpointer daten) {
    delete static_cast<std::function<void()>*>(daten);
}

} // namespace

struct AtspiVerbindung::Kern {
    GMainContext* kontext = g_main_context_new();
    GMainLoop* schleife = g_main_loop_new(kontext, FALSE);
    std::atomic<bool> erreichbar{false};
    std::thread faden;

    void laufe() {
        g_main_context_push_thread_default(kontext);
        AtspiBarrierefreiheit().schalteEin();
        if (atspi_init() == 0) {
            // atspi_init attaches the bus to the default context, which Qt's main thread
            // runs; moving it to ours keeps every accessibility call on this thread.
            atspi_set_main_context(kontext);
            atspi_set_timeout(kAufrufFristMs, kStartFristMs);
            erreichbar = registerAntwortet();
        }
        if (!erreichbar) {
            log().schreibe(u"FEHLER: AT-SPI-Bus nicht erreichbar"_s);
        }
        g_main_loop_run(schleife);
        g_main_context_pop_thread_default(kontext);
    }
};

AtspiVerbindung::AtspiVerbindung()
    : kern_(std::make_unique<Kern>()) {
    kern_->faden = std::thread([kern = kern_.get()] { kern->laufe(); });
}

AtspiVerbindung::~AtspiVerbindung() {
    poste([schleife = kern_->schleife] { g_main_loop_quit(schleife); });
    kern_->faden.join();
    g_main_loop_unref(kern_->schleife);
    g_main_context_unref(kern_->kontext);
}

bool AtspiVerbindung::erreichbar() const {
    return kern_->erreichbar;
}

void AtspiVerbindung::poste(std::function<void()> job) {
    g_main_context_invoke_full(kern_->kontext, G_PRIORITY_DEFAULT, fuehreJobAus,
                               new std::function<void()>(std::move(job)), loescheJob);
}

} // namespace parlix
