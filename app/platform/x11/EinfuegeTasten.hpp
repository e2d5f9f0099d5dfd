#pragma once

#include "app/platform/x11/Tastenkombination.hpp"

#include <QString>
#include <optional>

namespace parlix {

// Which keys paste and copy in the frontmost application. Terminals use Ctrl+V and
// Ctrl+C for the shell, so they paste with Ctrl+Shift+V and copy with Ctrl+Shift+C;
// xterm and urxvt have no clipboard keys at all: Shift+Insert pastes the primary
// selection there, and a selection is on the primary selection as soon as it is made.
struct EinfuegeTasten {
    Tastenkombination einfuegen;
    // Absent: the application copies its selection to the primary selection by itself.
    std::optional<Tastenkombination> kopieren;
    // Whether the text to paste must also be on the primary selection.
    bool ueberPrimaer = false;

    // By application id (case does not matter); no id: an ordinary application.
    static EinfuegeTasten fuer(const std::optional<QString>& anwendungsID);
};

} // namespace parlix
