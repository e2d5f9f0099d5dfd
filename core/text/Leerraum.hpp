#pragma once

#include <QString>

namespace parlix {

// Trims blanks (every Unicode space separator, e.g. also the no-break space) and tabs
// from both ends, but keeps line feeds: a trigger or snippet made of a line feed is
// deliberate content.
QString ohneBlanksUndTabs(const QString& text);

} // namespace parlix
