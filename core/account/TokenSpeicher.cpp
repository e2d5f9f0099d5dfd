#include "core/account/TokenSpeicher.hpp"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::TokenSpeicher {

namespace {

// A token is short; anything much larger is not ours.
constexpr qsizetype maxGroesse = 64 * 1024;

bool schreibeGanz(int fd, const QByteArray& daten) {
    qsizetype geschrieben = 0;
    while (geschrieben < daten.size()) {
        const ssize_t n = ::write(fd, daten.constData() + geschrieben,
                                  static_cast<size_t>(daten.size() - geschrieben));
        if (n < 0 && errno != EINTR) {
            return false;
        }
        geschrieben += n > 0 ? n : 0;
    }
    return true;
}

} // namespace

QString datei() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           u"/com.orvand.parlix/token"_s;
}

std::optional<QString> lese(const QString& pfad) {
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    QByteArray inhalt;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        inhalt.resize(maxGroesse);
        const ssize_t n = ::read(fd, inhalt.data(), static_cast<size_t>(maxGroesse));
        inhalt.resize(n > 0 ? n : 0);
    }
    ::close(fd);
    const QString token = QString::fromUtf8(inhalt).trimmed();
    return token.isEmpty() ? std::nullopt : std::optional(token);
}

bool setze(const QString& token, const QString& pfad) {
    const QString ordner = QFileInfo(pfad).absolutePath();
    if (!QFileInfo::exists(ordner)) {
        QDir().mkpath(ordner);
        ::chmod(QFile::encodeName(ordner).constData(), 0700);
    }
    // mkstemp creates the file with O_EXCL and mode 0600.
    QByteArray vorlage = QFile::encodeName(pfad) + ".XXXXXX";
    const int fd = ::mkostemp(vorlage.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool geschrieben = schreibeGanz(fd, token.toUtf8()) && ::fsync(fd) == 0;
    ::close(fd);
    // rename replaces whatever is at the path, a symbolic link included, without following it.
    if (!geschrieben || ::rename(vorlage.constData(), QFile::encodeName(pfad).constData()) != 0) {
        ::unlink(vorlage.constData());
        return false;
    }
    return true;
}

void loesche(const QString& pfad) {
    ::unlink(QFile::encodeName(pfad).constData());
}

} // namespace parlix::TokenSpeicher
