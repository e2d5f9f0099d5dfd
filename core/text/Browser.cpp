#include "core/text/Browser.hpp"

using namespace Qt::StringLiterals;

namespace parlix::Browser {

const QSet<QString>& chromium() {
    static const QSet<QString> ids{
        u"com.google.Chrome"_s,          u"com.brave.Browser"_s,   u"com.microsoft.edgemac"_s,
        u"company.thebrowser.Browser"_s, u"com.vivaldi.Vivaldi"_s, u"com.operasoftware.Opera"_s,
    };
    return ids;
}

const QSet<QString>& fuerLinux() {
    static const QSet<QString> ids{
        u"firefox"_s,
        u"org.mozilla.firefox"_s,
        u"Navigator"_s,
        u"firefox-esr"_s,
        u"chromium"_s,
        u"chromium-browser"_s,
        u"Chromium"_s,
        u"org.chromium.Chromium"_s,
        u"google-chrome"_s,
        u"Google-chrome"_s,
        u"com.google.Chrome"_s,
        u"brave-browser"_s,
        u"Brave-browser"_s,
        u"com.brave.Browser"_s,
        u"microsoft-edge"_s,
        u"Microsoft-edge"_s,
        u"com.microsoft.Edge"_s,
        u"vivaldi-stable"_s,
        u"Vivaldi-stable"_s,
        u"com.vivaldi.Vivaldi"_s,
        u"opera"_s,
        u"Opera"_s,
    };
    return ids;
}

bool unterstuetzt(const std::optional<QString>& anwendungsID) {
    if (!anwendungsID) {
        return false;
    }
    const QString& id = *anwendungsID;
    return id == safari || chromium().contains(id) || fuerLinux().contains(id);
}

} // namespace parlix::Browser
