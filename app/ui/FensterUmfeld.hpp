#pragma once

#include <functional>
#include <memory>

namespace parlix {

class AnbieterEinstellungen;
class DefaultsStore;
class FensterSteuerung;
class HotkeyManager;
class HotkeyTap;
class HUDModel;
class Konto;
class MainQueue;
class TastenUmleitung;
struct Plattform;
class VerlaufStore;

// What the secondary windows are given by the start-up: the long-lived objects they
// show and change. All of them outlive the window controller.
struct FensterUmfeld {
    MainQueue& mainQueue;
    DefaultsStore& speicher;
    VerlaufStore& verlauf;
    // The managers of the dictation, action, prompt and lock hotkeys: after a new hotkey
    // is stored, its manager's ladeKonfig() makes it apply at once.
    HotkeyManager& hotkeys;
    HotkeyManager& aktionHotkeys;
    HotkeyManager& promptHotkeys;
    HotkeyManager& lockHotkeys;
    HotkeyTap& hotkeyTap;
    // Diverts the user's keys to a hotkey recording, and renews what the key source
    // grabs after the hotkeys changed.
    TastenUmleitung& umleitung;
    Konto& konto;
    // The HUD's model, for a preview of the appearance settings.
    HUDModel& hud;
    // The desktop's services (microphones, sounds, ...).
    Plattform& plattform;
    // The speech and language providers the user set up.
    AnbieterEinstellungen& anbieter;
};

// Builds the window controller on first use.
using FensterFabrik = std::function<std::unique_ptr<FensterSteuerung>(const FensterUmfeld&)>;

} // namespace parlix
