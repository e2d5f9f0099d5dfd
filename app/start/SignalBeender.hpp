#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace parlix {

// Turns SIGTERM and SIGINT into an orderly end: the signal handler only writes the
// signal's number into a pipe, and the event loop reads it and emits `beenden`. While
// the object lives, the two signals no longer kill the process. One object at a time.
class SignalBeender final : public QObject {
    Q_OBJECT

public:
    SignalBeender();
    ~SignalBeender() override;

signals:
    void beenden(int signal);

private:
    static void behandle(int signal);
    void lies();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> melder_;
};

} // namespace parlix
