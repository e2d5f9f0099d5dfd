#pragma once

#include "core/account/AuthClient.hpp"

#include <QStringList>
#include <array>
#include <functional>

class QWidget;

namespace parlix {

class AnbieterEinstellungen;
class Barrierefreiheit;
class DefaultsStore;
class DesktopZugang;
class HotkeyManager;
class Klangspieler;
class Konto;
class MainQueue;
class MikrofonDienst;
class TastenUmleitung;

// Everything the secondary windows work with. The references must outlive the window
// controller. The closures stand for the maintenance services (login start, updates,
// restart), so that tests can watch them; an unset one leaves its control out.
struct FensterDienste {
    // The localisation key of an update check's outcome ("update.aktuell", ...).
    using UpdateMeldung = std::function<void(const QString& statusKey)>;

    DefaultsStore& speicher;
    MainQueue& mainQueue;
    Konto& konto;
    // The speech and language providers the user set up.
    AnbieterEinstellungen& anbieter;
    // The account backend for registration and password reset (Konto signs in).
    AuthClient authClient;
    // Dictation, action, prompt, lock: the managers that use the recorded hotkeys.
    std::array<HotkeyManager*, 4> hotkeys;
    // The global key source's side of recording a hotkey; null without one (then no
    // hotkey can be recorded).
    TastenUmleitung* tasten;
    MikrofonDienst& mikrofone;
    DesktopZugang& desktop;
    Barrierefreiheit& barrierefreiheit;
    Klangspieler& klaenge;
    // The sound names the settings offer for the start and stop cues.
    QStringList klangNamen;

    // Login start: whether it is on, and switching it.
    std::function<bool()> autostartAktiv;
    std::function<void(bool an)> schalteAutostart;
    // The running version, and one update check whose outcome arrives on the main thread.
    QString version;
    std::function<void(UpdateMeldung fertig)> pruefeUpdate;
    // Asks, over the window, whether to restart now, saying why with the text of
    // `textKey` (the interface language or the service changed).
    std::function<void(QWidget* fenster, const QString& textKey)> frageNeustart;
};

} // namespace parlix
