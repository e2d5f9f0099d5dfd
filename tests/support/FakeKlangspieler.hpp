#pragma once

#include "app/platform/Klangspieler.hpp"
#include "tests/support/Aufrufe.hpp"

namespace parlix::test {

// Records "spiele(<name>)".
class FakeKlangspieler final : public Klangspieler {
public:
    explicit FakeKlangspieler(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    void spiele(const QString& name) override {
        aufrufe_.notiere(QStringLiteral("spiele(%1)").arg(name));
    }

private:
    Aufrufe& aufrufe_;
};

} // namespace parlix::test
