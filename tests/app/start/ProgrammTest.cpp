#include "app/platform/pulse/PulseStummschalter.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "core/services/UrlPfad.hpp"
#include "core/settings/DateiDefaultsStore.hpp"
#include "server/Antwort.hpp"
#include "tests/support/KopfloserTonServer.hpp"
#include "tests/support/ProzessDesktop.hpp"
#include "tests/support/Sprachprobe.hpp"
#include "tests/support/TestServer.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {

namespace {

// The real program in the test's desktop, with folders, log and runtime folder of its
// own, so that nothing of the user's is read or written.
class ProgrammTest : public ::testing::Test {
protected:
    QStringList umgebung(const QStringList& zusatz = {}) const {
        QProcessEnvironment u = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
            u.insert(QString::fromLatin1(name), ordner.filePath(QString::fromLatin1(name)));
        }
        u.insert(u"PARLIX_LOG"_s, logDatei());
        u.insert(u"PARLIX_PLATTFORM"_s, u"null"_s);
        for (const QString& eintrag : zusatz) {
            u.insert(eintrag.section(u'=', 0, 0), eintrag.section(u'=', 1));
        }
        return u.toStringList();
    }

    std::unique_ptr<KindProzess> starte(const QStringList& zusatz = {},
                                        const QStringList& argumente = {}) const {
        return std::make_unique<KindProzess>(
            QStringLiteral(PARLIX_PROGRAMM), argumente,
            KindProzess::Optionen{ordner.filePath(u"stderr.log"_s), umgebung(zusatz)});
    }

    QString logDatei() const { return ordner.filePath(u"parlix.log"_s); }
    QString log() const {
        QFile datei(logDatei());
        return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
    }
    // Waits until the log holds the line `anzahl` times.
    bool warteAufLog(const QString& zeile, int anzahl = 1,
                     std::chrono::milliseconds frist = 20s) const {
        const auto ende = std::chrono::steady_clock::now() + frist;
        while (std::chrono::steady_clock::now() < ende) {
            if (log().count(zeile) >= anzahl) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    QTemporaryDir ordner;
};

TEST_F(ProgrammTest, ASecondStartShowsTheFirstOnesPanelAndEndsAndSigtermEndsTheFirstInOrder) {
    auto erste = starte();
    ASSERT_TRUE(warteAufLog(u"App gestartet. Bedienungshilfen vertraut: false"_s))
        << log().toStdString();
    EXPECT_TRUE(log().contains(u"Plattform (null): globale Tasten nicht verfügbar"_s));
    // No tray on this desktop: the program waits for one and keeps running.
    EXPECT_TRUE(log().contains(u"Kein Tray verfügbar"_s));

    auto zweite = starte();
    EXPECT_EQ(zweite->warteAufEnde(10s), std::optional<int>(0));
    EXPECT_TRUE(zweite->lies(1s).contains("already running"));
    EXPECT_NE(prozessDesktop().warteAufFenster(u"Parlix"_s, 10s), 0u);
    EXPECT_FALSE(erste->warteAufEnde(0ms).has_value());

    erste->sende(SIGTERM);
    EXPECT_EQ(erste->warteAufEnde(10s), std::optional<int>(0));
    EXPECT_TRUE(log().contains(u"Signal 15 erhalten, Parlix wird beendet"_s));
    EXPECT_TRUE(log().contains(u"App beendet"_s));

    // The lock of the ended instance does not stop the next start.
    auto dritte = starte();
    EXPECT_TRUE(warteAufLog(u"App gestartet"_s, 2));
    dritte->sende(SIGINT);
    EXPECT_EQ(dritte->warteAufEnde(10s), std::optional<int>(0));
}

TEST_F(ProgrammTest, TheStartRestoresAnOutputLoweredByARunThatCrashed) {
    KopfloserTonServer ton;
    ASSERT_TRUE(ton.laeuft()) << ton.fehler().toStdString();
    const QString senke = QString::fromLatin1(KopfloserTonServer::kSenke);
    ASSERT_TRUE(ton.pactl({u"set-sink-volume"_s, senke, u"80%"_s}));
    const QString zustand = ordner.filePath(u"XDG_STATE_HOME/parlix/ausgabe-vorher.json"_s);
    {
        // A run that lowered the output and then died without putting it back.
        PulseStummschalter abgestuerzt(zustand);
        abgestuerzt.absenken(10);
    }
    ASSERT_TRUE(ton.pactl({u"get-sink-volume"_s, senke})->contains(u"10%"_s));

    auto programm = starte({u"PARLIX_PLATTFORM=x11"_s});
    ASSERT_TRUE(warteAufLog(u"App gestartet"_s)) << log().toStdString();
    EXPECT_TRUE(ton.pactl({u"get-sink-volume"_s, senke})->contains(u"80%"_s));
    EXPECT_FALSE(QFile::exists(zustand));
    programm->sende(SIGTERM);
    EXPECT_EQ(programm->warteAufEnde(10s), std::optional<int>(0));
}

TEST_F(ProgrammTest, HoldingTheDictationKeyPastesTheCleanedUpSpeechIntoTheFocusedField) {
    KopfloserTonServer ton;
    ASSERT_TRUE(ton.laeuft()) << ton.fehler().toStdString();
    const QByteArray sprache = Sprachprobe::sprich(u"Hallo Welt"_s);
    ASSERT_FALSE(sprache.isEmpty());
    TestServer server;
    server.drehbuch().stelleEin(u"/eu/stream"_s, Antwort::fehler(503, u"kein Strom"_s));
    server.drehbuch().stelleEin(u"/openai/v1/audio/transcriptions"_s,
                                Antwort::text(200, "hallo welt"));
    server.drehbuch().stelleEin(
        u"/openai/v1/chat/completions"_s,
        Antwort::json(
            200,
            {{u"choices"_s, QJsonArray{QJsonObject{
                                {u"message"_s, QJsonObject{{u"content"_s, u"Hallo Welt."_s}}}}}}}));
    KindProzess& feld = prozessDesktop().starte(QStringLiteral(PARLIX_TESTFELD), {u"ziel"_s});
    const quint64 fenster = prozessDesktop().warteAufFenster(u"ziel"_s);
    ASSERT_NE(fenster, 0u);
    KindProzess::ausgabe(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, QString::number(fenster)},
                         10s);

    // A later run: on the first one the setup window would take the focus from the field.
    // The backend is the one stored in the settings, as after a restart or a login start.
    DateiDefaultsStore einstellungen(ordner.filePath(u"XDG_CONFIG_HOME/parlix/defaults.json"_s));
    einstellungen.setzeFlag(u"setupErledigt"_s, true);
    einstellungen.setzeText(u"backendArt"_s, u"gehostet"_s);
    einstellungen.setzeText(u"backendURL"_s, server.basis().toString());
    auto programm = starte({u"PARLIX_PLATTFORM=x11"_s});
    ASSERT_TRUE(warteAufLog(u"HotkeyTap aktiv (eigener Thread)"_s)) << log().toStdString();
    KindProzess::ausgabe(u"xdotool"_s, {u"keydown"_s, u"Control_L"_s}, 10s);
    ASSERT_TRUE(warteAufLog(u"🎙️ Aufnahme gestartet (Groq, lokal)"_s)) << log().toStdString();
    ton.speise(sprache);
    ton.warteAufSpeisung();
    QThread::msleep(300);
    KindProzess::ausgabe(u"xdotool"_s, {u"keyup"_s, u"Control_L"_s}, 10s);

    QByteArray eingefuegt;
    const auto ende = std::chrono::steady_clock::now() + 20s;
    while (!eingefuegt.contains("Hallo Welt.") && std::chrono::steady_clock::now() < ende) {
        eingefuegt += feld.lies(100ms);
    }
    EXPECT_TRUE(eingefuegt.contains("Hallo Welt.")) << log().toStdString();
    EXPECT_EQ(server.drehbuch().anfragen(u"/openai/v1/audio/transcriptions"_s).size(), 1);
    programm->sende(SIGTERM);
    EXPECT_EQ(programm->warteAufEnde(10s), std::optional<int>(0));
}

TEST_F(ProgrammTest, TheInstalledProgramRunsItsOwnServerThatAnswersOnlyItAndEndsWithIt) {
    const QString prefix = ordner.filePath(u"prefix"_s);
    ASSERT_EQ(KindProzess(u"cmake"_s, {u"--install"_s, QStringLiteral(PARLIX_BAUVERZEICHNIS),
                                       u"--prefix"_s, prefix})
                  .warteAufEnde(120s),
              0);
    const QString programm = prefix + u"/bin/parlix"_s;
    ASSERT_TRUE(QFileInfo(prefix + u"/bin/parlix-server"_s).isExecutable());
    // A new user starting it from the menu: a fresh home, no arguments, nothing of Parlix's
    // in the environment but where its log goes.
    QProcessEnvironment u = QProcessEnvironment::systemEnvironment();
    for (const QString& name : u.keys()) {
        if (name.startsWith(u"PARLIX_"_s) ||
            (name.startsWith(u"XDG_"_s) && name != u"XDG_RUNTIME_DIR"_s)) {
            u.remove(name);
        }
    }
    const QString home = ordner.filePath(u"home"_s);
    u.insert(u"HOME"_s, home);
    u.insert(u"PARLIX_LOG"_s, logDatei());
    const KindProzess::Optionen optionen{ordner.filePath(u"stderr.log"_s), u.toStringList()};

    KindProzess parlix(programm, {}, optionen);
    ASSERT_TRUE(warteAufLog(u"Lokaler Server bereit: "_s)) << log().toStdString();
    const QRegularExpressionMatch treffer =
        QRegularExpression(u"Lokaler Server bereit: (http://127\\.0\\.0\\.1:[0-9]+)"_s)
            .match(log());
    ASSERT_TRUE(treffer.hasMatch()) << log().toStdString();
    const QUrl wurzel(treffer.captured(1));
    EXPECT_TRUE(QFile::exists(home + u"/.local/share/parlix/server/konten.sqlite"_s));

    // This test is another program: without the secret the server refuses it.
    HttpTransport http;
    HttpAnfrage anfrage;
    anfrage.url = mitPfad(wurzel, u"version"_s);
    EXPECT_EQ(http.fuehreAus(anfrage).status, 401);

    // A second start finds the first; there is still one server.
    KindProzess zweite(programm, {}, optionen);
    EXPECT_EQ(zweite.warteAufEnde(10s), std::optional<int>(0));
    EXPECT_EQ(log().count(u"Lokaler Server bereit"_s), 1);

    parlix.sende(SIGTERM);
    EXPECT_EQ(parlix.warteAufEnde(10s), std::optional<int>(0));
    EXPECT_TRUE(log().contains(u"Lokaler Server beendet"_s));
    EXPECT_THROW(http.fuehreAus(anfrage), TransportFehler);

    // Tokens never travel in clear to another computer.
    const QString fehlerDatei = ordner.filePath(u"klartext.log"_s);
    KindProzess klartext(programm, {u"--backend"_s, u"http://backend.example.org"_s},
                         {fehlerDatei, u.toStringList()});
    EXPECT_EQ(klartext.warteAufEnde(10s), std::optional<int>(2));
    QFile fehler(fehlerDatei);
    ASSERT_TRUE(fehler.open(QIODevice::ReadOnly));
    EXPECT_TRUE(fehler.readAll().contains("https")) << log().toStdString();
}

TEST_F(ProgrammTest, TheRenderVariablesDrawViewsAndExitWithoutStarting) {
    const QString ziel = ordner.filePath(u"ansichten"_s);
    auto harness = starte({u"PARLIX_RENDER_ZIEL="_s + ziel, u"PARLIX_RENDER_SPRACHEN=fr,ja"_s,
                           u"PARLIX_RENDER_ANSICHTEN=verlauf,hud.komet.*"_s});
    EXPECT_EQ(harness->warteAufEnde(60s), std::optional<int>(0));
    EXPECT_TRUE(QFile::exists(ziel + u"/fr/verlauf.png"_s));
    EXPECT_TRUE(QFile::exists(ziel + u"/ja/hud.komet.fehler.png"_s));
    EXPECT_FALSE(log().contains(u"App gestartet"_s));

    auto falsch = starte({u"PARLIX_RENDER_SPRACHE=de"_s});
    EXPECT_EQ(falsch->warteAufEnde(30s), std::optional<int>(2));
}

} // namespace

} // namespace parlix::test
