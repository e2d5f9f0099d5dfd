#pragma once

#include "app/platform/EscMonitor.hpp"

namespace parlix {

class MainQueue;
class SwayBindungen;

// Escape through a sway binding. A binding takes Escape away from the application, so
// it exists only while a watch is installed (the coordinator installs one for the
// length of a recording).
class SwayEscMonitor final : public EscMonitor {
public:
    SwayEscMonitor(SwayBindungen& bindungen, MainQueue& mainQueue);

    std::unique_ptr<Abo> installiere(std::function<void()> beiEscape) override;

private:
    SwayBindungen& bindungen_;
    MainQueue& mainQueue_;
};

} // namespace parlix
