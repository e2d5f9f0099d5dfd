#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The bus launcher starts on demand; it answers within milliseconds once it runs.
constexpr int fristMs = 3000;

QDBusMessage eigenschaft(const QString& methode) {
    return QDBusMessage::createMethodCall(u"org.a11y.Bus"_s, u"/org/a11y/bus"_s,
                                          u"org.freedesktop.DBus.Properties"_s, methode);
}

} // namespace

bool AtspiBarrierefreiheit::aktiv() {
    QDBusMessage frage = eigenschaft(u"Get"_s);
    frage << u"org.a11y.Status"_s << u"IsEnabled"_s;
    const QDBusMessage antwort = QDBusConnection::sessionBus().call(frage, QDBus::Block, fristMs);
    if (antwort.type() != QDBusMessage::ReplyMessage || antwort.arguments().isEmpty()) {
        return false;
    }
    return antwort.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

bool AtspiBarrierefreiheit::schalteEin() {
    QDBusMessage setze = eigenschaft(u"Set"_s);
    setze << u"org.a11y.Status"_s << u"IsEnabled"_s << QVariant::fromValue(QDBusVariant(true));
    const QDBusMessage antwort = QDBusConnection::sessionBus().call(setze, QDBus::Block, fristMs);
    return antwort.type() == QDBusMessage::ReplyMessage && aktiv();
}

} // namespace parlix
