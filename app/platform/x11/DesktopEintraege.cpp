#include "app/platform/x11/DesktopEintraege.hpp"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

struct Eintrag {
    QString startupWmKlasse;
    bool versteckt = false;
};

// The two keys of the [Desktop Entry] group that matter here; other groups (actions)
// may repeat keys and are skipped.
Eintrag liesEintrag(const QString& pfad) {
    QFile datei(pfad);
    Eintrag eintrag;
    if (!datei.open(QIODevice::ReadOnly)) {
        return eintrag;
    }
    bool inHauptgruppe = false;
    while (!datei.atEnd()) {
        const QByteArray zeile = datei.readLine().trimmed();
        if (zeile.startsWith('[')) {
            inHauptgruppe = zeile == "[Desktop Entry]";
            continue;
        }
        const qsizetype gleich = zeile.indexOf('=');
        if (!inHauptgruppe || gleich < 0) {
            continue;
        }
        const QByteArray schluessel = zeile.left(gleich).trimmed();
        const QByteArray wert = zeile.mid(gleich + 1).trimmed();
        if (schluessel == "StartupWMClass") {
            eintrag.startupWmKlasse = QString::fromUtf8(wert);
        } else if (schluessel == "Hidden") {
            eintrag.versteckt = wert == "true";
        }
    }
    return eintrag;
}

} // namespace

DesktopEintraege::DesktopEintraege()
    : DesktopEintraege(QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {}

DesktopEintraege::DesktopEintraege(QStringList ordner)
    : ordner_(std::move(ordner)) {}

std::optional<QString> DesktopEintraege::zuWmKlasse(const QString& wmKlasse) {
    ladeWennGeaendert();
    const auto treffer = nachKlasse_.constFind(wmKlasse);
    if (treffer == nachKlasse_.cend()) {
        return std::nullopt;
    }
    return *treffer;
}

void DesktopEintraege::ladeWennGeaendert() {
    QList<QDateTime> stand;
    for (const QString& ordner : ordner_) {
        stand.append(QFileInfo(ordner).lastModified());
    }
    if (geladen_ && stand == stand_) {
        return;
    }
    stand_ = stand;
    geladen_ = true;
    lade();
}

void DesktopEintraege::lade() {
    nachKlasse_.clear();
    // An id found in a more important folder hides the same id further down.
    QSet<QString> gesehen;
    for (const QString& ordner : ordner_) {
        ladeOrdner(ordner, gesehen);
    }
}

void DesktopEintraege::ladeOrdner(const QString& ordner, QSet<QString>& gesehen) {
    const QString basis = QDir(ordner).absolutePath() + u'/';
    QDirIterator dateien(ordner, {u"*.desktop"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (dateien.hasNext()) {
        const QString pfad = dateien.next();
        // kde/org.kde.foo.desktop has the id kde-org.kde.foo.
        QString id = pfad.mid(basis.size());
        id.chop(u".desktop"_s.size());
        id.replace(u'/', u'-');
        if (gesehen.contains(id)) {
            continue;
        }
        gesehen.insert(id);
        const Eintrag eintrag = liesEintrag(pfad);
        if (!eintrag.versteckt && !eintrag.startupWmKlasse.isEmpty() &&
            !nachKlasse_.contains(eintrag.startupWmKlasse)) {
            nachKlasse_.insert(eintrag.startupWmKlasse, id);
        }
    }
}

} // namespace parlix
