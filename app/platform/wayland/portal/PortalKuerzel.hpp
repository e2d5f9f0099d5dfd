#pragma once

#include <QDBusArgument>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace parlix {

// One shortcut as the GlobalShortcuts portal takes and reports it: (s a{sv}), an id of
// ours and its properties ("description", "preferred_trigger", "trigger_description").
struct PortalKuerzel {
    QString id;
    QVariantMap eigenschaften;

    // Makes QList<PortalKuerzel> known to Qt D-Bus; once per process, before the first use.
    static void registriere();
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalKuerzel& kuerzel);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalKuerzel& kuerzel);

} // namespace parlix

Q_DECLARE_METATYPE(parlix::PortalKuerzel)
