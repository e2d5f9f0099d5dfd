#pragma once

#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>

namespace parlix {

// The six languages of the interface and of dictation.
struct Sprache {
    enum class Fall { deutsch, englisch, franzoesisch, spanisch, japanisch, chinesisch };

    Fall fall;
    // "deutsch", "englisch", ...
    QStringView id;
    // Two-letter code: "de", "en", ...
    QStringView code;
    // The language's own name: "Deutsch", "English", "日本語", ...
    QStringView anzeige;

    bool operator==(const Sprache& andere) const { return fall == andere.fall; }

    static std::span<const Sprache> alle();
    // The first language whose code equals the given one exactly.
    static std::optional<Sprache> aus(QStringView code);

    // The user's first preferred language (LANGUAGE, else LC_ALL / LC_MESSAGES / LANG);
    // English when it is none of the six.
    static Sprache system();
    // The same for a given preference list ("pt-BR", "de-DE", ...): only the first
    // entry's first two letters count.
    static Sprache system(const QStringList& bevorzugt);
};

} // namespace parlix
