#include "core/log/DateiLog.hpp"

#include "core/util/PrivateDatei.hpp"

#include <QDateTime>
#include <mutex>

namespace parlix {

namespace {

std::mutex& schreibSperre() {
    static std::mutex sperre;
    return sperre;
}

} // namespace

DateiLog::DateiLog(QString pfad)
    : pfad_(std::move(pfad)) {}

QString DateiLog::zeile(const QString& text) {
    const QString zeit =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return zeit + QStringLiteral(" +0000 ") + text;
}

void DateiLog::schreibe(const QString& text) const {
    const QByteArray bytes = (zeile(text) + QLatin1Char('\n')).toUtf8();
    std::lock_guard sperre(schreibSperre());
    PrivateDatei::haengeAn(pfad_, bytes);
}

DateiLog& log() {
    static DateiLog instanz(QStringLiteral("/tmp/parlix.log"));
    return instanz;
}

void setzeLogPfad(const QString& pfad) {
    log() = DateiLog(pfad);
}

} // namespace parlix
