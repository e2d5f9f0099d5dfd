#include "app/maintenance/Installation.hpp"

#include "app/maintenance/Manifest.hpp"
#include "app/maintenance/Programmordner.hpp"
#include "app/maintenance/UpdateVerworfen.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The first entry of `ordner` that its manifest does not list, or why there is no
// telling; nothing when every entry is one Parlix installed.
std::optional<QString> fremderEintrag(const QString& ordner) {
    const QString pfad = QDir(ordner).filePath(QLatin1String(Manifest::datei));
    QFile datei(pfad);
    if (QFileInfo(pfad).isSymLink() || !datei.open(QIODevice::ReadOnly) ||
        datei.size() > Manifest::maxBytes) {
        return u"kein "_s + QLatin1String(Manifest::datei);
    }
    try {
        const Manifest manifest = Manifest::ausText(datei.readAll());
        Programmordner::durchlaufe(ordner, [&](const QString& eintrag, const QFileInfo&) {
            if (!manifest.umfasst(eintrag)) {
                throw UpdateVerworfen(u"nicht von Parlix: "_s + eintrag);
            }
        });
    } catch (const UpdateVerworfen& grund) {
        return grund.grund();
    }
    return std::nullopt;
}

} // namespace

Installation Installation::von(const QString& programmPfad) {
    QDir bin = QFileInfo(programmPfad).absoluteDir();
    if (bin.dirName() != QLatin1String("bin") || !bin.cdUp()) {
        return {};
    }
    const QString ordner = bin.absolutePath();
    const QFileInfo ordnerInfo(ordner);
    if (!QFileInfo(bin.filePath(QLatin1String(kennung))).isFile() || !ordnerInfo.isWritable() ||
        !QFileInfo(ordnerInfo.absolutePath()).isWritable()) {
        return {ordner, false, {}};
    }
    const std::optional<QString> fremd = fremderEintrag(ordner);
    return {ordner, !fremd, fremd.value_or(QString())};
}

Installation Installation::dieses() {
    return von(QCoreApplication::applicationFilePath());
}

Installation Installation::erneut() const {
    return ordner.isEmpty() ? *this : von(QDir(ordner).filePath(QLatin1String(programm)));
}

} // namespace parlix
