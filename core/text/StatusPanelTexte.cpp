#include "core/text/StatusPanelTexte.hpp"

#include "core/text/Leerraum.hpp"
#include "core/text/Zeichen.hpp"

#include <algorithm>

namespace parlix::StatusPanelTexte {

QString statusLabel(AppZustand zustand) {
    switch (zustand) {
    case AppZustand::idle:
        return QStringLiteral("status.bereit");
    case AppZustand::aufnehmend:
        return QStringLiteral("status.hoere");
    case AppZustand::transkribierend:
        return QStringLiteral("status.denke");
    case AppZustand::einfuegend:
        return QStringLiteral("status.fuege");
    }
    return {};
}

QString kuerze(const QString& text, int max) {
    const QString getrimmt = text.trimmed();
    const QString anfang = ersteZeichen(getrimmt, std::max(max, 0));
    if (anfang.size() == getrimmt.size()) {
        return getrimmt;
    }
    // A blank never ends a longer cluster, so trimming the prefix cuts no character.
    return ohneBlanksUndTabs(anfang) + QChar(0x2026);
}

} // namespace parlix::StatusPanelTexte
