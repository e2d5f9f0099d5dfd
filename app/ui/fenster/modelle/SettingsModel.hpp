#pragma once

#include "app/platform/Mikrofon.hpp"
#include "core/settings/Einstellungen.hpp"

#include <QColor>
#include <QObject>
#include <array>
#include <functional>
#include <map>
#include <vector>

namespace parlix {

class MikrofonDienst;

// The settings window's mirror of the settings store: lade() copies every value in once,
// and every change made through the model is written straight back (one write per
// change, lists as a whole). Hotkeys are written by the recording flow of the window
// controller; the model only shows their names and whether one is being recorded.
// Main thread.
class SettingsModel final : public QObject {
    Q_OBJECT

public:
    using Schluessel = Einstellungen::Schluessel;
    using Wert = Einstellungen::Wert;

    enum class Hotkeyart { diktat, aktion, prompt, lock };

    SettingsModel(DefaultsStore& speicher, MikrofonDienst& mikrofone);

    // Copies every mirrored value in afresh, with the microphone list and the autostart
    // state (autostartAktiv), writing nothing.
    void lade();

    // The mirror of a setting; the integer settings "aufnahmeLautstaerke" and
    // "startVerzoegerungMs" are mirrored as double, "hudFarbe" as its "#RRGGBB" text.
    Wert wert(Schluessel schluessel) const;
    QString text(Schluessel schluessel) const;
    bool flag(Schluessel schluessel) const;
    double zahl(Schluessel schluessel) const;
    // Sets the mirror and writes the value at once (integers truncated toward zero).
    void setze(Schluessel schluessel, const Wert& wert);

    QColor hudFarbe() const;
    void setzeHudFarbe(const QColor& farbe);
    // "#RRGGBB" of the colour in sRGB, each channel rounded half away from zero.
    static QString hexText(const QColor& farbe);

    // hotkeyName, aktionName, promptName, lockName: the hotkey's keys as the interface
    // language names them on a PC keyboard.
    QString name(Hotkeyart art) const { return namen_[index(art)]; }
    void setzeHotkey(Hotkeyart art, const Hotkey& hotkey);
    // nimmtAuf, nimmtAktionAuf, nimmtPromptAuf, nimmtLockAuf.
    bool nimmtAuf(Hotkeyart art) const { return nimmtAuf_[index(art)]; }
    void setzeNimmtAuf(Hotkeyart art, bool nimmtAuf);
    // Asks for a new hotkey of that kind: sets its recording flag and calls its callback.
    void nimmAuf(Hotkeyart art);

    // Set by the window controller: start the recording of the matching hotkey.
    std::function<void()> onAufnehmen;
    std::function<void()> onAktionAufnehmen;
    std::function<void()> onPromptAufnehmen;
    std::function<void()> onLockAufnehmen;

    bool autostart() const { return autostart_; }
    // Switches the login start through schalteAutostart; the mirror then holds the
    // state autostartAktiv reads back, which differs from `an` when switching failed.
    void setzeAutostart(bool an);
    // Where the autostart state comes from and how it is switched (set by the owner).
    std::function<bool()> autostartAktiv;
    std::function<void(bool an)> schalteAutostart;

    const std::vector<Mikrofon>& mikrofone() const { return mikrofone_; }

    // True while lade() copies values in; nothing is written meanwhile.
    bool wirdGeladen = false;

signals:
    void geaendert(parlix::Einstellungen::Schluessel schluessel);
    void hotkeyGeaendert(parlix::SettingsModel::Hotkeyart art);
    void autostartGeaendert(bool an);
    // After lade(): every value may have changed.
    void geladen();

private:
    static std::size_t index(Hotkeyart art) { return static_cast<std::size_t>(art); }
    void schreibe(Schluessel schluessel, const Wert& wert);
    QString anzeige(const Hotkey& hotkey) const;

    DefaultsStore& speicher_;
    MikrofonDienst& mikrofonDienst_;
    std::map<Schluessel, Wert> werte_;
    std::array<QString, 4> namen_;
    std::array<bool, 4> nimmtAuf_{};
    bool autostart_ = false;
    std::vector<Mikrofon> mikrofone_;
};

} // namespace parlix
