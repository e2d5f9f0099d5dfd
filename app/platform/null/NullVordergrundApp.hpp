#pragma once

#include "app/platform/VordergrundApp.hpp"

namespace parlix {

// The frontmost application is unknown: the cleanup prompt uses no per-app tone.
class NullVordergrundApp final : public VordergrundApp {
public:
    std::optional<QString> anwendungsID() override { return std::nullopt; }
};

} // namespace parlix
