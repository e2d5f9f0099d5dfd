#pragma once

#include <QString>

namespace parlix {

// The outcome of one update check.
enum class UpdateErgebnis {
    aktuell,    // nothing newer
    gefunden,   // a newer version is being installed and the program is about to quit
    verfuegbar, // a newer version exists, but the package manager installs it
    verweigert, // a newer version exists, but the folder holds files Parlix did not install
    fehler,     // the check or the update failed
};

// The localisation key of the settings window's status line for the outcome.
QString statusSchluessel(UpdateErgebnis ergebnis);

} // namespace parlix
