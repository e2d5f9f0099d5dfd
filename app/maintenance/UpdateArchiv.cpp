#include "app/maintenance/UpdateArchiv.hpp"

#include "app/maintenance/Programmordner.hpp"
#include "app/maintenance/UpdateVerworfen.hpp"

#include <QDir>
#include <QFile>
#include <archive.h>
#include <archive_entry.h>
#include <ctime>
#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace parlix::UpdateArchiv {

namespace {

using Leser = std::unique_ptr<archive, decltype(&archive_read_free)>;
using Schreiber = std::unique_ptr<archive, decltype(&archive_write_free)>;
using Eintrag = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

// An update is a program folder; this is far above any real one.
constexpr la_int64_t maxEntpackt = la_int64_t{512} * 1024 * 1024;

[[noreturn]] void verwirf(const QString& was, archive* a) {
    throw UpdateVerworfen(was + u": "_s + QString::fromUtf8(archive_error_string(a)));
}

bool fuehrtHinaus(const QString& pfad) {
    return pfad.isEmpty() || pfad.startsWith(u'/') ||
           pfad.split(u'/').contains(QLatin1String(".."));
}

QString name(archive_entry* eintrag) {
    const char* utf8 = archive_entry_pathname_utf8(eintrag);
    return QString::fromUtf8(utf8 != nullptr ? utf8 : archive_entry_pathname(eintrag));
}

void pruefeEintrag(archive_entry* eintrag, const QString& pfad) {
    if (fuehrtHinaus(pfad)) {
        throw UpdateVerworfen(u"Eintrag außerhalb des Ordners: "_s + pfad);
    }
    switch (archive_entry_filetype(eintrag)) {
    case AE_IFDIR:
    case AE_IFREG:
        if (archive_entry_hardlink(eintrag) == nullptr) {
            return;
        }
        break;
    case AE_IFLNK: {
        const char* ziel = archive_entry_symlink(eintrag);
        if (ziel == nullptr || fuehrtHinaus(QString::fromUtf8(ziel))) {
            throw UpdateVerworfen(u"Verknüpfung zeigt aus dem Ordner: "_s + pfad);
        }
        return;
    }
    default:
        break;
    }
    throw UpdateVerworfen(u"Eintrag unzulässiger Art: "_s + pfad);
}

void setzeRechte(archive_entry* eintrag) {
    const bool ausfuehrbar = (archive_entry_perm(eintrag) & 0111) != 0;
    switch (archive_entry_filetype(eintrag)) {
    case AE_IFDIR:
        archive_entry_set_perm(eintrag, 0755);
        break;
    case AE_IFREG:
        archive_entry_set_perm(eintrag, ausfuehrbar ? 0755 : 0644);
        break;
    default:
        break;
    }
}

// Copies the entry's data, counting it against the limit.
void kopiereDaten(archive* leser, archive* schreiber, la_int64_t& gesamt) {
    const void* block = nullptr;
    size_t groesse = 0;
    la_int64_t versatz = 0;
    int status = ARCHIVE_OK;
    while ((status = archive_read_data_block(leser, &block, &groesse, &versatz)) == ARCHIVE_OK) {
        gesamt += static_cast<la_int64_t>(groesse);
        if (gesamt > maxEntpackt) {
            throw UpdateVerworfen(u"Archiv zu groß"_s);
        }
        if (archive_write_data_block(schreiber, block, groesse, versatz) != ARCHIVE_OK) {
            verwirf(u"Schreiben fehlgeschlagen"_s, schreiber);
        }
    }
    if (status != ARCHIVE_EOF) {
        verwirf(u"Archiv beschädigt"_s, leser);
    }
}

// One zip entry from a file or folder of the disk, or from bytes.
void schreibeEintrag(archive* zip, const QString& pfad, mode_t art, mode_t rechte,
                     const QByteArray& inhalt) {
    const Eintrag eintrag(archive_entry_new(), &archive_entry_free);
    archive_entry_copy_pathname(eintrag.get(), pfad.toUtf8().constData());
    archive_entry_set_filetype(eintrag.get(), art);
    archive_entry_set_perm(eintrag.get(), rechte);
    archive_entry_set_size(eintrag.get(), inhalt.size());
    archive_entry_set_mtime(eintrag.get(), std::time(nullptr), 0);
    if (archive_write_header(zip, eintrag.get()) != ARCHIVE_OK ||
        (!inhalt.isEmpty() &&
         archive_write_data(zip, inhalt.constData(), static_cast<size_t>(inhalt.size())) < 0)) {
        verwirf(u"Archiv nicht schreibbar"_s, zip);
    }
}

QByteArray inhaltVon(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw UpdateVerworfen(u"Datei unlesbar: "_s + pfad);
    }
    return datei.readAll();
}

} // namespace

void entpacke(const QByteArray& archiv, const QString& ziel) {
    const Leser leser(archive_read_new(), &archive_read_free);
    const Schreiber schreiber(archive_write_disk_new(), &archive_write_free);
    archive_read_support_format_zip(leser.get());
    // libarchive's own guards as a second line behind the checks above.
    archive_write_disk_set_options(schreiber.get(), ARCHIVE_EXTRACT_SECURE_NODOTDOT |
                                                        ARCHIVE_EXTRACT_SECURE_SYMLINKS |
                                                        ARCHIVE_EXTRACT_PERM);
    if (archive_read_open_memory(leser.get(), archiv.constData(),
                                 static_cast<size_t>(archiv.size())) != ARCHIVE_OK) {
        verwirf(u"kein Zip-Archiv"_s, leser.get());
    }
    const QByteArray wurzel = QFile::encodeName(QDir(ziel).absolutePath()) + '/';
    la_int64_t gesamt = 0;
    archive_entry* eintrag = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(leser.get(), &eintrag)) == ARCHIVE_OK) {
        const QString pfad = name(eintrag);
        pruefeEintrag(eintrag, pfad);
        setzeRechte(eintrag);
        archive_entry_copy_pathname(eintrag, (wurzel + QFile::encodeName(pfad)).constData());
        if (archive_write_header(schreiber.get(), eintrag) != ARCHIVE_OK) {
            verwirf(u"Schreiben fehlgeschlagen"_s, schreiber.get());
        }
        kopiereDaten(leser.get(), schreiber.get(), gesamt);
        if (archive_write_finish_entry(schreiber.get()) != ARCHIVE_OK) {
            verwirf(u"Schreiben fehlgeschlagen"_s, schreiber.get());
        }
    }
    if (status != ARCHIVE_EOF) {
        verwirf(u"Archiv beschädigt"_s, leser.get());
    }
}

void packe(const QString& ordner, const QString& wurzel,
           const std::map<QString, QByteArray>& zusatz, const QString& zielDatei) {
    const Schreiber zip(archive_write_new(), &archive_write_free);
    archive_write_set_format_zip(zip.get());
    if (archive_write_open_filename(zip.get(), QFile::encodeName(zielDatei).constData()) !=
        ARCHIVE_OK) {
        verwirf(u"Archiv nicht schreibbar"_s, zip.get());
    }
    schreibeEintrag(zip.get(), wurzel + u'/', AE_IFDIR, 0755, {});
    Programmordner::durchlaufe(ordner, [&](const QString& pfad, const QFileInfo& info) {
        if (info.isDir()) {
            schreibeEintrag(zip.get(), wurzel + u'/' + pfad + u'/', AE_IFDIR, 0755, {});
        } else if (!zusatz.contains(pfad)) {
            const bool ausfuehrbar = info.permission(QFileDevice::ExeOwner);
            schreibeEintrag(zip.get(), wurzel + u'/' + pfad, AE_IFREG, ausfuehrbar ? 0755 : 0644,
                            inhaltVon(info.filePath()));
        }
    });
    for (const auto& [pfad, inhalt] : zusatz) {
        schreibeEintrag(zip.get(), wurzel + u'/' + pfad, AE_IFREG, 0644, inhalt);
    }
    if (archive_write_close(zip.get()) != ARCHIVE_OK) {
        verwirf(u"Archiv nicht schreibbar"_s, zip.get());
    }
}

} // namespace parlix::UpdateArchiv
