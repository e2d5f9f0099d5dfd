#include "core/services/GroqTranskription.hpp"

#include "core/services/GroqFehler.hpp"
#include "tests/support/TestServer.hpp"

#include <gtest/gtest.h>

using namespace parlix;

namespace {

const QString pfad = QStringLiteral("/openai/v1/audio/transcriptions");
const QByteArray wav("RIFF\x00\x01\r\n--parlixBoundary7f3a", 28);

QByteArray feld(const char* name, const char* wert) {
    return QByteArray("--parlixBoundary7f3a\r\nContent-Disposition: form-data; name=\"") + name +
           "\"\r\n\r\n" + wert + "\r\n";
}

const QByteArray dateiTeil =
    "--parlixBoundary7f3a\r\n"
    "Content-Disposition: form-data; name=\"file\"; filename=\"audio.wav\"\r\n"
    "Content-Type: audio/wav\r\n\r\n" +
    wav + "\r\n--parlixBoundary7f3a--\r\n";

class GroqTranskriptionTest : public ::testing::Test {
protected:
    GroqTranskription transkription(const QString& token = QStringLiteral("tok")) const {
        return GroqTranskription(
            GroqVerbindung({server.url(QStringLiteral("/openai/v1")), token, std::nullopt,
                            QStringLiteral("voxtral-mini-latest"),
                            QStringLiteral("openai/gpt-oss-120b"), QStringLiteral("mistral")}));
    }

    test::TestServer server;
};

TEST_F(GroqTranskriptionTest, MultipartBytesForEachFieldCombination) {
    const QString m = QStringLiteral("whisper-large-v3");
    const QString g = GroqTranskription::grenze;
    EXPECT_EQ(GroqTranskription::baueMultipart(wav, m, {}, {}, g),
              feld("model", "whisper-large-v3") + feld("response_format", "text") + dateiTeil);
    EXPECT_EQ(GroqTranskription::baueMultipart(wav, m, QStringLiteral("de"), {}, g),
              feld("model", "whisper-large-v3") + feld("language", "de") +
                  feld("response_format", "text") + dateiTeil);
    EXPECT_EQ(
        GroqTranskription::baueMultipart(wav, m, {}, QStringLiteral("Kubernetes, Ölpreis"), g),
        feld("model", "whisper-large-v3") + feld("prompt", "Kubernetes, \xc3\x96lpreis") +
            feld("response_format", "text") + dateiTeil);
    const QByteArray alle =
        GroqTranskription::baueMultipart(wav, m, QStringLiteral("en"), QStringLiteral("a\r\nb"), g);
    EXPECT_EQ(alle, feld("model", "whisper-large-v3") + feld("language", "en") +
                        feld("prompt", "a\r\nb") + feld("response_format", "text") + dateiTeil);
    EXPECT_EQ(alle.right(26), "\r\n--parlixBoundary7f3a--\r\n");
}

TEST_F(GroqTranskriptionTest, UploadsTheMultipartAndTrimsTheTranscript) {
    server.drehbuch().stelleEin(pfad, Antwort::text(200, " \n Hallo Welt.\n\n"));
    EXPECT_EQ(transkription().transkribiere(wav, QStringLiteral("de"), QString()),
              QStringLiteral("Hallo Welt."));

    const auto anfragen = server.drehbuch().anfragen(pfad);
    ASSERT_EQ(anfragen.size(), 1);
    EXPECT_EQ(anfragen[0].methode, "POST");
    EXPECT_EQ(anfragen[0].kopf("Content-Type"), "multipart/form-data; boundary=parlixBoundary7f3a");
    EXPECT_EQ(anfragen[0].kopf("Authorization"), "Bearer tok");
    EXPECT_EQ(anfragen[0].kopf("X-Backend"), "mistral");
    EXPECT_EQ(anfragen[0].koerper, GroqTranskription::baueMultipart(
                                       wav, QStringLiteral("voxtral-mini-latest"),
                                       QStringLiteral("de"), QString(), GroqTranskription::grenze));
}

TEST_F(GroqTranskriptionTest, BlankOrUndecodableTranscriptIsEmpty) {
    server.drehbuch().reiheEin(pfad, Antwort::text(200, "\n   \t\n"));
    server.drehbuch().reiheEin(pfad, Antwort::text(200, "Hal\xfflo"));
    EXPECT_EQ(transkription().transkribiere(wav, {}, {}), QString());
    EXPECT_EQ(transkription().transkribiere(wav, {}, {}), QString());
}

TEST_F(GroqTranskriptionTest, ErrorStatusSurfacesWithoutRetry) {
    server.drehbuch().stelleEin(pfad, Antwort::text(413, "zu gross"));
    try {
        transkription().transkribiere(wav, {}, {});
        ADD_FAILURE() << "no error";
    } catch (const GroqFehler& fehler) {
        EXPECT_EQ(fehler.fall(), GroqFehler::Fall::http);
        EXPECT_EQ(fehler.status(), 413);
        EXPECT_EQ(fehler.text(), QStringLiteral("zu gross"));
    }
    EXPECT_EQ(server.drehbuch().anfragen().size(), 1);
}

TEST_F(GroqTranskriptionTest, NoCredentialsMeansNoTraffic) {
    try {
        transkription(QString()).transkribiere(wav, {}, {});
        ADD_FAILURE() << "no error";
    } catch (const GroqFehler& fehler) {
        EXPECT_EQ(fehler.fall(), GroqFehler::Fall::keinKey);
    }
    EXPECT_EQ(server.verbindungen(), 0);
}

} // namespace
