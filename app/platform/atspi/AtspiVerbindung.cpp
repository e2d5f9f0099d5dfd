#include "app/platform/atspi/AtspiVerbindung.hpp"

#include "core/log/DateiLog.hpp"

#include <atomic>
#include <atspi/atspi.h>
#include <dbus/dbus.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int kAufrufFristMs = 800;
// A freshly started application may take longer to answer its first calls.
constexpr int kStartFristMs = 2000;
constexpr int kBusFristMs = 2000;

// One call on the session bus to the accessibility bus launcher's status properties.
DBusMessage* statusAufruf(DBusConnection* bus, const char* methode, bool setzeEin) {
    DBusMessage* aufruf = dbus_message_new_method_call("org.a11y.Bus", "/org/a11y/bus",
                                                       "org.freedesktop.DBus.Properties", methode);
    if (!aufruf) {
        return nullptr;
    }
    const char* schnittstelle = "org.a11y.Status";
    const char* eigenschaft = "IsEnabled";
    DBusMessageIter argumente;
    dbus_message_iter_init_append(aufruf, &argumente);
    dbus_message_iter_append_basic(&argumente, DBUS_TYPE_STRING, &schnittstelle);
    dbus_message_iter_append_basic(&argumente, DBUS_TYPE_STRING, &eigenschaft);
    if (setzeEin) {
        DBusMessageIter variante;
        const dbus_bool_t wahr = TRUE;
        dbus_message_iter_open_container(&argumente, DBUS_TYPE_VARIANT, "b", &variante);
        dbus_message_iter_append_basic(&variante, DBUS_TYPE_BOOLEAN, &wahr);
        dbus_message_iter_close_container(&argumente, &variante);
    }
    DBusError fehler;
    dbus_error_init(&fehler);
    DBusMessage* antwort =
        dbus_connection_send_with_reply_and_block(bus, aufruf, kBusFristMs, &fehler);
    dbus_message_unref(aufruf);
    dbus_error_free(&fehler);
    return antwort;
}

bool istEingeschaltet(DBusConnection* bus) {
    DBusMessage* antwort = statusAufruf(bus, "Get", false);
    if (!antwort) {
        return false;
    }
    dbus_bool_t wert = FALSE;
    DBusMessageIter iter;
    DBusMessageIter variante;
    if (dbus_message_iter_init(antwort, &iter) &&
        dbus_message_iter_get_arg_type(&iter) == DBUS_TYPE_VARIANT) {
        dbus_message_iter_recurse(&iter, &variante);
        if (dbus_message_iter_get_arg_type(&variante) == DBUS_TYPE_BOOLEAN) {
            dbus_message_iter_get_basic(&variante, &wert);
        }
    }
    dbus_message_unref(antwort);
    return wert;
}

// Sets IsEnabled only when it is off: the launcher keeps the value in the desktop's
// settings, so an unneeded write would be a change the user did not ask for.
void schalteBarrierefreiheitEin() {
    DBusError fehler;
    dbus_error_init(&fehler);
    DBusConnection* bus = dbus_bus_get_private(DBUS_BUS_SESSION, &fehler);
    dbus_error_free(&fehler);
    if (!bus) {
        return;
    }
    dbus_connection_set_exit_on_disconnect(bus, FALSE);
    if (!istEingeschaltet(bus)) {
        if (DBusMessage* antwort = statusAufruf(bus, "Set", true)) {
            dbus_message_unref(antwort);
            log().schreibe(u"AT-SPI: Barrierefreiheit eingeschaltet"_s);
        }
    }
    dbus_connection_close(bus);
    dbus_connection_unref(bus);
}

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
        schalteBarrierefreiheitEin();
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
