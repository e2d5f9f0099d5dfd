#include "core/util/AtomareDatei.hpp"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace parlix::AtomareDatei {

std::optional<QString> schreibe(const QString& pfad, const QByteArray& inhalt,
                                QFileDevice::Permissions rechte) {
    const QString ordner = QFileInfo(pfad).absolutePath();
    if (!QDir().mkpath(ordner)) {
        return QStringLiteral("Ordner nicht anlegbar: ") + ordner;
    }
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly)) {
        return datei.errorString();
    }
    if (!datei.setPermissions(rechte) || datei.write(inhalt) != inhalt.size() || !datei.flush()) {
        const QString grund = datei.errorString();
        datei.cancelWriting();
        return grund;
    }
    if (!datei.commit()) {
        return datei.errorString();
    }
    return std::nullopt;
}

} // namespace parlix::AtomareDatei
