#pragma once

#include <QString>
#include <QStringList>

namespace parlix::test {

// Reads what the process-wide log wrote during a test. Construct it at the start of a
// test; zeilen() returns the messages (without timestamps) written since.
class LogMitschnitt {
public:
    LogMitschnitt();

    // Every message line written since construction, timestamp removed.
    QStringList zeilen() const;
    bool enthaelt(const QString& nachricht) const;
    int anzahl(const QString& nachricht) const;

    // Sends the process-wide log to a private file for the life of the test process.
    static void umleitenFuerProzess();

private:
    qint64 start_;
};

} // namespace parlix::test
