#pragma once

#include <QString>

namespace parlix {

class DefaultsStore;

// The user-visible texts of the running process, in its interface language.
//
// The language is read from the "uiSprache" setting the first time it is needed and
// then kept for the life of the process: a change in the settings window applies after
// a restart. Only waehleSprache (the first-run setup) changes the kept language, and
// it stores the code at the same time. The kept language is shared by all Texte
// objects and safe to read from any thread.
class Texte {
public:
    explicit Texte(DefaultsStore& speicher);

    QString sprache() const;
    void waehleSprache(const QString& code);

    // The key's text in sprache() from the built-in tables (see Lokalisierung).
    QString text(const QString& key) const;

    // Forgets the kept language, so that the next use reads the setting again; for tests.
    static void vergissSprache();

private:
    DefaultsStore& speicher_;
};

} // namespace parlix
