#pragma once

#include <QFileInfo>
#include <QString>
#include <functional>

// A program folder as an update carries it: folders and regular files only.
namespace parlix::Programmordner {

// Calls `besuche` for every folder and file below `ordner` with its path relative to
// `ordner`. Throws UpdateVerworfen at a link or a special file, so nothing that is not
// listed can redirect a listed path.
void durchlaufe(const QString& ordner,
                const std::function<void(const QString& pfad, const QFileInfo& info)>& besuche);

} // namespace parlix::Programmordner
