#include "app/platform/linux/EinfuegeTasten.hpp"

#include <X11/keysym.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

const Tastenkombination kStrgV{.strg = true, .keysym = XK_v};
const Tastenkombination kStrgUmschaltV{.strg = true, .umschalt = true, .keysym = XK_v};
const Tastenkombination kUmschaltEinfg{.umschalt = true, .keysym = XK_Insert};

TEST(EinfuegeTasten, TerminalsUndXtermHabenIhreEigenenTasten) {
    EXPECT_EQ(EinfuegeTasten::fuer(u"org.gnome.TextEditor"_s, false).einfuegen, kStrgV);
    EXPECT_EQ(EinfuegeTasten::fuer(u"org.gnome.TextEditor"_s, false).kopieren,
              (Tastenkombination{.strg = true, .keysym = XK_c}));
    // The list decides before the process: a listed terminal whose process could not be
    // read, and one that runs its terminals in a server process.
    for (const QString& terminal :
         {u"org.gnome.Terminal"_s, u"org.kde.konsole"_s, u"kitty"_s, u"Alacritty"_s,
          u"org.wezfurlong.wezterm"_s, u"st-256color"_s, u"com.mitchellh.ghostty"_s, u"Yakuake"_s,
          u"Guake"_s, u"sakura"_s, u"cool-retro-term"_s}) {
        for (const std::optional<bool> prozess : {std::optional<bool>(), std::optional(false)}) {
            const EinfuegeTasten tasten = EinfuegeTasten::fuer(terminal, prozess);
            EXPECT_EQ(tasten.einfuegen, kStrgUmschaltV) << terminal.toStdString();
            EXPECT_EQ(tasten.kopieren,
                      (Tastenkombination{.strg = true, .umschalt = true, .keysym = XK_c}));
            EXPECT_FALSE(tasten.ueberPrimaer);
        }
    }
    const EinfuegeTasten xterm = EinfuegeTasten::fuer(u"debian-xterm"_s, std::nullopt);
    EXPECT_EQ(xterm.einfuegen, kUmschaltEinfg);
    EXPECT_TRUE(xterm.ueberPrimaer);
    EXPECT_FALSE(xterm.kopieren.has_value());
}

TEST(EinfuegeTasten, OhneBekannteArtWirdNieStrgCGesendet) {
    // An unlisted terminal, known by its process: the keys every terminal has.
    const EinfuegeTasten terminal = EinfuegeTasten::fuer(u"Unbekannt"_s, true);
    EXPECT_EQ(terminal.einfuegen, kUmschaltEinfg);
    EXPECT_TRUE(terminal.ueberPrimaer);
    EXPECT_FALSE(terminal.kopieren.has_value());
    // Nothing known: the ordinary paste, but no copy key.
    for (const std::optional<QString>& id : {std::optional<QString>(), std::optional(u"Spiel"_s)}) {
        const EinfuegeTasten tasten = EinfuegeTasten::fuer(id, std::nullopt);
        EXPECT_EQ(tasten.einfuegen, kStrgV);
        EXPECT_FALSE(tasten.kopieren.has_value());
        EXPECT_TRUE(tasten.artUnbekannt);
    }
}

} // namespace
} // namespace parlix::test
