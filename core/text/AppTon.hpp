#pragma once

#include <QString>

namespace parlix {

// The tone line of the cleanup prompt chosen by the application the text goes into:
// chat apps get a casual tone, mail apps a polite one, developer tools a terse one.
namespace AppTon {

// The application id is matched exactly and case-sensitively against the macOS bundle
// ids and the Linux ids (desktop-file and Flatpak ids, WM_CLASS names) of the same
// apps; empty (no application) or unknown gives "".
QString hinweis(const QString& fuerApp);

} // namespace AppTon

} // namespace parlix
