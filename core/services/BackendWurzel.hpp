#pragma once

#include <QUrl>

namespace parlix {

// The root of the vendor's backend (scheme https, host, no path), fixed at build time
// by the CMake setting PARLIX_BACKEND_URL, unless the program was pointed at another
// backend at its start. The service, account and update calls all derive their URLs
// from it.
const QUrl& backendWurzel();

// Points this process at another backend root (the command line's --backend). Only
// before the first call of backendWurzel(); later calls change nothing.
void setzeBackendWurzel(const QUrl& wurzel);

} // namespace parlix
