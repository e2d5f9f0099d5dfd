#include "app/platform/wayland/mutter/MutterFernsteuerung.hpp"

#include "core/log/DateiLog.hpp"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <vector>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString kDienst = u"org.gnome.Mutter.RemoteDesktop"_s;
const QString kPfad = u"/org/gnome/Mutter/RemoteDesktop"_s;
const QString kSitzung = u"org.gnome.Mutter.RemoteDesktop.Session"_s;

} // namespace

MutterFernsteuerung::MutterFernsteuerung(QDBusConnection bus)
    : bus_(std::move(bus)) {}

MutterFernsteuerung::~MutterFernsteuerung() {
    if (laeuft()) {
        bus_.call(QDBusMessage::createMethodCall(kDienst, sitzung_, kSitzung, u"Stop"_s),
                  QDBus::NoBlock);
    }
}

bool MutterFernsteuerung::verfuegbar(const QDBusConnection& bus) {
    QDBusMessage frage = QDBusMessage::createMethodCall(
        kDienst, kPfad, u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
    frage << kDienst << u"Version"_s;
    return bus.call(frage, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

bool MutterFernsteuerung::starte() {
    const QDBusMessage sitzung =
        bus_.call(QDBusMessage::createMethodCall(kDienst, kPfad, kDienst, u"CreateSession"_s),
                  QDBus::Block, 2000);
    if (sitzung.type() != QDBusMessage::ReplyMessage || sitzung.arguments().isEmpty()) {
        log().schreibe(
            u"FEHLER: Mutter-RemoteDesktop: keine Sitzung (%1)"_s.arg(sitzung.errorMessage()));
        return false;
    }
    sitzung_ = qdbus_cast<QDBusObjectPath>(sitzung.arguments().constFirst()).path();
    bus_.connect(kDienst, sitzung_, kSitzung, u"Closed"_s, this, SLOT(sitzungEndete()));
    for (const auto& [methode, argumente] :
         {std::pair{u"Start"_s, QVariantList{}},
          std::pair{u"EnableClipboard"_s, QVariantList{QVariantMap{}}}}) {
        QDBusMessage aufruf = QDBusMessage::createMethodCall(kDienst, sitzung_, kSitzung, methode);
        aufruf.setArguments(argumente);
        const QDBusMessage antwort = bus_.call(aufruf, QDBus::Block, 2000);
        if (antwort.type() != QDBusMessage::ReplyMessage) {
            log().schreibe(u"FEHLER: Mutter-RemoteDesktop: %1 abgelehnt (%2)"_s.arg(
                methode, antwort.errorMessage()));
            return false;
        }
    }
    {
        const std::lock_guard lock(sperre_);
        laeuft_ = true;
    }
    // Mutter adds the session's keyboard to the seat with its first event, which it does
    // not deliver: a lone Shift spends it, so that no key of the first paste is lost.
    sende(XKB_KEY_Shift_L, true);
    sende(XKB_KEY_Shift_L, false);
    return true;
}

FernAblage::Weg MutterFernsteuerung::ablageWeg() const {
    return {kDienst, sitzung_, kSitzung, nullptr, u"mime-types"_s, u"session-is-owner"_s, [this] {
                return laeuft();
            }};
}

void MutterFernsteuerung::sitzungEndete() {
    log().schreibe(u"Mutter-RemoteDesktop: Sitzung von Mutter beendet"_s);
    const std::lock_guard lock(sperre_);
    laeuft_ = false;
}

bool MutterFernsteuerung::laeuft() const {
    const std::lock_guard lock(sperre_);
    return laeuft_;
}

bool MutterFernsteuerung::sende(quint32 keysym, bool runter) const {
    QDBusMessage aufruf =
        QDBusMessage::createMethodCall(kDienst, sitzung_, kSitzung, u"NotifyKeyboardKeysym"_s);
    aufruf << keysym << runter;
    return bus_.call(aufruf, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

bool MutterFernsteuerung::tippe(const Tastenkombination& taste) {
    if (!laeuft()) {
        return false;
    }
    const std::vector<quint32> runter = gedrueckt(taste);
    bool alle = true;
    for (const quint32 keysym : runter) {
        alle = sende(keysym, true) && alle;
    }
    for (auto keysym = runter.rbegin(); keysym != runter.rend(); ++keysym) {
        alle = sende(*keysym, false) && alle;
    }
    return alle;
}

} // namespace parlix
