#include "app/platform/linux/AblageAuswahlKopierer.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/linux/Ablage.hpp"
#include "app/platform/linux/EinfuegeTasten.hpp"
#include "app/platform/linux/TastenSender.hpp"

#include <memory>
#include <optional>
#include <thread>

namespace parlix {

using Art = Ablage::Art;

struct AblageAuswahlKopierer::Kopie {
    // Set when the selection is read without copying (terminals, unknown windows).
    std::optional<QString> primaer;
    // Whether the copy key went out.
    bool getippt = false;
    std::optional<QString> vorher;
    quint64 aenderungen = 0;
};

AblageAuswahlKopierer::AblageAuswahlKopierer(VordergrundApp& vordergrund, Ablage& ablage,
                                             TastenSender* tasten, Ausfuehrer ausfuehrer)
    : vordergrund_(vordergrund)
    , ablage_(ablage)
    , tasten_(tasten)
    , ausfuehrer_(std::move(ausfuehrer)) {}

AblageAuswahlKopierer::Ausfuehrer AblageAuswahlKopierer::aufDiesemThread() {
    return [](const std::function<void()>& schritt) {
        schritt();
        return true;
    };
}

AblageAuswahlKopierer::Kopie AblageAuswahlKopierer::kopiere() {
    Kopie kopie;
    const auto taste = EinfuegeTasten::fuer(vordergrund_).kopierTaste();
    if (!taste || tasten_ == nullptr) {
        kopie.primaer = ablage_.vorherigerText(Art::primaer).value_or(QString());
        return kopie;
    }
    kopie.vorher = ablage_.vorherigerText(Art::zwischenablage);
    kopie.aenderungen = ablage_.aenderungen(Art::zwischenablage);
    kopie.getippt = tasten_->tippe(*taste);
    return kopie;
}

QString AblageAuswahlKopierer::nimmKopie(const Kopie& kopie) {
    if (ablage_.aenderungen(Art::zwischenablage) == kopie.aenderungen) {
        return {};
    }
    const QString text = ablage_.text(Art::zwischenablage).value_or(QString());
    ablage_.setze(Art::zwischenablage, kopie.vorher);
    return text;
}

QString AblageAuswahlKopierer::auswahlText() {
    // Shared with the steps: one that runs late still has where to write.
    const auto kopie = std::make_shared<Kopie>();
    if (!ausfuehrer_([this, kopie] { *kopie = kopiere(); })) {
        return {};
    }
    if (kopie->primaer) {
        return *kopie->primaer;
    }
    if (!kopie->getippt) {
        return {};
    }
    std::this_thread::sleep_for(kWarten);
    const auto text = std::make_shared<QString>();
    if (!ausfuehrer_([this, kopie = *kopie, text] { *text = nimmKopie(kopie); })) {
        return {};
    }
    return *text;
}

} // namespace parlix
