#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace parlix {

class DefaultsStore;

// Which backend Parlix uses, as the user chose it: the local server Parlix runs itself
// (the choice of a new installation), or a hosted backend at a root URL. Stored as
// "backendArt" ("lokal" or "gehostet") and "backendURL"; every start reads it, so the
// login start, the restart after an update and the menu entry all use the same one.
struct BackendWahl {
    enum class Art { lokal, gehostet };

    Art art = Art::lokal;
    // Hosted only; empty: the vendor's root built into the program.
    QUrl url;

    static BackendWahl lies(const DefaultsStore& speicher);
    void speichere(DefaultsStore& speicher) const;

    // A hosted root as the user typed it: https, or http only to this computer (tokens
    // and passwords never travel in clear), with a host, without query or fragment. The
    // root, or the localisation key of what is wrong.
    struct Pruefung {
        std::optional<QUrl> wurzel;
        QString fehlerKey;
    };
    static Pruefung pruefe(const QString& eingabe);
};

} // namespace parlix
