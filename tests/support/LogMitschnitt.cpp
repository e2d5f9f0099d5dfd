#include "tests/support/LogMitschnitt.hpp"

#include "core/log/DateiLog.hpp"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <unistd.h>

namespace parlix::test {

namespace {

qint64 groesse() {
    return QFile(log().pfad()).size();
}

} // namespace

LogMitschnitt::LogMitschnitt()
    : start_(groesse()) {}

QStringList LogMitschnitt::zeilen() const {
    QFile datei(log().pfad());
    if (!datei.open(QIODevice::ReadOnly)) {
        return {};
    }
    datei.seek(start_);
    const QString text = QString::fromUtf8(datei.readAll());
    static const QRegularExpression zeitstempel(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} \\+0000 "));
    QStringList ergebnis;
    for (const QString& zeile : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QString nachricht = zeile;
        ergebnis << nachricht.remove(zeitstempel);
    }
    return ergebnis;
}

bool LogMitschnitt::enthaelt(const QString& nachricht) const {
    return anzahl(nachricht) > 0;
}

int LogMitschnitt::anzahl(const QString& nachricht) const {
    return static_cast<int>(zeilen().count(nachricht));
}

void LogMitschnitt::umleitenFuerProzess() {
    const QString pfad = QDir::tempPath() + QStringLiteral("/parlix-test-") +
                         QString::number(::getpid()) + QStringLiteral(".log");
    QFile::remove(pfad);
    setzeLogPfad(pfad);
}

} // namespace parlix::test
