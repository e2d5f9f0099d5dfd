// Parlix installed into a prefix and started as from the application menu by a new user:
// the setup opens, the user sets up another OpenAI-compatible server in it with the
// keyboard (a wrong key first, which the Test names), dictates through Parlix's own
// server, and after a restart the key comes back from the desktop's keyring. On a
// desktop without a keyring the same works with the key in a file only the user reads.
#include "app/platform/KindProzess.hpp"
#include "app/platform/linux/Tastenkombination.hpp"
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <X11/keysym.h>
#include <iostream>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

const QString kSetup = u"Parlix"_s;
const QString kStt = u"/v1/audio/transcriptions"_s;
const QString kChat = u"/v1/chat/completions"_s;
const QString kFalsch = u"sk-falsch-0815"_s;
const QString kRichtig = u"sk-richtig-4711"_s;

Tastenkombination taste(quint32 keysym, bool umschalt = false) {
    return {.strg = false, .umschalt = umschalt, .keysym = keysym};
}

class InstalliertTest : public EndeZuEndeTest {
protected:
    InstalliertTest() {
        // The desktop's bus starts no keyring of its own: the scenario decides when one runs.
        buehnenOptionen.ohneDienste = {u"org.freedesktop.secrets"_s, u"org.gnome.keyring"_s};
    }

    void SetUp() override {
        EndeZuEndeTest::SetUp();
        ASSERT_EQ(KindProzess(u"cmake"_s,
                              {u"--install"_s, QStringLiteral(PARLIX_BAUVERZEICHNIS), u"--prefix"_s,
                               ordner.filePath(u"prefix"_s)},
                              {ordner.filePath(u"install.log"_s), std::nullopt})
                      .warteAufEnde(120s),
                  0)
            << "cmake --install failed";
        // The provider refuses the first call (the wrong key) the way OpenAI does.
        server().reiheEin(
            kStt, Antwort::json(401, {{u"error"_s,
                                       QJsonObject{{u"message"_s, u"Incorrect API key provided"_s},
                                                   {u"code"_s, u"invalid_api_key"_s}}}}));
        server().stelleEin(kStt, Antwort::text(200, "hallo welt"));
        server().stelleEin(kChat, chatAntwort(u"Hallo Welt."_s));
    }

    void TearDown() override {
        for (auto& p : installiert) {
            if (p->laeuft()) {
                EXPECT_EQ(p->beende(), std::optional<int>(0)) << "parlix did not end in order";
            }
            if (HasFailure()) {
                std::cout << "\nThe installed parlix's log:\n  "
                          << p->logZeilen().join(u"\n  "_s).toStdString()
                          << "\nIts standard error (end):\n"
                          << p->fehlerAusgabe().right(4000).toStdString() << '\n';
            }
        }
        EndeZuEndeTest::TearDown();
    }

    // A new user of the installed program: a home of its own, started as from the menu.
    ParlixProzess& neuerNutzer(const QString& name) {
        installiert.push_back(std::make_unique<ParlixProzess>(
            ordner.filePath(u"prefix/bin/parlix"_s), ordner.filePath(name), std::nullopt));
        return *installiert.back();
    }

    // GNOME Keyring on the desktop's bus, unlocked with the user's login password.
    KindProzess& starteSchluesselring() {
        const QString ring = ordner.filePath(u"ring"_s);
        KindProzess& daemon = b().desktop().starte(
            u"sh"_s, {u"-c"_s, u"mkdir -p %1 && export HOME=%1 XDG_DATA_HOME=%1/daten && "
                               "printf pw > %1/pw && exec gnome-keyring-daemon --foreground "
                               "--unlock --components=secrets < %1/pw"_s.arg(ring)});
        EXPECT_TRUE(warteBis([] { return schluesselringDa(); }, 20s)) << "no keyring came up";
        return daemon;
    }

    static bool schluesselringDa() {
        const auto antwort = KindProzess::ausgabe(
            u"dbus-send"_s,
            {u"--session"_s, u"--print-reply"_s, u"--dest=org.freedesktop.DBus"_s,
             u"/org/freedesktop/DBus"_s, u"org.freedesktop.DBus.NameHasOwner"_s,
             u"string:org.freedesktop.secrets"_s},
            5s);
        return antwort && antwort->contains("boolean true");
    }

    // Starts the program; the first start of a user opens the setup, which the user goes
    // through: "Other OpenAI-compatible server" for both roles at the provider's root,
    // the key typed (a wrong one first when `ersterSchluessel` is not `kRichtig`), Test.
    void richteEin(ParlixProzess& p, const QString& ersterSchluessel) {
        starte(p, 1);
        ASSERT_TRUE(warteBis([&] { return b().bildschirm().zeigt(kSetup); }, 30s))
            << "the first start opened no setup";
        const std::optional<Bildschirm::Fenster> setup = b().bildschirm().fenster(kSetup);
        ASSERT_TRUE(setup);
        rahmen = setup->rahmen;
        schritt(u"setup"_s);
        // Language and permissions as they are.
        for (int i = 0; i < 2; ++i) {
            weiter();
        }
        ASSERT_TRUE(zeigt(u"Speech and language"_s)) << "the provider step did not come";
        ASSERT_TRUE(hatFokus(kSetup)) << "the setup does not have the keyboard";

        const QString wurzel = b().serverBasis().toString() + u"/v1"_s;
        auto& n = b().nutzer();
        // Transcription: provider (the last of the menu), root, key; the model as offered.
        n.tippe(taste(XK_End));
        ASSERT_TRUE(gespeichert(p, u"anbieterTranskription"_s, u"andere"_s));
        n.tippe(taste(XK_Tab));
        n.schreibe(wurzel);
        ASSERT_TRUE(gespeichert(p, u"anbieterTranskriptionURL"_s, wurzel));
        n.tippe(taste(XK_Tab));
        n.schreibe(ersterSchluessel);
        // Language model: the same server, whose key the field already shows.
        n.tippe(taste(XK_Tab));
        n.tippe(taste(XK_Tab));
        n.tippe(taste(XK_End));
        ASSERT_TRUE(gespeichert(p, u"anbieterSprache"_s, u"andere"_s));
        n.tippe(taste(XK_Tab));
        n.schreibe(wurzel);
        ASSERT_TRUE(gespeichert(p, u"anbieterSpracheURL"_s, wurzel));
        for (int i = 0; i < 4; ++i) {
            n.tippe(taste(XK_Tab));
        }
        schritt(u"anbieter"_s);

        if (ersterSchluessel != kRichtig) {
            n.tippe(taste(XK_space));
            EXPECT_TRUE(zeigt(u"refused the API key"_s)) << "the Test did not name the refused key";
            schritt(u"schluessel-falsch"_s);
            // Back to the key (the language model's field), replaced.
            for (int i = 0; i < 3; ++i) {
                n.tippe(taste(XK_Tab, true));
            }
            waehleAlles();
            n.schreibe(kRichtig);
            for (int i = 0; i < 3; ++i) {
                n.tippe(taste(XK_Tab));
            }
        }
        // The hand moves to the button: the typed key has reached the local server.
        QThread::msleep(1000);
        n.tippe(taste(XK_space));
        EXPECT_TRUE(zeigt(u"Works"_s)) << "the Test did not pass with the right key";
        EXPECT_TRUE(QRegularExpression(u"\\([0-9]+ ms\\)"_s).match(gelesen).hasMatch())
            << "a provider on loopback answers within a second: " << gelesen.toStdString();
        schritt(u"test"_s);

        // The account step: with Parlix's own server no account is needed; "Get started".
        weiter();
        EXPECT_TRUE(zeigt(u"you need no account"_s)) << "the account step asks for an account";
        EXPECT_TRUE(warteBis(
            [&] {
                weiter();
                return !b().bildschirm().zeigt(kSetup);
            },
            60s))
            << "the setup does not finish";
    }

    // Selects a field's text without Control, which is the dictation key.
    void waehleAlles() {
        b().nutzer().tippe(taste(XK_Home));
        b().nutzer().tippe(taste(XK_End, true));
    }

    // Waits until the program stored what the user chose or typed.
    ::testing::AssertionResult gespeichert(ParlixProzess& p, const QString& schluessel,
                                           const QString& wert) {
        QString gelesen;
        if (warteBis(
                [&] {
                    gelesen = p.einstellungen()->text(schluessel).value_or(QString());
                    return gelesen == wert;
                },
                20s)) {
            return ::testing::AssertionSuccess();
        }
        schritt(u"nicht-gespeichert"_s);
        return ::testing::AssertionFailure()
               << "the provider step stored " << schluessel.toStdString() << " = \""
               << gelesen.toStdString() << "\", not \"" << wert.toStdString() << '"';
    }

    // Starts the program (its `anzahl`-th start in its home) and waits for the key source.
    static void starte(ParlixProzess& p, int anzahl) {
        p.starte();
        ASSERT_TRUE(p.warteAufLog(u"App gestartet"_s, anzahl))
            << "the installed parlix did not start";
        ASSERT_TRUE(p.warteAufLog(u"HotkeyTap aktiv"_s, anzahl)) << "the key source did not start";
    }

    // Waits until the window titled so has the keyboard.
    bool hatFokus(const QString& titel) {
        return warteBis(
            [&] {
                const auto aktiv = b().bildschirm().aktivesFenster();
                return aktiv && aktiv->titel == titel;
            },
            20s);
    }

    void weiter() {
        b().nutzer().klicke({rahmen.right() - 40 - 60, rahmen.bottom() - 28 - 14});
        QThread::msleep(700);
    }

    // Waits until the setup window shows the text (read as a user reads it).
    bool zeigt(const QString& text) {
        return warteBis(
            [&] {
                gelesen = b().bildschirm().text(rahmen).simplified();
                return gelesen.contains(text);
            },
            30s);
    }

    // The user clicks into the field behind what it holds and dictates; the cleaned-up
    // text `antwort` must follow it.
    void diktiereInsFeld(ParlixProzess& p, Zielfeld& feld, const QString& antwort) {
        server().stelleEin(kChat, chatAntwort(antwort));
        const std::optional<Bildschirm::Fenster> fenster =
            b().bildschirm().fenster(u"Qt-Zielfeld"_s);
        ASSERT_TRUE(fenster);
        b().nutzer().klicke(fenster->rahmen.center());
        ASSERT_TRUE(hatFokus(u"Qt-Zielfeld"_s)) << "the text field did not take the focus";
        b().nutzer().tippe(taste(XK_End));
        const QString bisher = feld.inhalt();
        const QString gestartet = u"🎙️ Aufnahme gestartet"_s;
        const int vorher = p.logAnzahl(gestartet);
        b().nutzer().drueckeTaste(XK_Control_L);
        ASSERT_TRUE(p.warteAufLog(gestartet, vorher + 1)) << "no recording started";
        b().ton().speise(sprache(u"Hallo Welt"_s) + QByteArray(16000, '\0'));
        b().ton().warteAufSpeisung();
        QThread::msleep(300);
        b().nutzer().lasseTasteLos(XK_Control_L);
        EXPECT_TRUE(feld.haeltBald(bisher + antwort, 30s))
            << "the dictation did not reach the field, which holds: "
            << feld.inhalt().toStdString();
        schritt(u"diktiert"_s);
    }

    // The key of the provider's last call.
    QByteArray letzterSchluessel() {
        const QList<Anfrage> stt = server().anfragen(kStt);
        return stt.isEmpty() ? QByteArray() : stt.last().kopf("Authorization");
    }

    static QString schluesselDatei(const ParlixProzess& p) {
        return p.home() + u"/.local/share/com.orvand.parlix/schluessel.json"_s;
    }

    QTemporaryDir ordner;
    std::vector<std::unique_ptr<ParlixProzess>> installiert;
    QRect rahmen;
    QString gelesen;
};

TEST_F(InstalliertTest, SetUpInTheWindowsItDictatesThroughItsOwnServerAndKeepsTheKeyAfterARestart) {
    KindProzess& ring = starteSchluesselring();
    Zielfeld feld = Zielfeld::qt(b());
    ASSERT_TRUE(feld.bereit()) << "the text field did not come up";

    ParlixProzess& mitRing = neuerNutzer(u"mit-schluesselbund"_s);
    richteEin(mitRing, kFalsch);
    ASSERT_FALSE(HasFailure());
    ASSERT_FALSE(server().anfragen(kStt).isEmpty());
    EXPECT_EQ(server().anfragen(kStt).first().kopf("Authorization"), "Bearer " + kFalsch.toUtf8());
    diktiereInsFeld(mitRing, feld, u"Hallo Welt."_s);
    EXPECT_TRUE(mitRing.logZeilen().filter(u"Lokaler Server bereit"_s).size() == 1);
    ASSERT_EQ(mitRing.beende(), std::optional<int>(0));

    // The next start: no setup, the key from the keyring.
    EXPECT_FALSE(QFile::exists(schluesselDatei(mitRing))) << "the key went to a file";
    EXPECT_EQ(KindProzess::ausgabe(u"secret-tool"_s,
                                   {u"lookup"_s, u"application"_s, u"com.orvand.parlix"_s,
                                    u"anbieter"_s, u"andere"_s},
                                   5s),
              kRichtig.toUtf8())
        << "the keyring does not hold the key";
    starte(mitRing, 2);
    diktiereInsFeld(mitRing, feld, u"Wieder da."_s);
    EXPECT_EQ(letzterSchluessel(), "Bearer " + kRichtig.toUtf8());
    EXPECT_FALSE(b().bildschirm().zeigt(kSetup)) << "the setup opened again";
    ASSERT_EQ(mitRing.beende(), std::optional<int>(0));

    // Another user on a desktop where no keyring answers.
    ring.sende(SIGTERM);
    ASSERT_TRUE(warteBis([] { return !schluesselringDa(); }, 10s)) << "the keyring did not end";
    ParlixProzess& ohneRing = neuerNutzer(u"ohne-schluesselbund"_s);
    richteEin(ohneRing, kRichtig);
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ(ohneRing.beende(), std::optional<int>(0));
    QFile datei(schluesselDatei(ohneRing));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly)) << "no key file";
    EXPECT_TRUE(datei.readAll().contains(kRichtig.toUtf8()));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(datei.fileName()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "others may read the key file";
    starte(ohneRing, 2);
    diktiereInsFeld(ohneRing, feld, u"Auch ohne Ring."_s);
    EXPECT_EQ(letzterSchluessel(), "Bearer " + kRichtig.toUtf8());
}

} // namespace
} // namespace parlix::test
