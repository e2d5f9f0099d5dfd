#include "app/ui/fenster/modelle/Handbuch.hpp"

#include <QFile>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QString liesRessource(const QString& sprache) {
    QFile datei(u":/handbuch/"_s + sprache + u".md"_s);
    return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
}

} // namespace

Handbuch Handbuch::lade(const QString& sprache) {
    QString text = liesRessource(sprache);
    if (text.isEmpty()) {
        text = liesRessource(u"en"_s);
    }
    return ausText(text);
}

Handbuch Handbuch::ausText(const QString& markdown) {
    Handbuch handbuch;
    Abschnitt* aktuell = nullptr;
    for (const QString& zeile : markdown.split(u'\n')) {
        if (zeile.startsWith(u"## "_s)) {
            handbuch.abschnitte_.append({zeile.mid(3).trimmed(), zeile + u'\n'});
            aktuell = &handbuch.abschnitte_.last();
        } else if (aktuell != nullptr) {
            aktuell->text += zeile + u'\n';
        } else if (zeile.startsWith(u"# "_s)) {
            handbuch.titel_ = zeile.mid(2).trimmed();
        }
    }
    return handbuch;
}

QList<qsizetype> Handbuch::suche(const QString& anfrage) const {
    const QStringList woerter = anfrage.split(u' ', Qt::SkipEmptyParts);
    QList<qsizetype> treffer;
    for (qsizetype i = 0; i < abschnitte_.size(); ++i) {
        const bool passt = std::all_of(woerter.cbegin(), woerter.cend(), [&](const QString& wort) {
            return abschnitte_[i].text.contains(wort, Qt::CaseInsensitive);
        });
        if (passt) {
            treffer.append(i);
        }
    }
    return treffer;
}

} // namespace parlix
