#pragma once

#include "app/ui/FensterSteuerung.hpp"
#include "app/ui/fenster/FensterDienste.hpp"
#include "app/ui/fenster/modelle/LoginModel.hpp"
#include "app/ui/fenster/modelle/OnboardingModel.hpp"
#include "app/ui/fenster/modelle/SettingsModel.hpp"
#include "app/ui/fenster/modelle/SetupModel.hpp"
#include "core/hotkeys/HotkeyRecorder.hpp"

#include <QObject>
#include <memory>

namespace parlix {

class HandbuchFenster;
class LoginFenster;
class OnboardingFenster;
class SettingsFenster;
class SetupFenster;

// Owns the secondary windows and their models. Each window is built on first use, kept
// when closed and brought to the front, centred on the screen under the mouse, whenever
// it is asked for again. Wires the settings' hotkey recording: while a new hotkey is
// recorded the user's keys go to the recorder and not to the hotkey managers; the new
// hotkey is stored, shown and used by its manager at once. Main thread.
class FensterController final : public QObject, public FensterSteuerung {
    Q_OBJECT

public:
    explicit FensterController(FensterDienste dienste, QObject* eltern = nullptr);
    ~FensterController() override;

    void zeigeSetup() override;
    void zeigeEinstellungen() override;
    void zeigeOnboarding() override;
    void zeigeHandbuch() override;
    void zeigeLogin() override;

    SettingsModel& settingsModel() { return settingsModel_; }
    OnboardingModel& onboardingModel() { return onboardingModel_; }
    SetupModel& setupModel() { return setupModel_; }

    // The windows, null until first shown.
    SettingsFenster* settingsFenster() const { return settingsFenster_.get(); }
    OnboardingFenster* onboardingFenster() const { return onboardingFenster_.get(); }
    LoginFenster* loginFenster() const { return loginFenster_.get(); }
    SetupFenster* setupFenster() const { return setupFenster_.get(); }
    HandbuchFenster* handbuchFenster() const { return handbuchFenster_.get(); }

protected:
    // Closing the settings window ends a hotkey recording that is still waiting.
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void verdrahteEinstellungen();
    void nimmHotkeyAuf(SettingsModel::Hotkeyart art);
    static void bringNachVorn(QWidget* fenster);

    FensterDienste dienste_;
    HotkeyRecorder recorder_;
    SettingsModel settingsModel_;
    OnboardingModel onboardingModel_;
    SetupModel setupModel_;
    LoginModel setupLogin_;
    LoginModel login_;
    std::unique_ptr<SettingsFenster> settingsFenster_;
    std::unique_ptr<OnboardingFenster> onboardingFenster_;
    std::unique_ptr<LoginFenster> loginFenster_;
    std::unique_ptr<SetupFenster> setupFenster_;
    std::unique_ptr<HandbuchFenster> handbuchFenster_;
};

} // namespace parlix
