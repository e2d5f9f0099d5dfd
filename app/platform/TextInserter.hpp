#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace parlix {

// Puts a finished text where the cursor is, through the clipboard and a paste keystroke.
class TextInserter {
public:
    static constexpr std::chrono::milliseconds kEinfuegenNach{60};
    static constexpr std::chrono::milliseconds kWiederherstellenNach{600};

    // How an insertion ended.
    enum class Ergebnis {
        eingefuegt,
        // The text waits on the clipboard: nothing here could post the paste key, the
        // user pastes by hand.
        nurKopiert,
        // The clipboard did not take the text; nothing was pasted.
        fehlgeschlagen,
    };
    using Rueckmeldung = std::function<void(Ergebnis)>;

    virtual ~TextInserter() = default;

    // Writes the text to the clipboard and returns at once; the paste keystroke follows
    // kEinfuegenNach later, and unless the setting "zwischenablageModus" was on at the
    // call, the previous plain text goes back on the clipboard kWiederherstellenNach after
    // that. `fertig` (may be empty) learns how it ended, once, on the main thread.
    // Main thread.
    virtual void fuegeEin(const QString& text, Rueckmeldung fertig) = 0;
};

} // namespace parlix
