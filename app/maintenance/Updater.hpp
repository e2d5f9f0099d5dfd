#pragma once

#include "app/maintenance/Installation.hpp"
#include "app/maintenance/UpdateErgebnis.hpp"
#include "core/concurrency/ArbeitsFaden.hpp"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <stop_token>

namespace parlix {

class GeplanterJob;
class MainQueue;

// Keeps the program up to date from the vendor's backend: asks "version", and when that
// is newer downloads "download/parlix.zip", unpacks it into a fresh private folder,
// accepts it only with a valid signature by the pinned vendor key, and hands it to
// UpdateInstaller, which swaps the installation once the program has quit.
//
// Checks never run two at once in this process, whichever updater object starts them.
// Lives on the main thread; the checks run on a thread of its own.
class Updater {
public:
    using Ergebnis = UpdateErgebnis;

    struct Einrichtung {
        QUrl basis;            // where "version" and the archive come from
        QString lokaleVersion; // compared with the server's
        Installation installation;
        QByteArray schluessel;        // the vendor's public key (PEM)
        QString arbeitsBasis;         // the private folder of a check is made in here
        qint64 pid = 0;               // the swap waits until this process has ended
        std::function<void()> beende; // asks the program to quit; any thread
    };

    // For this program: the backend root (the release root while the local server is
    // the backend), aktuelleVersion(), its
    // own installation, the pinned key, the temporary folder, its own process, and a
    // queued QCoreApplication::quit().
    static Einrichtung standard();

    Updater(MainQueue& mainQueue, Einrichtung einrichtung = standard());
    ~Updater();
    Updater(const Updater&) = delete;
    Updater& operator=(const Updater&) = delete;

    // The version this build was given in CMake (project version).
    static QString aktuelleVersion();
    // Whether version `a` is newer than `als`: dot-separated numbers compared in order,
    // missing ones and pieces that are not numbers counting as 0 (so 1.10 > 1.9, 2.0 ==
    // 2.0.0, "abc" == 0).
    static bool istNeuer(const QString& a, const QString& als);

    // One check; blocks. Any thread but the main thread.
    Ergebnis pruefeUndAktualisiere(std::stop_token stop = {});

    // Main thread. One check on the updater's thread; `fertig` gets the outcome on the
    // main queue.
    void pruefeImHintergrund(std::function<void(Ergebnis)> fertig);
    // Main thread, once at start-up: a check now, then one every 12 hours.
    void starteAutomatik();

private:
    Ergebnis pruefe(std::stop_token stop);
    QString serverVersion(std::stop_token stop) const;
    QByteArray ladeZip(std::stop_token stop) const;
    // Checks the archive and hands it to the swap.
    Ergebnis installiere(const QByteArray& zip);
    // Unpacks and checks the archive in `arbeit`; the accepted program folder.
    QString entpackeUndPruefe(const QByteArray& zip, const QString& arbeit) const;
    void planeNaechste();

    MainQueue& mainQueue_;
    Einrichtung einrichtung_;
    std::shared_ptr<GeplanterJob> naechste_;
    ArbeitsFaden arbeiter_; // last: stops before the members it uses
};

} // namespace parlix
