// A photo of a real window with known text, read back by text recognition.
#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/platform/tesseract/TesseractErkennung.hpp"
#include "app/platform/x11/X11FensterFoto.hpp"
#include "app/ui/livebox/LiveBoxModel.hpp"
#include "app/ui/livebox/LiveBoxWidget.hpp"
#include "tests/app/platform/desktop/DesktopHilfen.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

QStringList woerter(const QString& text) {
    return text.split(QRegularExpression(u"\\W+"_s), Qt::SkipEmptyParts);
}

// How many of the words of `satz` the recognition found.
int gefunden(const QString& erkannt, const QString& satz) {
    const QStringList da = woerter(erkannt);
    int anzahl = 0;
    for (const QString& wort : woerter(satz)) {
        anzahl += da.contains(wort) ? 1 : 0;
    }
    return anzahl;
}

// An xterm showing `text` (lines split by \n, no line after the last), `zeilen` rows tall.
QStringList xterm(const QString& titel, const QString& text, int zeilen, const QString& ort) {
    return {u"-T"_s,        titel,
            u"-geometry"_s, u"60x%1%2"_s.arg(zeilen).arg(ort),
            u"-fa"_s,       u"DejaVu Sans Mono"_s,
            u"-fs"_s,       u"16"_s,
            u"-e"_s,        u"sh"_s,
            u"-c"_s,        u"printf '"_s + text + u"'; sleep 120"_s};
}

TEST(FensterFoto, ZeigtDasAktiveFensterMitRahmenUndSeinTextWirdErkannt) {
    const QString satz = u"Parlix erkennt diesen Satz im Fenster"_s;
    starteFenster(u"xterm"_s, xterm(u"FotoZiel"_s, satz + u"\\n"_s, 6, u"+40+40"_s), u"FotoZiel"_s);
    laufeFuer(500ms); // the shell has printed

    X11FensterFoto foto;
    const std::optional<QByteArray> png = foto.fensterScreenshot();
    ASSERT_TRUE(png.has_value());
    const QImage bild = QImage::fromData(*png, "PNG");
    // 60 columns of a 16 pt font, plus openbox's frame.
    EXPECT_GT(bild.width(), 600);
    EXPECT_GT(bild.height(), 100);

    // Loosely, by words: most of them must come back.
    const QString erkannt = TesseractErkennung().ocr(*png);
    EXPECT_GE(gefunden(erkannt, satz), 5) << erkannt.toStdString();
}

TEST(FensterFoto, ZeigtNichtDieEigeneLiveBoxUndKeinenDesktopHintergrund) {
    NullArbeitsflaeche arbeitsflaeche;
    LiveBoxModel model;
    LiveBoxWidget liveBox(arbeitsflaeche);
    const QString gesprochen = u"Sonnenblume Regenbogen Wasserfall"_s;
    model.setze(gesprochen);
    liveBox.zeige(model);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&liveBox));
    // The window's bottom line right under the middle of the box.
    const int abstand = liveBox.screen()->geometry().bottom() - liveBox.geometry().center().y();
    const QString unten = u"Die unterste Zeile dieses Fensters"_s;
    starteFenster(u"xterm"_s,
                  xterm(u"UnterDerBox"_s, u"Erste Zeile\\nZweite Zeile\\n"_s + unten, 3,
                        u"+%1-%2"_s.arg(liveBox.geometry().x()).arg(abstand - 12)),
                  u"UnterDerBox"_s);
    liveBox.raise(); // over the new window, as during a recording
    laufeFuer(500ms);

    X11FensterFoto foto;
    const std::optional<QByteArray> png = foto.fensterScreenshot();
    ASSERT_TRUE(png.has_value());
    const QString erkannt = TesseractErkennung().ocr(*png);
    EXPECT_EQ(gefunden(erkannt, gesprochen), 0) << erkannt.toStdString();
    EXPECT_GE(gefunden(erkannt, unten), 4) << erkannt.toStdString();

    // The desktop's background can hold the focus; it would be the whole screen.
    liveBox.hide();
    ASSERT_TRUE(KindProzess::ausgabe(u"sh"_s,
                                     {u"-c"_s, u"xprop -id \"$(xprop -root _NET_ACTIVE_WINDOW | "
                                               u"sed 's/.*# //')\" -f _NET_WM_WINDOW_TYPE 32a "
                                               u"-set _NET_WM_WINDOW_TYPE "
                                               u"_NET_WM_WINDOW_TYPE_DESKTOP"_s},
                                     5s));
    EXPECT_FALSE(foto.fensterScreenshot().has_value());
}

} // namespace
} // namespace parlix::test
