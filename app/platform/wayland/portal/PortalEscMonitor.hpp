#pragma once

#include "app/platform/EscMonitor.hpp"

#include <QDBusConnection>

namespace parlix {

class MainQueue;

// Escape through a GlobalShortcuts portal session of its own. A shortcut takes Escape
// away from every application, so the session exists only while a watch is installed
// (the coordinator installs one for the length of a recording); closing it gives the key
// back. A press before the portal has bound the shortcut is not seen.
class PortalEscMonitor final : public EscMonitor {
public:
    PortalEscMonitor(QDBusConnection bus, MainQueue& mainQueue);

    std::unique_ptr<Abo> installiere(std::function<void()> beiEscape) override;

private:
    QDBusConnection bus_;
    MainQueue& mainQueue_;
};

} // namespace parlix
