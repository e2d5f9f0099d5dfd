#pragma once

#include <QString>

namespace parlix {

// Text of the focused element of the frontmost application, read through the
// accessibility interface. Called on the pipeline thread; an implementation does its
// own main-thread work and may block the caller briefly. Failures give "".
class AXKontext {
public:
    virtual ~AXKontext() = default;

    // The selected text if there is any, else the element's whole value, else "".
    // Logs which of them it found.
    virtual QString text() = 0;

    // Only the selected text; "" when nothing is selected or there is no element.
    virtual QString auswahl() = 0;
};

} // namespace parlix
