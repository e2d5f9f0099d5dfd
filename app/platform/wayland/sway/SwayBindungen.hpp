#pragma once

#include "app/platform/wayland/sway/SwayEreignisse.hpp"
#include "app/platform/wayland/sway/SwayIpc.hpp"

#include <QString>
#include <functional>
#include <map>
#include <mutex>

namespace parlix {

// Global keys through sway's own key bindings: each binding runs a command that does
// nothing ("nop parlix-N") and that sway reports as an event, on the events' thread.
// What sway binds it takes away from the focused application, as a grab does.
class SwayBindungen {
public:
    // Both live longer than this object.
    SwayBindungen(SwayIpc& befehle, SwayEreignisse& ereignisse);
    // Removes every binding it made.
    ~SwayBindungen();
    SwayBindungen(const SwayBindungen&) = delete;
    SwayBindungen& operator=(const SwayBindungen&) = delete;

    // Binds `tasten` (sway's bindsym arguments, e.g. "--release Control_L"); `beiTaste`
    // runs on the events' thread each time. False when sway refused the binding. Any
    // thread except the events' thread.
    bool binde(const QString& tasten, std::function<void()> beiTaste);
    void loese(const QString& tasten);

private:
    void bindungLief(const QJsonObject& ereignis);

    SwayIpc& befehle_;
    SwayEreignisse& ereignisse_;
    int abo_ = 0;
    std::mutex sperre_;
    std::map<QString, std::pair<QString, std::function<void()>>>
        bindungen_; // tasten -> (tag, handler)
    int naechste_ = 1;
};

} // namespace parlix
