// Where the providers' API keys go: into a real Secret Service (GNOME Keyring on a
// private session bus, unlocked for the test) where one answers, else into a file only
// the user can read; never into the settings file. Looked at from outside as the user's
// keyring manager sees it (secret-tool).
#include "app/anbieter/AnbieterEinstellungen.hpp"
#include "app/platform/KindProzess.hpp"
#include "core/settings/DateiDefaultsStore.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/QtWarten.hpp"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using Rolle = AnbieterEinstellungen::Rolle;
using Ort = SchluesselBund::Ort;

class SchluesselBundTest : public ::testing::Test {
protected:
    // The settings in their real file, the key file beside them.
    std::unique_ptr<AnbieterEinstellungen> anbieter() {
        return std::make_unique<AnbieterEinstellungen>(
            speicher, std::make_unique<SchluesselBund>(schluesselDatei));
    }

    static QByteArray inhalt(const QString& pfad) {
        QFile datei(pfad);
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }

    // The settings after a restart: keys read back, then the provider removed.
    void pruefeNeustartUndEntfernen(Ort ort, const std::function<bool()>& schluesselWeg) {
        auto wieder = anbieter();
        wieder->lade();
        ASSERT_TRUE(warteQt([&] { return wieder->geladen(); }, 10s));
        EXPECT_EQ(wieder->ort(), ort);
        EXPECT_EQ(wieder->schluessel(Rolle::transkription), u"gsk_geheim_123"_s);
        EXPECT_EQ(wieder->anbieterFuerServer()[u"transkription"_s][u"schluessel"_s].toString(),
                  u"gsk_geheim_123"_s);
        wieder->waehleVorlage(Rolle::transkription, QString());
        EXPECT_TRUE(warteQt(schluesselWeg, 10s));
    }

    // Sets a key as the pane does and waits until it was written.
    void setzeSchluessel(AnbieterEinstellungen& a, Ort erwartet) {
        a.waehleVorlage(Rolle::transkription, u"groq"_s);
        a.setzeSchluessel(Rolle::transkription, u"gsk_geheim_123"_s);
        ASSERT_TRUE(warteQt([&] { return a.ort() == erwartet; }, 10s));
        // The settings file holds the provider, never its key.
        EXPECT_TRUE(inhalt(ordner.filePath(u"defaults.json"_s)).contains("anbieterTranskription"));
        EXPECT_FALSE(inhalt(ordner.filePath(u"defaults.json"_s)).contains("gsk_geheim"));
    }

    QTemporaryDir ordner;
    QString schluesselDatei = ordner.filePath(u"daten/com.orvand.parlix/schluessel.json"_s);
    DateiDefaultsStore speicher{ordner.filePath(u"defaults.json"_s)};
    GesetzteUmgebung umgebung;
};

// First in the program: no session bus has been reached yet.
TEST_F(SchluesselBundTest, WithoutASecretServiceTheKeyGoesToAFileOnlyTheUserCanRead) {
    umgebung.setze("DBUS_SESSION_BUS_ADDRESS",
                   "unix:path=" + QFile::encodeName(ordner.filePath(u"kein-bus"_s)));
    auto a = anbieter();
    setzeSchluessel(*a, Ort::datei);
    ASSERT_TRUE(warteQt([&] { return inhalt(schluesselDatei).contains("gsk_geheim_123"); }, 10s));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(schluesselDatei).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(schluesselDatei).path()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    a.reset();
    pruefeNeustartUndEntfernen(Ort::datei, [&] { return !QFile::exists(schluesselDatei); });
}

// GNOME Keyring on a bus of its own. Both live until the program ends (GLib's session
// connection ends the process when its bus goes away) and die with it.
class Schluesselring {
public:
    Schluesselring() {
        starte(u"exec dbus-daemon --session --nofork --nopidfile --print-address=1"_s);
        adresse_ = prozesse_.back()->lies(5s).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", adresse_);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ordner_.path()));
        // The daemon creates the login keyring with this password and keeps it unlocked.
        starte(u"export HOME=%1 XDG_DATA_HOME=%1/daten; printf pw > %1/pw; exec "
               "gnome-keyring-daemon --foreground --unlock --components=secrets < %1/pw"_s.arg(
                   ordner_.path()));
        const QStringList frage{u"--session"_s,
                                u"--print-reply"_s,
                                u"--dest=org.freedesktop.DBus"_s,
                                u"/org/freedesktop/DBus"_s,
                                u"org.freedesktop.DBus.NameHasOwner"_s,
                                u"string:org.freedesktop.secrets"_s};
        bereit_ = !adresse_.isEmpty() &&
                  warteQt(
                      [&] {
                          const auto antwort = KindProzess::ausgabe(u"dbus-send"_s, frage, 2s);
                          return antwort && antwort->contains("boolean true");
                      },
                      10s);
    }
    bool bereit() const { return bereit_; }

private:
    void starte(const QString& befehl) {
        prozesse_.push_back(std::make_unique<KindProzess>(
            u"setpriv"_s,
            QStringList{u"--pdeathsig"_s, u"KILL"_s, u"--"_s, u"sh"_s, u"-c"_s, befehl},
            KindProzess::Optionen{ordner_.filePath(u"fehler.log"_s), std::nullopt}));
    }

    QTemporaryDir ordner_;
    std::vector<std::unique_ptr<KindProzess>> prozesse_;
    QByteArray adresse_;
    bool bereit_ = false;
};

std::optional<QByteArray> secretTool(const QStringList& argumente) {
    return KindProzess::ausgabe(u"secret-tool"_s, argumente, 5s);
}

TEST_F(SchluesselBundTest, TheKeyGoesToTheDesktopsKeyringLabelledForTheUser) {
    static const Schluesselring* ring = new Schluesselring;
    ASSERT_TRUE(ring->bereit());
    auto a = anbieter();
    setzeSchluessel(*a, Ort::schluesselbund);
    const QStringList wo{u"application"_s, u"com.orvand.parlix"_s, u"anbieter"_s, u"groq"_s};
    ASSERT_TRUE(warteQt(
        [&] { return secretTool(QStringList{u"lookup"_s} + wo) == "gsk_geheim_123"; }, 10s));
    const auto gefunden = secretTool(QStringList{u"search"_s} + wo);
    ASSERT_TRUE(gefunden);
    EXPECT_TRUE(gefunden->contains("label = Parlix API key (Groq)")) << gefunden->toStdString();
    EXPECT_FALSE(QFile::exists(schluesselDatei));
    a.reset();
    pruefeNeustartUndEntfernen(Ort::schluesselbund, [&] {
        const auto rest = secretTool(QStringList{u"lookup"_s} + wo);
        return !rest || rest->isEmpty();
    });
}

} // namespace
} // namespace parlix::test
