#pragma once

#include <QVariantAnimation>
#include <QWidget>
#include <chrono>

class QScreen;

namespace parlix {

class FokusOrt;

// A floating window of our own above every other window: frameless, translucent, on
// all workspaces, never in the task bar and never given the keyboard focus, so the
// user's application keeps it. It fades in and out by its window opacity. Main thread.
class SchwebeFenster : public QWidget {
    Q_OBJECT

public:
    // durchklickbar: mouse events go to whatever lies below (HUD, live box);
    // klickbar: the window takes clicks but still no focus (history panel).
    enum class Maus { durchklickbar, klickbar };

    SchwebeFenster(Maus maus, FokusOrt& fokusOrt);

    // Shows the window at opacity 0 without activating it, then fades to 1.
    void blendeEin(std::chrono::milliseconds dauer);
    // Fades from the current opacity to 0, then hides the window. A fade-in still
    // running is taken over, so hiding during a fade-in ends hidden.
    void blendeAus(std::chrono::milliseconds dauer);
    // Shown and not fading out.
    bool eingeblendet() const { return isVisible() && !ausblenden_; }

    // The screen the user works on: that of the focused window, else that of the mouse
    // pointer, else the primary screen. Null without any screen.
    QScreen* arbeitsBildschirm() const;

signals:
    // The window was hidden at the end of a fade-out.
    void ausgeblendet();

private:
    void blende(qreal ziel, std::chrono::milliseconds dauer);

    FokusOrt& fokusOrt_;
    QVariantAnimation blende_;
    bool ausblenden_ = false;
};

} // namespace parlix
