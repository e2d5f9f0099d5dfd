#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <thread>

namespace parlix {

// Hyprland's event socket, read on a thread of its own: each line is one event,
// "name>>data". The handler gets the name, on that thread, and must return quickly. When
// Hyprland goes away the events end.
class HyprlandEreignisse {
public:
    using Behandler = std::function<void(const QByteArray& name)>;

    HyprlandEreignisse(const QString& socket, Behandler behandler);
    ~HyprlandEreignisse();
    HyprlandEreignisse(const HyprlandEreignisse&) = delete;
    HyprlandEreignisse& operator=(const HyprlandEreignisse&) = delete;

    bool verbunden() const { return fd_ >= 0; }

private:
    void laufe(const std::stop_token& stop);

    int fd_ = -1;
    Behandler behandler_;
    std::jthread faden_;
};

} // namespace parlix
