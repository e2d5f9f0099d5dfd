#pragma once

#include <QString>

namespace parlix {

// The floating history panel as the recording coordinator drives it, for results that are
// shown instead of pasted.
class GlasVerlauf {
public:
    virtual ~GlasVerlauf() = default;

    // Shows the panel with the new result and puts the result on the clipboard; whether
    // the clipboard took it. Main thread.
    virtual bool zeigeNeuesErgebnis(const QString& text) = 0;
};

} // namespace parlix
