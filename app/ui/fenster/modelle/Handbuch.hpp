#pragma once

#include <QList>
#include <QString>

namespace parlix {

// The built-in manual: one Markdown text per interface language (":/handbuch/<code>.md"),
// cut into sections at its "## " headings.
class Handbuch {
public:
    struct Abschnitt {
        QString titel;
        // The section's Markdown, heading included.
        QString text;
    };

    // The manual in the language, in English when there is none for it.
    static Handbuch lade(const QString& sprache);
    // From Markdown text; the part before the first "## " heading is the title.
    static Handbuch ausText(const QString& markdown);

    QString titel() const { return titel_; }
    const QList<Abschnitt>& abschnitte() const { return abschnitte_; }

    // The indices of the sections whose text holds every word of the query, ignoring
    // case; all sections for an empty query.
    QList<qsizetype> suche(const QString& anfrage) const;

private:
    QString titel_;
    QList<Abschnitt> abschnitte_;
};

} // namespace parlix
