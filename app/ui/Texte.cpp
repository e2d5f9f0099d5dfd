#include "app/ui/Texte.hpp"

#include "core/settings/Einstellungen.hpp"
#include "core/text/Lokalisierung.hpp"

#include <mutex>
#include <optional>

namespace parlix {

namespace {

std::mutex sperre;
std::optional<QString> gemerkteSprache;

} // namespace

Texte::Texte(DefaultsStore& speicher)
    : speicher_(speicher) {}

QString Texte::sprache() const {
    std::lock_guard gesperrt(sperre);
    if (!gemerkteSprache) {
        gemerkteSprache = Einstellungen(speicher_).uiSprache();
    }
    return *gemerkteSprache;
}

void Texte::waehleSprache(const QString& code) {
    // Under the lock, so that no first reader can keep the code this call replaces.
    std::lock_guard gesperrt(sperre);
    Einstellungen(speicher_).setzeUiSprache(code);
    gemerkteSprache = code;
}

QString Texte::text(const QString& key) const {
    return Lokalisierung::text(key, sprache());
}

void Texte::vergissSprache() {
    std::lock_guard gesperrt(sperre);
    gemerkteSprache.reset();
}

} // namespace parlix
