#include "app/maintenance/Updater.hpp"

#include "app/maintenance/Manifest.hpp"
#include "app/maintenance/UpdatePaket.hpp"
#include "tests/app/maintenance/RohZip.hpp"
#include "tests/app/maintenance/UpdateTestBasis.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/TestServer.hpp"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

using namespace parlix;
using parlix::test::RohZip;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString versionPfad = u"/version"_s;
const QString zipPfad = u"/download/parlix.zip"_s;
const QString verworfen = u"FEHLER: Update verworfen: Signatur/Verifikation fehlgeschlagen"_s;

class UpdaterTest : public test::UpdateTestBasis {
protected:
    UpdaterTest()
        : UpdateTestBasis(u"Programme/parlix"_s) {}

    // Never swaps: these checks do not get that far.
    Updater::Einrichtung einrichtung(const QString& lokal) {
        auto e = UpdateTestBasis::einrichtung(server.basis(), 1);
        e.lokaleVersion = lokal;
        return e;
    }

    Updater::Ergebnis pruefe(const QString& lokal, const QString& server) {
        stelleVersionEin(server);
        return Updater(queue, einrichtung(lokal)).pruefeUndAktualisiere();
    }

    void stelleVersionEin(const QString& version) {
        server.drehbuch().stelleEin(versionPfad, Antwort::json(200, {{u"version"_s, version}}));
    }

    // The program folder (the source when not given) signed with `schluessel`, as a zip
    // below "parlix/".
    RohZip signiert(const char* schluessel, const QString& ordner = {}) const {
        const QString programm = ordner.isEmpty() ? quelle : ordner;
        RohZip zip;
        zip.ordner(programm, u"parlix"_s);
        for (const auto& [name, inhalt] :
             UpdatePaket::signiere(programm, test::ProgrammLabor::testSchluessel(schluessel))) {
            zip.datei(u"parlix/"_s + name, inhalt);
        }
        return zip;
    }

    test::TestServer server;
};

TEST_F(UpdaterTest, ComparesVersionsNumberByNumber) {
    EXPECT_TRUE(Updater::istNeuer(u"1.10"_s, u"1.9"_s));
    EXPECT_FALSE(Updater::istNeuer(u"2.0.0"_s, u"2.0"_s));
    EXPECT_FALSE(Updater::istNeuer(u"2.0"_s, u"2.0.0"_s));
    EXPECT_FALSE(Updater::istNeuer(u"abc"_s, u"0.1"_s));
    EXPECT_TRUE(Updater::istNeuer(u"1..2"_s, u"1.1"_s));
    EXPECT_FALSE(Updater::istNeuer(u"3-beta"_s, u"0.0.1"_s));
}

TEST_F(UpdaterTest, NothingNewerOrAnUnreadableAnswerDownloadsNothing) {
    test::LogMitschnitt log;
    EXPECT_EQ(pruefe(u"2.0"_s, u"2.0.0"_s), Updater::Ergebnis::aktuell);
    EXPECT_TRUE(log.enthaelt(u"Update-Check: aktuell (lokal 2.0, Server 2.0.0)"_s));
    EXPECT_EQ(pruefe(u"1.0"_s, u"abc"_s), Updater::Ergebnis::aktuell);
    EXPECT_TRUE(log.enthaelt(u"Update-Check: aktuell (lokal 1.0, Server abc)"_s));

    server.drehbuch().stelleEin(versionPfad, Antwort::json(200, {{u"detail"_s, u"x"_s}}));
    EXPECT_EQ(Updater(queue, einrichtung(u"1.0"_s)).pruefeUndAktualisiere(),
              Updater::Ergebnis::aktuell);
    EXPECT_TRUE(log.enthaelt(u"Update-Check: aktuell (lokal 1.0, Server 0)"_s));

    server.drehbuch().stelleEin(
        versionPfad, Antwort::text(502, "<html><h1>502 Bad Gateway</h1></html>", "text/html"));
    EXPECT_EQ(Updater(queue, einrichtung(u"1.0"_s)).pruefeUndAktualisiere(),
              Updater::Ergebnis::fehler);
    const QStringList zeilen = log.zeilen();
    ASSERT_FALSE(zeilen.isEmpty());
    EXPECT_TRUE(zeilen.last().startsWith(u"Update-Check übersprungen: Antwort ist kein JSON"_s))
        << zeilen.last().toStdString();

    server.drehbuch().stelleEin(versionPfad, Antwort::fehler(404, u"unbekannt"_s));
    EXPECT_EQ(Updater(queue, einrichtung(u"1.0"_s)).pruefeUndAktualisiere(),
              Updater::Ergebnis::fehler);
    EXPECT_TRUE(log.enthaelt(u"Update-Check übersprungen: Version: HTTP 404"_s));

    EXPECT_TRUE(server.drehbuch().anfragen(zipPfad).isEmpty());
    EXPECT_FALSE(beendet);
}

TEST_F(UpdaterTest, AFailedDownloadIsSkipped) {
    test::LogMitschnitt log;
    stelleVersionEin(u"1.10"_s);
    server.drehbuch().stelleEin(zipPfad, Antwort::fehler(404, u"kein Archiv"_s));
    EXPECT_EQ(Updater(queue, einrichtung(u"1.9"_s)).pruefeUndAktualisiere(),
              Updater::Ergebnis::fehler);
    EXPECT_TRUE(log.enthaelt(u"Update verfügbar: 1.9 → 1.10 — lade herunter"_s));
    EXPECT_TRUE(log.enthaelt(u"Update-Check übersprungen: Download: HTTP 404"_s));
    EXPECT_TRUE(QDir(arbeit).isEmpty());
}

TEST_F(UpdaterTest, OnlyAFolderParlixOwnsAloneIsReplaced) {
    test::LogMitschnitt log;
    stelleVersionEin(u"1.10"_s);
    server.drehbuch().stelleEin(zipPfad, Antwort::text(200, signiert("test-privat.pem").bytes()));
    auto e = einrichtung(u"1.9"_s);
    e.installation = Installation::von(u"/usr/bin/parlix"_s);
    EXPECT_FALSE(e.installation.ersetzbar);
    const auto ergebnis = Updater(queue, e).pruefeUndAktualisiere();
    EXPECT_EQ(ergebnis, Updater::Ergebnis::verfuegbar);
    EXPECT_EQ(statusSchluessel(ergebnis), u"update.paketverwaltung"_s);
    EXPECT_TRUE(
        log.enthaelt(u"Update verfügbar: 1.9 → 1.10 — die Paketverwaltung installiert es"_s));

    // A prefix such as ~/.local shared with other programs and the user's data: as the
    // archive unpacked into it leaves it (its manifest beside foreign files), and as
    // `cmake --install` leaves it (no manifest). Looked at when the check runs, not when
    // the updater was made.
    Updater updater(queue, einrichtung(u"1.9"_s));
    const QStringList fremde = {u"share/com.orvand.parlix/token"_s, u"bin/anderes"_s,
                                u"share/applications/anderes.desktop"_s};
    for (const QString& datei : fremde) {
        test::ProgrammLabor::datei(installation + u'/' + datei, datei.toUtf8());
    }
    const QByteArray programm = test::ProgrammLabor::liesDatei(installation + u"/bin/parlix"_s);
    for (const QString& grund : {u"nicht von Parlix: "_s, u"kein manifest.sha256"_s}) {
        SCOPED_TRACE(grund.toStdString());
        const auto verweigert = updater.pruefeUndAktualisiere();
        EXPECT_EQ(verweigert, Updater::Ergebnis::verweigert);
        EXPECT_EQ(statusSchluessel(verweigert), u"update.verweigert"_s);
        ASSERT_TRUE(log.zeilen().last().startsWith(u"FEHLER: Update verweigert: "_s + installation +
                                                   u" gehört nicht Parlix allein ("_s + grund))
            << log.zeilen().last().toStdString();
        QFile::remove(installation + u"/manifest.sha256"_s);
    }
    for (const QString& datei : fremde) {
        EXPECT_EQ(test::ProgrammLabor::liesDatei(installation + u'/' + datei), datei.toUtf8());
    }
    EXPECT_EQ(test::ProgrammLabor::liesDatei(installation + u"/bin/parlix"_s), programm);
    EXPECT_TRUE(server.drehbuch().anfragen(zipPfad).isEmpty());
    EXPECT_FALSE(beendet);
}

TEST_F(UpdaterTest, EveryUntrustworthyArchiveIsRefusedAndNothingInstalled) {
    const QString draussen = labor.pfad(u"draussen.txt"_s);
    const struct {
        const char* name;
        const char* grund; // in the log line that says why
        std::function<QByteArray()> zip;
    } faelle[] = {
        {"signed by another key", "Herstellerschlüssel",
         [&] { return signiert("fremd-privat.pem").bytes(); }},
        {"a file changed after signing", "verändert: bin/parlix",
         [&] {
             RohZip zip = signiert("test-privat.pem");
             return zip.datei(u"parlix/bin/parlix"_s, "#!/bin/sh\necho boese\n").bytes();
         }},
        {"an added file", "nicht im Manifest: lib/x.so",
         [&] { return signiert("test-privat.pem").datei(u"parlix/lib/x.so"_s, "x").bytes(); }},
        {"no manifest", "Manifest fehlt",
         [&] { return RohZip().ordner(quelle, u"parlix"_s).bytes(); }},
        {"a zip-slip entry", "außerhalb des Ordners: ../../draussen.txt",
         [&] {
             return signiert("test-privat.pem").datei(u"../../draussen.txt"_s, "boese").bytes();
         }},
        {"an absolute entry", "außerhalb des Ordners: /",
         [&] { return signiert("test-privat.pem").datei(draussen, "boese").bytes(); }},
        {"a link out of the folder", "Verknüpfung zeigt aus dem Ordner",
         [&] {
             return signiert("test-privat.pem")
                 .verknuepfung(u"parlix/raus"_s, u"../.."_s)
                 .datei(u"parlix/raus/draussen.txt"_s, "boese")
                 .bytes();
         }},
        {"an absolute link", "Verknüpfung zeigt aus dem Ordner",
         [&] {
             return signiert("test-privat.pem")
                 .verknuepfung(u"parlix/raus"_s, labor.pfad())
                 .datei(u"parlix/raus/draussen.txt"_s, "boese")
                 .bytes();
         }},
        {"an older release of the vendor", "Version im Archiv (1.8) nicht neuer als 1.9",
         [&] {
             labor.programmOrdner(labor.pfad(u"alt/parlix"_s), u"1.8"_s);
             return signiert("test-privat.pem", labor.pfad(u"alt/parlix"_s)).bytes();
         }},
        {"a link inside the folder", "Verknüpfung oder Sonderdatei: bin/auch",
         [&] {
             return signiert("test-privat.pem")
                 .verknuepfung(u"parlix/bin/auch"_s, u"parlix"_s)
                 .bytes();
         }},
    };
    const QByteArray vorher = test::ProgrammLabor::liesDatei(installation + u"/bin/parlix"_s);
    stelleVersionEin(u"1.10"_s);
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        test::LogMitschnitt log;
        server.drehbuch().stelleEin(zipPfad, Antwort::text(200, fall.zip()));
        EXPECT_EQ(Updater(queue, einrichtung(u"1.9"_s)).pruefeUndAktualisiere(),
                  Updater::Ergebnis::fehler);
        EXPECT_EQ(log.anzahl(verworfen), 1);
        const QStringList gruende = log.zeilen().filter(u"Update-Prüfung: "_s);
        ASSERT_EQ(gruende.size(), 1);
        EXPECT_TRUE(gruende[0].contains(QString::fromUtf8(fall.grund))) << gruende[0].toStdString();
        EXPECT_FALSE(beendet);
        EXPECT_EQ(test::ProgrammLabor::liesDatei(installation + u"/bin/parlix"_s), vorher);
        EXPECT_TRUE(QDir(arbeit).isEmpty()) << QDir(arbeit).entryList().join(u' ').toStdString();
        EXPECT_FALSE(QFile::exists(draussen));
        EXPECT_FALSE(QFile::exists(labor.pfad(u"quelle/draussen.txt"_s)));
    }
}

TEST_F(UpdaterTest, TwoChecksAtOnceMakeOneRequestAndShareItsOutcome) {
    test::LogMitschnitt log;
    server.drehbuch().stelleEin(versionPfad,
                                Antwort::json(200, {{u"version"_s, u"1.9"_s}}).nach(1s));
    Updater erster(queue, einrichtung(u"1.9"_s));
    Updater zweiter(queue, einrichtung(u"1.9"_s));
    Updater::Ergebnis a = Updater::Ergebnis::fehler;
    Updater::Ergebnis b = Updater::Ergebnis::fehler;
    std::thread faden([&] { a = erster.pruefeUndAktualisiere(); });
    ASSERT_TRUE(server.drehbuch().warteAufAnfragen(1));
    b = zweiter.pruefeUndAktualisiere();
    faden.join();
    EXPECT_EQ(a, Updater::Ergebnis::aktuell);
    EXPECT_EQ(b, Updater::Ergebnis::aktuell);
    EXPECT_EQ(server.drehbuch().anfragen(versionPfad).size(), 1);
    EXPECT_EQ(log.anzahl(u"Update-Check: aktuell (lokal 1.9, Server 1.9)"_s), 1);
}

TEST_F(UpdaterTest, ChecksAtStartEveryTwelveHoursAndOnDemand) {
    stelleVersionEin(u"1.9"_s);
    Updater updater(queue, einrichtung(u"1.9"_s));
    updater.starteAutomatik();
    EXPECT_TRUE(server.drehbuch().warteAufAnfragen(1));
    queue.vorspulen(12h);
    EXPECT_TRUE(server.drehbuch().warteAufAnfragen(2));
    queue.vorspulen(12h);
    EXPECT_TRUE(server.drehbuch().warteAufAnfragen(3));

    std::optional<Updater::Ergebnis> ergebnis;
    updater.pruefeImHintergrund([&](Updater::Ergebnis e) { ergebnis = e; });
    ASSERT_TRUE(queue.warteBis([&] { return ergebnis.has_value(); }));
    EXPECT_EQ(*ergebnis, Updater::Ergebnis::aktuell);
    EXPECT_EQ(statusSchluessel(*ergebnis), u"update.aktuell"_s);
    EXPECT_EQ(server.drehbuch().anfragen(versionPfad).size(), 4);
}

} // namespace
