#include "app/platform/wayland/WaylandTextInserter.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/wayland/TastenSender.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

using Art = WaylandAblage::Art;

WaylandTextInserter::WaylandTextInserter(MainQueue& mainQueue, DefaultsStore& speicher,
                                         VordergrundApp& vordergrund, WaylandAblage& ablage,
                                         TastenSender* tasten)
    : mainQueue_(mainQueue)
    , speicher_(speicher)
    , vordergrund_(vordergrund)
    , ablage_(ablage)
    , tasten_(tasten) {}

void WaylandTextInserter::fuegeEin(const QString& text) {
    Vorgang vorgang;
    vorgang.tasten = EinfuegeTasten::fuer(vordergrund_.anwendungsID());
    // Read once: a change of the setting during this insertion does not apply to it.
    vorgang.wiederherstellen = !Einstellungen(speicher_).zwischenablageModus();
    vorgang.ablage = ablage_.schreibeEigenen(
        Art::zwischenablage, text,
        vorgang.wiederherstellen ? ablage_.vorherigerText(Art::zwischenablage) : std::nullopt);
    if (vorgang.tasten.ueberPrimaer) {
        vorgang.primaer =
            ablage_.schreibeEigenen(Art::primaer, text, ablage_.vorherigerText(Art::primaer));
    }
    mainQueue_.after(kEinfuegenNach, [this, vorgang] { fuegeEin(vorgang); });
}

void WaylandTextInserter::fuegeEin(const Vorgang& vorgang) {
    if (tasten_ == nullptr || !tasten_->tippe(vorgang.tasten.einfuegen)) {
        // The text stays where the user can paste it; restoring would take it away.
        log().schreibe(u"FEHLER: Einfügen: keine Tasteneingabe möglich, Text bleibt in der "
                       u"Zwischenablage"_s);
        if (beiNurKopiert) {
            beiNurKopiert();
        }
        return;
    }
    if (vorgang.wiederherstellen || vorgang.tasten.ueberPrimaer) {
        mainQueue_.after(kWiederherstellenNach, [this, v = Vorgang(vorgang)]() mutable {
            v.lesenBis = std::chrono::steady_clock::now() + kLesenFrist;
            stelleWiederHer(v);
        });
    }
}

void WaylandTextInserter::stelleWiederHer(const Vorgang& vorgang) {
    const quint64 nummer = vorgang.tasten.ueberPrimaer ? vorgang.primaer : vorgang.ablage;
    if (ablage_.gelesen(nummer) == 0 && std::chrono::steady_clock::now() < vorgang.lesenBis) {
        mainQueue_.after(kLesenTakt, [this, vorgang] { stelleWiederHer(vorgang); });
        return;
    }
    for (const auto& [art, nummer, an] :
         {std::tuple{Art::zwischenablage, vorgang.ablage, vorgang.wiederherstellen},
          std::tuple{Art::primaer, vorgang.primaer, vorgang.tasten.ueberPrimaer}}) {
        if (an && ablage_.haeltEigenen(art, nummer)) {
            ablage_.setze(art, ablage_.vorherigerText(art));
        }
    }
}

} // namespace parlix
