#pragma once

#include <QString>

namespace parlix {

// The desktop's clipboard as the place where the user finds a text to paste by hand: a
// result shown in the history panel, a copy button. It is the clipboard the paste
// itself uses, which on Wayland takes a text without a focused window of ours.
class Kopierablage {
public:
    virtual ~Kopierablage() = default;

    // Puts the plain text on the clipboard, where it stays; whether the clipboard took it.
    // Main thread.
    virtual bool kopiere(const QString& text) = 0;
};

} // namespace parlix
