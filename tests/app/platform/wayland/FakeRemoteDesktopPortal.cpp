#include "tests/app/platform/wayland/FakeRemoteDesktopPortal.hpp"

#include <QDBusMessage>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

FakeRemoteDesktopPortal::FakeRemoteDesktopPortal(QDBusConnection bus)
    : FakeAblagePortal(std::move(bus)) {
    registriere();
}

QVariantMap FakeRemoteDesktopPortal::auswahl() const {
    const std::lock_guard lock(sperre_);
    return auswahl_;
}

int FakeRemoteDesktopPortal::einwilligungen() const {
    const std::lock_guard lock(sperre_);
    return einwilligungen_;
}

QStringList FakeRemoteDesktopPortal::tokens() const {
    const std::lock_guard lock(sperre_);
    return tokens_;
}

QList<std::pair<int, uint>> FakeRemoteDesktopPortal::tasten() const {
    const std::lock_guard lock(sperre_);
    return tasten_;
}

QDBusObjectPath FakeRemoteDesktopPortal::CreateSession(const QVariantMap& optionen) {
    const QString sitzung = u"%1/session/%2/%3"_s.arg(
        kPfad, absender(), optionen.value(u"session_handle_token"_s).toString());
    const std::lock_guard lock(sperre_);
    sitzung_ = sitzung;
    gestartet_ = false;
    return antworte(optionen, 0, {{u"session_handle"_s, sitzung}});
}

QDBusObjectPath FakeRemoteDesktopPortal::SelectDevices(const QDBusObjectPath& /*sitzung*/,
                                                       const QVariantMap& optionen) {
    const std::lock_guard lock(sperre_);
    auswahl_ = optionen;
    return antworte(optionen, 0, {});
}

QDBusObjectPath FakeRemoteDesktopPortal::Start(const QDBusObjectPath& sitzung,
                                               const QString& /*fenster*/,
                                               const QVariantMap& optionen) {
    const std::lock_guard lock(sperre_);
    // A token is good for one start only.
    if (!gueltig_.removeOne(auswahl_.value(u"restore_token"_s).toString())) {
        ++einwilligungen_;
    }
    if (startAntwort != 0 || sitzung.path() != sitzung_) {
        return antworte(optionen, startAntwort, {});
    }
    gestartet_ = true;
    tokens_.append(u"token-%1"_s.arg(tokens_.size() + 1));
    gueltig_.append(tokens_.last());
    return antworte(optionen, 0,
                    {{u"devices"_s, 1u},
                     {u"clipboard_enabled"_s, starteAblage(sitzung_, message().service())},
                     {u"restore_token"_s, tokens_.last()}});
}

void FakeRemoteDesktopPortal::NotifyKeyboardKeysym(const QDBusObjectPath& sitzung,
                                                   const QVariantMap& /*optionen*/, int keysym,
                                                   uint zustand) {
    const std::lock_guard lock(sperre_);
    if (!gestartet_ || sitzung.path() != sitzung_) {
        sendErrorReply(QDBusError::AccessDenied, u"session not started"_s);
        return;
    }
    tasten_.append({keysym, zustand});
    if (keysym == XKB_KEY_Control_L) {
        strg_ = zustand == 1;
    } else if (keysym == XKB_KEY_v && zustand == 1 && strg_) {
        zielFuegtEin();
    } else if (keysym == XKB_KEY_c && zustand == 1 && strg_) {
        zielKopiert();
    }
}

} // namespace parlix::test
