#pragma once

#include <QRect>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace parlix {

class XVerbindung;

// The desktop as the window manager and the applications describe it in window
// properties (EWMH, ICCCM), read through one connection on the thread that owns it.
// Windows are X window ids; a window that has vanished meanwhile reads as nothing.
class EwmhAbfrage {
public:
    // WM_CLASS: the instance ("xterm") and the class ("XTerm") of a window.
    struct Klasse {
        QString instanz;
        QString klasse;
    };

    explicit EwmhAbfrage(const XVerbindung& verbindung)
        : verbindung_(verbindung) {}

    // _NET_ACTIVE_WINDOW; nothing when no window is active or no window manager runs.
    std::optional<quint64> aktivesFenster() const;
    // _NET_WM_PID: the process that owns the window, as the application states it.
    std::optional<qint64> pid(quint64 fenster) const;
    // The window with the manager's frame around it (_NET_FRAME_EXTENTS), in root
    // coordinates, in pixels.
    std::optional<QRect> rahmen(quint64 fenster) const;
    std::optional<Klasse> klasse(quint64 fenster) const;
    // A text property such as "_GTK_APPLICATION_ID" (UTF8_STRING or STRING); nothing when
    // it is absent or empty.
    std::optional<QString> text(quint64 fenster, const char* eigenschaft) const;
    // The atoms of an atom-list property such as "_NET_WM_STATE" or "_NET_WM_WINDOW_TYPE".
    std::vector<quint64> atome(quint64 fenster, const char* eigenschaft) const;
    // Whether _NET_WM_STATE holds the state named `zustand`.
    bool hatZustand(quint64 fenster, const char* zustand) const;
    bool istVollbild(quint64 fenster) const;
    // Whether the window is on the desktop shown now (or on all of them); true when the
    // manager does not tell.
    bool aufAktuellemDesktop(quint64 fenster) const;
    // The windows the manager manages, topmost first (_NET_CLIENT_LIST_STACKING).
    std::vector<quint64> stapel() const;

private:
    // The 32-bit items of a property of type `typ`; empty when it is absent.
    std::vector<quint64> werte32(quint64 fenster, const char* eigenschaft, quint64 typ) const;

    const XVerbindung& verbindung_;
};

} // namespace parlix
