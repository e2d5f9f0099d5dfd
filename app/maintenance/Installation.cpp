#include "app/maintenance/Installation.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace parlix {

Installation Installation::von(const QString& programmPfad) {
    QDir bin = QFileInfo(programmPfad).absoluteDir();
    if (bin.dirName() != QLatin1String("bin") || !bin.cdUp()) {
        return {};
    }
    const QString ordner = bin.absolutePath();
    const QFileInfo ordnerInfo(ordner);
    const bool ersetzbar = QFileInfo(bin.filePath(QLatin1String(kennung))).isFile() &&
                           ordnerInfo.isWritable() &&
                           QFileInfo(ordnerInfo.absolutePath()).isWritable();
    return {ordner, ersetzbar};
}

Installation Installation::dieses() {
    return von(QCoreApplication::applicationFilePath());
}

} // namespace parlix
