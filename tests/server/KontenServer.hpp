#pragma once

#include "core/services/HttpAnfrage.hpp"
#include "server/Dienste.hpp"
#include "tests/support/server/ServerFaden.hpp"

#include <QHash>
#include <QJsonObject>
#include <condition_variable>
#include <mutex>

namespace parlix::test {

// The reference backend with its accounts in `datenbank`, on a loopback port, with
// the reset codes it would mail kept for the test.
class KontenServer {
public:
    KontenServer(const QString& datenbank, Dienste::Einrichtung einrichtung = vorgabe(),
                 ServerGrenzen grenzen = {});

    // Cheap password hashes, no upstream.
    static Dienste::Einrichtung vorgabe();

    HttpAntwort sende(const QByteArray& methode, const QString& pfad,
                      const QJsonObject& koerper = {}, const Kopfzeilen& kopfzeilen = {}) const;
    HttpAntwort post(const QString& pfad, const QJsonObject& koerper) const {
        return sende("POST", pfad, koerper);
    }
    // The last code sent to `email`; waits up to five seconds for one (codes go out
    // after the answer).
    QString code(const QString& email);
    // Registers and signs in; the token.
    QString konto(const QString& email, const QString& passwort);
    quint16 port() const { return faden_.port(); }

private:
    std::mutex sperre_;
    std::condition_variable neuerCode_;
    QHash<QString, QString> codes_;
    Dienste dienste_;
    ServerFaden faden_;
};

// The "detail" of a JSON error answer.
QString detail(const HttpAntwort& antwort);

} // namespace parlix::test
