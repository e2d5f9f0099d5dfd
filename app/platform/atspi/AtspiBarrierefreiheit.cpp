#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"

#include "core/log/DateiLog.hpp"

#include <dbus/dbus.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The launcher starts on demand and then answers within milliseconds.
constexpr int kBusFristMs = 2000;

struct Trenner {
    void operator()(DBusConnection* bus) const {
        dbus_connection_close(bus);
        dbus_connection_unref(bus);
    }
};
using Bus = std::unique_ptr<DBusConnection, Trenner>;

Bus sitzungsBus() {
    DBusError fehler;
    dbus_error_init(&fehler);
    Bus bus(dbus_bus_get_private(DBUS_BUS_SESSION, &fehler));
    dbus_error_free(&fehler);
    if (bus) {
        dbus_connection_set_exit_on_disconnect(bus.get(), FALSE);
    }
    return bus;
}

// One call to the launcher's status properties: "Get", or "Set" to true.
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

} // namespace

bool AtspiBarrierefreiheit::aktiv() {
    const Bus bus = sitzungsBus();
    return bus && istEingeschaltet(bus.get());
}

bool AtspiBarrierefreiheit::schalteEin() {
    const Bus bus = sitzungsBus();
    if (!bus) {
        return false;
    }
    if (istEingeschaltet(bus.get())) {
        return true;
    }
    if (DBusMessage* antwort = statusAufruf(bus.get(), "Set", true)) {
        dbus_message_unref(antwort);
        log().schreibe(u"AT-SPI: Barrierefreiheit eingeschaltet"_s);
    }
    return istEingeschaltet(bus.get());
}

} // namespace parlix
