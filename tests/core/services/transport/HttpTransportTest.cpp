#include "core/services/HttpTransport.hpp"

#include "core/services/CurlTransfer.hpp"
#include "core/services/TransportFehler.hpp"
#include "tests/support/TestServer.hpp"

#include <QTcpServer>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace parlix;
using namespace std::chrono_literals;
using Art = TransportFehler::Art;

namespace {

class HttpTransportTest : public ::testing::Test {
protected:
    HttpAnfrage anfrage(const QString& pfad, const QByteArray& methode = "GET") const {
        HttpAnfrage ergebnis;
        ergebnis.methode = methode;
        ergebnis.url = server.url(pfad);
        return ergebnis;
    }

    // The transport error a call ends in; fails the test when it succeeds.
    static TransportFehler fehlerVon(const HttpAnfrage& anfrage, std::stop_token stop = {}) {
        try {
            HttpTransport::geteilt().fuehreAus(anfrage, stop);
        } catch (const TransportFehler& fehler) {
            return fehler;
        }
        ADD_FAILURE() << "call succeeded";
        return TransportFehler(Art::netzwerk, QString());
    }

    test::TestServer server;
};

TEST_F(HttpTransportTest, SendsTheRequestAsGivenAndReusesTheConnection) {
    server.drehbuch().stelleEin(QStringLiteral("/a"), Antwort::text(201, "eins"));
    HttpAnfrage post = anfrage(QStringLiteral("/a"), "POST");
    post.url.setQuery(QStringLiteral("x=1&y=%C3%A4"));
    post.setzeKopf("Content-Type", "application/octet-stream");
    post.setzeKopf("X-Backend", "groq");
    post.koerper = QByteArray("\x00\x01\r\n--binär", 12);

    const HttpAntwort erste = HttpTransport::geteilt().fuehreAus(post);
    const HttpAntwort zweite = HttpTransport::geteilt().fuehreAus(anfrage(QStringLiteral("/a")));

    EXPECT_EQ(erste.status, 201);
    EXPECT_EQ(erste.koerper, "eins");
    EXPECT_EQ(erste.kopf("content-type"), "text/plain; charset=utf-8");
    EXPECT_EQ(zweite.koerper, "eins");
    EXPECT_EQ(server.verbindungen(), 1);

    const auto anfragen = server.drehbuch().anfragen();
    ASSERT_EQ(anfragen.size(), 2);
    EXPECT_EQ(anfragen[0].methode, "POST");
    EXPECT_EQ(anfragen[0].pfad, QStringLiteral("/a"));
    EXPECT_EQ(anfragen[0].query, QStringLiteral("x=1&y=%C3%A4"));
    EXPECT_EQ(anfragen[0].koerper, post.koerper);
    EXPECT_EQ(anfragen[0].kopf("X-Backend"), "groq");
    EXPECT_EQ(anfragen[0].kopf("Content-Type"), "application/octet-stream");
    EXPECT_FALSE(anfragen[0].hatKopf("Expect"));
    EXPECT_EQ(anfragen[1].methode, "GET");
    EXPECT_TRUE(anfragen[1].koerper.isEmpty());
}

TEST_F(HttpTransportTest, EveryStatusIsAResponseNotAnError) {
    for (const int status : {200, 299, 300, 404, 500}) {
        server.drehbuch().reiheEin(QStringLiteral("/s"), Antwort::text(status, "x"));
        EXPECT_EQ(HttpTransport::geteilt().fuehreAus(anfrage(QStringLiteral("/s"))).status, status);
    }
}

TEST_F(HttpTransportTest, CancelledCallToASilentServerEndsWithin100Milliseconds) {
    server.drehbuch().stelleEin(QStringLiteral("/nie"), Antwort::nie());
    std::stop_source abbruch;
    auto ergebnis = std::async(std::launch::async, [&] {
        const TransportFehler fehler =
            fehlerVon(anfrage(QStringLiteral("/nie")), abbruch.get_token());
        return std::pair(fehler.art(), std::chrono::steady_clock::now());
    });
    ASSERT_TRUE(server.drehbuch().warteAufAnfragen(1));

    const auto abgebrochenUm = std::chrono::steady_clock::now();
    abbruch.request_stop();
    const auto [art, endeteUm] = ergebnis.get();

    EXPECT_EQ(art, Art::abgebrochen);
    EXPECT_LT(endeteUm - abgebrochenUm, 100ms);
}

TEST_F(HttpTransportTest, AlreadyCancelledCallSendsNothing) {
    std::stop_source abbruch;
    abbruch.request_stop();
    EXPECT_EQ(fehlerVon(anfrage(QStringLiteral("/a")), abbruch.get_token()).art(),
              Art::abgebrochen);
    EXPECT_EQ(server.verbindungen(), 0);
}

TEST_F(HttpTransportTest, TimeoutIsATransportErrorThatSaysSo) {
    server.drehbuch().stelleEin(QStringLiteral("/nie"), Antwort::nie());
    HttpAnfrage langsam = anfrage(QStringLiteral("/nie"));
    langsam.zeitlimit = 300ms;
    const auto start = std::chrono::steady_clock::now();
    const TransportFehler fehler = fehlerVon(langsam);
    EXPECT_EQ(fehler.art(), Art::zeitueberschreitung);
    // libcurl counts the limit on its own clock in whole milliseconds and may end the
    // call a fraction of one early; the call still waited for the limit.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 295ms);
    EXPECT_TRUE(fehler.beschreibung().contains(QStringLiteral("Zeitüberschreitung")));
}

TEST_F(HttpTransportTest, DelayedAnswerDoesNotHoldUpOtherCalls) {
    server.drehbuch().stelleEin(QStringLiteral("/langsam"),
                                Antwort::text(200, "spät").nach(1500ms));
    server.drehbuch().stelleEin(QStringLiteral("/schnell"), Antwort::text(200, "sofort"));
    auto langsam = std::async(std::launch::async, [&] {
        return HttpTransport::geteilt().fuehreAus(anfrage(QStringLiteral("/langsam"))).koerper;
    });
    ASSERT_TRUE(server.drehbuch().warteAufAnfragen(1));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(HttpTransport::geteilt().fuehreAus(anfrage(QStringLiteral("/schnell"))).koerper,
              "sofort");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
    EXPECT_EQ(langsam.get(), "spät");
}

TEST_F(HttpTransportTest, BodyOverTheCapFailsCleanlyWhetherAnnouncedOrNot) {
    const QByteArray zuViel(CurlTransfer::maxAntwortBytes + 1, 'x');
    server.drehbuch().reiheEin(QStringLiteral("/gross"), Antwort::text(200, zuViel));
    server.drehbuch().reiheEin(
        QStringLiteral("/gross"),
        Antwort::roheBytes("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + zuViel));
    server.drehbuch().reiheEin(QStringLiteral("/gross"), Antwort::text(200, "klein"));

    for (int i = 0; i < 2; ++i) {
        const TransportFehler fehler = fehlerVon(anfrage(QStringLiteral("/gross")));
        EXPECT_EQ(fehler.art(), Art::zuGross);
        EXPECT_EQ(fehler.beschreibung(),
                  QStringLiteral("Antwort größer als 64 MiB, nicht angenommen"));
    }
    EXPECT_EQ(HttpTransport::geteilt().fuehreAus(anfrage(QStringLiteral("/gross"))).koerper,
              "klein");
}

TEST_F(HttpTransportTest, BodyExactlyAtTheCapIsAccepted) {
    server.drehbuch().stelleEin(QStringLiteral("/voll"),
                                Antwort::text(200, QByteArray(CurlTransfer::maxAntwortBytes, 'y')));
    EXPECT_EQ(HttpTransport::geteilt().fuehreAus(anfrage(QStringLiteral("/voll"))).koerper.size(),
              CurlTransfer::maxAntwortBytes);
}

TEST_F(HttpTransportTest, FailuresWithoutAnHttpResponseAreDescribed) {
    server.drehbuch().stelleEin(QStringLiteral("/weg"), Antwort::getrennt());
    const TransportFehler getrennt = fehlerVon(anfrage(QStringLiteral("/weg")));
    EXPECT_EQ(getrennt.art(), Art::netzwerk);
    EXPECT_TRUE(getrennt.beschreibung().startsWith(QStringLiteral("Netzwerkfehler: ")));
    EXPECT_GT(getrennt.beschreibung().size(), 20);

    server.drehbuch().stelleEin(QStringLiteral("/muell"), Antwort::roheBytes("kein http\r\n\r\n"));
    EXPECT_EQ(fehlerVon(anfrage(QStringLiteral("/muell"))).art(), Art::keinHttp);

    HttpAnfrage ftp = anfrage(QStringLiteral("/a"));
    ftp.url.setScheme(QStringLiteral("ftp"));
    EXPECT_EQ(fehlerVon(ftp).art(), Art::keinHttp);
    EXPECT_EQ(server.verbindungen(), 2);
}

TEST_F(HttpTransportTest, HeaderWithALineBreakIsRefusedBeforeSending) {
    HttpAnfrage anfrage = this->anfrage(QStringLiteral("/a"));
    anfrage.setzeKopf("Authorization", "Bearer x\r\nX-Admin: 1");
    EXPECT_EQ(fehlerVon(anfrage).art(), Art::netzwerk);
    EXPECT_EQ(server.verbindungen(), 0);
}

TEST_F(HttpTransportTest, RefusedConnectionNamesTheCause) {
    QTcpServer frei;
    ASSERT_TRUE(frei.listen(QHostAddress::LocalHost));
    HttpAnfrage nirgends;
    nirgends.url = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(frei.serverPort()));
    frei.close(); // nobody listens there now
    const TransportFehler fehler = fehlerVon(nirgends);
    EXPECT_EQ(fehler.art(), Art::netzwerk);
    EXPECT_TRUE(fehler.beschreibung().contains(QStringLiteral("connect"), Qt::CaseInsensitive))
        << fehler.what();
}

TEST_F(HttpTransportTest, ParallelCallsFromManyThreadsAllComplete) {
    server.drehbuch().stelleEin(QStringLiteral("/p"), Antwort::text(200, "ok").nach(20ms));
    std::vector<std::future<QByteArray>> laeufe;
    for (int i = 0; i < 8; ++i) {
        laeufe.push_back(std::async(std::launch::async, [&] {
            QByteArray gesammelt;
            for (int j = 0; j < 5; ++j) {
                gesammelt +=
                    HttpTransport::geteilt().fuehreAus(anfrage(QStringLiteral("/p"))).koerper;
            }
            return gesammelt;
        }));
    }
    for (auto& lauf : laeufe) {
        EXPECT_EQ(lauf.get(), "okokokokok");
    }
    // 40 calls from 8 threads: connections are reused. libcurl may open one more while a
    // finished transfer is still handing its connection back, so the bound is loose.
    EXPECT_LE(server.verbindungen(), 16);
}

} // namespace
