#include "app/ui/fenster/modelle/SettingsModel.hpp"

#include "app/platform/MikrofonDienst.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/hud/HexFarbe.hpp"
#include "core/hotkeys/Tastennamen.hpp"

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

using S = Einstellungen::Schluessel;

// The settings the window edits, in the order they are copied in.
constexpr std::array gespiegelt{
    S::lockPerTaste,
    S::serverURL,
    S::groqAPIKey,
    S::vokabular,
    S::befehle,
    S::textbausteine,
    S::schreibstil,
    S::diktatProfil,
    S::soundAktiv,
    S::aufnahmeLautstaerke,
    S::startVerzoegerungAktiv,
    S::startVerzoegerungMs,
    S::soundName,
    S::hudStil,
    S::hudFarbe,
    S::hudGroesse,
    S::diktatSprache,
    S::uiSprache,
    S::zwischenablageModus,
    S::appTonAktiv,
    S::dsgvoModus,
    S::mikrofonUID,
};

bool alsDouble(S schluessel) {
    return schluessel == S::aufnahmeLautstaerke || schluessel == S::startVerzoegerungMs;
}

} // namespace

SettingsModel::SettingsModel(DefaultsStore& speicher, MikrofonDienst& mikrofone)
    : speicher_(speicher)
    , mikrofonDienst_(mikrofone) {}

void SettingsModel::lade() {
    wirdGeladen = true;
    const Einstellungen einstellungen(speicher_);
    namen_ = {anzeige(einstellungen.diktatHotkey()), anzeige(einstellungen.aktionHotkey()),
              anzeige(einstellungen.promptHotkey()), anzeige(einstellungen.lockHotkey())};
    for (const S schluessel : gespiegelt) {
        Wert wert = einstellungen.wert(schluessel);
        if (alsDouble(schluessel)) {
            wert = static_cast<double>(std::get<qint64>(wert));
        }
        werte_[schluessel] = wert;
    }
    autostart_ = autostartAktiv && autostartAktiv();
    mikrofone_ = mikrofonDienst_.liste();
    wirdGeladen = false;
    emit geladen();
}

SettingsModel::Wert SettingsModel::wert(Schluessel schluessel) const {
    const auto gefunden = werte_.find(schluessel);
    return gefunden != werte_.end() ? gefunden->second : Wert();
}

QString SettingsModel::text(Schluessel schluessel) const {
    const Wert w = wert(schluessel);
    return std::holds_alternative<QString>(w) ? std::get<QString>(w) : QString();
}

bool SettingsModel::flag(Schluessel schluessel) const {
    const Wert w = wert(schluessel);
    return std::holds_alternative<bool>(w) && std::get<bool>(w);
}

double SettingsModel::zahl(Schluessel schluessel) const {
    const Wert w = wert(schluessel);
    return std::holds_alternative<double>(w) ? std::get<double>(w) : 0.0;
}

void SettingsModel::setze(Schluessel schluessel, const Wert& wert) {
    werte_[schluessel] = wert;
    if (!wirdGeladen) {
        schreibe(schluessel, wert);
    }
    emit geaendert(schluessel);
}

void SettingsModel::schreibe(Schluessel schluessel, const Wert& wert) {
    Einstellungen einstellungen(speicher_);
    if (alsDouble(schluessel) && std::holds_alternative<double>(wert)) {
        einstellungen.setze(schluessel, static_cast<qint64>(std::trunc(std::get<double>(wert))));
    } else {
        einstellungen.setze(schluessel, wert);
    }
}

QColor SettingsModel::hudFarbe() const {
    return farbeAusHex(text(S::hudFarbe));
}

void SettingsModel::setzeHudFarbe(const QColor& farbe) {
    setze(S::hudFarbe, hexText(farbe));
}

QString SettingsModel::hexText(const QColor& farbe) {
    const QColor srgb = farbe.toRgb();
    const auto kanal = [](float anteil) { return static_cast<int>(std::lround(anteil * 255.0f)); };
    return u"#%1%2%3"_s.arg(kanal(srgb.redF()), 2, 16, QLatin1Char('0'))
        .arg(kanal(srgb.greenF()), 2, 16, QLatin1Char('0'))
        .arg(kanal(srgb.blueF()), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString SettingsModel::anzeige(const Hotkey& hotkey) const {
    return Tastennamen::anzeige(hotkey, Texte(speicher_).sprache());
}

void SettingsModel::setzeHotkey(Hotkeyart art, const Hotkey& hotkey) {
    namen_[index(art)] = anzeige(hotkey);
    emit hotkeyGeaendert(art);
}

void SettingsModel::setzeNimmtAuf(Hotkeyart art, bool nimmtAuf) {
    nimmtAuf_[index(art)] = nimmtAuf;
    emit hotkeyGeaendert(art);
}

void SettingsModel::nimmAuf(Hotkeyart art) {
    const std::array rueckrufe{&onAufnehmen, &onAktionAufnehmen, &onPromptAufnehmen,
                               &onLockAufnehmen};
    const std::function<void()>& rueckruf = *rueckrufe[index(art)];
    if (!rueckruf) {
        return;
    }
    // One recording at a time: a new one replaces one still running.
    for (const Hotkeyart andere :
         {Hotkeyart::diktat, Hotkeyart::aktion, Hotkeyart::prompt, Hotkeyart::lock}) {
        if (andere != art && nimmtAuf(andere)) {
            setzeNimmtAuf(andere, false);
        }
    }
    setzeNimmtAuf(art, true);
    rueckruf();
}

void SettingsModel::setzeAutostart(bool an) {
    if (an == autostart_) {
        return;
    }
    autostart_ = an;
    if (!wirdGeladen && schalteAutostart) {
        schalteAutostart(an);
        // The switch shows what is on disk: a write that failed leaves it off.
        if (autostartAktiv) {
            autostart_ = autostartAktiv();
        }
    }
    emit autostartGeaendert(autostart_);
}

} // namespace parlix
