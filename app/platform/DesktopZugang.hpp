#pragma once

#include <QString>

namespace parlix {

// What the desktop session lets Parlix do with other applications' windows. Main thread;
// each call looks afresh.
class DesktopZugang {
public:
    virtual ~DesktopZugang() = default;

    // A Wayland session: global keys, synthetic input and window capture of other
    // applications are not available to an X11 client there.
    virtual bool istWayland() = 0;
    // Global key events and synthetic keystrokes can be had (the display offers both).
    virtual bool tastenUndEingabe() = 0;
    // The active window's content can be captured.
    virtual bool fensterAufnahme() = 0;
    // Where it cannot: the text key that tells the user the one thing to do on this
    // desktop; empty for the general advice.
    virtual QString aufnahmeHinweis() { return {}; }
    // Where global keys are missing although keystrokes can be sent (a Wayland desktop
    // without a shortcuts portal): the key of the text that tells the user the one thing
    // to do; "" where nothing is missing.
    virtual QString tastenHinweis() { return {}; }
};

} // namespace parlix
