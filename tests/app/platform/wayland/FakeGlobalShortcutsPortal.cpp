#include "tests/app/platform/wayland/FakeGlobalShortcutsPortal.hpp"

#include <QDBusMessage>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

const QString kPfad = u"/org/freedesktop/portal/desktop"_s;

} // namespace

FakeGlobalShortcutsPortal::FakeGlobalShortcutsPortal(QDBusConnection bus)
    : bus_(std::move(bus)) {
    PortalKuerzel::registriere();
    bus_.registerObject(kPfad, this,
                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    bus_.registerService(u"org.freedesktop.portal.Desktop"_s);
}

QList<PortalKuerzel> FakeGlobalShortcutsPortal::gebunden() const {
    const std::lock_guard lock(sperre_);
    return gebunden_;
}

void FakeGlobalShortcutsPortal::druecke(const QString& id, bool unten) {
    QString sitzung;
    {
        const std::lock_guard lock(sperre_);
        sitzung = sitzung_;
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(kPfad, u"org.freedesktop.portal.GlobalShortcuts"_s,
                                   unten ? u"Activated"_s : u"Deactivated"_s);
    signal << QVariant::fromValue(QDBusObjectPath(sitzung)) << id << qulonglong(0) << QVariantMap();
    bus_.send(signal);
}

QDBusObjectPath FakeGlobalShortcutsPortal::CreateSession(const QVariantMap& optionen) {
    const QString absender = message().service().mid(1).replace(u'.', u'_');
    const QString sitzung = u"%1/session/%2/%3"_s.arg(
        kPfad, absender, optionen.value(u"session_handle_token"_s).toString());
    {
        const std::lock_guard lock(sperre_);
        sitzung_ = sitzung;
    }
    return antworte(optionen, 0, {{u"session_handle"_s, sitzung}});
}

QDBusObjectPath FakeGlobalShortcutsPortal::BindShortcuts(const QDBusObjectPath& /*sitzung*/,
                                                         const QList<PortalKuerzel>& kuerzel,
                                                         const QString& /*fenster*/,
                                                         const QVariantMap& optionen) {
    {
        const std::lock_guard lock(sperre_);
        gebunden_ = kuerzel;
    }
    return antworte(optionen, bindungsAntwort, {});
}

QDBusObjectPath FakeGlobalShortcutsPortal::antworte(const QVariantMap& optionen, uint antwort,
                                                    const QVariantMap& ergebnis) {
    const QString absender = message().service().mid(1).replace(u'.', u'_');
    const QString anfrage =
        u"%1/request/%2/%3"_s.arg(kPfad, absender, optionen.value(u"handle_token"_s).toString());
    // The answer to the request comes after the method's reply, as the real portal's does.
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
