#pragma once

#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

namespace parlix {

class SwayIpc;

// What sway's window tree says about the windows: the focused one and those on the
// visible workspaces.
struct SwayFenster {
    QString anwendungsID; // app id (Wayland) or X class (XWayland); may be empty
    qint64 pid = 0;
    // The window in desktop coordinates: the whole output when full screen, else the
    // content without sway's border and title.
    QRect rahmen;
    bool vollbild = false;
    bool fokussiert = false;
};

namespace SwayBaum {

// The windows of the visible workspaces, the focused one first; nothing when sway does
// not answer.
std::optional<QList<SwayFenster>> fenster(SwayIpc& ipc);
// The sizes of the active outputs.
QList<QRect> ausgaben(SwayIpc& ipc);

// The same from a tree already read (tests).
QList<SwayFenster> fensterAus(const QJsonObject& baum);

} // namespace SwayBaum

} // namespace parlix
