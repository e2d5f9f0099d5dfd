#pragma once

#include "app/platform/Kopierablage.hpp"

namespace parlix {

class Ablage;

// The desktop's clipboard, the one the paste uses (X11's, data-control or the
// RemoteDesktop portal's; none needs a focused window of ours). The text is not marked
// for clipboard managers: the user copies it to keep.
class AblageKopierablage final : public Kopierablage {
public:
    explicit AblageKopierablage(Ablage& ablage);

    bool kopiere(const QString& text) override;

private:
    Ablage& ablage_;
};

} // namespace parlix
