#pragma once

#include <QtGlobal>
#include <optional>

namespace parlix::bench {

// What a running process costs, read from /proc.
namespace ProzessLast {

// Processor time used so far (user and system), in seconds.
std::optional<double> cpuSekunden(qint64 pid);
// Resident memory now, in MiB.
std::optional<double> rssMiB(qint64 pid);

} // namespace ProzessLast

} // namespace parlix::bench
