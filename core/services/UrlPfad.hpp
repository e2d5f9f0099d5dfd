#pragma once

#include <QString>
#include <QUrl>

namespace parlix {

// `basis` with `pfad` appended as a path component: exactly one slash between the
// base path and `pfad`; query and fragment of `basis` are kept.
QUrl mitPfad(const QUrl& basis, const QString& pfad);

} // namespace parlix
