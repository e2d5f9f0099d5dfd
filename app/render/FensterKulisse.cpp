#include "app/render/FensterKulisse.hpp"

#include "app/platform/Barrierefreiheit.hpp"
#include "app/platform/DesktopZugang.hpp"
#include "app/platform/MikrofonDienst.hpp"
#include "app/render/RenderUmgebung.hpp"
#include "core/account/TokenSpeicher.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

class FensterKulisse::Mikrofone final : public MikrofonDienst {
public:
    explicit Mikrofone(bool erreichbar)
        : erreichbar_(erreichbar) {}
    std::vector<Mikrofon> liste() override {
        return {{u"alsa_input.pci-0000_00_1f.3.analog-stereo"_s, u"Built-in Audio Analog Stereo"_s},
                {u"alsa_input.usb-Jabra_Evolve2_65-00.mono-fallback"_s, u"Jabra Evolve2 65"_s}};
    }
    bool kannAufnehmen() override { return erreichbar_; }
    bool oeffneToneinstellungen() override { return true; }

private:
    bool erreichbar_;
};

class FensterKulisse::Desktop final : public DesktopZugang {
public:
    explicit Desktop(const Rechte& rechte)
        : rechte_(rechte) {}
    bool istWayland() override { return rechte_.wayland; }
    bool tastenUndEingabe() override { return rechte_.eingabe; }
    bool fensterAufnahme() override { return rechte_.bildschirm; }
    QString tastenHinweis() override { return rechte_.tastenHinweis; }
    QString aufnahmeHinweis() override { return rechte_.aufnahmeHinweis; }

private:
    Rechte rechte_;
};

class FensterKulisse::Bus final : public Barrierefreiheit {
public:
    explicit Bus(bool aktiv)
        : aktiv_(aktiv) {}
    bool aktiv() override { return aktiv_; }
    bool schalteEin() override { return aktiv_ = true; }

private:
    bool aktiv_;
};

FensterKulisse::FensterKulisse(RenderUmgebung& umgebung, Rechte rechte, bool angemeldet)
    : umgebung_(umgebung)
    , mikrofone_(std::make_unique<Mikrofone>(rechte.mikro))
    , desktop_(std::make_unique<Desktop>(rechte))
    , bus_(std::make_unique<Bus>(rechte.bus)) {
    const QString tokenDatei = ordner_.filePath(u"token"_s);
    if (angemeldet) {
        TokenSpeicher::setze(u"beispiel"_s, tokenDatei);
    }
    // A backend that is never asked: nothing in a drawing talks to the network.
    const AuthClient client(QUrl(u"http://127.0.0.1:9"_s));
    konto_ = std::make_unique<Konto>(umgebung.mainQueue, client, tokenDatei);
    settings_ = std::make_unique<SettingsModel>(umgebung.speicher, *mikrofone_);
    onboarding_ = std::make_unique<OnboardingModel>(*mikrofone_, *desktop_, *bus_);
    setup_ = std::make_unique<SetupModel>(*onboarding_, umgebung.speicher);
    login_ = std::make_unique<LoginModel>(*konto_, client, umgebung.mainQueue, umgebung.speicher);
    // The keys in a private file of the drawing; the desktop's keyring is not asked.
    anbieter_ = std::make_unique<AnbieterEinstellungen>(
        umgebung.speicher,
        std::make_unique<SchluesselBund>(ordner_.filePath(u"schluessel.json"_s), false));
    settings_->autostartAktiv = [] { return false; };
    settings_->lade();
    onboarding_->aktualisiere();
    dienste_ = std::make_unique<FensterDienste>(FensterDienste{
        .speicher = umgebung_.speicher,
        .mainQueue = umgebung_.mainQueue,
        .konto = *konto_,
        .anbieter = *anbieter_,
        .authClient = client,
        .hotkeys = {},
        .tasten = nullptr,
        .mikrofone = *mikrofone_,
        .desktop = *desktop_,
        .barrierefreiheit = *bus_,
        .klaenge = klaenge_,
        .klangNamen = {u"bloom"_s, u"kristall"_s, u"tropfen"_s, u"welle"_s},
        .autostartAktiv = [] { return false; },
        .schalteAutostart = [](bool) {},
        .version = u"0.1.0"_s,
        .pruefeUpdate = [](const FensterDienste::UpdateMeldung&) {},
        .frageNeustart = [](QWidget*, const QString&) {},
    });
}

FensterKulisse::~FensterKulisse() = default;

} // namespace parlix
