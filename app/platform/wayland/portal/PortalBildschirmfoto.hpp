#pragma once

#include "app/platform/FensterFoto.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <chrono>
#include <future>
#include <mutex>
#include <optional>

namespace parlix {

// A screenshot through the desktop's Screenshot portal, where the compositor lets no
// client copy the screen itself (GNOME, KDE): the whole screen, not cut to the window, as
// PNG. The portal writes the picture to a file and names it in its answer; the file is
// read and removed. Lives on the main thread, where the portal's answer arrives.
class PortalBildschirmfoto final : public QObject, public FensterFoto {
    Q_OBJECT

public:
    // How long the portal may take, a consent dialog included.
    static constexpr std::chrono::seconds kFrist{20};

    explicit PortalBildschirmfoto(QDBusConnection bus);

    // Whether the bus offers the Screenshot portal. Blocks for its answer (2 s at most).
    static bool verfuegbar(const QDBusConnection& bus);

    // On the pipeline thread, never the main thread (the answer arrives there). Nothing
    // when the portal refused, the user cancelled or no answer came in time.
    std::optional<QByteArray> fensterScreenshot() override;

private slots:
    void antwortKam(const QDBusMessage& antwort);

private:
    QDBusConnection bus_;
    std::mutex eins_; // one screenshot at a time
    std::mutex sperre_;
    std::optional<std::promise<QString>> antwort_;
    int anfragen_ = 0;
};

} // namespace parlix
