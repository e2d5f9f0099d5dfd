#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

namespace parlix::test {

// What every desktop portal a test plays shares: it takes the portal's name and path on
// a bus connection of its own and answers a request on the path the caller expects. A
// subclass names the interface and has the methods. Lives on a thread of its own, so
// that blocking calls of the code under test get answers.
class FakePortal : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    static inline const QString kPfad = QStringLiteral("/org/freedesktop/portal/desktop");

protected:
    explicit FakePortal(QDBusConnection bus);
    // Registers this object (call in the subclass's constructor, when its interface is
    // known).
    void registriere();
    // The request's path; its Response (`antwort`, `ergebnis`) follows the method's reply,
    // as the real portal's does. Only from within a method called over the bus.
    QDBusObjectPath antworte(const QVariantMap& optionen, uint antwort,
                             const QVariantMap& ergebnis);
    // The caller's bus name as the portal's paths spell it.
    QString absender() const;

    QDBusConnection bus_;
};

} // namespace parlix::test
