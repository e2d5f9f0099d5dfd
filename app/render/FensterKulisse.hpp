#pragma once

#include "app/account/Konto.hpp"
#include "app/anbieter/AnbieterEinstellungen.hpp"
#include "app/platform/null/NullKlangspieler.hpp"
#include "app/ui/fenster/FensterDienste.hpp"
#include "app/ui/fenster/modelle/LoginModel.hpp"
#include "app/ui/fenster/modelle/OnboardingModel.hpp"
#include "app/ui/fenster/modelle/SettingsModel.hpp"
#include "app/ui/fenster/modelle/SetupModel.hpp"

#include <QObject>
#include <QTemporaryDir>
#include <memory>

namespace parlix {

class RenderUmgebung;

// What the settings, setup, permission and sign-in windows stand on in the render
// harness: two sample microphones, a desktop whose grants are as asked, an account
// signed out (or in), and the models, over the view's settings. Make it the window's
// child (setParent) once the window is built, so that it lives exactly as long.
class FensterKulisse final : public QObject {
public:
    struct Rechte {
        bool mikro = true;
        bool eingabe = true;
        bool bus = true;
        bool bildschirm = true;
        bool wayland = false;
        // The desktop's own advice where keys or the window photo are missing.
        QString tastenHinweis{};
        QString aufnahmeHinweis{};
    };

    FensterKulisse(RenderUmgebung& umgebung, Rechte rechte, bool angemeldet = false);
    ~FensterKulisse() override;

    FensterDienste& dienste() { return *dienste_; }

    Konto& konto() { return *konto_; }
    SettingsModel& settings() { return *settings_; }
    OnboardingModel& onboarding() { return *onboarding_; }
    SetupModel& setup() { return *setup_; }
    LoginModel& login() { return *login_; }
    AnbieterEinstellungen& anbieter() { return *anbieter_; }

private:
    class Mikrofone;
    class Desktop;
    class Bus;

    RenderUmgebung& umgebung_;
    QTemporaryDir ordner_;
    std::unique_ptr<Mikrofone> mikrofone_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<Bus> bus_;
    NullKlangspieler klaenge_;
    std::unique_ptr<Konto> konto_;
    std::unique_ptr<SettingsModel> settings_;
    std::unique_ptr<OnboardingModel> onboarding_;
    std::unique_ptr<SetupModel> setup_;
    std::unique_ptr<LoginModel> login_;
    std::unique_ptr<AnbieterEinstellungen> anbieter_;
    std::unique_ptr<FensterDienste> dienste_;
};

} // namespace parlix
