#pragma once

#include "app/platform/Kopierablage.hpp"

namespace parlix {

class Ablage;

// The Wayland clipboard through data-control or the RemoteDesktop portal, the one the
// paste uses; neither needs a focused window of ours.
class WaylandKopierablage final : public Kopierablage {
public:
    explicit WaylandKopierablage(Ablage& ablage);

    bool kopiere(const QString& text) override;

private:
    Ablage& ablage_;
};

} // namespace parlix
