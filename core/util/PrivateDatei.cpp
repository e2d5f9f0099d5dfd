#include "core/util/PrivateDatei.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parlix::PrivateDatei {

namespace {

// A regular file owned by this user with no other name, made private, or -1. A second
// name (a hard link planted at the path) would write into a file elsewhere; a file left
// readable by others would show them what is written from now on.
int oeffneSicher(const QString& pfad, int zusatz) {
    const QByteArray name = pfad.toLocal8Bit();
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | zusatz,
               S_IRUSR | S_IWUSR);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    const bool sicher =
        ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
        info.st_nlink == 1 &&
        ((info.st_mode & 07777) == (S_IRUSR | S_IWUSR) || ::fchmod(fd, S_IRUSR | S_IWUSR) == 0);
    if (!sicher) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool schreibeAlles(int fd, const QByteArray& bytes) {
    qsizetype geschrieben = 0;
    while (geschrieben < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + geschrieben,
                                  static_cast<size_t>(bytes.size() - geschrieben));
        if (n <= 0) {
            return false;
        }
        geschrieben += n;
    }
    return true;
}

// Writes through `vorbereiten` (which may empty the file first) and closes.
template <class Vorbereiten>
bool schreibe(const QString& pfad, const QByteArray& bytes, int zusatz, Vorbereiten vorbereiten) {
    const int fd = oeffneSicher(pfad, zusatz);
    if (fd < 0) {
        return false;
    }
    const bool ok = vorbereiten(fd) && schreibeAlles(fd, bytes);
    return ::close(fd) == 0 && ok;
}

} // namespace

bool haengeAn(const QString& pfad, const QByteArray& bytes) {
    return schreibe(pfad, bytes, O_APPEND, [](int) { return true; });
}

bool ersetze(const QString& pfad, const QByteArray& bytes) {
    return schreibe(pfad, bytes, 0, [](int fd) { return ::ftruncate(fd, 0) == 0; });
}

} // namespace parlix::PrivateDatei
