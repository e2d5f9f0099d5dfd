#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <mutex>
#include <optional>

namespace parlix {

// The active window as a compositor's window list reports it (wlroots' foreign-toplevel
// management, KDE's window management). Kept current by the list on the connection's
// thread; read from any other thread without waiting.
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
    std::optional<Aktiv> aktiv() const;

    // Called on the connection's thread whenever the active window or what is known of it
    // has changed; it must not block. An empty function ends the calls.
    void beiWechsel(std::function<void()> wechsel);

protected:
    // The list's latest word on the active window, on the connection's thread.
    void veroeffentliche(const std::optional<Aktiv>& neu);

private:
    mutable std::mutex sperre_;
    std::optional<Aktiv> aktiv_;
    std::function<void()> wechsel_;
};

} // namespace parlix
