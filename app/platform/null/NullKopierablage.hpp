#pragma once

#include "app/platform/Kopierablage.hpp"

namespace parlix {

// Qt's own clipboard, where no desktop service is at hand. Wayland refuses it to a
// program without a focused window, so the text is read back to tell.
class NullKopierablage final : public Kopierablage {
public:
    bool kopiere(const QString& text) override;
};

} // namespace parlix
