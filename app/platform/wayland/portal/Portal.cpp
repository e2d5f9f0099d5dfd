#include "app/platform/wayland/portal/Portal.hpp"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace parlix::Portal {

bool bietet(const QDBusConnection& bus, const QString& schnittstelle) {
    QDBusMessage frage = QDBusMessage::createMethodCall(
        kDienst, kPfad, u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
    frage << schnittstelle << u"version"_s;
    return bus.call(frage, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

QString antwortPfad(const QDBusConnection& bus, const QString& token) {
    // The unique name without its colon, dots as underscores.
    const QString absender = bus.baseService().mid(1).replace(u'.', u'_');
    return u"%1/request/%2/%3"_s.arg(kPfad, absender, token);
}

void frage(QDBusConnection& bus, const QString& schnittstelle, const QString& methode,
           QVariantList argumente, const QString& token, QObject* empfaenger,
           const char* antwortSlot, std::function<void(const QString&)> beiFehler) {
    QVariantMap optionen = argumente.takeLast().toMap();
    optionen.insert(u"handle_token"_s, token);
    argumente.append(optionen);
    // Listening starts before the call, so that no answer can come first.
    bus.connect(kDienst, antwortPfad(bus, token), kAnfrage, u"Response"_s, empfaenger, antwortSlot);
    QDBusMessage aufruf = QDBusMessage::createMethodCall(kDienst, kPfad, schnittstelle, methode);
    aufruf.setArguments(argumente);
    auto* warten = new QDBusPendingCallWatcher(bus.asyncCall(aufruf), empfaenger);
    QObject::connect(warten, &QDBusPendingCallWatcher::finished, empfaenger,
                     [beiFehler = std::move(beiFehler)](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         if (w->isError()) {
                             beiFehler(w->error().message());
                         }
                     });
}

} // namespace parlix::Portal
