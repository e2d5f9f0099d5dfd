#pragma once

#include "app/platform/linux/TastenSender.hpp"
#include "app/platform/linux/XTastenTabelle.hpp"

#include <memory>

namespace parlix {

// A keyboard of our own in the kernel (/dev/uinput, writable only where a udev rule or
// the administrator allows it): keystrokes that every compositor takes as the user's own,
// without a question. The device sends key codes; the compositor applies the user's
// layout to them, so each keysym is looked up on that layout first.
class UinputTastatur final : public TastenSender {
public:
    // Writes key events to `geraet` (it closes it); `belegung` is the user's layout.
    UinputTastatur(int geraet, XTastenTabelle::Keysym belegung);
    ~UinputTastatur() override;
    UinputTastatur(const UinputTastatur&) = delete;
    UinputTastatur& operator=(const UinputTastatur&) = delete;

    // A new keyboard device through /dev/uinput; nothing when this user may not create one.
    static std::unique_ptr<UinputTastatur> erstelle(XTastenTabelle::Keysym belegung);

    // Each key down with a report, then each up in the reverse order, in one write. False
    // when a key is not on the layout or the write failed. Any thread.
    bool tippe(const Tastenkombination& taste) override;

private:
    int geraet_;
    XTastenTabelle::Keysym belegung_;
};

} // namespace parlix
