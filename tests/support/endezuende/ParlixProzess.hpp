#pragma once

#include "app/platform/KindProzess.hpp"
#include "core/history/VerlaufEintrag.hpp"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <memory>
#include <optional>

namespace parlix {
class DefaultsStore;
}

namespace parlix::test {

// The real parlix program as a user starts it, in the desktop and with the sound server
// of this process's environment (DISPLAY, the buses, PULSE_SERVER). Pointed at `backend`
// it keeps settings, data, state, cache and log below `ordner`. Without a backend it is
// started as from the application menu of a new user: no arguments, a home of its own
// below `ordner`, and of the environment only what a desktop session gives every
// program (display, session bus, runtime folder, sound server), the log's place and the
// test build's sanitizer settings. Nothing of the user's is read or written. Starting it
// again after it ended is the next launch of the same user. The program ends with this
// object, and with this process.
class ParlixProzess {
public:
    // `programm`: the path of the parlix executable.
    ParlixProzess(QString programm, QString ordner, std::optional<QUrl> backend);
    ~ParlixProzess();
    ParlixProzess(const ParlixProzess&) = delete;
    ParlixProzess& operator=(const ParlixProzess&) = delete;

    // A store over the program's settings file: to set up the user before a start, and
    // to read what the program stored (a fresh read at each call).
    std::unique_ptr<DefaultsStore> einstellungen() const;
    // The history as the program stored it, newest first.
    QList<VerlaufEintrag> verlauf() const;

    // Starts the program; `umgebung` adds or replaces "NAME=value" entries.
    void starte(const QStringList& umgebung = {});
    bool laeuft();
    // Runs the program once more with `argumente` in the same environment (`umgebung` as
    // for starte), as a desktop shortcut bound to it would (the running program takes the
    // request): its exit code, absent when it did not end within `frist`.
    std::optional<int> rufe(const QStringList& argumente, const QStringList& umgebung = {},
                            std::chrono::milliseconds frist = std::chrono::seconds(10)) const;
    qint64 pid() const;
    // Ends the program as the session does (SIGTERM): its exit code, -1 after a signal,
    // absent when it did not end within `frist` (it is then killed).
    std::optional<int> beende(std::chrono::milliseconds frist = std::chrono::seconds(20));

    QString logDatei() const;
    // The messages of the log, without their time stamps, over every run in the folder.
    QStringList logZeilen() const;
    int logAnzahl(const QString& anfang) const;
    // Waits until `anzahl` messages begin with `anfang`; false after `frist` or when the
    // program ended meanwhile.
    bool warteAufLog(const QString& anfang, int anzahl = 1,
                     std::chrono::milliseconds frist = std::chrono::seconds(30));
    // What the program wrote to standard error, over every run.
    QString fehlerAusgabe() const;
    // The home folder of a start from the menu.
    QString home() const;

private:
    QProcessEnvironment umgebung() const;
    QProcessEnvironment umgebung(const QStringList& zusaetzlich) const;

    QString programm_;
    QString ordner_;
    std::optional<QUrl> backend_;
    std::unique_ptr<KindProzess> prozess_;
};

} // namespace parlix::test
