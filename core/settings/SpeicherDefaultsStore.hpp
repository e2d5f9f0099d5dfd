#pragma once

#include "core/settings/DefaultsStore.hpp"

namespace parlix {

// A defaults store that lives only in memory; for tests and tools.
class SpeicherDefaultsStore final : public DefaultsStore {
protected:
    void persistiere(const Werte&) override {}
};

} // namespace parlix
