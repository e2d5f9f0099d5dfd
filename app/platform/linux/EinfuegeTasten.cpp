#include "app/platform/linux/EinfuegeTasten.hpp"

#include "app/platform/ProzessKennung.hpp"
#include "app/platform/VordergrundApp.hpp"
#include "core/log/DateiLog.hpp"

#include <QSet>
#include <X11/keysym.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Desktop-file ids, Flatpak ids and WM_CLASS names, in lower case.
const QSet<QString>& terminals() {
    static const QSet<QString> ids{
        u"org.gnome.terminal"_s,
        u"gnome-terminal"_s,
        u"gnome-terminal-server"_s,
        u"org.gnome.console"_s,
        u"kgx"_s,
        u"org.gnome.ptyxis"_s,
        u"org.kde.konsole"_s,
        u"konsole"_s,
        u"xfce4-terminal"_s,
        u"org.xfce.terminal"_s,
        u"com.gexperts.tilix"_s,
        u"tilix"_s,
        u"kitty"_s,
        u"alacritty"_s,
        u"org.alacritty.alacritty"_s,
        u"org.wezfurlong.wezterm"_s,
        u"wezterm"_s,
        u"wezterm-gui"_s,
        u"foot"_s,
        u"footclient"_s,
        u"foot-server"_s,
        u"terminator"_s,
        u"mate-terminal"_s,
        u"lxterminal"_s,
        u"qterminal"_s,
        u"terminology"_s,
        u"com.raggesilver.blackbox"_s,
        u"st"_s,
        u"st-256color"_s,
        u"com.mitchellh.ghostty"_s,
        u"ghostty"_s,
        u"org.kde.yakuake"_s,
        u"yakuake"_s,
        u"guake"_s,
        u"org.guake.guake"_s,
        u"sakura"_s,
        u"cool-retro-term"_s,
        u"com.github.swordfish90.cool_retro_term"_s,
    };
    return ids;
}

const QSet<QString>& nurPrimaer() {
    static const QSet<QString> ids{u"xterm"_s, u"uxterm"_s, u"debian-xterm"_s, u"debian-uxterm"_s,
                                   u"urxvt"_s, u"rxvt"_s,   u"rxvt-unicode"_s, u"urxvtc"_s};
    return ids;
}

bool gelistet(const QString& id) {
    return nurPrimaer().contains(id) || terminals().contains(id);
}

} // namespace

EinfuegeTasten EinfuegeTasten::fuer(const std::optional<QString>& anwendungsID,
                                    std::optional<bool> terminal) {
    const QString id = anwendungsID.value_or(QString()).toLower();
    if (nurPrimaer().contains(id) || (!gelistet(id) && terminal == true)) {
        return {.einfuegen = {.umschalt = true, .keysym = XK_Insert},
                .kopieren = std::nullopt,
                .ueberPrimaer = true};
    }
    if (terminals().contains(id)) {
        return {.einfuegen = {.strg = true, .umschalt = true, .keysym = XK_v},
                .kopieren = Tastenkombination{.strg = true, .umschalt = true, .keysym = XK_c}};
    }
    if (!terminal) {
        return {.einfuegen = {.strg = true, .keysym = XK_v},
                .kopieren = std::nullopt,
                .ueberPrimaer = false,
                .artUnbekannt = true};
    }
    return {.einfuegen = {.strg = true, .keysym = XK_v},
            .kopieren = Tastenkombination{.strg = true, .keysym = XK_c}};
}

EinfuegeTasten EinfuegeTasten::fuer(VordergrundApp& vordergrund) {
    const std::optional<QString> id = vordergrund.anwendungsID();
    if (id && gelistet(id->toLower())) {
        return fuer(id, std::nullopt);
    }
    const std::optional<qint64> pid = vordergrund.prozess();
    return fuer(id, pid ? ProzessKennung::haeltTerminal(*pid) : std::nullopt);
}

std::optional<Tastenkombination> EinfuegeTasten::kopierTaste() const {
    if (artUnbekannt) {
        log().schreibe(u"Auswahl: Fensterart unbekannt, kein Strg+C (könnte ein Terminal "
                       u"unterbrechen) → Primärauswahl"_s);
    }
    return kopieren;
}

} // namespace parlix
