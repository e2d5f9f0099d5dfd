#include "core/services/GroqChat.hpp"

#include "core/services/GroqFehler.hpp"
#include "tests/support/TestServer.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>
#include <limits>

using namespace parlix;

namespace {

const QString pfad = QStringLiteral("/openai/v1/chat/completions");

QByteArray antwortMit(const char* inhaltJson) {
    return QByteArray(R"({"choices":[{"message":{"role":"assistant","content":)") + inhaltJson +
           "}}]}";
}

class GroqChatTest : public ::testing::Test {
protected:
    GroqChat chat(const QString& token = QStringLiteral("tok")) const {
        return GroqChat(
            GroqVerbindung({server.url(QStringLiteral("/openai/v1")), token, QStringLiteral("dev"),
                            QStringLiteral("whisper-large-v3"),
                            QStringLiteral("openai/gpt-oss-120b"), QStringLiteral("groq")}));
    }

    test::TestServer server;
};

TEST_F(GroqChatTest, SendsFourMembersWithoutReasoningAndFiveWithIt) {
    server.drehbuch().stelleEin(pfad, Antwort::text(200, antwortMit("\"\\n  Hallo Welt. \\n\"")));

    EXPECT_EQ(chat().fuehreAus(QStringLiteral("sys"), QStringLiteral("nutzer"), std::nullopt, 0.2,
                               std::nullopt),
              QStringLiteral("Hallo Welt."));
    EXPECT_EQ(chat().fuehreAus(QStringLiteral("sys"), QStringLiteral("n/u"), QStringLiteral("x"),
                               0.2, QStringLiteral("low")),
              QStringLiteral("Hallo Welt."));

    const auto anfragen = server.drehbuch().anfragen(pfad);
    ASSERT_EQ(anfragen.size(), 2);
    EXPECT_EQ(anfragen[0].kopf("Content-Type"), "application/json");
    EXPECT_EQ(anfragen[0].kopf("X-Device-Id"), "dev");
    EXPECT_TRUE(anfragen[0].koerper.contains("\"stream\":false"));

    const QJsonObject ohne = QJsonDocument::fromJson(anfragen[0].koerper).object();
    EXPECT_EQ(ohne.keys(), (QStringList{QStringLiteral("messages"), QStringLiteral("model"),
                                        QStringLiteral("stream"), QStringLiteral("temperature")}));
    EXPECT_EQ(ohne[QStringLiteral("model")], QStringLiteral("openai/gpt-oss-120b"));
    EXPECT_EQ(ohne[QStringLiteral("temperature")].toDouble(), 0.2);
    EXPECT_EQ(ohne[QStringLiteral("messages")].toArray(),
              (QJsonArray{QJsonObject{{QStringLiteral("role"), QStringLiteral("system")},
                                      {QStringLiteral("content"), QStringLiteral("sys")}},
                          QJsonObject{{QStringLiteral("role"), QStringLiteral("user")},
                                      {QStringLiteral("content"), QStringLiteral("nutzer")}}}));

    const QJsonObject mit = QJsonDocument::fromJson(anfragen[1].koerper).object();
    EXPECT_EQ(mit.size(), 5);
    EXPECT_EQ(mit[QStringLiteral("reasoning_effort")], QStringLiteral("low"));
    EXPECT_EQ(mit[QStringLiteral("model")], QStringLiteral("x"));
    EXPECT_EQ(mit[QStringLiteral("stream")], QJsonValue(false));
}

TEST_F(GroqChatTest, AnythingButAStringContentIsAnEmptyAnswer) {
    for (const QByteArray& koerper : {
             QByteArray(R"({"choices":[]})"),
             antwortMit("null"),
             antwortMit("42"),
             QByteArray("<html>502</html>"),
             QByteArray(R"([{"choices":[]}])"),
             QByteArray(R"({"choices":{"message":{"content":"x"}}})"),
             QByteArray(R"({"choices":[{"message":{"content":"x"}}, 7]})"),
             QByteArray(R"({"choices":[{"message":"x"}]})"),
             QByteArray(R"({"choices":[{}]})"),
             QByteArray(),
         }) {
        EXPECT_EQ(GroqChat::inhalt(koerper), QString()) << koerper.constData();
    }
    EXPECT_EQ(GroqChat::inhalt(antwortMit(R"(" \u00e4 ")")), QStringLiteral("ä"));
}

TEST_F(GroqChatTest, RateLimitSurfacesAsHttpWithoutRetry) {
    server.drehbuch().stelleEin(pfad, Antwort::text(429, "langsam"));
    try {
        chat().fuehreAus(QStringLiteral("s"), QStringLiteral("n"), std::nullopt, 0.2,
                         QStringLiteral("low"));
        ADD_FAILURE() << "no error";
    } catch (const GroqFehler& fehler) {
        EXPECT_EQ(fehler.fall(), GroqFehler::Fall::http);
        EXPECT_EQ(fehler.status(), 429);
    }
    EXPECT_EQ(server.drehbuch().anfragen().size(), 1);
}

TEST_F(GroqChatTest, UnrepresentableTemperatureIsRefusedBeforeSending) {
    EXPECT_THROW(chat().fuehreAus(QStringLiteral("s"), QStringLiteral("n"), std::nullopt,
                                  std::numeric_limits<double>::quiet_NaN(), std::nullopt),
                 std::invalid_argument);
    EXPECT_EQ(server.verbindungen(), 0);
}

TEST(GroqChatAktionTest, ActionMessageJoinsInstructionAndContextUntouched) {
    EXPECT_EQ(GroqChat::aktionsNutzer(QStringLiteral("kürzer"), QStringLiteral(" Text \n")),
              QStringLiteral("ANWEISUNG: kürzer\n\nTEXT:\n Text \n"));
    EXPECT_EQ(GroqChat::aktionsNutzer(QStringLiteral("x"), QString()),
              QStringLiteral("ANWEISUNG: x\n\nTEXT:\n"));
}

} // namespace
