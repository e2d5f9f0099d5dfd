#include "core/services/BackendWurzel.hpp"

namespace parlix {

namespace {

QUrl& gewaehlteWurzel() {
    static QUrl wurzel;
    return wurzel;
}

} // namespace

const QUrl& backendWurzel() {
    // CMake has checked the built-in form; a value that still fails here is a build fault.
    static const QUrl wurzel = gewaehlteWurzel().isEmpty()
                                   ? QUrl(QStringLiteral(PARLIX_BACKEND_URL), QUrl::StrictMode)
                                   : gewaehlteWurzel();
    Q_ASSERT(wurzel.isValid());
    return wurzel;
}

void setzeBackendWurzel(const QUrl& wurzel) {
    gewaehlteWurzel() = wurzel;
}

} // namespace parlix
