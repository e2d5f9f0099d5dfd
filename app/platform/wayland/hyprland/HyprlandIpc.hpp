#pragma once

#include <QJsonDocument>
#include <QRect>
#include <QString>
#include <chrono>
#include <optional>

namespace parlix {

// Hyprland's request socket: one command per connection ("j/activewindow"), answered
// until Hyprland closes the connection. Any thread.
class HyprlandIpc {
public:
    // The active window as Hyprland describes it.
    struct Fenster {
        QString klasse; // the Wayland app id, or the X class of an XWayland window
        qint64 pid = 0;
        QRect rahmen;
        bool vollbild = false;
    };

    // The running instance's folder: $XDG_RUNTIME_DIR/hypr/<signature> (Hyprland 0.40
    // and later), else /tmp/hypr/<signature>, where its request socket is; nothing
    // outside Hyprland.
    static std::optional<QString> ordner();

    explicit HyprlandIpc(QString ordner)
        : ordner_(std::move(ordner)) {}

    // The JSON answer to a command; nothing when Hyprland did not answer in time or not
    // with JSON.
    std::optional<QJsonDocument>
    frage(const QByteArray& befehl,
          std::chrono::milliseconds frist = std::chrono::milliseconds(500)) const;

    // The focused window; nothing when none has the focus or Hyprland does not answer.
    std::optional<Fenster> aktivesFenster() const;

    // Where Hyprland sends its events, one line each.
    QString ereignisSocket() const;

private:
    QString ordner_;
};

} // namespace parlix
