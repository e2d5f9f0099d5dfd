#include "tests/app/platform/wayland/FakeGlobalShortcutsPortal.hpp"

#include <QDBusMessage>

using namespace Qt::StringLiterals;

namespace parlix::test {

FakeGlobalShortcutsPortal::FakeGlobalShortcutsPortal(QDBusConnection bus)
    : FakePortal(std::move(bus)) {
    PortalKuerzel::registriere();
    registriere();
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
    const QString sitzung = u"%1/session/%2/%3"_s.arg(
        kPfad, absender(), optionen.value(u"session_handle_token"_s).toString());
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

} // namespace parlix::test
