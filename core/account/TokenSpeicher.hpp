#pragma once

#include <QString>
#include <optional>

namespace parlix {

// The stored sign-in token: one file holding the token as UTF-8 and nothing else,
// readable and writable by the owner only. Read afresh by every service call.
namespace TokenSpeicher {

// "$XDG_DATA_HOME/com.orvand.parlix/token"
QString datei();

// The token without surrounding white space; nothing if the file is missing,
// unreadable, not a regular file (a symbolic link is not followed) or blank.
std::optional<QString> lese(const QString& pfad = datei());

// Writes the token atomically: a private file (mode 0600 from its creation on) is
// filled and renamed over the old one, so readers see the old or the new token and
// nobody else can read either. The folder is created private if missing. False when the
// token could not be stored (the old file, if any, is then left as it was).
bool setze(const QString& token, const QString& pfad = datei());

// Removes the file; a missing file is fine.
void loesche(const QString& pfad = datei());

} // namespace TokenSpeicher

} // namespace parlix
