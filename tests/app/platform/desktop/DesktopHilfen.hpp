#pragma once

#include "app/platform/KindProzess.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "app/platform/linux/Tastenkombination.hpp"
#include "tests/support/ProzessDesktop.hpp"

#include <QPoint>
#include <QString>
#include <chrono>
#include <functional>

namespace parlix::test {

// Runs the Qt event loop until `bedingung` holds or `frist` has passed; whether it holds.
bool laufeBis(const std::function<bool()>& bedingung,
              std::chrono::milliseconds frist = std::chrono::seconds(10));
// Runs the Qt event loop for `dauer`.
void laufeFuer(std::chrono::milliseconds dauer);

// Starts a program in the process's desktop and waits until its window `fenster` is
// mapped and has the focus; the running program.
KindProzess& starteFenster(const QString& programm, const QStringList& argumente,
                           const QString& fenster);

// The Qt text field of tests/support/programme, titled `titel`.
KindProzess& starteTextfeld(const QString& titel, const QString& text = {}, int auswahlVon = 0,
                            int auswahlLaenge = 0);

// The last line a program printed by `frist`, waiting for one that equals `erwartet`.
bool warteAufZeile(KindProzess& programm, const QString& erwartet,
                   std::chrono::milliseconds frist = std::chrono::seconds(10));

// Types a key (by keysym) as the user would, through XTest.
void tippe(const Tastenkombination& taste);
// Holds or releases a key (by keysym) as the user would.
void halte(quint32 keysym, bool gedrueckt);
// Double-clicks with the first mouse button at `ort`, in the active window's coordinates.
void doppelklicke(QPoint ort);

// The process's one accessibility connection.
AtspiVerbindung& atspi();

// The clipboard's plain text, or absent.
std::optional<QString> ablageText();
void setzeAblage(const QString& text);

} // namespace parlix::test
