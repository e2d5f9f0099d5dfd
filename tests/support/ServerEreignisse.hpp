#pragma once

#include "app/platform/KindProzess.hpp"

#include <QString>
#include <QStringList>
#include <chrono>

namespace parlix::test {

// Watches what happens on the current PulseAudio server (pactl subscribe): lines such as
// "Event 'new' on sink-input #3". Start it before acting.
class ServerEreignisse {
public:
    ServerEreignisse();
    ServerEreignisse(const ServerEreignisse&) = delete;
    ServerEreignisse& operator=(const ServerEreignisse&) = delete;

    // Waits until an event line contains `text`; false when none did within the limit.
    bool warteAuf(const QString& text, std::chrono::milliseconds limit);
    // The event lines seen so far.
    QStringList zeilen();

private:
    void lies(std::chrono::milliseconds frist);

    KindProzess prozess_;
    QString rest_;
    QStringList zeilen_;
};

} // namespace parlix::test
