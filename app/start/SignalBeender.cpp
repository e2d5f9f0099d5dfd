#include "app/start/SignalBeender.hpp"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace parlix {

namespace {

// The write end for the handler; a signal handler can reach nothing else safely.
volatile sig_atomic_t schreibEnde = -1;
constexpr int signale[] = {SIGTERM, SIGINT};

} // namespace

SignalBeender::SignalBeender() {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    schreibEnde = pipe_[1];
    melder_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(melder_.get(), &QSocketNotifier::activated, this, &SignalBeender::lies);
    struct sigaction aktion {};
    aktion.sa_handler = &SignalBeender::behandle;
    sigemptyset(&aktion.sa_mask);
    aktion.sa_flags = SA_RESTART;
    for (const int signal : signale) {
        sigaction(signal, &aktion, nullptr);
    }
}

SignalBeender::~SignalBeender() {
    for (const int signal : signale) {
        std::signal(signal, SIG_DFL);
    }
    schreibEnde = -1;
    melder_.reset();
    for (const int ende : pipe_) {
        if (ende >= 0) {
            ::close(ende);
        }
    }
}

void SignalBeender::behandle(int signal) {
    const unsigned char nummer = static_cast<unsigned char>(signal);
    if (schreibEnde >= 0) {
        [[maybe_unused]] const auto geschrieben = ::write(schreibEnde, &nummer, 1);
    }
}

void SignalBeender::lies() {
    unsigned char nummer = 0;
    while (::read(pipe_[0], &nummer, 1) == 1) {
        emit beenden(nummer);
    }
}

} // namespace parlix
