#pragma once

#include "app/platform/linux/TastenSender.hpp"

#include <memory>

namespace parlix {

class WaylandVerbindung;

// A keyboard of our own in the compositor's seat (virtual-keyboard protocol), with the
// user's keymap: the one the seat announces, else the system's default layout. GTK
// matches shortcuts by key code, so a made-up keymap would not paste; and a seat that
// has a keyboard the whole time does not lose the first synthetic key. It stays in the
// seat as long as the object lives and follows the seat's keymap when it changes.
class VirtuelleTastatur final : public TastenSender {
public:
    explicit VirtuelleTastatur(WaylandVerbindung& verbindung);
    ~VirtuelleTastatur() override;
    VirtuelleTastatur(const VirtuelleTastatur&) = delete;
    VirtuelleTastatur& operator=(const VirtuelleTastatur&) = delete;

    // The compositor gave us a keyboard.
    bool bereit() const { return bereit_; }

    // Posts the shortcut as one keystroke: modifiers down, the key down and up, the
    // modifiers up. False when a key is not on the keymap or there is no keyboard. Any
    // thread except the connection's.
    bool tippe(const Tastenkombination& taste) override;

    // The protocol objects, on the connection's thread; their listeners reach it.
    struct Zustand;

private:
    WaylandVerbindung& verbindung_;
    std::unique_ptr<Zustand> z_;
    bool bereit_ = false;
};

} // namespace parlix
