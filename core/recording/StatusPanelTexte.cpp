#include "core/recording/StatusPanelTexte.hpp"

#include "core/text/Zeichen.hpp"

#include <algorithm>

namespace parlix::StatusPanelTexte {

namespace {

// Blanks are spaces and tabs; line breaks are not blanks.
bool istLeerzeichen(QChar zeichen) {
    return zeichen == QLatin1Char('\t') || zeichen.category() == QChar::Separator_Space;
}

} // namespace

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
    // The text starts with a visible character, so only the end of the prefix can hold
    // blanks. A blank never ends a longer cluster, so dropping them cuts no character.
    qsizetype ende = anfang.size();
    while (ende > 0 && istLeerzeichen(anfang.at(ende - 1))) {
        --ende;
    }
    return anfang.left(ende) + QChar(0x2026);
}

} // namespace parlix::StatusPanelTexte
