#pragma once

#include <QString>
#include <QStringList>

namespace parlix {

// The stable device identifier sent to the backend: the SHA-256 of the machine id as
// 64 lower-case hex digits, so the machine id itself never leaves the machine.
namespace Geraet {

// From /etc/machine-id, else /var/lib/dbus/machine-id, else the text "unbekannt".
// Computed once per process; any thread.
QString id();

// The same from the first of `pfade` that holds a non-blank id.
QString idAus(const QStringList& pfade);

} // namespace Geraet

} // namespace parlix
