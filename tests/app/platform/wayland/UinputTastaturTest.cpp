// Keystrokes of our own uinput keyboard, written to a pipe in place of /dev/uinput and
// read back as the kernel would take them.
#include "app/platform/wayland/uinput/UinputTastatur.hpp"

#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <QList>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <tuple>
#include <unistd.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace parlix::test {
namespace {

using Ereignis = std::tuple<quint16, quint16, qint32>;

QList<Ereignis> gelesen(int fd) {
    QList<Ereignis> ereignisse;
    input_event e{};
    while (read(fd, &e, sizeof e) == static_cast<ssize_t>(sizeof e)) {
        ereignisse.append({e.type, e.code, e.value});
    }
    return ereignisse;
}

TEST(UinputTastaturTest, DerAkkordKommtAufDerBelegungDesNutzersMitEinemBerichtJeTaste) {
    // On Dvorak the v is where QWERTY has the full stop.
    GesetzteUmgebung umgebung;
    umgebung.setze("XKB_DEFAULT_LAYOUT", "us");
    umgebung.setze("XKB_DEFAULT_VARIANT", "dvorak");
    int rohr[2];
    ASSERT_EQ(pipe(rohr), 0);
    {
        UinputTastatur tastatur(rohr[1], EvdevTastenQuelle::vorgabeBelegung());
        ASSERT_TRUE(tastatur.tippe({.strg = true, .umschalt = true, .keysym = XKB_KEY_v}));
        // A symbol no key of the layout has sends nothing at all.
        EXPECT_FALSE(tastatur.tippe({.strg = true, .keysym = XKB_KEY_Greek_alpha}));
    }
    const Ereignis bericht{EV_SYN, SYN_REPORT, 0};
    EXPECT_EQ(gelesen(rohr[0]), (QList<Ereignis>{{EV_KEY, KEY_LEFTCTRL, 1},
                                                 bericht,
                                                 {EV_KEY, KEY_LEFTSHIFT, 1},
                                                 bericht,
                                                 {EV_KEY, KEY_DOT, 1},
                                                 bericht,
                                                 {EV_KEY, KEY_DOT, 0},
                                                 bericht,
                                                 {EV_KEY, KEY_LEFTSHIFT, 0},
                                                 bericht,
                                                 {EV_KEY, KEY_LEFTCTRL, 0},
                                                 bericht}));
    close(rohr[0]);
}

} // namespace
} // namespace parlix::test
