#pragma once

#include "app/ui/tray/PanelAktionen.hpp"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace parlix {

class Arbeitsflaeche;
class DefaultsStore;
class HUDModel;
class Texte;
class VerlaufStore;

// The popup below the tray icon: the name and the current state, the three modes with
// their keys, the two newest results (shortened to 30 characters) with a copy button
// each, and a row of buttons for history, settings, setup, manual and quit. It closes
// when the user clicks elsewhere. Main thread.
class StatusPanel final : public QWidget {
    Q_OBJECT

public:
    static constexpr int breite = 340;
    static constexpr int schatten = 14;
    // The two newest results are shown.
    static constexpr int zuletztAnzahl = 2;
    static constexpr int zuletztZeichen = 30;

    StatusPanel(VerlaufStore& verlauf, const HUDModel& hud, DefaultsStore& speicher,
                const Texte& texte, Arbeitsflaeche& arbeitsflaeche, PanelAktionen aktionen);

    // Opens the panel next to `anker` (the tray icon, or a point where the user
    // clicked), kept inside the screen's free area.
    void zeigeBei(const QRect& anker);
    // Whether it was closed within the last few hundred milliseconds: the click on the
    // tray icon that closed it must not reopen it at once.
    bool geradeGeschlossen() const;

    // Shown texts, for tests and the render harness.
    QString zustandText() const;
    QStringList zuletztTexte() const;
    void aktualisiere();

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void hideEvent(QHideEvent* ereignis) override;

private:
    QWidget* baueKopf();
    QWidget* baueModi();
    QWidget* baueFuss();
    void fuelleZuletzt();
    void aktualisiereZustand();
    QRectF koerper() const;

    VerlaufStore& verlauf_;
    const HUDModel& hud_;
    DefaultsStore& speicher_;
    const Texte& texte_;
    Arbeitsflaeche& arbeitsflaeche_;
    PanelAktionen aktionen_;
    QLabel* zustand_;
    QVBoxLayout* modi_;
    QVBoxLayout* zuletzt_;
    QElapsedTimer geschlossen_;
};

} // namespace parlix
