#pragma once

#include "app/platform/wayland/sway/SwayIpc.hpp"

#include <QJsonObject>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace parlix {

// sway's events (bindings that ran, window and workspace changes) on a connection and a
// thread of their own. Handlers run on that thread and must return quickly.
class SwayEreignisse {
public:
    using Behandler = std::function<void(const QJsonObject& ereignis)>;

    explicit SwayEreignisse(const QString& socket);
    ~SwayEreignisse();
    SwayEreignisse(const SwayEreignisse&) = delete;
    SwayEreignisse& operator=(const SwayEreignisse&) = delete;

    // Subscribed to every event type we use and the thread runs.
    bool bereit() const { return bereit_; }

    // Adds a handler for events of `typ` (SwayIpc::kEreignis...); its number for entferne().
    int abonniere(quint32 typ, Behandler behandler);
    void entferne(int nummer);

private:
    void laufe(std::stop_token stop);

    SwayIpc ipc_;
    bool bereit_ = false;
    std::mutex sperre_;
    std::map<int, std::pair<quint32, Behandler>> behandler_;
    int naechste_ = 1;
    std::jthread faden_;
};

} // namespace parlix
