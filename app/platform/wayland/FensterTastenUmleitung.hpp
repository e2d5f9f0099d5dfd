#pragma once

#include "app/platform/TastenUmleitung.hpp"
#include "app/platform/linux/TastenZustand.hpp"
#include "app/platform/linux/XTastenTabelle.hpp"

#include <QObject>
#include <functional>

namespace parlix {

// Records a new hotkey from the key events of Parlix's own windows: on Wayland no key
// source sees every key (sway reports bound keys only, the portal its shortcuts), but the
// settings window has the focus while it records, so its keys are the user's. The events
// carry the X key code (the device's code + 8), translated as the X11 source does; the
// whole keyboard is taken while the recording runs, so the window acts on none of them.
// Main thread.
class FensterTastenUmleitung final : public QObject, public TastenUmleitung {
public:
    // `keysym` tells what the layout makes of each key; `umgeleitet` is told when the
    // diversion starts (true) and ends (false), so the source can stand still meanwhile;
    // `neuGelesen` when the hotkeys are to be read afresh.
    FensterTastenUmleitung(const XTastenTabelle::Keysym& keysym,
                           std::function<void(bool)> umgeleitet = {},
                           std::function<void()> neuGelesen = {});
    ~FensterTastenUmleitung() override;

    void leiteUm(HotkeyRecorder& recorder) override;
    void beendeUmleitung() override;
    void hotkeysGeaendert() override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    XTastenTabelle tabelle_;
    std::function<void(bool)> umgeleitet_;
    std::function<void()> neuGelesen_;
    TastenZustand zustand_;
    HotkeyRecorder* recorder_ = nullptr;
};

} // namespace parlix
