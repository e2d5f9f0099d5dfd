#pragma once

// The text of a web document as its accessible tree holds it. Only the files of this
// folder include this header; it runs on the accessibility thread.

#include <QString>
#include <atspi/atspi.h>
#include <chrono>

namespace parlix::AtspiDokumentText {

// Where a browser's or a rich-text field's text interface holds a child element (a
// paragraph, a link), its text has this character; the children are exposed in the
// same order.
inline constexpr char16_t kEingebettet = u'\uFFFC';

// The document's text in reading order, one line per block (paragraph, heading, list
// item, table row ...), blank lines dropped. A page too large to read by `ende` gives
// what was read until then.
QString lies(AtspiAccessible* dokument, std::chrono::steady_clock::time_point ende);

// The same for the selected part of an element: its first selected range, where each
// element embedded in it gives its own selected part (all of it when it reports none).
QString auswahl(AtspiAccessible* element, std::chrono::steady_clock::time_point ende);

} // namespace parlix::AtspiDokumentText
