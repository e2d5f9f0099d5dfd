// The page text of a real browser, read over AT-SPI.
#include "app/platform/atspi/AtspiBrowserText.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "tests/app/platform/desktop/DesktopHilfen.hpp"

#include <QFile>
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
                       "<textarea>Ein Textbereich</textarea></body></html>"_s;

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

    QtMainQueue queue_;
    X11VordergrundApp vorn_;
    AtspiBrowserText browserText_{atspi(), vorn_, queue_};
};

TEST_F(BrowserTextTest, LiestDieSeiteInChromium) {
    const QString profil = prozessDesktop().verzeichnis() + u"/chromium"_s;
    starteFenster(u"chromium"_s,
                  {u"--no-sandbox"_s, u"--disable-gpu"_s, u"--no-first-run"_s,
                   u"--disable-background-networking"_s, u"--disable-component-update"_s,
                   u"--disable-sync"_s, u"--disable-quic"_s, u"--force-renderer-accessibility"_s,
                   u"--user-data-dir="_s + profil, u"file://"_s + seitenDatei()},
                  u"Parlix Testseite"_s);
    // The list markers are text the user sees.
    const QString erwartet =
        u"Willkommen auf der Testseite\nDer erste Absatz mit einem Verweis darin.\n"
        u"• Erster Punkt\n• Zweiter Punkt\nEin Textbereich"_s;
    QString text;
    // The renderer builds its tree a moment after the window shows.
    laufeBis([&] { return (text = seitentext()) == erwartet; }, 30s);
    EXPECT_EQ(text.toStdString(), erwartet.toStdString());
}

TEST_F(BrowserTextTest, AndereAnwendungenGebenNichts) {
    starteTextfeld(u"KeinBrowser"_s, u"Feldtext"_s);
    EXPECT_EQ(seitentext(), QString());
}

} // namespace
} // namespace parlix::test
