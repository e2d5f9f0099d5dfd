#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <optional>

// Files that are replaced as a whole or not at all: settings, the saved output volume,
// the autostart entry.
namespace parlix::AtomareDatei {

// Replaces the file at `pfad` with `inhalt` as a whole or not at all: the bytes go to a
// new file beside it, which is renamed over the old one only when every write and the
// flush succeeded (QSaveFile alone can commit a short write or a failed flush, seen on
// a full disk, and put a truncated file in place of the old one). Creates the folder.
// The reason of a failure, else nothing; the old file is then untouched.
std::optional<QString> schreibe(const QString& pfad, const QByteArray& inhalt,
                                QFileDevice::Permissions rechte);

} // namespace parlix::AtomareDatei
