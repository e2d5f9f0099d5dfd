#pragma once

#include "app/platform/EscMonitor.hpp"
#include "tests/support/Aufrufe.hpp"

namespace parlix::test {

// Records "esc.installiere" and "esc.entferne"; druecke() is the user pressing Escape.
// Main thread (the test's).
class FakeEscMonitor final : public EscMonitor {
public:
    explicit FakeEscMonitor(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    std::unique_ptr<Abo> installiere(std::function<void()> beiEscape) override;

    // Calls the handler of the installed watch, if there is one.
    void druecke();
    bool installiert() const { return static_cast<bool>(handler_); }

private:
    class FakeAbo;

    Aufrufe& aufrufe_;
    std::function<void()> handler_;
};

} // namespace parlix::test
