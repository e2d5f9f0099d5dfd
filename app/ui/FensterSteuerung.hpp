#pragma once

namespace parlix {

// The secondary windows (setup, settings, permissions, manual, sign-in), opened from
// start-up, the tray and the status panel. Each is created on first use, then reused and
// brought to the front. Main thread.
class FensterSteuerung {
public:
    virtual ~FensterSteuerung() = default;

    virtual void zeigeSetup() = 0;
    virtual void zeigeEinstellungen() = 0;
    virtual void zeigeOnboarding() = 0;
    virtual void zeigeHandbuch() = 0;
    virtual void zeigeLogin() = 0;
};

} // namespace parlix
