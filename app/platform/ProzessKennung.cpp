#include "app/platform/ProzessKennung.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace parlix::ProzessKennung {

std::optional<QString> paket(qint64 pid) {
    QFile umgebung(u"/proc/%1/environ"_s.arg(pid));
    if (!umgebung.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QList<QByteArray> eintraege = umgebung.readAll().split('\0');
    for (const QByteArray& name :
         {QByteArrayLiteral("FLATPAK_ID="), QByteArrayLiteral("SNAP_NAME=")}) {
        for (const QByteArray& eintrag : eintraege) {
            if (eintrag.startsWith(name) && eintrag.size() > name.size()) {
                return QString::fromUtf8(eintrag.mid(name.size()));
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> anwendung(qint64 pid) {
    if (auto id = paket(pid)) {
        return id;
    }
    const QString datei = QFileInfo(u"/proc/%1/exe"_s.arg(pid)).symLinkTarget();
    if (!datei.isEmpty()) {
        return QFileInfo(datei).fileName();
    }
    // Another user's process hides its file; its name (at most 15 bytes) stays readable.
    QFile name(u"/proc/%1/comm"_s.arg(pid));
    if (!name.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QString kurz = QString::fromUtf8(name.readAll()).trimmed();
    return kurz.isEmpty() ? std::nullopt : std::optional(kurz);
}

std::optional<bool> haeltTerminal(qint64 pid) {
    const QDir offen(u"/proc/%1/fd"_s.arg(pid));
    if (pid <= 0 || !offen.isReadable()) {
        return std::nullopt;
    }
    const QStringList eintraege = offen.entryList(QDir::System | QDir::NoDotAndDotDot);
    if (eintraege.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& eintrag : eintraege) {
        const QString ziel = QFileInfo(offen.filePath(eintrag)).symLinkTarget();
        if (ziel == u"/dev/ptmx"_s || ziel == u"/dev/pts/ptmx"_s) {
            return true;
        }
    }
    return false;
}

} // namespace parlix::ProzessKennung
