#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QUrl>
#include <chrono>

namespace parlix {

using Kopfzeilen = QList<QPair<QByteArray, QByteArray>>;

// The value of the first header called `name` (compared without regard to case), or
// an empty array.
QByteArray kopfWert(const Kopfzeilen& kopfzeilen, const QByteArray& name);

// One HTTP request as the transport sends it.
struct HttpAnfrage {
    QByteArray methode = QByteArrayLiteral("GET");
    QUrl url;
    Kopfzeilen kopfzeilen;
    QByteArray koerper;
    std::chrono::milliseconds zeitlimit = std::chrono::seconds(60);

    // Sets a header, replacing any earlier one of the same name.
    void setzeKopf(const QByteArray& name, const QByteArray& wert);
    QByteArray kopf(const QByteArray& name) const { return kopfWert(kopfzeilen, name); }
};

// A complete HTTP response, whatever its status.
struct HttpAntwort {
    int status = 0;
    Kopfzeilen kopfzeilen;
    QByteArray koerper;

    QByteArray kopf(const QByteArray& name) const { return kopfWert(kopfzeilen, name); }
};

} // namespace parlix
