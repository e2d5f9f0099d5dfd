// The page text of a real browser and the text of its focused element, read over AT-SPI.
#include "app/platform/atspi/AtspiBrowserText.hpp"
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "tests/app/platform/desktop/DesktopHilfen.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QDir>
#include <QFile>
#include <X11/keysym.h>
#include <future>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

const QString kSeite = u"<!doctype html><html><head><meta charset=utf-8>"
                       "<title>Parlix Testseite</title></head><body>"
                       "<h1>Willkommen auf der Testseite</h1>"
                       "<p>Der erste Absatz mit einem <a href='#'>Verweis</a> darin.</p>"
                       "<ul><li>Erster Punkt</li><li>Zweiter Punkt</li></ul>"
                       "<div contenteditable tabindex=1><p>Oben im Editor</p>"
                       "<p>Unten im Editor</p></div>"
                       "<textarea>Ein Textbereich</textarea></body></html>"_s;

// Where a browser's text holds a child element.
constexpr QChar kObjekt = u'\uFFFC';

// A profile that opens the page at once: no first-run pages, no checks in the background.
constexpr char kFirefoxEinstellungen[] =
    "user_pref(\"browser.shell.checkDefaultBrowser\", false);\n"
    "user_pref(\"browser.startup.homepage_override.mstone\", \"ignore\");\n"
    "user_pref(\"browser.aboutwelcome.enabled\", false);\n"
    "user_pref(\"datareporting.policy.dataSubmissionEnabled\", false);\n"
    "user_pref(\"toolkit.telemetry.reportingpolicy.firstRun\", false);\n"
    "user_pref(\"app.update.disabledForTesting\", true);\n"
    "user_pref(\"network.captive-portal-service.enabled\", false);\n"
    "user_pref(\"network.connectivity-service.enabled\", false);\n"
    "user_pref(\"browser.safebrowsing.update.enabled\", false);\n";

class BrowserTextTest : public ::testing::Test {
protected:
    // seitentext() on a worker thread, as the pipeline calls it.
    QString seitentext() {
        auto text = std::async(std::launch::async, [this] { return browserText_.seitentext(); });
        laufeBis([&] { return text.wait_for(0s) == std::future_status::ready; });
        return text.get();
    }

    QString seitenDatei() {
        const QString pfad = prozessDesktop().verzeichnis() + u"/seite.html"_s;
        QFile datei(pfad);
        EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(kSeite.toUtf8());
        return pfad;
    }

    // The renderer builds its tree a moment after the window shows.
    void erwarteSeite() {
        // The list markers are text the user sees.
        const QString erwartet =
            u"Willkommen auf der Testseite\nDer erste Absatz mit einem Verweis darin.\n"
            u"• Erster Punkt\n• Zweiter Punkt\nOben im Editor\nUnten im Editor\n"
            u"Ein Textbereich"_s;
        QString text;
        laufeBis([&] { return (text = seitentext()) == erwartet; }, 30s);
        EXPECT_EQ(text.toStdString(), erwartet.toStdString());
    }

    // The focused page and a rich-text field are made of child elements: their text is
    // read from them, never handed on as object characters.
    void erwarteKontextOhneObjekte() {
        LogMitschnitt log;
        AtspiKontext kontext(atspi());
        const QString seite = kontext.text();
        EXPECT_FALSE(seite.contains(kObjekt)) << seite.toStdString();
        EXPECT_TRUE(seite.isEmpty() || seite.contains(u"Willkommen auf der Testseite"_s))
            << seite.toStdString();

        tippe({.keysym = XK_Tab}); // into the editor
        const QString absaetze = u"Oben im Editor\nUnten im Editor"_s;
        QString feld;
        laufeBis([&] { return (feld = kontext.text()) == absaetze; }, 10s);
        EXPECT_EQ(feld.toStdString(), absaetze.toStdString())
            << log.zeilen().join(u'\n').toStdString();

        // A selection over both paragraphs: their text, or nothing (then the copy
        // shortcut gets it), but never an edit of object characters.
        tippe({.strg = true, .keysym = XK_a});
        QString auswahl;
        laufeBis([&] { return !(auswahl = kontext.auswahl()).isEmpty(); }, 3s);
        EXPECT_FALSE(auswahl.contains(kObjekt));
        EXPECT_TRUE(auswahl.isEmpty() || auswahl == absaetze) << auswahl.toStdString();
    }

    QtMainQueue queue_;
    X11VordergrundApp vorn_;
    AtspiBrowserText browserText_{atspi(), vorn_, queue_};
};

TEST_F(BrowserTextTest, LiestDieSeiteUndDenFokusInChromium) {
    const QString profil = prozessDesktop().verzeichnis() + u"/chromium"_s;
    starteFenster(u"chromium"_s,
                  {u"--no-sandbox"_s, u"--disable-gpu"_s, u"--no-first-run"_s,
                   u"--disable-background-networking"_s, u"--disable-component-update"_s,
                   u"--disable-sync"_s, u"--disable-quic"_s, u"--force-renderer-accessibility"_s,
                   // No keyring: its unlock prompt would take the focus.
                   u"--password-store=basic"_s, u"--user-data-dir="_s + profil,
                   u"file://"_s + seitenDatei()},
                  u"Parlix Testseite"_s);
    erwarteSeite();
    erwarteKontextOhneObjekte();
}

TEST_F(BrowserTextTest, LiestDieSeiteUndDenFokusInFirefox) {
    const QString profil = prozessDesktop().verzeichnis() + u"/firefox"_s;
    ASSERT_TRUE(QDir().mkpath(profil));
    QFile einstellungen(profil + u"/user.js"_s);
    ASSERT_TRUE(einstellungen.open(QIODevice::WriteOnly));
    einstellungen.write(kFirefoxEinstellungen);
    einstellungen.close();
    starteFenster(u"firefox-esr"_s,
                  {u"--no-remote"_s, u"--profile"_s, profil, u"file://"_s + seitenDatei()},
                  u"Mozilla Firefox"_s);
    erwarteSeite();
    erwarteKontextOhneObjekte();
}

TEST_F(BrowserTextTest, AndereAnwendungenGebenNichts) {
    starteTextfeld(u"KeinBrowser"_s, u"Feldtext"_s);
    EXPECT_EQ(seitentext(), QString());
}

} // namespace
} // namespace parlix::test
