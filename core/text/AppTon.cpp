#include "core/text/AppTon.hpp"

#include <QSet>

using namespace Qt::StringLiterals;

namespace parlix::AppTon {

namespace {

const QSet<QString>& locker() {
    static const QSet<QString> ids{
        // macOS
        u"com.tinyspeck.slackmacgap"_s, u"com.hnc.Discord"_s, u"net.whatsapp.WhatsApp"_s,
        u"WhatsApp"_s, u"desktop.WhatsApp"_s, u"com.apple.MobileSMS"_s, u"ru.keepcoder.Telegram"_s,
        u"org.telegram.desktop"_s, u"com.facebook.archon"_s,
        // Linux
        u"com.slack.Slack"_s, u"Slack"_s, u"slack"_s, u"com.discordapp.Discord"_s, u"discord"_s,
        u"TelegramDesktop"_s, u"telegram-desktop"_s, u"org.signal.Signal"_s, u"signal"_s,
        u"Signal"_s, u"whatsapp-for-linux"_s, u"com.github.eneshecan.WhatsAppForLinux"_s};
    return ids;
}

const QSet<QString>& foermlich() {
    static const QSet<QString> ids{
        // macOS
        u"com.apple.mail"_s, u"com.microsoft.Outlook"_s, u"com.readdle.smartemail-Mac"_s,
        u"it.bloop.airmail2"_s, u"com.CanaryMail"_s,
        // Linux
        u"org.mozilla.Thunderbird"_s, u"thunderbird"_s, u"org.gnome.Evolution"_s, u"evolution"_s,
        u"org.kde.kmail2"_s, u"kmail"_s, u"com.getmailspring.Mailspring"_s, u"Mailspring"_s,
        u"geary"_s, u"org.gnome.Geary"_s};
    return ids;
}

const QSet<QString>& technisch() {
    static const QSet<QString> ids{
        // macOS
        u"com.apple.Terminal"_s, u"com.googlecode.iterm2"_s, u"com.apple.dt.Xcode"_s,
        u"com.microsoft.VSCode"_s, u"com.microsoft.VSCodeInsiders"_s, u"dev.warp.Warp-Stable"_s,
        u"com.jetbrains.intellij"_s,
        // Linux
        u"org.gnome.Terminal"_s, u"gnome-terminal-server"_s, u"org.gnome.Console"_s, u"kgx"_s,
        u"org.kde.konsole"_s, u"konsole"_s, u"kitty"_s, u"Alacritty"_s, u"org.wezfurlong.wezterm"_s,
        u"xterm"_s, u"XTerm"_s, u"com.visualstudio.code"_s, u"code"_s, u"Code"_s, u"code-oss"_s,
        u"jetbrains-idea"_s, u"jetbrains-idea-ce"_s, u"com.jetbrains.IntelliJ-IDEA-Community"_s,
        u"jetbrains-pycharm"_s, u"jetbrains-clion"_s};
    return ids;
}

} // namespace

QString hinweis(const QString& fuerApp) {
    if (locker().contains(fuerApp)) {
        return u"Kontext-Ton: Chat-Nachricht — locker und natürlich, kurze Sätze, ruhig "
               u"umgangssprachlich, ohne Förmlichkeit."_s;
    }
    if (foermlich().contains(fuerApp)) {
        return u"Kontext-Ton: E-Mail — höflich und professionell, vollständige Sätze, klare "
               u"Struktur."_s;
    }
    if (technisch().contains(fuerApp)) {
        return u"Kontext-Ton: technisches Umfeld — knapp und sachlich, Fachbegriffe und "
               u"Code-Bezeichner unangetastet."_s;
    }
    return {};
}

} // namespace parlix::AppTon
