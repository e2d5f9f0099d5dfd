#pragma once

// The text of a web document as its accessible tree holds it. Only the files of this
// folder include this header; it runs on the accessibility thread.

#include <QString>
#include <atspi/atspi.h>
#include <chrono>

namespace parlix::AtspiDokumentText {

// The document's text in reading order, one line per block (paragraph, heading, list
// item, table row ...), blank lines dropped. A page too large to read by `ende` gives
// what was read until then.
QString lies(AtspiAccessible* dokument, std::chrono::steady_clock::time_point ende);

} // namespace parlix::AtspiDokumentText
