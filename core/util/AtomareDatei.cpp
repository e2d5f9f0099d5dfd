#include "core/util/AtomareDatei.hpp"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace parlix::AtomareDatei {

bool ersetze(const QString& pfad, const QByteArray& inhalt) {
    if (!QDir().mkpath(QFileInfo(pfad).absolutePath())) {
        return false;
    }
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly)) {
        return false;
    }
    // commit() alone is not enough: it can report success after a short write or a
    // failed flush (seen on a full disk) and put a truncated file in place of the old one.
    if (!datei.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        datei.write(inhalt) != inhalt.size() || !datei.flush()) {
        datei.cancelWriting();
        return false;
    }
    return datei.commit();
}

} // namespace parlix::AtomareDatei
