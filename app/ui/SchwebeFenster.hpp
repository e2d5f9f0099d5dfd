#pragma once

#include "app/platform/Ueberlagerung.hpp"

#include <QRegion>
#include <QVariantAnimation>
#include <QWidget>
#include <chrono>
#include <optional>

class QScreen;

namespace parlix {

class Arbeitsflaeche;

// A floating window of our own above every other window: frameless, translucent, on
// all workspaces, never in the task bar and never given the keyboard focus, so the
// user's application keeps it. It fades in and out by its window opacity. Main thread.
class SchwebeFenster : public QWidget {
    Q_OBJECT

public:
    // durchklickbar: mouse events go to whatever lies below (HUD, live box);
    // klickbar: the window takes clicks but still no focus (history panel).
    enum class Maus { durchklickbar, klickbar };

    SchwebeFenster(Maus maus, Arbeitsflaeche& arbeitsflaeche);

    // Shows the window at opacity 0 without activating it, then fades to 1.
    void blendeEin(std::chrono::milliseconds dauer);
    // Fades from the current opacity to 0, then hides the window. A fade-in still
    // running is taken over, so hiding during a fade-in ends hidden.
    void blendeAus(std::chrono::milliseconds dauer);
    // Shown and not fading out.
    bool eingeblendet() const { return isVisible() && !ausblenden_; }
    // Where the fade stands, 0 (gone) ... 1; the window opacity too unless the window is
    // shown by someone else.
    qreal deckkraft() const { return deckkraft_; }

    // The screen the user works on: that of the focused window, else that of the mouse
    // pointer, else the primary screen. Null without any screen.
    QScreen* arbeitsBildschirm() const;
    // Moves the window to the horizontal centre of that screen's free area, its bottom
    // edge `abstand` points above the area's bottom; or, for nothing, to its middle
    // raised by `hoeher` points.
    void platziere(std::optional<int> abstandUnten, int hoeher = 0);
    // The distance of the last platziere(); nothing for the middle.
    std::optional<int> randUnten() const { return randUnten_; }
    // Both of the above, for a desktop layer that shows the window in its stead.
    Ueberlagerung::Platzierung platzierung() const {
        return {[this] { return randUnten(); }, [this] { return deckkraft(); }};
    }

signals:
    // The window was hidden at the end of a fade-out.
    void ausgeblendet();

protected:
    // The window's visible shape; on a desktop without translucency the window is cut
    // to it (its shadow and glow are lost there, its body stays). The whole window by
    // default.
    virtual QRegion form() const;
    // Cuts the window again after its shape changed.
    void formGeaendert();

private:
    void blende(qreal ziel, std::chrono::milliseconds dauer);
    void setzeDeckkraft(qreal deckkraft);

    Arbeitsflaeche& arbeitsflaeche_;
    QVariantAnimation blende_;
    bool ausblenden_ = false;
    qreal deckkraft_ = 1.0;
    std::optional<int> randUnten_;
    // Asked at every fade-in: compositors come and go rarely.
    bool durchscheinend_ = true;
};

} // namespace parlix
