#include "app/maintenance/UpdatePaket.hpp"

#include "app/maintenance/Manifest.hpp"
#include "app/maintenance/Signatur.hpp"
#include "app/maintenance/UpdateVerworfen.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace parlix::UpdatePaket {

namespace {

// A regular file at the top of the folder (not a link), or nothing.
QByteArray lies(const QString& ordner, const char* name, const QString& fehlt) {
    const QString pfad = QDir(ordner).filePath(QLatin1String(name));
    const QFileInfo info(pfad);
    QFile datei(pfad);
    if (info.isSymLink() || !info.isFile() || info.size() > Manifest::maxBytes ||
        !datei.open(QIODevice::ReadOnly)) {
        throw UpdateVerworfen(fehlt);
    }
    return datei.readAll();
}

} // namespace

void pruefe(const QString& ordner, const QByteArray& oeffentlich) {
    const QByteArray text = lies(ordner, Manifest::datei, u"Manifest fehlt"_s);
    const QByteArray signatur = lies(ordner, Manifest::signaturDatei, u"Signatur fehlt"_s);
    if (!Signatur::pruefe(text, signatur, oeffentlich)) {
        throw UpdateVerworfen(u"Signatur passt nicht zum Herstellerschlüssel"_s);
    }
    if (const auto abweichung =
            Manifest::ausText(text).ersteAbweichung(Manifest::ausOrdner(ordner))) {
        throw UpdateVerworfen(*abweichung);
    }
}

std::map<QString, QByteArray> signiere(const QString& ordner, const QByteArray& privat) {
    const QByteArray text = Manifest::ausOrdner(ordner).text();
    const QByteArray signatur = Signatur::signiere(text, privat);
    if (signatur.isEmpty()) {
        throw UpdateVerworfen(u"kein privater Ed25519-Schlüssel"_s);
    }
    return {{QLatin1String(Manifest::datei), text},
            {QLatin1String(Manifest::signaturDatei), signatur}};
}

QByteArray herstellerSchluessel() {
    QFile datei(u":/update/hersteller.pem"_s);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

} // namespace parlix::UpdatePaket
