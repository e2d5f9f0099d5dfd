#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The bus launcher starts on demand; it answers within milliseconds once it runs.
constexpr int fristMs = 3000;

// One call on a connection of its own to the session bus of this moment (Qt's shared
// connection keeps the address it first saw).
QDBusMessage rufe(const QString& methode, const QVariantList& argumente) {
    static const QString name = u"parlix-barrierefreiheit"_s;
    QDBusMessage anfrage =
        QDBusMessage::createMethodCall(u"org.a11y.Bus"_s, u"/org/a11y/bus"_s,
                                       u"org.freedesktop.DBus.Properties"_s, methode);
    anfrage.setArguments(argumente);
    QDBusMessage antwort = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
                               .call(anfrage, QDBus::Block, fristMs);
    QDBusConnection::disconnectFromBus(name);
    return antwort;
}

} // namespace

bool AtspiBarrierefreiheit::aktiv() {
    const QDBusMessage antwort = rufe(u"Get"_s, {u"org.a11y.Status"_s, u"IsEnabled"_s});
    if (antwort.type() != QDBusMessage::ReplyMessage || antwort.arguments().isEmpty()) {
        return false;
    }
    return antwort.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

bool AtspiBarrierefreiheit::schalteEin() {
    const QDBusMessage antwort =
        rufe(u"Set"_s, {u"org.a11y.Status"_s, u"IsEnabled"_s, QVariant::fromValue(QDBusVariant(true))});
    return antwort.type() == QDBusMessage::ReplyMessage && aktiv();
}

} // namespace parlix
