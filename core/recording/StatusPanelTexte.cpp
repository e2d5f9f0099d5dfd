#include "core/recording/StatusPanelTexte.hpp"

#include <QList>
#include <QStringView>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace parlix::StatusPanelTexte {

namespace {

// Blanks are spaces and tabs; line breaks are not blanks.
bool istLeerzeichen(QChar zeichen) {
    return zeichen == QLatin1Char('\t') || zeichen.category() == QChar::Separator_Space;
}

bool bestehtAusLeerzeichen(QStringView zeichen) {
    return std::all_of(zeichen.begin(), zeichen.end(), istLeerzeichen);
}

// The end positions of the first `anzahl` grapheme clusters of `text` (fewer if the text
// is shorter).
QList<qsizetype> clusterEnden(const QString& text, qsizetype anzahl) {
    QList<qsizetype> enden;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (enden.size() < anzahl) {
        const qsizetype ende = finder.toNextBoundary();
        if (ende < 0) {
            break;
        }
        enden.append(ende);
    }
    return enden;
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
    const qsizetype grenze = std::max(max, 0);
    // One cluster more than fits tells whether the text is too long.
    QList<qsizetype> enden = clusterEnden(getrimmt, grenze + 1);
    if (enden.size() <= grenze) {
        return getrimmt;
    }
    enden.removeLast();
    // The text starts with a visible character, so only the end of the prefix can hold
    // blanks. They go cluster by cluster, so nothing is cut inside a character.
    while (!enden.isEmpty()) {
        const qsizetype anfang = enden.size() > 1 ? enden.at(enden.size() - 2) : 0;
        if (!bestehtAusLeerzeichen(QStringView(getrimmt).sliced(anfang, enden.last() - anfang))) {
            break;
        }
        enden.removeLast();
    }
    const qsizetype laenge = enden.isEmpty() ? 0 : enden.last();
    return getrimmt.left(laenge) + QChar(0x2026);
}

} // namespace parlix::StatusPanelTexte
