#pragma once

#include "app/platform/FensterFoto.hpp"

#include <QDBusConnection>

namespace parlix {

// The active window's photo from KWin itself (its ScreenShot2 interface): the window
// alone, without its frame, at the screen's resolution. KWin answers, without asking,
// only a program whose desktop entry names the interface in
// X-KDE-DBUS-Restricted-Interfaces; the picture comes raw through a pipe.
class KWinFensterFoto final : public FensterFoto {
public:
    explicit KWinFensterFoto(QDBusConnection bus)
        : bus_(std::move(bus)) {}

    // Whether KWin's screenshot interface is on the bus (not whether it will answer us).
    static bool verfuegbar(const QDBusConnection& bus);

    // Any thread; blocks for KWin's answer and the picture.
    std::optional<QByteArray> fensterScreenshot() override;

private:
    QDBusConnection bus_;
};

} // namespace parlix
