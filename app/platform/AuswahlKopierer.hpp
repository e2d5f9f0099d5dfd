#pragma once

#include <QString>

namespace parlix {

// The frontmost application's selection, taken by simulating the copy shortcut.
class AuswahlKopierer {
public:
    virtual ~AuswahlKopierer() = default;

    // Copies, waits 140 ms and returns what the copy put on the clipboard ("" when it
    // changed nothing); the previous plain text is put back afterwards. Called on the
    // pipeline thread, which it blocks for the wait; the main thread stays free.
    virtual QString auswahlText() = 0;
};

} // namespace parlix
