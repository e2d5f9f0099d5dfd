#pragma once

#include "app/platform/AuswahlKopierer.hpp"

namespace parlix {

// No synthetic copy on this desktop: there is never a selection to take.
class NullAuswahlKopierer final : public AuswahlKopierer {
public:
    QString auswahlText() override { return {}; }
};

} // namespace parlix
