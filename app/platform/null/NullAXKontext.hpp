#pragma once

#include "app/platform/AXKontext.hpp"

namespace parlix {

// No accessibility interface: there is never a focused element to read.
class NullAXKontext final : public AXKontext {
public:
    QString text() override { return {}; }
    QString auswahl() override { return {}; }
};

} // namespace parlix
