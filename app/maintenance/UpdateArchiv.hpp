#pragma once

#include <QByteArray>
#include <QString>
#include <map>

// The zip archive of an update (libarchive).
namespace parlix::UpdateArchiv {

// Unpacks `archiv` into the existing, empty folder `ziel`. Every entry is checked before
// anything is written for it: a path that is absolute or has a ".." component, a link
// whose target is absolute or has a ".." component (so no chain of links can lead out),
// and anything but folders, files and such links are refused, as are archives that
// unpack to more than a few hundred megabytes. Throws UpdateVerworfen; what was written
// until then stays inside `ziel`. File modes are reduced to 0755 or 0644.
void entpacke(const QByteArray& archiv, const QString& ziel);

// Writes the folder `ordner` as a zip archive to `zielDatei`, every entry below the top
// folder `wurzel`, plus `zusatz` (name -> content) at the top of that folder in place of
// files of the same name. Throws UpdateVerworfen for a link or special file in `ordner`
// or when the archive cannot be written.
void packe(const QString& ordner, const QString& wurzel,
           const std::map<QString, QByteArray>& zusatz, const QString& zielDatei);

} // namespace parlix::UpdateArchiv
