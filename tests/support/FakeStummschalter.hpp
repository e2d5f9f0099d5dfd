#pragma once

#include "app/platform/Stummschalter.hpp"
#include "tests/support/Aufrufe.hpp"

namespace parlix::test {

// Records "absenken(<prozent>)" and "wiederherstellen".
class FakeStummschalter final : public Stummschalter {
public:
    explicit FakeStummschalter(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    void absenken(int prozent) override {
        aufrufe_.notiere(QStringLiteral("absenken(%1)").arg(prozent));
    }
    void wiederherstellen() override { aufrufe_.notiere(QStringLiteral("wiederherstellen")); }

private:
    Aufrufe& aufrufe_;
};

} // namespace parlix::test
