#include "app/platform/linux/AblageTextInserter.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/linux/Ablage.hpp"
#include "app/platform/linux/TastenSender.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace parlix {

using Art = Ablage::Art;

namespace {

void melde(const TextInserter::Rueckmeldung& fertig, TextInserter::Ergebnis ergebnis) {
    if (fertig) {
        fertig(ergebnis);
    }
}

} // namespace

AblageTextInserter::AblageTextInserter(MainQueue& mainQueue, DefaultsStore& speicher,
                                       VordergrundApp& vordergrund, Ablage& ablage,
                                       TastenSender* tasten)
    : mainQueue_(mainQueue)
    , speicher_(speicher)
    , vordergrund_(vordergrund)
    , ablage_(ablage)
    , tasten_(tasten) {}

void AblageTextInserter::fuegeEin(const QString& text, Rueckmeldung fertig) {
    const MainQueue::Zeitpunkt aufruf = mainQueue_.jetzt();
    Vorgang vorgang;
    vorgang.fertig = std::move(fertig);
    vorgang.tasten = EinfuegeTasten::fuer(vordergrund_);
    // Read once: a change of the setting during this insertion does not apply to it.
    vorgang.wiederherstellen = !Einstellungen(speicher_).zwischenablageModus();
    if (vorgang.wiederherstellen) {
        vorgang.vorherAblage = ablage_.vorherigerText(Art::zwischenablage);
    }
    vorgang.ablage = ablage_.schreibeEigenen(Art::zwischenablage, text, vorgang.vorherAblage);
    if (vorgang.ablage == 0) {
        log().schreibe(u"FEHLER: Einfügen: Zwischenablage nicht erreichbar, Text nicht "
                       u"eingefügt"_s);
        melde(vorgang.fertig, Ergebnis::fehlgeschlagen);
        return;
    }
    if (vorgang.tasten.ueberPrimaer) {
        vorgang.vorherPrimaer = ablage_.vorherigerText(Art::primaer);
        vorgang.primaer = ablage_.schreibeEigenen(Art::primaer, text, vorgang.vorherPrimaer);
    }
    // The wait counts from the call: asking another application for the old clipboard
    // text, or a loaded machine, must not delay the paste beyond it.
    const auto rest = std::max(MainQueue::Dauer::zero(),
                               MainQueue::Dauer(kEinfuegenNach) - (mainQueue_.jetzt() - aufruf));
    mainQueue_.after(rest, [this, vorgang]() mutable {
        vorgang.loslassenBis = mainQueue_.jetzt() + kLoslassenFrist;
        fuegeEinWennLosgelassen(vorgang);
    });
}

void AblageTextInserter::fuegeEinWennLosgelassen(const Vorgang& vorgang) {
    const bool gedrueckt = tasten_ != nullptr && tasten_->modifikatorGedrueckt();
    if (gedrueckt && mainQueue_.jetzt() < vorgang.loslassenBis) {
        mainQueue_.after(kLoslassenTakt, [this, vorgang] { fuegeEinWennLosgelassen(vorgang); });
        return;
    }
    if (gedrueckt) {
        log().schreibe(u"Einfügen: Modifikatortaste noch gedrückt, Tastenkürzel trotzdem"_s);
    }
    if (tasten_ == nullptr || !tasten_->tippe(vorgang.tasten.einfuegen)) {
        // The text stays where the user can paste it; restoring would take it away.
        log().schreibe(u"FEHLER: Einfügen: keine Tasteneingabe möglich, Text bleibt in der "
                       u"Zwischenablage"_s);
        melde(vorgang.fertig, Ergebnis::nurKopiert);
        return;
    }
    melde(vorgang.fertig, Ergebnis::eingefuegt);
    if (vorgang.wiederherstellen || vorgang.tasten.ueberPrimaer) {
        mainQueue_.after(kWiederherstellenNach, [this, v = vorgang]() mutable {
            v.lesenBis = mainQueue_.jetzt() + kLesenFrist;
            stelleWiederHer(v);
        });
    }
}

void AblageTextInserter::stelleWiederHer(const Vorgang& vorgang) {
    const quint64 nummer = vorgang.tasten.ueberPrimaer ? vorgang.primaer : vorgang.ablage;
    if (ablage_.gelesen(nummer) == 0 && mainQueue_.jetzt() < vorgang.lesenBis) {
        mainQueue_.after(kLesenTakt, [this, vorgang] { stelleWiederHer(vorgang); });
        return;
    }
    for (const auto& [art, nummer, an, vorher] :
         {std::tuple{Art::zwischenablage, vorgang.ablage, vorgang.wiederherstellen,
                     vorgang.vorherAblage},
          std::tuple{Art::primaer, vorgang.primaer, vorgang.tasten.ueberPrimaer,
                     vorgang.vorherPrimaer}}) {
        if (an && ablage_.haeltEigenen(art, nummer)) {
            ablage_.setze(art, vorher);
        }
    }
}

} // namespace parlix
