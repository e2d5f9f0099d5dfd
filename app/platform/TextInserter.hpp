#pragma once

#include <QString>
#include <chrono>

namespace parlix {

// Puts a finished text where the cursor is, through the clipboard and a paste keystroke.
class TextInserter {
public:
    static constexpr std::chrono::milliseconds kEinfuegenNach{60};
    static constexpr std::chrono::milliseconds kWiederherstellenNach{600};

    virtual ~TextInserter() = default;

    // Writes the text to the clipboard and returns at once; the paste keystroke follows
    // kEinfuegenNach later, and unless the setting "zwischenablageModus" was on at the
    // call, the previous plain text goes back on the clipboard kWiederherstellenNach after
    // that. Reports nothing.
    // Main thread.
    virtual void fuegeEin(const QString& text) = 0;
};

} // namespace parlix
