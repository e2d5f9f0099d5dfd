#include "core/services/BackendWurzel.hpp"

namespace parlix {

const QUrl& backendWurzel() {
    // CMake has checked the form; a value that still fails here is a build fault.
    static const QUrl wurzel(QStringLiteral(PARLIX_BACKEND_URL), QUrl::StrictMode);
    Q_ASSERT(wurzel.isValid());
    return wurzel;
}

} // namespace parlix
