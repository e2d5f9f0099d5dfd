#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <optional>

namespace parlix {

// What the platform tells about the desktop for the full-screen check. Main thread.
class VollbildSonde {
public:
    struct Fenster {
        qint64 besitzerPid = 0;
        // 0 for ordinary application windows; panels, docks and overlays lie above.
        qint64 ebene = 0;
        // Nothing when the window's bounds could not be read.
        std::optional<QRectF> grenzen;
    };

    virtual ~VollbildSonde() = default;

    // The process id of the frontmost application; nothing when there is none.
    virtual std::optional<qint64> vorderstePid() = 0;
    // The windows on screen, front to back, without desktop elements; nothing when the
    // list is unavailable.
    virtual std::optional<QList<Fenster>> fenster() = 0;
    // The frame sizes of the screens.
    virtual QList<QSizeF> bildschirme() = 0;
    // Whether the frontmost application's active window is full screen, where the desktop
    // tells that state itself but neither process ids nor window bounds; nothing where
    // it is judged from the window list above.
    virtual std::optional<bool> meldetVollbild() { return std::nullopt; }

    // Calls wechsel on the main thread whenever the active application or workspace
    // changes, until beendeBeobachtung().
    virtual void beobachteWechsel(std::function<void()> wechsel) = 0;
    virtual void beendeBeobachtung() = 0;
};

} // namespace parlix
