#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>

namespace parlix {

// The root of the backend this process talks to (scheme, host, port, no path). The
// service, account and update calls all derive their URLs from it. It is the vendor's
// root fixed at build time by the CMake setting PARLIX_BACKEND_URL, another hosted root
// chosen at start, or the local server Parlix runs itself, whose root is known only once
// that server listens and changes when it is started again. Safe from any thread.
//
// While the local server starts, a call off the main thread waits for it (at most 10 s),
// so that a dictation right after the start does not fail; the main thread, which reads
// the server's answer, never waits. Empty while the local server does not answer.
QUrl backendWurzel();

// Points this process at a hosted backend root (the stored choice or --backend).
void setzeBackendWurzel(const QUrl& wurzel);

// The local server does not listen: there is no root. `grund` is the localisation key of
// what went wrong, empty while it merely starts; while it `kommtWieder`, calls wait for it.
void setzeLokalesBackendAus(const QString& grund = {}, bool kommtWieder = true);
// The local server listens at `wurzel` and answers only calls with `geheimnis`.
void setzeLokalesBackend(const QUrl& wurzel, const QByteArray& geheimnis);

// Whether this process uses the local server Parlix runs itself.
bool nutztLokalesBackend();

// Whether this process uses the local server, and it does not answer now: the key of the
// reason ("lokal.startet" while it starts), else nothing.
std::optional<QString> lokalesBackendFehlt();

// The secret to send as "X-Parlix-Lokal" when `ziel` is on the local server (same host
// and port; http and ws alike); nothing for every other address, so it never leaves it.
std::optional<QByteArray> lokalesGeheimnisFuer(const QUrl& ziel);

} // namespace parlix
