#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

namespace parlix {

// A child program started with posix_spawn: standard input from /dev/null, standard
// output into a pipe that the owner reads, standard error into a file or /dev/null. No
// code of ours or of a library runs in the child before it executes the program, so it
// is safe on any thread (QProcess runs library code in a child that shares the parent's
// memory, which thread sanitizers cannot follow). The destructor kills a child that is
// still running and reaps it.
class KindProzess {
public:
    struct Optionen {
        QString fehlerDatei;                 // standard error appended here; else discarded
        std::optional<QStringList> umgebung; // "NAME=value" entries; else this process's
    };

    KindProzess(const QString& programm, const QStringList& argumente, const Optionen& optionen);
    KindProzess(const QString& programm, const QStringList& argumente)
        : KindProzess(programm, argumente, Optionen{}) {}
    ~KindProzess();
    KindProzess(const KindProzess&) = delete;
    KindProzess& operator=(const KindProzess&) = delete;

    bool gestartet() const { return pid_ > 0; }
    qint64 pid() const { return pid_; }

    // Output that arrived, waiting up to `frist` for some; empty after the end or a timeout.
    QByteArray lies(std::chrono::milliseconds frist);
    // Waits up to `frist` for the end, keeping the output for lies(). The exit code, -1 if
    // a signal ended it; absent while it still runs.
    std::optional<int> warteAufEnde(std::chrono::milliseconds frist);
    void sende(int signal) const;

    // Runs a program to its end: its standard output when it exits with 0 within `frist`,
    // else absent (a program still running then is killed).
    static std::optional<QByteArray> ausgabe(const QString& programm, const QStringList& argumente,
                                             std::chrono::milliseconds frist);

private:
    // Moves what the pipe holds into puffer_, waiting up to `frist`: the bytes moved, 0
    // when none came, -1 once the pipe has ended.
    qsizetype sammle(std::chrono::milliseconds frist);

    qint64 pid_ = -1;
    int ausgabe_ = -1;
    std::optional<int> ende_;
    QByteArray puffer_;
};

} // namespace parlix
