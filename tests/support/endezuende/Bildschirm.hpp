#pragma once

#include "app/platform/x11/XVerbindung.hpp"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

namespace parlix::test {

// What the user sees on an X display: the windows by their titles, whether they are
// shown and where, pictures of the screen and the text in them. Reads the server on a
// connection of its own; the calling thread only.
class Bildschirm {
public:
    struct Fenster {
        quint64 id = 0;
        QString titel;
        QRect rahmen; // in root-window pixels
        bool sichtbar = false;
    };

    explicit Bildschirm(const QString& anzeige);

    bool verbunden() const { return verbindung_.has_value(); }

    // Every window that has a title, those inside the window manager's frames included,
    // from the bottom of the stack to the top.
    QList<Fenster> fenster() const;
    // The window titled exactly `titel`, a shown one before a hidden one.
    std::optional<Fenster> fenster(const QString& titel) const;
    // The window that has the keyboard focus (the window manager's active window).
    std::optional<Fenster> aktivesFenster() const;
    // Whether a window titled `titel` is shown now.
    bool zeigt(const QString& titel) const;
    // Whether a system tray runs (it owns the selection _NET_SYSTEM_TRAY_S0).
    bool trayDa() const;
    // Whether a window titled `titel` is shown inside another program's window, as a
    // tray shows the icons it embedded (until then an icon's window is not shown).
    bool eingebettet(const QString& titel) const;

    // The whole screen, or a rectangle of it; a null image when it cannot be read.
    QImage bild() const;
    QImage bild(const QRect& bereich) const;
    // The text a reader sees in a rectangle of the screen or in a picture of it (text
    // recognition, one line per line).
    QString text(const QRect& bereich) const;
    static QString text(const QImage& bild);

private:
    void sammle(quint64 fenster, int tiefe, QList<Fenster>& gefunden) const;
    std::optional<QString> titel(quint64 fenster) const;

    std::optional<XVerbindung> verbindung_;
};

} // namespace parlix::test
