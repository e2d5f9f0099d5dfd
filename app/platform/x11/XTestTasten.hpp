#pragma once

#include "app/platform/linux/TastenSender.hpp"

#include <memory>

namespace parlix {

// Posts shortcuts to the focused window through the XTEST extension, on a connection
// of its own. Key codes are looked up from the keysym in the layout in force at the
// call (layouts put "v" on different keys). One thread at a time.
class XTestTasten final : public TastenSender {
public:
    XTestTasten();
    ~XTestTasten() override;
    XTestTasten(const XTestTasten&) = delete;
    XTestTasten& operator=(const XTestTasten&) = delete;

    bool modifikatorGedrueckt() override;

    // Posts modifiers down, key down, key up, modifiers up, without pauses. False when
    // there is no X server or the layout has no key for the keysym.
    bool tippe(const Tastenkombination& kombination) override;

private:
    struct Kern;
    std::unique_ptr<Kern> kern_;
};

} // namespace parlix
