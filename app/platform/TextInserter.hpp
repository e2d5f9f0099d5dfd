#pragma once

#include <QString>

namespace parlix {

// Puts a finished text where the cursor is, through the clipboard and a paste keystroke.
class TextInserter {
public:
    virtual ~TextInserter() = default;

    // Writes the text to the clipboard and returns at once; the paste keystroke follows
    // 60 ms later, and unless the setting "zwischenablageModus" was on at the call, the
    // previous plain text goes back on the clipboard 600 ms after that. Reports nothing.
    // Main thread.
    virtual void fuegeEin(const QString& text) = 0;
};

} // namespace parlix
