#include "app/platform/linux/AblageAuswahlKopierer.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/linux/Ablage.hpp"
#include "app/platform/linux/EinfuegeTasten.hpp"
#include "app/platform/linux/TastenSender.hpp"

#include <thread>

namespace parlix {

using Art = Ablage::Art;

QString WaylandAuswahlKopierer::auswahlText() {
    const auto taste = EinfuegeTasten::fuer(vordergrund_).kopierTaste();
    if (!taste || tasten_ == nullptr) {
        return ablage_.vorherigerText(Art::primaer).value_or(QString());
    }
    const auto vorher = ablage_.vorherigerText(Art::zwischenablage);
    const quint64 aenderungen = ablage_.aenderungen(Art::zwischenablage);
    if (!tasten_->tippe(*taste)) {
        return {};
    }
    std::this_thread::sleep_for(kWarten);
    if (ablage_.aenderungen(Art::zwischenablage) == aenderungen) {
        return {};
    }
    const QString text = ablage_.text(Art::zwischenablage).value_or(QString());
    ablage_.setze(Art::zwischenablage, vorher);
    return text;
}

} // namespace parlix
