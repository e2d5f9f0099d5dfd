#include "app/backend/BackendWahl.hpp"
#include "app/backend/LokalerServer.hpp"
#include "app/platform/KindProzess.hpp"
#include "core/services/BackendWurzel.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "core/services/UrlPfad.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <future>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {

namespace {

// The children of this process called parlix-server.
QList<pid_t> serverKinder() {
    QList<pid_t> kinder;
    for (const QString& name : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        QFile stat(u"/proc/"_s + name + u"/stat"_s);
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (comm) state ppid ..."
        const QByteArray zeile = stat.readAll();
        const qsizetype klammer = zeile.lastIndexOf(')');
        const QList<QByteArray> felder = zeile.mid(klammer + 2).split(' ');
        if (zeile.contains("(parlix-server)") && felder.size() > 1 &&
            felder[1].toLongLong() == ::getpid()) {
            kinder.append(name.toInt());
        }
    }
    return kinder;
}

class BackendTest : public ::testing::Test {
protected:
    ~BackendTest() override { setzeBackendWurzel(vorher); }

    LokalerServer::Einrichtung einrichtung() const {
        return {
            .programm =
                QFileInfo(QStringLiteral(PARLIX_PROGRAMM)).dir().filePath(u"parlix-server"_s),
            .daten = ordner.filePath(u"daten/parlix/server"_s),
            .erstePause = 100ms,
        };
    }

    HttpAntwort hole(const QUrl& wurzel, const QString& pfad, const QByteArray& methode = "GET") {
        HttpAnfrage anfrage;
        anfrage.methode = methode;
        anfrage.url = mitPfad(wurzel, pfad);
        anfrage.zeitlimit = 10s;
        if (methode == "POST") {
            anfrage.setzeKopf("Content-Type", "application/json");
            anfrage.koerper = "{}";
        }
        return http.fuehreAus(anfrage);
    }

    // The same server under another name for its host: the secret is not sent there.
    static QUrl ohneGeheimnis(QUrl wurzel) {
        wurzel.setHost(u"localhost"_s);
        return wurzel;
    }

    const QUrl vorher = backendWurzel();
    LogMitschnitt log;
    QTemporaryDir ordner;
    HttpTransport http;
};

TEST_F(BackendTest, AHostedRootIsHttpsOrPlainHttpOnlyToThisComputer) {
    for (const QString& gut : {u"https://backend.example.org"_s, u"https://10.0.0.5:8443/parlix"_s,
                               u"http://127.0.0.1:8000"_s, u"http://localhost:1"_s,
                               u"http://[::1]:8000/"_s, u" http://127.0.0.2 "_s}) {
        EXPECT_TRUE(BackendWahl::pruefe(gut).wurzel.has_value()) << gut.toStdString();
    }
    for (const QString& klartext :
         {u"http://backend.example.org"_s, u"http://192.168.1.10:8000"_s, u"http://[::2]"_s}) {
        EXPECT_EQ(BackendWahl::pruefe(klartext).fehlerKey, u"backend.fehler.klartext"_s)
            << klartext.toStdString();
    }
    for (const QString& kaputt :
         {u""_s, u"backend.example.org"_s, u"ftp://example.org"_s, u"https://"_s,
          u"https://example.org/?a=1"_s, u"https://exa mple.org"_s}) {
        EXPECT_EQ(BackendWahl::pruefe(kaputt).fehlerKey, u"backend.fehler.form"_s)
            << kaputt.toStdString();
    }

    // A new installation runs its own server; a stored hosted choice comes back as stored.
    SpeicherDefaultsStore speicher;
    EXPECT_EQ(BackendWahl::lies(speicher).art, BackendWahl::Art::lokal);
    BackendWahl{BackendWahl::Art::gehostet, QUrl(u"https://backend.example.org"_s)}.speichere(
        speicher);
    EXPECT_EQ(speicher.text(u"backendArt"_s), u"gehostet"_s);
    EXPECT_EQ(BackendWahl::lies(speicher).url, QUrl(u"https://backend.example.org"_s));
    BackendWahl{}.speichere(speicher);
    EXPECT_EQ(BackendWahl::lies(speicher).art, BackendWahl::Art::lokal);
    EXPECT_FALSE(speicher.enthaelt(u"backendURL"_s));
}

TEST_F(BackendTest, TheServerAnswersOnlyCallsWithItsSecretAndEndsWithParlix) {
    LokalerServer server(einrichtung());
    QSignalSpy bereit(&server, QNonConstOverload<>::of(&LokalerServer::bereit));
    server.starte();
    ASSERT_TRUE(bereit.wait(20000)) << log.zeilen().join(u'\n').toStdString();
    const QUrl wurzel = server.wurzel();
    EXPECT_EQ(wurzel.host(), u"127.0.0.1"_s);
    EXPECT_EQ(backendWurzel(), wurzel);
    EXPECT_EQ(server.geheimnis().size(), 43);
    EXPECT_TRUE(log.enthaelt(u"Lokaler Server bereit: "_s + wurzel.toString()));
    EXPECT_TRUE(QFile::exists(einrichtung().daten + u"/konten.sqlite"_s));

    // Parlix's calls carry the secret; the same calls from anyone else are refused.
    EXPECT_EQ(hole(wurzel, u"version"_s).status, 200);
    for (const auto& [pfad, methode] : {std::pair{u"version"_s, QByteArray("GET")},
                                        {u"auth/me"_s, QByteArray("GET")},
                                        {u"openai/v1/chat/completions"_s, QByteArray("POST")}}) {
        const HttpAntwort fremd = hole(ohneGeheimnis(wurzel), pfad, methode);
        EXPECT_EQ(fremd.status, 401) << pfad.toStdString();
        EXPECT_EQ(QJsonDocument::fromJson(fremd.koerper)[u"grund"_s].toString(),
                  u"lokalGeheimnis"_s);
    }

    server.beende();
    EXPECT_TRUE(serverKinder().isEmpty());
    EXPECT_THROW(hole(wurzel, u"version"_s), TransportFehler);
    EXPECT_TRUE(log.enthaelt(u"Lokaler Server beendet"_s));
}

// Another user of this computer (nobody), through the programs they could run: what they
// read of the running server in /proc, and what it answers them.
std::optional<QByteArray> alsAndererNutzer(const QStringList& befehl) {
    return KindProzess::ausgabe(
        u"setpriv"_s,
        QStringList{u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, u"--"_s} + befehl,
        20s);
}

TEST_F(BackendTest, AnotherUserOfThisComputerNeitherLearnsTheSecretNorIsServed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "acting as another user needs root (setpriv --reuid)";
    }
    LokalerServer server(einrichtung());
    QSignalSpy bereit(&server, QNonConstOverload<>::of(&LokalerServer::bereit));
    server.starte();
    ASSERT_TRUE(bereit.wait(20000)) << log.zeilen().join(u'\n').toStdString();
    const QList<pid_t> kinder = serverKinder();
    ASSERT_EQ(kinder.size(), 1);
    const QByteArray geheimnis = server.geheimnis();
    ASSERT_FALSE(geheimnis.isEmpty());

    // The command line is anyone's to read, the environment the owner's: neither holds it.
    const QString prozess = u"/proc/%1/"_s.arg(kinder[0]);
    const std::optional<QByteArray> befehl = alsAndererNutzer({u"cat"_s, prozess + u"cmdline"_s});
    ASSERT_TRUE(befehl) << "another user cannot read a command line at all";
    EXPECT_TRUE(befehl->contains("--lokal"));
    EXPECT_FALSE(befehl->contains(geheimnis));
    for (const QString& wer : {u"owner"_s, u"other"_s}) {
        const std::optional<QByteArray> umgebung =
            wer == u"owner"_s ? KindProzess::ausgabe(u"cat"_s, {prozess + u"environ"_s}, 10s)
                              : alsAndererNutzer({u"cat"_s, prozess + u"environ"_s});
        EXPECT_FALSE(umgebung && umgebung->contains(geheimnis)) << wer.toStdString();
    }

    // Without the secret: no relay, no stream, no account (401 also shows they reached it).
    const QString wurzel = server.wurzel().toString();
    const QStringList curl{u"curl"_s, u"-s"_s,           u"-o"_s,         u"/dev/null"_s,
                           u"-w"_s,   u"%{http_code}"_s, u"--max-time"_s, u"10"_s};
    const QStringList websocket{u"--http1.1"_s,
                                u"-H"_s,
                                u"Connection: Upgrade"_s,
                                u"-H"_s,
                                u"Upgrade: websocket"_s,
                                u"-H"_s,
                                u"Sec-WebSocket-Version: 13"_s,
                                u"-H"_s,
                                u"Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ=="_s};
    const QList<std::pair<QString, QStringList>> aufrufe{
        {u"openai/v1/chat/completions"_s,
         {u"-H"_s, u"Content-Type: application/json"_s, u"--data-binary"_s, u"{}"_s}},
        {u"eu/stream"_s, websocket},
        {u"auth/me"_s, {}},
    };
    for (const auto& [pfad, zusatz] : aufrufe) {
        EXPECT_EQ(alsAndererNutzer(curl + zusatz + QStringList{wurzel + u'/' + pfad}),
                  QByteArray("401"))
            << pfad.toStdString();
    }
}

TEST_F(BackendTest, ADeadServerIsStartedAgainAndACallWaitsForIt) {
    LokalerServer server(einrichtung());
    QSignalSpy bereit(&server, QNonConstOverload<>::of(&LokalerServer::bereit));
    QSignalSpy ausgefallen(&server, &LokalerServer::ausgefallen);
    QSignalSpy neu(&server, &LokalerServer::neuGestartet);
    server.starte();
    ASSERT_TRUE(bereit.wait(20000)) << log.zeilen().join(u'\n').toStdString();
    const QList<pid_t> kinder = serverKinder();
    ASSERT_EQ(kinder.size(), 1);

    ::kill(kinder[0], SIGKILL);
    ASSERT_TRUE(ausgefallen.wait(10000));
    EXPECT_EQ(ausgefallen[0][0].toString(), u"lokal.ausgefallen"_s);
    EXPECT_TRUE(
        log.enthaelt(u"FEHLER: Lokaler Server beendet (abgestürzt), neuer Start in 100 ms"_s));
    // A call made now, as a recording's worker makes it, waits for the new server.
    auto wurzel = std::async(std::launch::async, [] { return backendWurzel(); });
    ASSERT_TRUE(neu.wait(20000)) << log.zeilen().join(u'\n').toStdString();
    EXPECT_EQ(wurzel.get(), server.wurzel());
    EXPECT_EQ(hole(server.wurzel(), u"version"_s).status, 200);
}

TEST_F(BackendTest, AMissingServerOrAnUnwritableDataFolderIsSaidAtOnce) {
    LokalerServer::Einrichtung ohneProgramm = einrichtung();
    ohneProgramm.programm = ordner.filePath(u"bin/parlix-server"_s);
    QFile blockiert(ordner.filePath(u"eine Datei"_s));
    ASSERT_TRUE(blockiert.open(QIODevice::WriteOnly));
    LokalerServer::Einrichtung ohneOrdner = einrichtung();
    ohneOrdner.daten = blockiert.fileName() + u"/server"_s;

    for (const auto& [e, grund] : {std::pair{ohneProgramm, u"lokal.programmFehlt"_s},
                                   std::pair{ohneOrdner, u"lokal.datenOrdner"_s}}) {
        LokalerServer server(e);
        QSignalSpy ausgefallen(&server, &LokalerServer::ausgefallen);
        server.starte();
        ASSERT_EQ(ausgefallen.size(), 1);
        EXPECT_EQ(ausgefallen[0][0].toString(), grund);
        EXPECT_EQ(lokalesBackendFehlt(), grund);
        // A recording's call does not wait for a server that cannot come.
        const auto vorDemRuf = std::chrono::steady_clock::now();
        EXPECT_TRUE(std::async(std::launch::async, [] { return backendWurzel(); }).get().isEmpty());
        EXPECT_LT(std::chrono::steady_clock::now() - vorDemRuf, 1s);
    }
    EXPECT_TRUE(log.enthaelt(u"FEHLER: Lokaler Server nicht gefunden: "_s + ohneProgramm.programm));
    EXPECT_TRUE(log.enthaelt(u"FEHLER: Datenordner des lokalen Servers nicht beschreibbar: "_s +
                             ohneOrdner.daten));
}

} // namespace

} // namespace parlix::test
