#include "app/platform/wayland/portal/Portal.hpp"

#include <QDBusMessage>

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

} // namespace parlix::Portal
