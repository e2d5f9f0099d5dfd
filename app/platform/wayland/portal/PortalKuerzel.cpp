#include "app/platform/wayland/portal/PortalKuerzel.hpp"

#include <QDBusMetaType>

namespace parlix {

void PortalKuerzel::registriere() {
    qDBusRegisterMetaType<PortalKuerzel>();
    qDBusRegisterMetaType<QList<PortalKuerzel>>();
}

QDBusArgument& operator<<(QDBusArgument& argument, const PortalKuerzel& kuerzel) {
    argument.beginStructure();
    argument << kuerzel.id << kuerzel.eigenschaften;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalKuerzel& kuerzel) {
    argument.beginStructure();
    argument >> kuerzel.id >> kuerzel.eigenschaften;
    argument.endStructure();
    return argument;
}

} // namespace parlix
