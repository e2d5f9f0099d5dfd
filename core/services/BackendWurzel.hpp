#pragma once

#include <QUrl>

namespace parlix {

// The root of the vendor's backend (scheme https, host, no path), fixed at build time
// by the CMake setting PARLIX_BACKEND_URL. The service, account and update calls all
// derive their URLs from it.
const QUrl& backendWurzel();

} // namespace parlix
