#pragma once

#include <QString>

namespace parlix {

// Starting at login through an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/com.orvand.parlix.desktop, which desktops start at login.
// Called by the settings window's switch; its state is whether the file exists.
class Autostart {
public:
    static QString pfad();
    static bool istAktiv();

    // Writes the entry for `programm` (this program's executable when not given),
    // atomically, replacing an earlier one. Logs.
    static void aktiviere(const QString& programm = {});
    // Removes the entry if there is one. Logs in any case.
    static void deaktiviere();

    // The entry's text. Exec holds the path as one quoted argument by the Desktop Entry
    // rules, so spaces, &, $, ", `, \ and % in it survive.
    static QString eintrag(const QString& programm);
};

} // namespace parlix
