#pragma once

#include "app/platform/linux/Tastenkombination.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <QPoint>
#include <QString>
#include <optional>

namespace parlix::test {

// The user's hands on the keyboard and the mouse of an X display, through XTEST: the
// server sees the same key and button events as from real devices. Every call returns
// once the server has processed it.
class Nutzer {
public:
    explicit Nutzer(const QString& anzeige);

    bool verbunden() const { return verbindung_.has_value(); }

    // Presses or releases the key that carries the keysym in the current layout.
    void drueckeTaste(quint32 keysym);
    void lasseTasteLos(quint32 keysym);
    // Modifiers down, the key down and up, modifiers up.
    void tippe(const Tastenkombination& kombination);
    // Types ASCII text key by key, with Shift where the layout puts a character there.
    void schreibe(const QString& text);
    // Moves the pointer there and clicks the left button.
    void klicke(QPoint ort);
    // Has the window manager show the window full screen, or not any more, as the
    // manager's full-screen shortcut does.
    void vollbild(quint64 fenster, bool an);

private:
    void taste(quint32 keysym, bool gedrueckt);

    std::optional<XVerbindung> verbindung_;
};

} // namespace parlix::test
