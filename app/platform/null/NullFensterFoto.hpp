#pragma once

#include "app/platform/FensterFoto.hpp"

namespace parlix {

// Windows cannot be captured on this desktop.
class NullFensterFoto final : public FensterFoto {
public:
    std::optional<QByteArray> fensterScreenshot() override { return std::nullopt; }
};

} // namespace parlix
