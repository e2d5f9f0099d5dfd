#pragma once

#include "app/platform/TastenUmleitung.hpp"
#include "app/platform/x11/XFaden.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/hotkeys/TastenQuelle.hpp"

#include <memory>

namespace parlix {

class DefaultsStore;

// The user's global keys on X11. A thread of its own with a connection of its own reads
// the raw key events of XInput 2.1 on the root window (every key, also modifiers alone,
// also under another client's grab), translates them (XTastenTabelle, TastenZustand) and
// hands them to the handler. The keys the hotkeys swallow are grabbed (XGriffe), as the
// settings say, and grabbed again when the keyboard mapping or the hotkeys change.
// Keystrokes this process injects itself (EigeneTastenMarke) never reach the handler.
//
// Without an X display, without XInput 2.1, or in a Wayland session (where XWayland sees
// only the keys typed into X11 windows), the source reports through `bereit` that it
// could not be set up, with a log line saying why, and delivers nothing.
//
// Construct it on the main thread, hand it to HotkeyTap, and give the settings window
// the same object as TastenUmleitung.
class X11TastenQuelle final : public TastenQuelle, public TastenUmleitung {
public:
    // queue: the main queue, for the recorder's feed. speicher: where the hotkeys are.
    X11TastenQuelle(MainQueue& queue, DefaultsStore& speicher);
    ~X11TastenQuelle() override;
    X11TastenQuelle(const X11TastenQuelle&) = delete;
    X11TastenQuelle& operator=(const X11TastenQuelle&) = delete;

    void starte(Behandler behandler, Bereit bereit) override;
    // X never switches the raw events off, so there is nothing to switch on again.
    void aktiviereWieder() override {}

    void leiteUm(HotkeyRecorder& recorder) override;
    void beendeUmleitung() override;
    void hotkeysGeaendert() override;

private:
    struct Faden;
    struct Umleitung;

    void wendeGriffeAn();

    MainQueue& queue_;
    DefaultsStore& speicher_;
    std::shared_ptr<Umleitung> umleitung_;
    std::unique_ptr<Faden> faden_;
    std::shared_ptr<const std::function<void()>> hoerer_;
    // Last: its thread ends first.
    XFaden xFaden_;
};

} // namespace parlix
