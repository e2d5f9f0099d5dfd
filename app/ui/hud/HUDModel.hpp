#pragma once

#include "app/ui/hud/HUDPalette.hpp"
#include "core/audio/PegelGlaetter.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/recording/AppZustand.hpp"
#include "core/text/HUDStil.hpp"

#include <QObject>
#include <QString>
#include <optional>

namespace parlix {

class Einstellungen;

// What the HUD shows. The published fields notify on change; the level and the morph
// change many times a second, so the view reads them on every frame instead of being
// told. Main thread only.
class HUDModel final : public QObject {
    Q_OBJECT

public:
    using Zeitpunkt = MainQueue::Zeitpunkt;

    static constexpr MainQueue::Dauer morphDauer = std::chrono::milliseconds(600);
    // A morph start this long ago has ended whatever the clock reads.
    static constexpr Zeitpunkt ferneVergangenheit = Zeitpunkt::min();

    AppZustand zustand() const { return zustand_; }
    void setzeZustand(AppZustand zustand);
    QString text() const { return text_; }
    void setzeText(const QString& text);
    bool gesperrt() const { return gesperrt_; }
    void setzeGesperrt(bool gesperrt);
    std::optional<QString> fehler() const { return fehler_; }
    void setzeFehler(const std::optional<QString>& fehler);
    // A message that only informs (the text waits on the clipboard); unlike an error it
    // belongs to no recording.
    std::optional<QString> hinweis() const { return hinweis_; }
    void setzeHinweis(const std::optional<QString>& hinweis);
    HUDStil stil() const { return stil_; }
    HUDPalette palette() const { return palette_; }
    double groesse() const { return groesse_; }

    // Style, palette and size from the settings "hudStil", "hudFarbe", "hudGroesse".
    void ladeDarstellung(const Einstellungen& einstellungen);

    // The smoothed level after one more raw level (0...1) of the microphone.
    float schiebePegel(float pegel);
    // Level, smoother and morph back to rest, as at the start of a recording.
    void setzeAnimationZurueck();

    // The morph between the recording figure (0) and the processing figure (1): from
    // morphVon to morphZiel over morphDauer, eased with smoothstep.
    double morphWert(Zeitpunkt jetzt) const;
    // Starts a morph from wherever the running one has got to.
    void starteMorph(double ziel, Zeitpunkt jetzt);

    PegelGlaetter glaetter{0.5f, 0.12f};
    float aktuellerPegel = 0.0f;
    double morphVon = 0.0;
    double morphZiel = 0.0;
    Zeitpunkt morphStart = ferneVergangenheit;

signals:
    void zustandGeaendert(AppZustand zustand);
    void textGeaendert(const QString& text);
    void gesperrtGeaendert(bool gesperrt);
    void fehlerGeaendert(const std::optional<QString>& fehler);
    void hinweisGeaendert(const std::optional<QString>& hinweis);
    // Style, palette or size.
    void darstellungGeaendert();

private:
    AppZustand zustand_ = AppZustand::idle;
    QString text_;
    bool gesperrt_ = false;
    std::optional<QString> fehler_;
    std::optional<QString> hinweis_;
    HUDStil stil_ = HUDStil::alle().front();
    HUDPalette palette_;
    double groesse_ = 1.0;
};

} // namespace parlix
