#pragma once

#include <QByteArray>
#include <QString>

// Writing files at fixed paths in a directory that other users share (/tmp): the file is
// opened without following symbolic links, created with mode 0600 and written only when
// it is a regular file owned by us with a single link (no hard link planted at the
// path); an existing one is made private (0600) first. A FIFO planted at the path never
// blocks the caller.
namespace parlix::PrivateDatei {

// Appends the bytes. False when the file could not be opened safely or written whole.
bool haengeAn(const QString& pfad, const QByteArray& bytes);

// Replaces the file's content with the bytes; same checks. A file that fails them is
// left untouched (it is checked before it is emptied).
bool ersetze(const QString& pfad, const QByteArray& bytes);

} // namespace parlix::PrivateDatei
