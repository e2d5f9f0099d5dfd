#include "app/platform/x11/EinfuegeTasten.hpp"

#include <X11/keysym.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(EinfuegeTasten, TerminalsUndXtermHabenIhreEigenenTasten) {
    const Tastenkombination strgV{.strg = true, .keysym = XK_v};
    const Tastenkombination strgUmschaltV{.strg = true, .umschalt = true, .keysym = XK_v};
    const Tastenkombination umschaltEinfg{.umschalt = true, .keysym = XK_Insert};

    EXPECT_EQ(EinfuegeTasten::fuer(u"org.gnome.TextEditor"_s).einfuegen, strgV);
    EXPECT_EQ(EinfuegeTasten::fuer(std::nullopt).kopieren,
              (Tastenkombination{.strg = true, .keysym = XK_c}));
    for (const QString& terminal : {u"org.gnome.Terminal"_s, u"org.kde.konsole"_s, u"kitty"_s,
                                    u"Alacritty"_s, u"org.wezfurlong.wezterm"_s}) {
        const EinfuegeTasten tasten = EinfuegeTasten::fuer(terminal);
        EXPECT_EQ(tasten.einfuegen, strgUmschaltV) << terminal.toStdString();
        EXPECT_FALSE(tasten.ueberPrimaer);
    }
    const EinfuegeTasten xterm = EinfuegeTasten::fuer(u"debian-xterm"_s);
    EXPECT_EQ(xterm.einfuegen, umschaltEinfg);
    EXPECT_TRUE(xterm.ueberPrimaer);
    EXPECT_FALSE(xterm.kopieren.has_value());
}

} // namespace
} // namespace parlix::test
