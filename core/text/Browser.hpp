#pragma once

#include <QSet>
#include <QString>
#include <optional>

// The browsers whose page text the action pipeline can read, by application id as the
// frontmost-window lookup reports it. The macOS bundle ids stay so that ids carried
// over from there keep their meaning; the Linux ids cover Firefox and the Chromium
// family under their desktop-file, Flatpak and WM_CLASS names.
namespace parlix::Browser {

inline const QString safari = QStringLiteral("com.apple.Safari");

// The Chromium family's macOS bundle ids.
const QSet<QString>& chromium();

// The Linux ids of Firefox and the Chromium family.
const QSet<QString>& fuerLinux();

// Safari, the Chromium family or one of the Linux ids; exact, case-sensitive match.
bool unterstuetzt(const std::optional<QString>& anwendungsID);

} // namespace parlix::Browser
