// Copying the selection of a real application with its copy shortcut.
#include "app/platform/linux/AblageAuswahlKopierer.hpp"
#include "app/platform/x11/X11Ablage.hpp"
#include "app/platform/x11/X11Plattform.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XTestTasten.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "tests/app/platform/desktop/DesktopHilfen.hpp"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <future>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

class AuswahlKopierenTest : public ::testing::Test {
protected:
    // auswahlText() on a worker thread, as the pipeline calls it, while the main thread
    // runs the event loop.
    QString kopiere() {
        auto ergebnis = std::async(std::launch::async, [this] { return kopierer_.auswahlText(); });
        laufeBis([&] {
            return ergebnis.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        });
        return ergebnis.get();
    }

    QtMainQueue queue_;
    X11VordergrundApp vorn_;
    XTestTasten tasten_;
    X11Ablage ablage_;
    AblageAuswahlKopierer kopierer_{vorn_, ablage_, &tasten_,
                                    X11Plattform::aufDemMainThread(queue_)};
};

TEST_F(AuswahlKopierenTest, GibtDieAuswahlUndDannDieAlteAblageZurueck) {
    setzeAblage(u"alter Text"_s);
    starteTextfeld(u"Auswahlfeld"_s, u"Hallo schöne Welt"_s, 6, 6);

    EXPECT_EQ(kopiere(), u"schöne"_s);
    EXPECT_EQ(ablageText(), u"alter Text"_s);
}

TEST_F(AuswahlKopierenTest, OhneAuswahlBleibtDieAblageUnberuehrt) {
    // An image only: putting any text back would lose it.
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    starteTextfeld(u"Leerfeld"_s, u"nichts markiert"_s);

    EXPECT_EQ(kopiere(), QString());
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
}

TEST_F(AuswahlKopierenTest, EinTerminalUnterFremdemNamenWirdNichtUnterbrochen) {
    // Ctrl+C would interrupt the job; the selection is on the primary selection anyway.
    const QString unterbrochen = prozessDesktop().verzeichnis() + u"/unterbrochen"_s;
    starteFenster(u"xterm"_s,
                  {u"-class"_s, u"Unbekannt"_s, u"-T"_s, u"Unbekannt"_s, u"-fa"_s,
                   u"DejaVu Sans Mono"_s, u"-fs"_s, u"14"_s, u"-e"_s, u"sh"_s, u"-c"_s,
                   u"trap 'echo INT > "_s + unterbrochen + u"' INT; echo Markiertes; sleep 60"_s},
                  u"Unbekannt"_s);
    laufeFuer(500ms); // the shell has set its trap and printed
    setzeAblage(u"alter Text"_s);
    doppelklicke({20, 10});
    // xterm claims the primary selection once it has taken the clicks.
    laufeBis([] {
        return QGuiApplication::clipboard()->text(QClipboard::Selection) == u"Markiertes"_s;
    });

    EXPECT_EQ(kopiere(), u"Markiertes"_s);
    laufeFuer(300ms);
    EXPECT_FALSE(QFile::exists(unterbrochen));
    EXPECT_EQ(ablageText(), u"alter Text"_s);
}

} // namespace
} // namespace parlix::test
