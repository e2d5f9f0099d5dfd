#pragma once

#include "tests/support/GesetzteUmgebung.hpp"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>

namespace parlix::test {

// A private folder for tests that install and start programs. The programs it makes are
// shell scripts that append a line (their version, or what they were given) to a marker
// file, so a test sees which program started and when.
class ProgrammLabor {
public:
    ProgrammLabor();

    QString pfad(const QString& relativ = {}) const;

    // A program folder of `version` at `ordner` as the per-user archive lays it out
    // (bin/parlix, the per-user marker, the version file) whose bin/parlix appends
    // `version` to the marker file.
    void programmOrdner(const QString& ordner, const QString& version) const;
    // A file at `pfad` (its folders made as needed) holding `inhalt`.
    static void datei(const QString& pfad, const QByteArray& inhalt);
    // An executable shell script at `pfad` with `rumpf` after the first line.
    static void skript(const QString& pfad, const QByteArray& rumpf);
    // A script that appends "$0", its arguments and whether process `pid` still runs
    // ("lebt"/"frei") to the marker file, one per line.
    void zeugenSkript(const QString& pfad, qint64 pid) const;

    // The lines of the marker file so far.
    QStringList marken() const;
    // Waits until the marker file has at least `anzahl` lines.
    bool warteAufMarken(qsizetype anzahl,
                        std::chrono::milliseconds frist = std::chrono::seconds(20)) const;

    static QByteArray liesDatei(const QString& pfad);
    // A key file of tests/app/maintenance/schluessel.
    static QByteArray testSchluessel(const char* name);

private:
    QTemporaryDir ordner_;
    GesetzteUmgebung umgebung_;
};

} // namespace parlix::test
