#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <optional>

namespace parlix {

// The active window as a compositor's window list reports it (wlroots' foreign-toplevel
// management, KDE's window management). Kept current on the connection's thread; read
// from any other thread without waiting.
class AktivesFenster {
public:
    struct Aktiv {
        QString anwendungsID;
        bool vollbild = false;
        // Where the list tells them: the process that shows it, its frame on the desktop.
        std::optional<qint64> pid;
        std::optional<QRect> rahmen;

        bool operator==(const Aktiv&) const = default;
    };

    virtual ~AktivesFenster() = default;

    // The active window as last reported; nothing while no window is active.
    virtual std::optional<Aktiv> aktiv() const = 0;

    // Called on the connection's thread whenever the active window or what is known of it
    // has changed; it must not block. An empty function ends the calls.
    virtual void beiWechsel(std::function<void()> wechsel) = 0;
};

} // namespace parlix
