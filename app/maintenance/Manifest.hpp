#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>

namespace parlix {

// The SHA-256 of every file below a program folder. As text it is one line per file,
// sorted by path, in the form `sha256sum` writes and checks ("<64 hex>  <path>\n"), so
// `sha256sum -c manifest.sha256` inside the folder checks an installation by hand.
// Only directories and regular files belong to a program folder: a link or a special
// file makes ausOrdner throw, so nothing unlisted can redirect a listed path.
class Manifest {
public:
    // The manifest and its signature live at the top of the folder they describe and are
    // not listed themselves.
    static constexpr auto datei = "manifest.sha256";
    static constexpr auto signaturDatei = "manifest.sha256.sig";
    // Generous for one line per file of a program folder; a larger file is not a manifest.
    static constexpr qint64 maxBytes = qint64{4} * 1024 * 1024;

    // Throws UpdateVerworfen for a link, a special file, an unreadable file or a name
    // the text form cannot hold (a line feed or a backslash).
    static Manifest ausOrdner(const QString& ordner);
    // Throws UpdateVerworfen for a line that is not of the form above.
    static Manifest ausText(const QByteArray& text);

    QByteArray text() const;
    // Whether `pfad` (relative to the folder) is a listed file, a folder holding one, or
    // the manifest or its signature: whether the folder's owner put it there.
    bool umfasst(const QString& pfad) const;
    // The first path where the folder described by `ist` departs from this one, with how;
    // nothing when both list the same files with the same content.
    std::optional<QString> ersteAbweichung(const Manifest& ist) const;

private:
    std::map<QString, QByteArray> pruefsummen_; // relative path -> lower-case hex
};

} // namespace parlix
