#include "core/services/GroqVerbindung.hpp"

#include "core/services/Geraet.hpp"
#include "core/services/GroqFehler.hpp"
#include "core/services/GroqKonfiguration.hpp"
#include "core/services/TransportFehler.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/TestServer.hpp"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parlix;
using Fall = GroqFehler::Fall;

namespace {

GroqKonfiguration konfigFuer(const QUrl& basis, const QString& token,
                             const std::optional<QString>& geraet) {
    return {basis,
            token,
            geraet,
            QStringLiteral("whisper-large-v3"),
            QStringLiteral("openai/gpt-oss-120b"),
            QStringLiteral("groq")};
}

class GroqVerbindungTest : public ::testing::Test {
protected:
    void TearDown() override {
        GroqKonfiguration::setzeTokenQuelle([] { return std::optional<QString>(); });
        GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional<QString>(); });
    }

    GroqVerbindung verbindung(const QString& token = QStringLiteral("tok"),
                              const std::optional<QString>& geraet = QStringLiteral("dev")) {
        return GroqVerbindung(konfigFuer(server.url(QStringLiteral("/openai/v1")), token, geraet));
    }

    // The GroqFehler that sending to `pfad` ends in.
    GroqFehler fehlerBeim(const QString& pfad) {
        const GroqVerbindung v = verbindung();
        try {
            v.sende(v.request(pfad, "POST"));
        } catch (const GroqFehler& fehler) {
            return fehler;
        }
        ADD_FAILURE() << "no GroqFehler";
        return GroqFehler::keinKey();
    }

    test::TestServer server;
    SpeicherDefaultsStore speicher;
};

TEST_F(GroqVerbindungTest, ConfigurationFollowsDataProtectionModeAndSources) {
    GroqKonfiguration::setzeTokenQuelle([] { return std::optional(QStringLiteral("t1")); });
    GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional(QStringLiteral("g1")); });

    const GroqKonfiguration standard = GroqKonfiguration::ausEinstellungen(speicher);
    EXPECT_EQ(standard.baseURL, GroqKonfiguration::proxyBasis());
    EXPECT_EQ(standard.apiKey, QStringLiteral("t1"));
    EXPECT_EQ(standard.geraeteID, QStringLiteral("g1"));
    EXPECT_EQ(standard.backend, QStringLiteral("mistral"));
    EXPECT_EQ(standard.sttModell, QStringLiteral("voxtral-mini-latest"));
    EXPECT_EQ(standard.chatModell, QStringLiteral("openai/gpt-oss-120b"));

    speicher.setzeFlag(QStringLiteral("dsgvoModus"), false);
    speicher.setzeText(QStringLiteral("proxyURL"), QStringLiteral("http://127.0.0.1:8000/x"));
    GroqKonfiguration::setzeTokenQuelle([] { return std::optional<QString>(); });
    const GroqKonfiguration groq = GroqKonfiguration::ausEinstellungen(speicher);
    EXPECT_EQ(groq.baseURL, QUrl(QStringLiteral("http://127.0.0.1:8000/x")));
    EXPECT_EQ(groq.apiKey, QString());
    EXPECT_EQ(groq.backend, QStringLiteral("groq"));
    EXPECT_EQ(groq.sttModell, QStringLiteral("whisper-large-v3"));
    EXPECT_EQ(groq.chatModell, QStringLiteral("openai/gpt-oss-120b"));
}

TEST_F(GroqVerbindungTest, ProxyUrlThatIsNoUrlFallsBackToTheBackend) {
    for (const char* wert : {"   ", "http://exa mple.com", ""}) {
        speicher.setzeText(QStringLiteral("proxyURL"), QString::fromUtf8(wert));
        EXPECT_EQ(GroqKonfiguration::ausEinstellungen(speicher).baseURL,
                  GroqKonfiguration::proxyBasis())
            << wert;
    }
    EXPECT_EQ(GroqKonfiguration::proxyBasis().scheme(), QStringLiteral("https"));
    EXPECT_EQ(GroqKonfiguration::proxyBasis().path(), QStringLiteral("/openai/v1"));
}

TEST_F(GroqVerbindungTest, HeadersSignedInSignedOutAndWithoutDevice) {
    const HttpAnfrage beide = verbindung().request(QStringLiteral("chat/completions"), "POST");
    EXPECT_EQ(beide.url, server.url(QStringLiteral("/openai/v1/chat/completions")));
    EXPECT_EQ(beide.methode, "POST");
    EXPECT_EQ(beide.zeitlimit, std::chrono::seconds(60));
    EXPECT_EQ(beide.kopf("Authorization"), "Bearer tok");
    EXPECT_EQ(beide.kopf("X-Device-Id"), "dev");
    EXPECT_EQ(beide.kopf("X-Backend"), "groq");

    const HttpAnfrage abgemeldet = verbindung(QString()).request(QStringLiteral("a"), "POST");
    EXPECT_EQ(abgemeldet.kopfzeilen.size(), 2); // no Authorization at all
    EXPECT_EQ(abgemeldet.kopf("X-Device-Id"), "dev");
    EXPECT_EQ(abgemeldet.kopf("X-Backend"), "groq");

    for (const auto& geraet : {std::optional<QString>(), std::optional(QString())}) {
        const HttpAnfrage nurToken =
            verbindung(QStringLiteral("tok"), geraet).request(QStringLiteral("a"), "POST");
        EXPECT_EQ(nurToken.kopf("Authorization"), "Bearer tok");
        EXPECT_EQ(nurToken.kopfzeilen.size(), 2); // no X-Device-Id at all
        try {
            verbindung(QString(), geraet).request(QStringLiteral("a"), "POST");
            ADD_FAILURE() << "no keinKey";
        } catch (const GroqFehler& fehler) {
            EXPECT_EQ(fehler.fall(), Fall::keinKey);
        }
    }
}

TEST_F(GroqVerbindungTest, BaseWithTrailingSlashGetsNoDoubleSlash) {
    GroqVerbindung v(
        konfigFuer(server.url(QStringLiteral("/openai/v1/")), QStringLiteral("t"), {}));
    EXPECT_EQ(v.request(QStringLiteral("audio/transcriptions"), "POST").url.path(),
              QStringLiteral("/openai/v1/audio/transcriptions"));
}

TEST_F(GroqVerbindungTest, StatusRangeDecidesSuccess) {
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/200"), Antwort::text(200, "a"));
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/299"), Antwort::text(299, "b"));
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/300"), Antwort::text(300, "c"));
    // A 1xx status is interim in HTTP; a server that ends with one has not answered.
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/199"),
                                Antwort::roheBytes("HTTP/1.1 199 X\r\nContent-Length: 1\r\n\r\nd"));
    const GroqVerbindung v = verbindung();
    EXPECT_EQ(v.sende(v.request(QStringLiteral("200"), "POST")), "a");
    EXPECT_EQ(v.sende(v.request(QStringLiteral("299"), "POST")), "b");

    const GroqFehler dreihundert = fehlerBeim(QStringLiteral("300"));
    EXPECT_EQ(dreihundert.fall(), Fall::http);
    EXPECT_EQ(dreihundert.status(), 300);
    EXPECT_EQ(dreihundert.text(), QStringLiteral("c"));
    EXPECT_EQ(fehlerBeim(QStringLiteral("199")).fall(), Fall::ungueltigeAntwort);
}

TEST_F(GroqVerbindungTest, ErrorBodyIsCutTo300BytesAndACutCharacterEmptiesIt) {
    const QByteArray html = "<html>" + QByteArray(1994, 'x');
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/lang"),
                                Antwort::text(401, html, "text/html"));
    // 299 ASCII bytes, then "ä" (two bytes) straddles the limit.
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/geteilt"),
                                Antwort::text(500, QByteArray(299, 'a') + "\xc3\xa4 rest"));
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/ganz"),
                                Antwort::text(413, QByteArray(298, 'a') + "\xc3\xa4 rest"));

    const GroqFehler lang = fehlerBeim(QStringLiteral("lang"));
    EXPECT_EQ(lang.status(), 401);
    EXPECT_EQ(lang.text(), QString::fromUtf8(html.left(300)));
    EXPECT_EQ(fehlerBeim(QStringLiteral("geteilt")).text(), QString());
    EXPECT_EQ(fehlerBeim(QStringLiteral("ganz")).text(),
              QString(298, QLatin1Char('a')) + QStringLiteral("ä"));
    EXPECT_EQ(GroqVerbindung::fehlerText("\xff\xfe"), QString());
}

TEST_F(GroqVerbindungTest, TransportFailurePassesThroughUnchanged) {
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/weg"), Antwort::getrennt());
    const GroqVerbindung v = verbindung();
    EXPECT_THROW(v.sende(v.request(QStringLiteral("weg"), "POST")), TransportFehler);
}

TEST(GeraetTest, HashesTheFirstNonBlankMachineIdElseUnbekannt) {
    QTemporaryDir ordner;
    const QString leer = ordner.filePath(QStringLiteral("leer"));
    const QString voll = ordner.filePath(QStringLiteral("voll"));
    QFile(leer).open(QIODevice::WriteOnly);
    QFile datei(voll);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("0123456789abcdef0123456789abcdef\n");
    datei.close();
    const auto sha = [](const QByteArray& text) {
        return QString::fromLatin1(
            QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex());
    };

    EXPECT_EQ(Geraet::idAus({ordner.filePath(QStringLiteral("fehlt")), leer, voll}),
              sha("0123456789abcdef0123456789abcdef"));
    EXPECT_EQ(Geraet::idAus({leer}), sha("unbekannt"));
    EXPECT_EQ(Geraet::idAus({}), sha("unbekannt"));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^[0-9a-f]{64}$")).match(Geraet::id()).hasMatch());
    EXPECT_EQ(Geraet::id(), Geraet::id());
}

} // namespace
