#pragma once

#include <QString>

namespace parlix {

// The one diagnostic log: one line per call, "yyyy-MM-dd HH:mm:ss +0000 <text>\n" in UTC.
// /tmp is shared by all users, so the file is opened without following symbolic links,
// created with mode 0600 (an existing one is made 0600) and only written when it is a
// regular file owned by us with no other hard link; otherwise the line is dropped. Writers in this
// process are serialised so that lines never interleave. Failures are never reported.
class DateiLog {
public:
    explicit DateiLog(QString pfad);

    void schreibe(const QString& text) const;
    QString pfad() const { return pfad_; }

    // The line as it is written, without the terminating line feed.
    static QString zeile(const QString& text);

private:
    QString pfad_;
};

// The process-wide log, "/tmp/parlix.log".
DateiLog& log();

// Points the process-wide log at another file; for tests, before any thread logs.
void setzeLogPfad(const QString& pfad);

} // namespace parlix
