#pragma once

// Walking the accessibility tree. Only the files of this folder include this header;
// every function runs on the accessibility thread (see AtspiVerbindung).

#include <QString>
#include <atspi/atspi.h>
#include <chrono>
#include <memory>
#include <optional>

namespace parlix::AtspiBaum {

struct Freigabe {
    void operator()(AtspiAccessible* knoten) const { g_object_unref(knoten); }
};
// One reference to an accessible object.
using Knoten = std::unique_ptr<AtspiAccessible, Freigabe>;

using Uhr = std::chrono::steady_clock;

// The visible top-level window that has the keyboard focus (state "active"), of any
// application on the accessibility bus, GNOME Shell's own only when no other application
// reports one; none when none does.
Knoten aktivesFenster();

// The element inside `fenster` that has the focus; none when none is found by `ende`.
Knoten fokussiertesElement(AtspiAccessible* fenster, Uhr::time_point ende);

// The showing web document inside `fenster` (the current tab); none if there is none.
Knoten sichtbaresDokument(AtspiAccessible* fenster, Uhr::time_point ende);

// The role's name as the bus reports it ("entry", "text"); "?" when it has none.
QString rolle(AtspiAccessible* knoten);

// The whole text and the first selected range of an element with the text interface;
// "" without one.
QString ganzerText(AtspiAccessible* knoten);
QString auswahl(AtspiAccessible* knoten);

// The first selected range, in characters; nothing when nothing is selected.
struct Bereich {
    int von = 0;
    int bis = 0;
};
std::optional<Bereich> auswahlBereich(AtspiAccessible* knoten);

} // namespace parlix::AtspiBaum
