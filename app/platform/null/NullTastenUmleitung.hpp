#pragma once

#include "app/platform/TastenUmleitung.hpp"

namespace parlix {

// No global key source: there is nothing to divert, and no grabs to renew.
class NullTastenUmleitung final : public TastenUmleitung {
public:
    void leiteUm(HotkeyRecorder&) override {}
    void beendeUmleitung() override {}
    void hotkeysGeaendert() override {}
};

} // namespace parlix
