// The "Speech and language" pane driven as a user drives it: a provider chosen with the
// keyboard, a key typed, the Test button pressed. The backend is the reference server on
// loopback, scripted to answer as the local server does for a provider that works, one
// that refuses the key and one that does not know the model.
#include "app/ui/fenster/seiten/AnbieterSeite.hpp"

#include "app/ui/fenster/SettingsFenster.hpp"
#include "core/services/GroqKonfiguration.hpp"
#include "tests/app/ui/fenster/FensterTestBasis.hpp"
#include "tests/support/QtWarten.hpp"
#include "tests/support/TestServer.hpp"

#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

using Rolle = AnbieterEinstellungen::Rolle;
const QString sttPfad = u"/openai/v1/audio/transcriptions"_s;
const QString chatPfad = u"/openai/v1/chat/completions"_s;

// The local server's refusal when the provider refused: the provider's status, the
// reason, and the provider's own text, here long enough to push the reason out of the
// first 300 bytes of the body.
Antwort abgelehnt(int status, const QString& grund, const QString& anbieterText) {
    return Antwort::json(status, {{u"detail"_s, u"Provider refused the request."_s},
                                  {u"grund"_s, grund},
                                  {u"anbieterStatus"_s, status},
                                  {u"anbieterText"_s, anbieterText + QString(280, u' ')}});
}

class AnbieterSeiteTest : public FensterTestBasis {
protected:
    AnbieterSeiteTest() {
        speicher.setzeText(u"proxyURL"_s, server.url(u"/openai/v1"_s).toString());
        GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional(u"geraet"_s); });
        server.drehbuch().stelleEin(sttPfad, Antwort::text(200, "This is a test of Parlix.\n"));
        const QJsonObject nachricht{{u"role"_s, u"assistant"_s}, {u"content"_s, u"Hello!"_s}};
        server.drehbuch().stelleEin(
            chatPfad, Antwort::json(200, {{u"choices"_s,
                                           QJsonArray{QJsonObject{{u"message"_s, nachricht}}}}}));
    }
    ~AnbieterSeiteTest() override {
        GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional<QString>(); });
    }

    AnbieterSeite* seite() {
        controller().zeigeEinstellungen();
        SettingsFenster* fenster = controller().settingsFenster();
        fenster->waehle(SettingsFenster::Kategorie::anbieter);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(fenster));
        return qobject_cast<AnbieterSeite*>(fenster->seite(SettingsFenster::Kategorie::anbieter));
    }

    // Steps through the menu with the arrow keys until it shows the provider.
    static void waehle(QComboBox* menue, const QString& id) {
        menue->setFocus();
        for (int i = 0; i < menue->count() && menue->currentData().toString() != id; ++i) {
            QTest::keyClick(menue, Qt::Key_Down);
        }
        ASSERT_EQ(menue->currentData().toString(), id);
    }

    // Whether the pane says that the server's root is not right.
    bool urlHinweisSichtbar(AnbieterSeite* s) {
        const QString hinweis = text(u"anbieter.url.ungueltig"_s);
        const auto labels = s->findChildren<QLabel*>();
        return std::any_of(labels.begin(), labels.end(),
                           [&](QLabel* l) { return l->text() == hinweis && l->isVisibleTo(s); });
    }

    // Presses Test and waits for the outcome.
    static QString teste(AnbieterSeite* s) {
        QTest::mouseClick(s->testKnopf(), Qt::LeftButton);
        EXPECT_TRUE(warteQt([s] { return s->testKnopf()->isEnabled(); }, std::chrono::seconds(20)));
        // The keyboard is back where the user pressed, not on whatever took it meanwhile.
        EXPECT_TRUE(s->testKnopf()->hasFocus());
        return s->ergebnis()->text();
    }

    TestServer server;
};

TEST_F(AnbieterSeiteTest, APresetAndATypedKeyAreStoredAndTheTestShowsWhatTheProvidersAnswered) {
    AnbieterSeite* s = seite();
    ASSERT_NE(s, nullptr);
    // Nothing set up: only the provider menus show.
    EXPECT_FALSE(s->schluessel(Rolle::transkription)->isVisible());

    waehle(s->vorlage(Rolle::transkription), u"groq"_s);
    EXPECT_TRUE(s->schluessel(Rolle::transkription)->isVisible());
    EXPECT_FALSE(s->url(Rolle::transkription)->isVisible());
    EXPECT_EQ(s->modell(Rolle::transkription)->text(), u"whisper-large-v3"_s);
    EXPECT_EQ(s->schluessel(Rolle::transkription)->echoMode(), QLineEdit::Password);
    QTest::keyClicks(s->schluessel(Rolle::transkription), u"gsk_richtig"_s);

    waehle(s->vorlage(Rolle::sprache), u"andere"_s);
    EXPECT_TRUE(s->url(Rolle::sprache)->isVisible());
    // The empty root of a server just chosen is not yet a mistake; a half-typed one is,
    // once the user leaves the field, until it is whole.
    QLineEdit* url = s->url(Rolle::sprache);
    EXPECT_FALSE(urlHinweisSichtbar(s));
    url->setFocus();
    QTest::keyClicks(url, u"http://"_s);
    EXPECT_FALSE(urlHinweisSichtbar(s));
    s->modell(Rolle::sprache)->setFocus();
    EXPECT_TRUE(urlHinweisSichtbar(s));
    url->setFocus();
    QTest::keyClicks(url, u"127.0.0.1:8080/v1"_s);
    EXPECT_FALSE(urlHinweisSichtbar(s));
    s->modell(Rolle::sprache)->clear();
    QTest::keyClicks(s->modell(Rolle::sprache), u"qwen3"_s);

    // Stored at once, as the local server is handed them.
    const QJsonObject fuerServer = anbieter.anbieterFuerServer();
    EXPECT_EQ(fuerServer[u"transkription"_s].toObject(),
              (QJsonObject{{u"url"_s, u"https://api.groq.com/openai/v1"_s},
                           {u"schluessel"_s, u"gsk_richtig"_s},
                           {u"modell"_s, u"whisper-large-v3"_s}}));
    EXPECT_EQ(fuerServer[u"sprache"_s].toObject(),
              (QJsonObject{{u"url"_s, u"http://127.0.0.1:8080/v1"_s},
                           {u"schluessel"_s, u""_s},
                           {u"modell"_s, u"qwen3"_s},
                           {u"visionModell"_s, u"llava"_s}}));
    EXPECT_EQ(speicher.text(u"anbieterSpracheURL"_s), u"http://127.0.0.1:8080/v1"_s);

    const QString ergebnis = teste(s);
    EXPECT_TRUE(ergebnis.contains(u"This is a test of Parlix."_s)) << ergebnis.toStdString();
    EXPECT_TRUE(ergebnis.contains(u"Hello!"_s)) << ergebnis.toStdString();
    EXPECT_TRUE(ergebnis.startsWith(text(u"anbieter.test.erfolg"_s).section(u' ', 0, 0)))
        << ergebnis.toStdString();
    // A provider on this computer answers within a second: milliseconds, not "0,0 s".
    EXPECT_TRUE(ergebnis.contains(QRegularExpression(u"\\([1-9][0-9]{0,2} ms\\)"_s)))
        << ergebnis.toStdString();
    // The shipped sample went to the transcription, through the normal client.
    const QList<Anfrage> stt = server.drehbuch().anfragen(sttPfad);
    ASSERT_EQ(stt.size(), 1);
    EXPECT_TRUE(stt[0].koerper.contains("RIFF"));
    EXPECT_GT(stt[0].koerper.size(), 16000);
    EXPECT_EQ(server.drehbuch().anfragen(chatPfad).size(), 1);

    // A slower one in seconds with one decimal.
    server.drehbuch().reiheEin(sttPfad,
                               Antwort::text(200, "Slow.").nach(std::chrono::milliseconds(1300)));
    const QString langsam = teste(s);
    EXPECT_TRUE(langsam.contains(QRegularExpression(u"\\(1,[3-9] s\\)"_s)))
        << langsam.toStdString();
}

TEST_F(AnbieterSeiteTest, TheProvidersRefusalsAreNamedInTheInterfaceLanguageWithTheirOwnWords) {
    AnbieterSeite* s = seite();
    ASSERT_NE(s, nullptr);
    waehle(s->vorlage(Rolle::transkription), u"groq"_s);
    waehle(s->vorlage(Rolle::sprache), u"groq"_s);
    QTest::keyClicks(s->schluessel(Rolle::transkription), u"gsk_falsch"_s);
    // One key per provider: the language model's field shows it too.
    EXPECT_EQ(s->schluessel(Rolle::sprache)->text(), u"gsk_falsch"_s);

    const auto erwarte = [&](const QString& rolle, const QString& grund, const QString& eigene) {
        const QString ergebnis = teste(s);
        EXPECT_TRUE(ergebnis.contains(text(rolle).arg(text(u"anbieter.fehler."_s + grund))))
            << ergebnis.toStdString();
        EXPECT_TRUE(ergebnis.contains(eigene)) << ergebnis.toStdString();
    };
    auto& drehbuch = server.drehbuch();
    drehbuch.reiheEin(sttPfad, abgelehnt(401, u"anbieterSchluessel"_s, u"Invalid API Key"_s));
    erwarte(u"anbieter.test.fehlerTranskription"_s, u"anbieterSchluessel"_s, u"Invalid API Key"_s);

    drehbuch.reiheEin(chatPfad, abgelehnt(404, u"anbieterModell"_s,
                                          u"The model `gpt-oss-9000` does not exist"_s));
    erwarte(u"anbieter.test.fehlerSprache"_s, u"anbieterModell"_s, u"gpt-oss-9000"_s);

    drehbuch.reiheEin(sttPfad, abgelehnt(502, u"anbieterNichtErreichbar"_s,
                                         u"Could not resolve host: api.groq.com"_s));
    erwarte(u"anbieter.test.fehlerTranskription"_s, u"anbieterNichtErreichbar"_s,
            u"Could not resolve host"_s);
}

} // namespace
} // namespace parlix::test
