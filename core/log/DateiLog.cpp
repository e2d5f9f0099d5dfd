#include "core/log/DateiLog.hpp"

#include <QDateTime>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace parlix {

namespace {

std::mutex& schreibSperre() {
    static std::mutex sperre;
    return sperre;
}

// Opens for appending only a regular file owned by this user; creates it with 0600.
// O_NONBLOCK keeps a FIFO planted at the path from blocking the caller.
int oeffneSicher(const QByteArray& pfad) {
    const int fd = ::open(pfad.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK,
                          S_IRUSR | S_IWUSR);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void schreibeAlles(int fd, const QByteArray& bytes) {
    qsizetype geschrieben = 0;
    while (geschrieben < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + geschrieben,
                                  static_cast<size_t>(bytes.size() - geschrieben));
        if (n <= 0) {
            return;
        }
        geschrieben += n;
    }
}

} // namespace

DateiLog::DateiLog(QString pfad) : pfad_(std::move(pfad)) {}

QString DateiLog::zeile(const QString& text) {
    const QString zeit =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return zeit + QStringLiteral(" +0000 ") + text;
}

void DateiLog::schreibe(const QString& text) const {
    const QByteArray bytes = (zeile(text) + QLatin1Char('\n')).toUtf8();
    const QByteArray pfad = pfad_.toLocal8Bit();
    std::lock_guard sperre(schreibSperre());
    const int fd = oeffneSicher(pfad);
    if (fd < 0) {
        return;
    }
    schreibeAlles(fd, bytes);
    ::close(fd);
}

DateiLog& log() {
    static DateiLog instanz(QStringLiteral("/tmp/parlix.log"));
    return instanz;
}

void setzeLogPfad(const QString& pfad) { log() = DateiLog(pfad); }

} // namespace parlix
