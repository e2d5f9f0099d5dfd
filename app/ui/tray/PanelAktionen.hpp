#pragma once

#include <QString>
#include <functional>
#include <span>

namespace parlix {

// What the status panel and the tray menu can do; the start-up wires each one.
struct PanelAktionen {
    std::function<void()> aufVerlauf;
    std::function<void()> aufEinstellungen;
    std::function<void()> aufEinrichtung;
    std::function<void()> aufHandbuch;
    std::function<void()> aufBeenden;
    // Puts the text on the clipboard.
    std::function<void(const QString& text)> aufKopieren;

    // One command of the panel's button row and of the tray menu.
    struct Befehl {
        QString symbol;
        QString key; // the localised label
        std::function<void()> PanelAktionen::*aktion;
    };
    // History, settings, setup and manual, in this order (quit comes separately).
    static std::span<const Befehl> befehle();

    // Runs the command's action, if it is set.
    void fuehreAus(const Befehl& befehl) const;
};

} // namespace parlix
