#pragma once

#include "app/ui/tray/PanelAktionen.hpp"

#include <QMenu>
#include <QObject>
#include <QTimer>
#include <memory>

class QSystemTrayIcon;

namespace parlix {

class HUDModel;
class Texte;
class VerlaufStore;

// The icon in the desktop's tray (StatusNotifierItem where the desktop has one, else the
// older tray protocol). A left click asks for the status panel; its context menu holds
// every panel action as well, because some desktops never deliver the left click. A
// desktop without a tray (yet) is waited for: the program keeps running meanwhile.
// Main thread.
class Tray final : public QObject {
    Q_OBJECT

public:
    Tray(VerlaufStore& verlauf, const HUDModel& hud, const Texte& texte, PanelAktionen aktionen);
    ~Tray() override;

    // Shows the icon, or waits for the tray to appear.
    void zeige();
    // Whether the icon is shown in a tray.
    bool gezeigt() const;
    QMenu& menue() { return menue_; }
    // Where the icon is; empty when the tray does not tell.
    QRect ort() const;

signals:
    // A left click on the icon, or the menu's panel entry.
    void panelUmschalten();

private:
    void baueIcon();
    void baueMenue();
    void aktualisiereIcon();
    void pruefeTray();

    VerlaufStore& verlauf_;
    const HUDModel& hud_;
    const Texte& texte_;
    PanelAktionen aktionen_;
    QMenu menue_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    QTimer warten_;
};

} // namespace parlix
