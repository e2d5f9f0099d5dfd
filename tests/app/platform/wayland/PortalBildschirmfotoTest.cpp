// A screenshot through the Screenshot portal, against a portal played by the test on a
// private session bus.
#include "app/platform/wayland/portal/PortalBildschirmfoto.hpp"

#include "tests/app/platform/wayland/FakeScreenshotPortal.hpp"
#include "tests/app/platform/wayland/PortalBus.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <QFile>
#include <future>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(PortalBildschirmfotoTest, NurDasAktiveFensterKommtAlsPngUndDieDateiDesPortalsVerschwindet) {
    KopflosesWaylandDesktop desktop({.bus = true});
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    QImage bild(64, 48, QImage::Format_RGB32);
    bild.fill(Qt::darkCyan);
    bild.setPixel(50, 10, qRgb(255, 0, 0));
    PortalBus bus(u"foto"_s);
    auto& portal = bus.starte<FakeScreenshotPortal>(bild);
    {
        // The active window reaches past the screen's right edge.
        std::optional<QRect> rahmen = QRect(40, 8, 100, 20);
        PortalBildschirmfoto foto(bus.parlix(), [&rahmen] { return rahmen; });
        ASSERT_TRUE(PortalBildschirmfoto::verfuegbar(bus.parlix()));
        // Called on the pipeline thread; the answer arrives on the main thread.
        const auto aufnehmen = [&] {
            auto ergebnis =
                std::async(std::launch::async, [&] { return foto.fensterScreenshot(); });
            warteQt(
                [&] {
                    return ergebnis.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
                },
                std::chrono::seconds(10));
            return ergebnis.get();
        };
        const auto png = aufnehmen();
        ASSERT_TRUE(png.has_value());
        EXPECT_EQ(QImage::fromData(*png, "PNG"), bild.copy(40, 8, 24, 20));
        EXPECT_FALSE(QFile::exists(portal.letzteDatei()));

        // Where the window cannot be isolated, the rest of the screen is never sent.
        rahmen.reset();
        EXPECT_EQ(aufnehmen(), std::nullopt);
        rahmen = QRect(100, 100, 10, 10);
        EXPECT_EQ(aufnehmen(), std::nullopt);
        rahmen = QRect(0, 0, 64, 48);

        portal.antwort = 1; // the user cancelled
        EXPECT_EQ(aufnehmen(), std::nullopt);
    }
}

} // namespace
} // namespace parlix::test
