// The server program itself under a crash, a full disk and the open-file limit, and as
// one user's local backend.
#include "tests/server/ServerProzess.hpp"

#include "core/services/HttpTransport.hpp"
#include "tests/server/SqliteBlick.hpp"
#include "tests/support/TestServer.hpp"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

HttpAntwort post(quint16 port, const QString& pfad, const QJsonObject& koerper,
                 const Kopfzeilen& kopfzeilen = {}) {
    HttpAnfrage anfrage;
    anfrage.methode = "POST";
    anfrage.url = QUrl(u"http://127.0.0.1:%1/%2"_s.arg(port).arg(pfad));
    anfrage.kopfzeilen = kopfzeilen;
    anfrage.koerper = QJsonDocument(koerper).toJson(QJsonDocument::Compact);
    anfrage.zeitlimit = 10s;
    try {
        return HttpTransport::geteilt().fuehreAus(anfrage);
    } catch (const std::exception&) {
        return {}; // the server is gone
    }
}

HttpAntwort version(quint16 port) {
    HttpAnfrage anfrage;
    anfrage.url = QUrl(u"http://127.0.0.1:%1/version"_s.arg(port));
    anfrage.zeitlimit = 10s;
    return HttpTransport::geteilt().fuehreAus(anfrage);
}

unsigned rechte(const QString& datei) {
    struct stat status {};
    return ::stat(QFile::encodeName(datei).constData(), &status) == 0 ? status.st_mode & 0777U : 0U;
}

// Overwrites the pages of the accounts table and its index with garbage, after moving
// everything from the log into the file.
void beschaedigeKonten(const QString& datei) {
    QList<qint64> seiten;
    qint64 seitenGroesse = 0;
    blickeInSqlite(datei, [&](QSqlQuery& abfrage) {
        abfrage.exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
        abfrage.exec(u"PRAGMA page_size"_s);
        seitenGroesse = abfrage.next() ? abfrage.value(0).toLongLong() : 0;
        abfrage.exec(u"SELECT rootpage FROM sqlite_master WHERE tbl_name = 'konten'"_s);
        while (abfrage.next()) {
            seiten << abfrage.value(0).toLongLong();
        }
    });
    QFile roh(datei);
    ASSERT_TRUE(roh.open(QIODevice::ReadWrite));
    ASSERT_EQ(seiten.size(), 2);
    for (const qint64 seite : seiten) {
        roh.seek((seite - 1) * seitenGroesse);
        roh.write(QByteArray(seitenGroesse, '\xab'));
    }
}

QJsonObject konto(const QString& email) {
    return {{u"email"_s, email}, {u"passwort"_s, u"passwort-"_s + email}};
}

class ServerProzessTest : public ::testing::Test {
protected:
    QStringList daten() const { return {u"--daten"_s, ordner.path()}; }
    // Registers accounts one after the other until `genug` says stop; the acknowledged.
    QStringList registriere(quint16 port, const std::function<bool(int status)>& genug) {
        QStringList bestaetigt;
        for (int i = 0; i < 15; ++i) {
            const QString email = u"nutzer%1@example.org"_s.arg(i);
            const int status = post(port, u"auth/register"_s, konto(email)).status;
            if (status == 201) {
                bestaetigt << email;
            }
            if (genug(status)) {
                break;
            }
        }
        return bestaetigt;
    }
    void allesDa(const QStringList& bestaetigt) {
        ServerProzess neu(daten());
        ASSERT_NE(neu.port(), 0) << neu.fehler().toStdString();
        for (const QString& email : bestaetigt) {
            EXPECT_EQ(post(neu.port(), u"auth/login"_s, konto(email)).status, 200)
                << email.toStdString();
        }
    }

    QTemporaryDir ordner;
};

TEST_F(ServerProzessTest, KillNineDuringRegistrationsLosesNoAcknowledgedAccount) {
    ServerProzess server(daten());
    ASSERT_NE(server.port(), 0) << server.fehler().toStdString();
    QStringList bestaetigt;
    std::thread moerder([&] {
        std::this_thread::sleep_for(1500ms);
        server.prozess().sende(SIGKILL);
    });
    bestaetigt = registriere(server.port(), [](int status) { return status == 0; });
    moerder.join();
    server.prozess().warteAufEnde(5s);
    EXPECT_FALSE(bestaetigt.isEmpty());
    // Also after a crash, the database and its log are the server user's only.
    for (const QString& endung : {u""_s, u"-wal"_s, u"-shm"_s}) {
        EXPECT_EQ(rechte(ordner.filePath(u"konten.sqlite"_s + endung)), 0600U)
            << endung.toStdString();
    }
    allesDa(bestaetigt);
}

TEST_F(ServerProzessTest, AFullDiskRefusesChangesAndKeepsWhatWasAcknowledged) {
    QStringList bestaetigt;
    {
        // Files may grow to 160 KB: the database and its log fill that after a few accounts.
        ServerProzess server(daten(), {u"prlimit"_s, u"--fsize=160000"_s, u"--"_s});
        ASSERT_NE(server.port(), 0) << server.fehler().toStdString();
        int letzter = 0;
        bestaetigt = registriere(server.port(), [&](int status) {
            letzter = status;
            return status != 201;
        });
        EXPECT_EQ(letzter, 503);
        EXPECT_FALSE(bestaetigt.isEmpty());
    }
    allesDa(bestaetigt);
}

TEST_F(ServerProzessTest, AtTheOpenFileLimitTheServerKeepsAnswering) {
    ServerProzess server(daten(), {u"prlimit"_s, u"--nofile=128"_s, u"--"_s});
    ASSERT_NE(server.port(), 0) << server.fehler().toStdString();
    std::vector<std::unique_ptr<QTcpSocket>> ruhend;
    for (int i = 0; i < 200; ++i) {
        ruhend.push_back(std::make_unique<QTcpSocket>());
        ruhend.back()->connectToHost(QHostAddress::LocalHost, server.port());
        ruhend.back()->waitForConnected(1000);
    }
    EXPECT_EQ(version(server.port()).status, 200);

    // And it does not spin while it waits.
    const auto rechenzeit = [&] {
        QFile stat(u"/proc/%1/stat"_s.arg(server.pid()));
        stat.open(QIODevice::ReadOnly);
        const QList<QByteArray> felder = stat.readAll().split(' ');
        return felder.size() > 14 ? felder[13].toLongLong() + felder[14].toLongLong() : 0;
    };
    const qint64 vorher = rechenzeit();
    QTest::qWait(1000);
    EXPECT_LT(rechenzeit() - vorher, 30) << "clock ticks in one second";
}

TEST_F(ServerProzessTest, ADamagedDatabaseIsLeftAloneAndTheServerRefusesToStart) {
    const QByteArray kaputt = "{\"ana@example.org\": {\"hash\": \"abc\"}, kein sqlite";
    QFile datei(ordner.filePath(u"konten.sqlite"_s));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(kaputt);
    datei.close();

    ServerProzess server(daten());
    EXPECT_EQ(server.port(), 0);
    EXPECT_EQ(server.prozess().warteAufEnde(5s), 1);
    EXPECT_TRUE(server.fehler().startsWith(u"FEHLER: "_s)) << server.fehler().toStdString();
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(datei.readAll(), kaputt);
}

// What a client without the secret gets from each kind of call: the accounts, the
// relay and the stream's upgrade.
QList<QByteArray> antwortenOhne(quint16 port, const Kopfzeilen& kopfzeilen) {
    HttpAnfrage profil;
    profil.url = QUrl(u"http://127.0.0.1:%1/auth/me"_s.arg(port));
    profil.kopfzeilen = kopfzeilen;
    QTcpSocket upgrade;
    upgrade.connectToHost(QHostAddress::LocalHost, port);
    upgrade.waitForConnected(5000);
    QByteArray handshake = "GET /eu/stream HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                           "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n";
    for (const auto& [name, wert] : kopfzeilen) {
        handshake += name + ": " + wert + "\r\n";
    }
    upgrade.write(handshake + "\r\n");
    QByteArray stream;
    while (upgrade.waitForReadyRead(5000)) {
        stream += upgrade.readAll();
    }
    QList<QByteArray> antworten;
    for (const HttpAntwort& antwort :
         {HttpTransport::geteilt().fuehreAus(profil),
          post(port, u"openai/v1/chat/completions"_s, {}, kopfzeilen)}) {
        antworten << QByteArray::number(antwort.status) + ' ' + antwort.koerper;
    }
    return antworten << stream.left(12);
}

QByteArray steuerzeile(const QJsonObject& objekt) {
    return QJsonDocument(objekt).toJson(QJsonDocument::Compact) + '\n';
}

QJsonObject sprache(const TestServer& anbieter, const QString& wurzel) {
    return {{u"sprache"_s,
             QJsonObject{{u"url"_s, anbieter.url(wurzel).toString()}, {u"modell"_s, u"llm"_s}}}};
}

TEST_F(ServerProzessTest, TheLocalServerAnswersOnlyItsUserFollowsItsInputAndEndsWithIt) {
    TestServer anbieter;
    for (const QString& wurzel : {u"/a/v1"_s, u"/b/v1"_s}) {
        anbieter.drehbuch().stelleEin(wurzel + u"/chat/completions"_s,
                                      Antwort::text(200,
                                                    R"({"choices":[{"message":{"content":"ok"}}]})",
                                                    "application/json"));
    }
    const QByteArray geheimnis = "Ab3_xY9-Qr7tUv2wLm5nKp8sDf1gHj4kZc6bVn0eRty";
    ServerProzess server({u"--lokal"_s, u"--daten"_s, ordner.path()}, {},
                         steuerzeile({{u"geheimnis"_s, QString::fromLatin1(geheimnis)},
                                      {u"anbieter"_s, sprache(anbieter, u"/a/v1"_s)}}));
    ASSERT_NE(server.port(), 0) << server.fehler().toStdString();

    QByteArray falsch = geheimnis;
    falsch[42] = 'x';
    for (const Kopfzeilen& fremd :
         {Kopfzeilen{}, Kopfzeilen{{"X-Parlix-Lokal", falsch}},
          Kopfzeilen{{"X-Parlix-Lokal", geheimnis.left(42)}, {"X-Device-Id", "geraet"}}}) {
        const QList<QByteArray> antworten = antwortenOhne(server.port(), fremd);
        for (const QByteArray& antwort : antworten.first(2)) {
            EXPECT_TRUE(antwort.startsWith("401 ") && antwort.contains("\"lokalGeheimnis\""))
                << antwort.data();
        }
        EXPECT_EQ(antworten[2], "HTTP/1.1 401");
    }
    EXPECT_TRUE(anbieter.drehbuch().anfragen().isEmpty());

    // With the secret: no token, no device id, no allowance; the provider's model.
    const Kopfzeilen eigen{{"X-Parlix-Lokal", geheimnis}, {"Content-Type", "application/json"}};
    const QJsonObject chat{{u"model"_s, u"openai/gpt-oss-120b"_s}, {u"messages"_s, QJsonArray{}}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(post(server.port(), u"openai/v1/chat/completions"_s, chat, eigen).status, 200);
    }
    ASSERT_EQ(anbieter.drehbuch().anfragen(u"/a/v1/chat/completions"_s).size(), 3);
    EXPECT_EQ(QJsonDocument::fromJson(anbieter.drehbuch().anfragen().first().koerper)[u"model"_s]
                  .toString(),
              u"llm"_s);

    // New providers take effect without a restart.
    server.schreibe(steuerzeile({{u"anbieter"_s, sprache(anbieter, u"/b/v1"_s)}}));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            post(server.port(), u"openai/v1/chat/completions"_s, chat, eigen);
            return !anbieter.drehbuch().anfragen(u"/b/v1/chat/completions"_s).isEmpty();
        },
        5000));

    // Another user on this machine reaches the port but not the relay.
    if (::geteuid() == 0 && QFile::exists(u"/usr/sbin/runuser"_s)) {
        const std::optional<QByteArray> status = KindProzess::ausgabe(
            u"/usr/sbin/runuser"_s,
            {u"-u"_s, u"nobody"_s, u"--"_s, u"curl"_s, u"-s"_s, u"-o"_s, u"/dev/null"_s, u"-w"_s,
             u"%{http_code}"_s, u"-X"_s, u"POST"_s, u"-H"_s, u"Content-Type: application/json"_s,
             u"-d"_s, u"{}"_s,
             u"http://127.0.0.1:%1/openai/v1/chat/completions"_s.arg(server.port())},
            10s);
        EXPECT_EQ(status.value_or("kein curl als nobody"), "401");
    }

    // Parlix has gone: its server ends too, cleanly.
    server.schliesseEingabe();
    EXPECT_EQ(server.prozess().warteAufEnde(5s), 0) << server.fehler().toStdString();
}

TEST_F(ServerProzessTest, TheLocalServerDoesNotStartWithoutASecretOrOnAPublicAddress) {
    ServerProzess ohne({u"--lokal"_s, u"--daten"_s, ordner.path()}, {},
                       steuerzeile({{u"anbieter"_s, QJsonObject{}}}));
    EXPECT_EQ(ohne.port(), 0);
    EXPECT_EQ(ohne.prozess().warteAufEnde(5s), 2);
    EXPECT_TRUE(ohne.fehler().contains(u"geheimnis"_s)) << ohne.fehler().toStdString();

    ServerProzess offen({u"--lokal"_s, u"--adresse"_s, u"0.0.0.0"_s}, {},
                        steuerzeile({{u"geheimnis"_s, QString(43, u'a')}}));
    EXPECT_EQ(offen.port(), 0);
    EXPECT_EQ(offen.prozess().warteAufEnde(5s), 2);
}

TEST_F(ServerProzessTest, ADamagedPageIsReportedAsSuchAndWhatNeedsNoAccountsGoesOn) {
    const QString email = u"ana@example.org"_s;
    {
        ServerProzess server(daten());
        ASSERT_EQ(post(server.port(), u"auth/register"_s, konto(email)).status, 201);
    }
    beschaedigeKonten(ordner.filePath(u"konten.sqlite"_s));

    ServerProzess server(daten());
    ASSERT_NE(server.port(), 0) << server.fehler().toStdString();
    const HttpAntwort login = post(server.port(), u"auth/login"_s, konto(email));
    EXPECT_EQ(login.status, 503);
    EXPECT_TRUE(QString::fromUtf8(login.koerper).contains(u"beschädigt"_s)) << login.koerper.data();
    EXPECT_TRUE(server.fehler().contains(u"FEHLER: Kontodatenbank beschädigt"_s))
        << server.fehler().toStdString();
    EXPECT_EQ(version(server.port()).status, 200);
}

} // namespace
