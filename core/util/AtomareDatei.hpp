#pragma once

#include <QByteArray>
#include <QString>

// Files that are replaced as a whole or not at all (settings, the saved output volume).
namespace parlix::AtomareDatei {

// Writes the bytes to a new file beside `pfad` and puts it in place of the old one only
// when every byte has been written and flushed; otherwise the old file stays untouched.
// Creates the folder; the file is readable and writable by its owner only. False when
// anything failed (a full disk, say); the caller reports it.
bool ersetze(const QString& pfad, const QByteArray& inhalt);

} // namespace parlix::AtomareDatei
