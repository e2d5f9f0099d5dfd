#include "app/ui/fenster/Fensteraufbau.hpp"

#include "app/maintenance/Autostart.hpp"
#include "app/maintenance/Neustart.hpp"
#include "app/maintenance/Updater.hpp"
#include "app/platform/Plattform.hpp"
#include "app/ui/FensterUmfeld.hpp"
#include "app/ui/fenster/FensterController.hpp"

namespace parlix {

namespace {

// The controller together with the updater whose checks its settings start.
class Fenster final : public FensterSteuerung {
public:
    explicit Fenster(const FensterUmfeld& umfeld)
        : updater_(umfeld.mainQueue)
        , controller_(dienste(umfeld)) {}

    void zeigeSetup() override { controller_.zeigeSetup(); }
    void zeigeEinstellungen() override { controller_.zeigeEinstellungen(); }
    void zeigeOnboarding() override { controller_.zeigeOnboarding(); }
    void zeigeHandbuch() override { controller_.zeigeHandbuch(); }
    void zeigeLogin() override { controller_.zeigeLogin(); }

private:
    FensterDienste dienste(const FensterUmfeld& umfeld) {
        Plattform& p = umfeld.plattform;
        DefaultsStore& speicher = umfeld.speicher;
        return {
            .speicher = speicher,
            .mainQueue = umfeld.mainQueue,
            .konto = umfeld.konto,
            .anbieter = umfeld.anbieter,
            .authClient = AuthClient(QUrl()),
            .hotkeys = {&umfeld.hotkeys, &umfeld.aktionHotkeys, &umfeld.promptHotkeys,
                        &umfeld.lockHotkeys},
            .tasten = p.umleitung,
            .mikrofone = *p.mikrofone,
            .desktop = *p.desktop,
            .barrierefreiheit = *p.barrierefreiheit,
            .klaenge = *p.klaenge,
            .klangNamen = p.klangNamen,
            .autostartAktiv = &Autostart::istAktiv,
            .schalteAutostart =
                [](bool an) { an ? Autostart::aktiviere() : Autostart::deaktiviere(); },
            .version = Updater::aktuelleVersion(),
            .pruefeUpdate =
                [this](FensterDienste::UpdateMeldung fertig) {
                    updater_.pruefeImHintergrund([fertig = std::move(fertig)](UpdateErgebnis e) {
                        fertig(statusSchluessel(e));
                    });
                },
            .frageNeustart =
                [&speicher](QWidget* fenster, const QString& textKey) {
                    Neustart::frageUndStarteNeu(speicher, fenster, textKey);
                },
        };
    }

    Updater updater_;
    FensterController controller_;
};

} // namespace

std::unique_ptr<FensterSteuerung> baueFenster(const FensterUmfeld& umfeld) {
    return std::make_unique<Fenster>(umfeld);
}

} // namespace parlix
