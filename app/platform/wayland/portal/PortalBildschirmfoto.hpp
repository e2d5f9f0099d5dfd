#pragma once

#include "app/platform/FensterFoto.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QRect>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <optional>

namespace parlix {

// A window's photo through the desktop's Screenshot portal, where the compositor lets no
// client copy the screen itself (GNOME, KDE): the portal's picture of the whole screen,
// cut to the active window's frame as the desktop reports it, as PNG. Without a frame
// there is no photo: the rest of the screen may show anything the user has open, and the
// photo goes to a vision model. The portal writes the picture to a file and names it in
// its answer; the file is read and removed. Lives on the main thread, where the portal's
// answer arrives.
class PortalBildschirmfoto final : public QObject, public FensterFoto {
    Q_OBJECT

public:
    // How long the portal may take, a consent dialog included.
    static constexpr std::chrono::seconds kFrist{20};

    // The active window's frame in the screen's coordinates; nothing when unknown.
    using Rahmen = std::function<std::optional<QRect>()>;

    PortalBildschirmfoto(QDBusConnection bus, Rahmen rahmen);

    // Whether the bus offers the Screenshot portal. Blocks for its answer (2 s at most).
    static bool verfuegbar(const QDBusConnection& bus);

    // On the pipeline thread, never the main thread (the answer arrives there). Nothing
    // when no window frame is known or lies on the screen, the portal refused, the user
    // cancelled or no answer came in time.
    std::optional<QByteArray> fensterScreenshot() override;

private slots:
    void antwortKam(const QDBusMessage& antwort);

private:
    std::optional<QString> bildDatei();

    QDBusConnection bus_;
    Rahmen rahmen_;
    std::mutex eins_; // one screenshot at a time
    std::mutex sperre_;
    std::optional<std::promise<QString>> antwort_;
    int anfragen_ = 0;
};

} // namespace parlix
