#include "app/maintenance/Updater.hpp"

#include "app/maintenance/EinzelLauf.hpp"
#include "app/maintenance/Nachlauf.hpp"
#include "app/maintenance/UpdateArchiv.hpp"
#include "app/maintenance/UpdateInstaller.hpp"
#include "app/maintenance/UpdatePaket.hpp"
#include "app/maintenance/UpdateVerworfen.hpp"
#include "core/account/AuthClient.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/BackendWurzel.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "core/services/UrlPfad.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix {

namespace {

constexpr auto periode = 12h;

// The update check of the whole process.
EinzelLauf& einzelLauf() {
    static EinzelLauf lauf;
    return lauf;
}

HttpAntwort hole(const QUrl& basis, const QString& pfad, std::chrono::milliseconds zeitlimit,
                 std::stop_token stop) {
    HttpAnfrage anfrage;
    anfrage.url = mitPfad(basis, pfad);
    anfrage.zeitlimit = zeitlimit;
    return HttpTransport::geteilt().fuehreAus(anfrage, stop);
}

QList<qint64> teile(const QString& version) {
    QList<qint64> zahlen;
    for (const QString& teil : version.split(u'.', Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 zahl = teil.toLongLong(&ok);
        zahlen.append(ok ? zahl : 0);
    }
    return zahlen;
}

// The first folder at the top of `ordner`, by name.
QString ersterOrdner(const QString& ordner) {
    const QStringList namen = QDir(ordner).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    if (namen.isEmpty()) {
        throw UpdateVerworfen(u"kein Programmordner im Archiv"_s);
    }
    return QDir(ordner).filePath(namen.first());
}

// The local server has no updates to serve: then the vendor's release root answers.
QUrl updateWurzel() {
    return nutztLokalesBackend() ? QUrl(QStringLiteral(PARLIX_RELEASE_URL), QUrl::StrictMode)
                                 : AuthClient::proxyBasis();
}

} // namespace

Updater::Einrichtung Updater::standard() {
    return {
        .basis = updateWurzel(),
        .lokaleVersion = aktuelleVersion(),
        .installation = Installation::dieses(),
        .schluessel = UpdatePaket::herstellerSchluessel(),
        .arbeitsBasis = QDir::tempPath(),
        .pid = QCoreApplication::applicationPid(),
        .beende = Nachlauf::beendeProgramm,
    };
}

Updater::Updater(MainQueue& mainQueue, Einrichtung einrichtung)
    : mainQueue_(mainQueue)
    , einrichtung_(std::move(einrichtung)) {}

Updater::~Updater() {
    if (naechste_) {
        naechste_->abbrechen();
    }
}

QString Updater::aktuelleVersion() {
    return QStringLiteral(PARLIX_VERSION);
}

bool Updater::istNeuer(const QString& a, const QString& als) {
    const QList<qint64> x = teile(a);
    const QList<qint64> y = teile(als);
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
        const qint64 links = x.value(i, 0);
        const qint64 rechts = y.value(i, 0);
        if (links != rechts) {
            return links > rechts;
        }
    }
    return false;
}

Updater::Ergebnis Updater::pruefeUndAktualisiere(std::stop_token stop) {
    return einzelLauf().fuehreAus([&] { return pruefe(stop); });
}

void Updater::pruefeImHintergrund(std::function<void(Ergebnis)> fertig) {
    arbeiter_.post([this, fertig = std::move(fertig)](std::stop_token stop) {
        const Ergebnis ergebnis = pruefeUndAktualisiere(stop);
        if (fertig) {
            mainQueue_.post([fertig, ergebnis] { fertig(ergebnis); });
        }
    });
}

void Updater::starteAutomatik() {
    pruefeImHintergrund({});
    planeNaechste();
}

void Updater::planeNaechste() {
    naechste_ = mainQueue_.after(periode, [this] {
        pruefeImHintergrund({});
        planeNaechste();
    });
}

Updater::Ergebnis Updater::pruefe(std::stop_token stop) {
    const QString& lokal = einrichtung_.lokaleVersion;
    QString server;
    QByteArray zip;
    try {
        server = serverVersion(stop);
        if (!istNeuer(server, lokal)) {
            log().schreibe(u"Update-Check: aktuell (lokal "_s + lokal + u", Server "_s + server +
                           u")"_s);
            return Ergebnis::aktuell;
        }
        // As the folder is now: files may have come in since the program started.
        const Installation installation = einrichtung_.installation.erneut();
        if (!installation.fremd.isEmpty()) {
            log().schreibe(u"FEHLER: Update verweigert: "_s + installation.ordner +
                           u" gehört nicht Parlix allein ("_s + installation.fremd +
                           u"); die neue Version in einen eigenen Ordner entpacken"_s);
            return Ergebnis::verweigert;
        }
        if (!installation.ersetzbar) {
            log().schreibe(u"Update verfügbar: "_s + lokal + u" → "_s + server +
                           u" — die Paketverwaltung installiert es"_s);
            return Ergebnis::verfuegbar;
        }
        log().schreibe(u"Update verfügbar: "_s + lokal + u" → "_s + server + u" — lade herunter"_s);
        zip = ladeZip(stop);
    } catch (const std::exception& fehler) {
        log().schreibe(u"Update-Check übersprungen: "_s + QString::fromUtf8(fehler.what()));
        return Ergebnis::fehler;
    }
    return installiere(zip);
}

Updater::Ergebnis Updater::installiere(const QByteArray& zip) {
    QTemporaryDir arbeit(QDir(einrichtung_.arbeitsBasis).filePath(u"parlix_update-XXXXXX"_s));
    if (!arbeit.isValid()) {
        log().schreibe(u"Update-Check übersprungen: "_s + arbeit.errorString());
        return Ergebnis::fehler;
    }
    UpdateInstaller::Auftrag auftrag{
        einrichtung_.installation.ordner, {}, arbeit.path(), einrichtung_.pid};
    try {
        auftrag.neu = entpackeUndPruefe(zip, arbeit.path());
    } catch (const UpdateVerworfen& verworfen) {
        log().schreibe(u"Update-Prüfung: "_s + verworfen.grund());
        log().schreibe(u"FEHLER: Update verworfen: Signatur/Verifikation fehlgeschlagen"_s);
        return Ergebnis::fehler;
    }
    if (!UpdateInstaller::installiereUndStarteNeu(auftrag)) {
        return Ergebnis::fehler;
    }
    // The swap copies from this folder and removes it at its end.
    arbeit.setAutoRemove(false);
    einrichtung_.beende();
    return Ergebnis::gefunden;
}

QString Updater::serverVersion(std::stop_token stop) const {
    const HttpAntwort antwort = hole(einrichtung_.basis, u"version"_s, 8s, stop);
    QJsonParseError fehler;
    const QJsonDocument dokument = QJsonDocument::fromJson(antwort.koerper, &fehler);
    if (fehler.error != QJsonParseError::NoError) {
        throw std::runtime_error("Antwort ist kein JSON (" + fehler.errorString().toStdString() +
                                 ")");
    }
    // An error answer in JSON (404, 503 with a "detail") has no version: reading it as
    // "0" would report the check as up to date.
    if (antwort.status < 200 || antwort.status > 299) {
        throw std::runtime_error("Version: HTTP " + std::to_string(antwort.status));
    }
    const QJsonValue version = dokument.object().value(u"version"_s);
    return version.isString() ? version.toString() : u"0"_s;
}

QByteArray Updater::ladeZip(std::stop_token stop) const {
    const HttpAntwort antwort = hole(einrichtung_.basis, u"download/parlix.zip"_s, 120s, stop);
    if (antwort.status < 200 || antwort.status > 299) {
        throw std::runtime_error("Download: HTTP " + std::to_string(antwort.status));
    }
    return antwort.koerper;
}

QString Updater::entpackeUndPruefe(const QByteArray& zip, const QString& arbeit) const {
    const QString ziel = QDir(arbeit).filePath(u"neu"_s);
    if (!QDir().mkdir(ziel)) {
        throw UpdateVerworfen(u"Ordner nicht anlegbar: "_s + ziel);
    }
    UpdateArchiv::entpacke(zip, ziel);
    const QString programm = ersterOrdner(ziel);
    UpdatePaket::pruefe(programm, einrichtung_.schluessel);
    // A release signed long ago must not come back as a newer one.
    QFile datei(QDir(programm).filePath(QLatin1String(Installation::versionDatei)));
    const QString version =
        datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.read(100)).trimmed() : QString();
    if (!istNeuer(version, einrichtung_.lokaleVersion)) {
        throw UpdateVerworfen(u"Version im Archiv ("_s + version + u") nicht neuer als "_s +
                              einrichtung_.lokaleVersion);
    }
    return programm;
}

} // namespace parlix
