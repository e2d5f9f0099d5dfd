#pragma once

#include "core/text/Textbaustein.hpp"

#include <QList>
#include <QString>

namespace parlix {

// The system prompt that makes the chat model edit a dictation rather than answer it.
namespace CleanupPrompt {

// The built-in base: nine rules in one German paragraph.
QString standard();

// What the prompt is made of, as the settings hold it.
struct Zutaten {
    // The base; standard() unless the user replaced it.
    QString basis;
    // Raw values of a Schreibstil and a DiktatProfil; either may name none.
    QString schreibstil;
    QString diktatProfil;
    bool appTonAktiv = true;
    // The profile's vocabulary and the user's, joined.
    QString vokabular;
    QList<Textbaustein> textbausteine;
};

// The base, then in this order the style line, the profile's domain
// line, the application's tone line (only without style and profile), the glossary and
// the snippets, each on its own line and each only when it has content.
QString baue(const Zutaten& zutaten, const QString& fuerApp);

} // namespace CleanupPrompt

} // namespace parlix
