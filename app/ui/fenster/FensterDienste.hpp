#pragma once

#include "core/account/AuthClient.hpp"
#include "core/hotkeys/HotkeyManager.hpp"

#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace parlix {

class Barrierefreiheit;
class DefaultsStore;
class DesktopZugang;
class HUDModel;
class Klangspieler;
class Konto;
class MainQueue;
class MikrofonDienst;

// Everything the secondary windows work with, handed to the window controller by the
// start-up. The references must outlive the controller. The closures are the parts that
// other components provide; an unset one leaves its control out or inactive.
struct FensterDienste {
    // A key event as the key source reports it (Ereignistyp, macOS key code, flags).
    using TastenZiel = std::function<void(quint32 typ, qint64 keyCode, quint64 flags)>;
    // The localisation key of an update check's outcome ("update.aktuell", ...).
    using UpdateMeldung = std::function<void(const QString& statusKey)>;

    DefaultsStore& speicher;
    MainQueue& mainQueue;
    Konto& konto;
    // The account backend for registration and password reset (Konto signs in).
    AuthClient authClient;
    // Dictation, action, prompt, lock, as the key tap holds them.
    std::array<std::shared_ptr<HotkeyManager>, 4> hotkeys;
    MikrofonDienst& mikrofone;
    DesktopZugang& desktop;
    Barrierefreiheit& barrierefreiheit;
    Klangspieler& klaenge;
    // The sound names the settings offer for the start and stop cues.
    QStringList klangNamen;

    // While a new hotkey is recorded, every key event goes to the target on the main
    // thread and none to the hotkey managers (the key tap is "disabled"), until
    // gibTastenFrei.
    std::function<void(TastenZiel ziel)> leiteTastenUm;
    std::function<void()> gibTastenFrei;

    // Login start: whether it is on, and switching it.
    std::function<bool()> autostartAktiv;
    std::function<void(bool an)> schalteAutostart;
    // The running version, and one update check whose outcome arrives on the main thread.
    QString version;
    std::function<void(UpdateMeldung fertig)> pruefeUpdate;
    // Asks whether to restart now (after the interface language was changed).
    std::function<void()> frageNeustart;
    // The live HUD figure for the preview of the HUD pane.
    std::function<QWidget*(HUDModel& model, QWidget* eltern)> hudVorschau;
};

} // namespace parlix
