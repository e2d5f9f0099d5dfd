#include "app/maintenance/Programmordner.hpp"

#include "app/maintenance/UpdateVerworfen.hpp"

#include <QDir>
#include <QDirIterator>

using namespace Qt::StringLiterals;

namespace parlix::Programmordner {

void durchlaufe(const QString& ordner,
                const std::function<void(const QString& pfad, const QFileInfo& info)>& besuche) {
    const QDir wurzel(ordner);
    QDirIterator eintraege(ordner,
                           QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
    while (eintraege.hasNext()) {
        const QFileInfo info(eintraege.next());
        const QString pfad = wurzel.relativeFilePath(info.filePath());
        if (info.isSymLink() || !(info.isDir() || info.isFile())) {
            throw UpdateVerworfen(u"Verknüpfung oder Sonderdatei: "_s + pfad);
        }
        besuche(pfad, info);
    }
}

} // namespace parlix::Programmordner
