#pragma once

#include <QString>

namespace parlix {

// Where a program is installed and whether the updater may replace it. The swap replaces
// the whole folder, so only a per-user folder that Parlix owns alone qualifies: it
// carries the file `kennung`, every entry in it is one its manifest lists (as the
// per-user archive unpacks into a folder of its own), and both the folder and the one
// holding it are writable. An installation of the Debian package (/usr) or a build tree
// never is; the package manager updates those. Neither is a prefix shared with other
// files (`cmake --install --prefix ~/.local`, the archive unpacked into ~/.local).
struct Installation {
    // The folder that holds bin/parlix; empty when the program is not in such a layout.
    QString ordner;
    bool ersetzbar = false;
    // For a per-user folder that Parlix does not own alone: what gives that away (the
    // first entry it did not install, or the missing manifest). Empty otherwise.
    QString fremd;

    // Inside an installation folder.
    static constexpr auto programm = "bin/parlix";
    static constexpr auto kennung = "share/parlix/benutzerinstallation";
    // The version of the program in the folder; an update's is covered by its signature.
    static constexpr auto versionDatei = "share/parlix/version";

    // The installation of the program at `programmPfad` (for this process: its
    // executable, QCoreApplication::applicationFilePath()).
    static Installation von(const QString& programmPfad);
    static Installation dieses();
    // The same folder looked at again, as it is now.
    Installation erneut() const;
};

} // namespace parlix
