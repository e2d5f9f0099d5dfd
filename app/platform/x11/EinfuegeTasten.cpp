#include "app/platform/x11/EinfuegeTasten.hpp"

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
    };
    return ids;
}

const QSet<QString>& nurPrimaer() {
    static const QSet<QString> ids{u"xterm"_s, u"uxterm"_s, u"debian-xterm"_s, u"debian-uxterm"_s,
                                   u"urxvt"_s, u"rxvt"_s,   u"rxvt-unicode"_s, u"urxvtc"_s};
    return ids;
}

} // namespace

EinfuegeTasten EinfuegeTasten::fuer(const std::optional<QString>& anwendungsID) {
    const QString id = anwendungsID.value_or(QString()).toLower();
    if (nurPrimaer().contains(id)) {
        return {{.umschalt = true, .keysym = XK_Insert}, std::nullopt, true};
    }
    if (terminals().contains(id)) {
        return {{.strg = true, .umschalt = true, .keysym = XK_v},
                Tastenkombination{.strg = true, .umschalt = true, .keysym = XK_c},
                false};
    }
    return {{.strg = true, .keysym = XK_v}, Tastenkombination{.strg = true, .keysym = XK_c}, false};
}

} // namespace parlix
