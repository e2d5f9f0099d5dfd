#include "app/platform/x11/X11TextInserter.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/x11/XTestTasten.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace parlix {

X11TextInserter::X11TextInserter(MainQueue& mainQueue, DefaultsStore& speicher,
                                 VordergrundApp& vordergrund, XTestTasten& tasten)
    : mainQueue_(mainQueue)
    , speicher_(speicher)
    , vordergrund_(vordergrund)
    , tasten_(tasten) {}

void X11TextInserter::fuegeEin(const QString& text) {
    const MainQueue::Zeitpunkt aufruf = mainQueue_.jetzt();
    Vorgang vorgang;
    vorgang.tasten = EinfuegeTasten::fuer(vordergrund_);
    // Read once: a change of the setting during this insertion does not apply to it.
    vorgang.wiederherstellen = !Einstellungen(speicher_).zwischenablageModus();
    const auto vorher = [&](const Zwischenablage& ablage) {
        return vorgang.wiederherstellen ? std::optional(ablage.vorherigerText()) : std::nullopt;
    };
    vorgang.ablage = ablage_.schreibeEigenen(text, vorher(ablage_));
    if (vorgang.tasten.ueberPrimaer) {
        vorgang.primaer = primaer_.schreibeEigenen(text, primaer_.vorherigerText());
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

void X11TextInserter::fuegeEinWennLosgelassen(const Vorgang& vorgang) {
    const bool gedrueckt = tasten_.modifikatorGedrueckt();
    if (gedrueckt && mainQueue_.jetzt() < vorgang.loslassenBis) {
        mainQueue_.after(kLoslassenTakt, [this, vorgang] { fuegeEinWennLosgelassen(vorgang); });
        return;
    }
    if (gedrueckt) {
        log().schreibe(u"Einfügen: Modifikatortaste noch gedrückt, Tastenkürzel trotzdem"_s);
    }
    if (!tasten_.druecke(vorgang.tasten.einfuegen)) {
        log().schreibe(u"FEHLER: Einfüge-Tastenkürzel nicht sendbar"_s);
    }
    if (vorgang.wiederherstellen || vorgang.tasten.ueberPrimaer) {
        mainQueue_.after(kWiederherstellenNach, [this, vorgang] { stelleWiederHer(vorgang); });
    }
}

void X11TextInserter::stelleWiederHer(const Vorgang& vorgang) {
    if (vorgang.wiederherstellen) {
        ablage_.stelleWiederHer(vorgang.ablage);
    }
    if (vorgang.tasten.ueberPrimaer) {
        primaer_.stelleWiederHer(vorgang.primaer);
    }
}

} // namespace parlix
