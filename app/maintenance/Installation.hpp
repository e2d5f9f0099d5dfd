#pragma once

#include <QString>

namespace parlix {

// Where a program is installed and whether the updater may replace it. Only a per-user
// folder (the relocatable archive) is replaced: it carries the file `kennung`, and both
// the folder and the one holding it are writable. An installation of the Debian package
// (/usr) or a build tree never is; the package manager updates those.
struct Installation {
    // The folder that holds bin/parlix; empty when the program is not in such a layout.
    QString ordner;
    bool ersetzbar = false;

    // Inside an installation folder.
    static constexpr auto programm = "bin/parlix";
    static constexpr auto kennung = "share/parlix/benutzerinstallation";
    // The version of the program in the folder; an update's is covered by its signature.
    static constexpr auto versionDatei = "share/parlix/version";

    // The installation of the program at `programmPfad` (for this process: its
    // executable, QCoreApplication::applicationFilePath()).
    static Installation von(const QString& programmPfad);
    static Installation dieses();
};

} // namespace parlix
