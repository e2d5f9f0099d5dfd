#pragma once

#include "app/platform/linux/TastenSender.hpp"
#include "app/platform/linux/XTastenTabelle.hpp"

struct org_kde_kwin_fake_input;

namespace parlix {

class WaylandVerbindung;

// Keys through KWin's fake-input interface: KWin offers it, without a question, only to a
// program whose desktop entry names it in X-KDE-Wayland-Interfaces, and drops the keys of
// a client that has not introduced itself first. The keys are kernel key codes that KWin
// reads with the user's layout, so each keysym is looked up on that layout first.
class KWinTastatur final : public TastenSender {
public:
    KWinTastatur(WaylandVerbindung& verbindung, XTastenTabelle::Keysym belegung);
    ~KWinTastatur() override;
    KWinTastatur(const KWinTastatur&) = delete;
    KWinTastatur& operator=(const KWinTastatur&) = delete;

    // KWin let us bind the interface.
    bool bereit() const { return eingabe_ != nullptr; }

    // Each key down, then each up in the reverse order; returns once KWin has taken them.
    // False when a key is not on the layout or KWin did not answer. Any thread except the
    // connection's.
    bool tippe(const Tastenkombination& taste) override;

private:
    WaylandVerbindung& verbindung_;
    XTastenTabelle::Keysym belegung_;
    org_kde_kwin_fake_input* eingabe_ = nullptr;
};

} // namespace parlix
