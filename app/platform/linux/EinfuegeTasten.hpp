#pragma once

#include "app/platform/linux/Tastenkombination.hpp"

#include <QString>
#include <optional>

namespace parlix {

class VordergrundApp;

// Which keys paste and copy in the frontmost application. Terminals use Ctrl+V and
// Ctrl+C for the shell (Ctrl+C interrupts the user's job), so the known ones paste with
// Ctrl+Shift+V and copy with Ctrl+Shift+C; xterm and urxvt have no clipboard keys at
// all: Shift+Insert pastes the primary selection there, and a selection is on the
// primary selection as soon as it is made. A terminal that is not on the list is known
// by its process and treated like xterm, since every terminal pastes the primary
// selection with Shift+Insert but not every one copies with Ctrl+Shift+C.
struct EinfuegeTasten {
    Tastenkombination einfuegen;
    // Absent: the application copies its selection to the primary selection by itself.
    std::optional<Tastenkombination> kopieren;
    // Whether the text to paste must also be on the primary selection.
    bool ueberPrimaer = false;
    // Nothing tells whether the window is a terminal: no copy key is sent, as Ctrl+C
    // could interrupt a job; the selection is read from the primary selection instead.
    bool artUnbekannt = false;

    // `kopieren`, for a copy about to be made; says in the log when the selection is
    // read without a copy key because the window's kind is unknown.
    std::optional<Tastenkombination> kopierTaste() const;

    // By application id (case does not matter), else by whether the window's process is
    // a terminal (`terminal`; nothing when that cannot be known).
    static EinfuegeTasten fuer(const std::optional<QString>& anwendungsID,
                               std::optional<bool> terminal);
    // For the active window: by its id, and when the id is not on the lists, by its
    // process. On the thread `vordergrund` wants.
    static EinfuegeTasten fuer(VordergrundApp& vordergrund);
};

} // namespace parlix
