#include "app/platform/x11/X11AuswahlKopierer.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/linux/EinfuegeTasten.hpp"
#include "app/platform/x11/XTestTasten.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/concurrency/WarteAufJob.hpp"

#include <thread>

namespace parlix {

struct X11AuswahlKopierer::Kopie {
    // Set when the selection is read without copying (xterm, urxvt, unknown windows).
    std::optional<QString> primaer;
    std::optional<QString> vorher;
    quint64 aenderungen = 0;
};

X11AuswahlKopierer::Kopie X11AuswahlKopierer::kopiere() {
    Kopie kopie;
    const auto taste = EinfuegeTasten::fuer(vordergrund_).kopierTaste();
    if (!taste) {
        kopie.primaer = primaer_.vorherigerText().value_or(QString());
        return kopie;
    }
    kopie.vorher = ablage_.vorherigerText();
    kopie.aenderungen = ablage_.aenderungen();
    tasten_.druecke(*taste);
    return kopie;
}

QString X11AuswahlKopierer::nimmKopie(const Kopie& kopie) {
    if (ablage_.aenderungen() == kopie.aenderungen) {
        return {};
    }
    const QString text = ablage_.text().value_or(QString());
    ablage_.setze(kopie.vorher);
    return text;
}

QString X11AuswahlKopierer::auswahlText() {
    const auto poste = [this](std::function<void()> job) { mainQueue_.post(std::move(job)); };
    const auto kopie = warteAufJob<Kopie>(
        poste, [this] { return kopiere(); }, kMainFrist);
    if (!kopie) {
        return {};
    }
    if (kopie->primaer) {
        return *kopie->primaer;
    }
    std::this_thread::sleep_for(kWarten);
    return warteAufJob<QString>(
               poste, [this, k = *kopie] { return nimmKopie(k); }, kMainFrist)
        .value_or(QString());
}

} // namespace parlix
