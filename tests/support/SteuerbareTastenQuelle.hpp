#pragma once

#include "core/hotkeys/TastenQuelle.hpp"

namespace parlix::test {

// A key source driven by the test: druecke() hands one event to the handler on the
// calling thread, as the source's own thread would, and returns whether it was
// swallowed.
class SteuerbareTastenQuelle final : public TastenQuelle {
public:
    void starte(Behandler behandler, Bereit bereit) override;
    void aktiviereWieder() override {}

    bool gestartet() const { return static_cast<bool>(behandler_); }
    bool druecke(quint32 typ, qint64 keyCode, quint64 flags);
    // Key down and key up of a plain key or combination.
    void tippe(qint64 keyCode, quint64 flags);

private:
    Behandler behandler_;
};

} // namespace parlix::test
