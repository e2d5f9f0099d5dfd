#include "tests/app/maintenance/RohZip.hpp"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <archive.h>
#include <archive_entry.h>
#include <memory>
#include <stdexcept>

namespace parlix::test {

RohZip& RohZip::datei(const QString& pfad, const QByteArray& inhalt) {
    eintraege_.append({pfad, inhalt, {}, false});
    return *this;
}

RohZip& RohZip::verknuepfung(const QString& pfad, const QString& ziel) {
    eintraege_.append({pfad, {}, ziel, false});
    return *this;
}

RohZip& RohZip::ordner(const QString& ordner, const QString& wurzel) {
    const QDir quelle(ordner);
    QDirIterator dateien(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (dateien.hasNext()) {
        const QString pfad = dateien.next();
        QFile datei(pfad);
        datei.open(QIODevice::ReadOnly);
        eintraege_.append({wurzel + u'/' + quelle.relativeFilePath(pfad),
                           datei.readAll(),
                           {},
                           datei.permissions().testFlag(QFileDevice::ExeOwner)});
    }
    return *this;
}

QByteArray RohZip::bytes() const {
    QTemporaryDir ordner;
    const QByteArray pfad = QFile::encodeName(ordner.filePath(QStringLiteral("roh.zip")));
    const std::unique_ptr<archive, decltype(&archive_write_free)> zip(archive_write_new(),
                                                                      &archive_write_free);
    archive_write_set_format_zip(zip.get());
    if (archive_write_open_filename(zip.get(), pfad.constData()) != ARCHIVE_OK) {
        throw std::runtime_error("Zip nicht schreibbar");
    }
    for (const Eintrag& e : eintraege_) {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> eintrag(
            archive_entry_new(), &archive_entry_free);
        archive_entry_copy_pathname(eintrag.get(), e.pfad.toUtf8().constData());
        if (e.linkZiel.isEmpty()) {
            archive_entry_set_filetype(eintrag.get(), AE_IFREG);
            archive_entry_set_perm(eintrag.get(), e.ausfuehrbar ? 0755 : 0644);
            archive_entry_set_size(eintrag.get(), e.inhalt.size());
        } else {
            archive_entry_set_filetype(eintrag.get(), AE_IFLNK);
            archive_entry_set_perm(eintrag.get(), 0777);
            archive_entry_copy_symlink(eintrag.get(), e.linkZiel.toUtf8().constData());
        }
        archive_write_header(zip.get(), eintrag.get());
        archive_write_data(zip.get(), e.inhalt.constData(), static_cast<size_t>(e.inhalt.size()));
    }
    archive_write_close(zip.get());
    QFile datei(QFile::decodeName(pfad));
    datei.open(QIODevice::ReadOnly);
    return datei.readAll();
}

} // namespace parlix::test
