#pragma once

#include "core/concurrency/MainQueue.hpp"
#include "core/recording/AppZustand.hpp"

#include <QString>
#include <optional>

namespace parlix {

class Einstellungen;

// The HUD as the recording coordinator drives it. Main thread.
class HUDAnzeige {
public:
    virtual ~HUDAnzeige() = default;

    // A new recording: nothing left of the last one (error, notice, text, lock), the look
    // from the settings, the animation from its start, the state aufnehmend; shown.
    virtual void zeigeAufnahme(const Einstellungen& einstellungen) = 0;
    // The state transkribierend, its morph starting at `jetzt`.
    virtual void zeigeVerarbeitung(MainQueue::Zeitpunkt jetzt) = 0;
    virtual void setzeZustand(AppZustand zustand) = 0;
    virtual void setzeGesperrt(bool gesperrt) = 0;
    // One level of the microphone, 0...1.
    virtual void schiebePegel(float pegel) = 0;
    // Localised texts; nothing takes them down.
    virtual void setzeFehler(const std::optional<QString>& text) = 0;
    virtual void setzeHinweis(const std::optional<QString>& text) = 0;
    virtual void zeige() = 0;
    virtual void verstecke() = 0;
};

} // namespace parlix
