#include "tests/app/platform/wayland/FakePortal.hpp"

#include <QDBusMessage>

using namespace Qt::StringLiterals;

namespace parlix::test {

FakePortal::FakePortal(QDBusConnection bus)
    : bus_(std::move(bus)) {}

void FakePortal::registriere() {
    bus_.registerObject(kPfad, this,
                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    bus_.registerService(u"org.freedesktop.portal.Desktop"_s);
}

QString FakePortal::absender() const {
    return message().service().mid(1).replace(u'.', u'_');
}

QDBusObjectPath FakePortal::antworte(const QVariantMap& optionen, uint antwort,
                                     const QVariantMap& ergebnis) {
    const QString anfrage =
        u"%1/request/%2/%3"_s.arg(kPfad, absender(), optionen.value(u"handle_token"_s).toString());
    QMetaObject::invokeMethod(
        this,
        [this, anfrage, antwort, ergebnis] {
            QDBusMessage signal = QDBusMessage::createSignal(
                anfrage, u"org.freedesktop.portal.Request"_s, u"Response"_s);
            signal << antwort << ergebnis;
            bus_.send(signal);
        },
        Qt::QueuedConnection);
    return QDBusObjectPath(anfrage);
}

} // namespace parlix::test
