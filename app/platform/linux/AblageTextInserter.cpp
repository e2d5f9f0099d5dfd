#include "app/platform/linux/AblageTextInserter.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/linux/Ablage.hpp"
#include "app/platform/linux/TastenSender.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace parlix {

using Art = Ablage::Art;

WaylandTextInserter::WaylandTextInserter(MainQueue& mainQueue, DefaultsStore& speicher,
                                         VordergrundApp& vordergrund, Ablage& ablage,
                                         TastenSender* tasten)
    : mainQueue_(mainQueue)
    , speicher_(speicher)
    , vordergrund_(vordergrund)
    , ablage_(ablage)
    , tasten_(tasten) {}

void WaylandTextInserter::fuegeEin(const QString& text) {
    const MainQueue::Zeitpunkt aufruf = mainQueue_.jetzt();
    Vorgang vorgang;
    vorgang.tasten = EinfuegeTasten::fuer(vordergrund_);
    // Read once: a change of the setting during this insertion does not apply to it.
    vorgang.wiederherstellen = !Einstellungen(speicher_).zwischenablageModus();
    vorgang.ablage = ablage_.schreibeEigenen(
        Art::zwischenablage, text,
        vorgang.wiederherstellen ? ablage_.vorherigerText(Art::zwischenablage) : std::nullopt);
    if (vorgang.ablage == 0) {
        log().schreibe(u"FEHLER: Einfügen: Zwischenablage nicht erreichbar, Text nicht "
                       u"eingefügt"_s);
        return;
    }
    if (vorgang.tasten.ueberPrimaer) {
        vorgang.primaer =
            ablage_.schreibeEigenen(Art::primaer, text, ablage_.vorherigerText(Art::primaer));
    }
    // The wait counts from the call: reading the old clipboard text from another
    // application must not delay the paste beyond it.
    const auto rest = std::max(MainQueue::Dauer::zero(),
                               MainQueue::Dauer(kEinfuegenNach) - (mainQueue_.jetzt() - aufruf));
    mainQueue_.after(rest, [this, vorgang] { fuegeEin(vorgang); });
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
            v.lesenBis = mainQueue_.jetzt() + kLesenFrist;
            stelleWiederHer(v);
        });
    }
}

void WaylandTextInserter::stelleWiederHer(const Vorgang& vorgang) {
    const quint64 nummer = vorgang.tasten.ueberPrimaer ? vorgang.primaer : vorgang.ablage;
    if (ablage_.gelesen(nummer) == 0 && mainQueue_.jetzt() < vorgang.lesenBis) {
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
