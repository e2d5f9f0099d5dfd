#include "core/services/BackendWurzel.hpp"

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <mutex>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Long enough for a server that starts on a busy machine, short enough for a user who
// waits for a dictation.
constexpr auto lokaleWartezeit = std::chrono::seconds(10);

struct Zustand {
    std::mutex sperre;
    std::condition_variable geaendert;
    std::optional<QUrl> wurzel; // nothing: the built-in root
    bool lokal = false;
    QByteArray geheimnis;
    QString grund;
    bool kommtWieder = true;
};

Zustand& zustand() {
    static Zustand z;
    return z;
}

const QUrl& eingebauteWurzel() {
    // CMake has checked the built-in form; a value that still fails here is a build fault.
    static const QUrl wurzel(QStringLiteral(PARLIX_BACKEND_URL), QUrl::StrictMode);
    Q_ASSERT(wurzel.isValid());
    return wurzel;
}

bool aufDemHauptfaden() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

} // namespace

QUrl backendWurzel() {
    Zustand& z = zustand();
    std::unique_lock lock(z.sperre);
    // The server's answer is read on the main thread, so only other threads may wait.
    if (z.lokal && !aufDemHauptfaden()) {
        z.geaendert.wait_for(lock, lokaleWartezeit,
                             [&z] { return !z.wurzel->isEmpty() || !z.kommtWieder; });
    }
    return z.wurzel.value_or(z.lokal ? QUrl() : eingebauteWurzel());
}

void setzeBackendWurzel(const QUrl& wurzel) {
    Zustand& z = zustand();
    {
        std::lock_guard lock(z.sperre);
        z.lokal = false;
        z.wurzel = wurzel;
        z.geheimnis.clear();
        z.grund.clear();
    }
    z.geaendert.notify_all();
}

void setzeLokalesBackendAus(const QString& grund, bool kommtWieder) {
    Zustand& z = zustand();
    {
        std::lock_guard lock(z.sperre);
        z.lokal = true;
        z.wurzel = QUrl();
        z.geheimnis.clear();
        z.grund = grund;
        z.kommtWieder = kommtWieder;
    }
    z.geaendert.notify_all();
}

void setzeLokalesBackend(const QUrl& wurzel, const QByteArray& geheimnis) {
    Zustand& z = zustand();
    {
        std::lock_guard lock(z.sperre);
        z.lokal = true;
        z.wurzel = wurzel;
        z.geheimnis = geheimnis;
        z.grund.clear();
        z.kommtWieder = true;
    }
    z.geaendert.notify_all();
}

bool nutztLokalesBackend() {
    Zustand& z = zustand();
    std::lock_guard lock(z.sperre);
    return z.lokal;
}

std::optional<QString> lokalesBackendFehlt() {
    Zustand& z = zustand();
    std::lock_guard lock(z.sperre);
    if (!z.lokal || !z.wurzel->isEmpty()) {
        return std::nullopt;
    }
    return z.grund.isEmpty() ? u"lokal.startet"_s : z.grund;
}

std::optional<QByteArray> lokalesGeheimnisFuer(const QUrl& ziel) {
    Zustand& z = zustand();
    std::lock_guard lock(z.sperre);
    if (!z.lokal || z.geheimnis.isEmpty() || ziel.host() != z.wurzel->host() ||
        ziel.port() != z.wurzel->port()) {
        return std::nullopt;
    }
    return z.geheimnis;
}

} // namespace parlix
