#pragma once

#include <QString>
#include <optional>

// What a running process tells about the application it belongs to, from /proc.
namespace parlix::ProzessKennung {

// The Flatpak or Snap id from the process's environment (FLATPAK_ID, SNAP_NAME).
std::optional<QString> paket(qint64 pid);

// The package id, else the name of the program file the process runs ("konsole",
// "gnome-terminal-server"; links resolved, so "x-terminal-emulator" gives the terminal
// it stands for); nothing for a process that is gone.
std::optional<QString> anwendung(qint64 pid);

// Whether the process holds the master side of a pseudo-terminal, as every terminal
// emulator does; nothing when its open files cannot be read (gone, another user's).
std::optional<bool> haeltTerminal(qint64 pid);

} // namespace parlix::ProzessKennung
