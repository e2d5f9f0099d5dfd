#pragma once

#include "app/ui/FensterSteuerung.hpp"
#include "tests/support/Aufrufe.hpp"

namespace parlix::test {

// Records "fenster.setup", "fenster.einstellungen", "fenster.onboarding",
// "fenster.handbuch" and "fenster.login".
class FakeFensterSteuerung final : public FensterSteuerung {
public:
    explicit FakeFensterSteuerung(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    void zeigeSetup() override { aufrufe_.notiere(QStringLiteral("fenster.setup")); }
    void zeigeEinstellungen() override {
        aufrufe_.notiere(QStringLiteral("fenster.einstellungen"));
    }
    void zeigeOnboarding() override { aufrufe_.notiere(QStringLiteral("fenster.onboarding")); }
    void zeigeHandbuch() override { aufrufe_.notiere(QStringLiteral("fenster.handbuch")); }
    void zeigeLogin() override { aufrufe_.notiere(QStringLiteral("fenster.login")); }

private:
    Aufrufe& aufrufe_;
};

} // namespace parlix::test
