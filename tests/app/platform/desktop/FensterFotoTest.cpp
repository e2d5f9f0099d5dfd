// A photo of a real window with known text, read back by text recognition.
#include "app/platform/tesseract/TesseractErkennung.hpp"
#include "app/platform/x11/X11FensterFoto.hpp"
#include "tests/app/platform/desktop/DesktopHilfen.hpp"

#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(FensterFoto, ZeigtDasAktiveFensterMitRahmenUndSeinTextWirdErkannt) {
    const QString satz = u"Parlix erkennt diesen Satz im Fenster"_s;
    starteFenster(u"xterm"_s,
                  {u"-T"_s, u"FotoZiel"_s, u"-geometry"_s, u"60x6+40+40"_s, u"-fa"_s,
                   u"DejaVu Sans Mono"_s, u"-fs"_s, u"16"_s, u"-e"_s, u"sh"_s, u"-c"_s,
                   u"echo '"_s + satz + u"'; sleep 120"_s},
                  u"FotoZiel"_s);
    laufeFuer(std::chrono::milliseconds(500)); // the shell has printed

    X11FensterFoto foto;
    const std::optional<QByteArray> png = foto.fensterScreenshot();
    ASSERT_TRUE(png.has_value());
    const QImage bild = QImage::fromData(*png, "PNG");
    // 60 columns of a 16 pt font, plus openbox's frame.
    EXPECT_GT(bild.width(), 600);
    EXPECT_GT(bild.height(), 100);

    // Loosely, by words: most of them must come back.
    const QString erkannt = TesseractErkennung().ocr(*png);
    const QStringList woerter = erkannt.split(QRegularExpression(u"\\W+"_s), Qt::SkipEmptyParts);
    int gefunden = 0;
    for (const QString& wort : satz.split(u' ')) {
        gefunden += woerter.contains(wort) ? 1 : 0;
    }
    EXPECT_GE(gefunden, 5) << erkannt.toStdString();
}

} // namespace
} // namespace parlix::test
