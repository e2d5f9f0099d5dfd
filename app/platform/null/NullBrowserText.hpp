#pragma once

#include "app/platform/BrowserText.hpp"

namespace parlix {

// Browser pages cannot be read on this desktop.
class NullBrowserText final : public BrowserText {
public:
    QString seitentext() override { return {}; }
};

} // namespace parlix
