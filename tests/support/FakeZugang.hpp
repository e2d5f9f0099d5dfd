#pragma once

#include "app/platform/Barrierefreiheit.hpp"
#include "app/platform/DesktopZugang.hpp"
#include "app/platform/MikrofonDienst.hpp"
#include "tests/support/Aufrufe.hpp"

namespace parlix::test {

// The microphones, the desktop's grants and the accessibility bus as the test sets them.
// Records "oeffneToneinstellungen" and "schalteEin".
class FakeMikrofonDienst final : public MikrofonDienst {
public:
    explicit FakeMikrofonDienst(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    std::vector<Mikrofon> liste() override { return mikrofone; }
    bool kannAufnehmen() override { return erreichbar; }
    bool oeffneToneinstellungen() override {
        aufrufe_.notiere(QStringLiteral("oeffneToneinstellungen"));
        return toneinstellungenDa;
    }

    std::vector<Mikrofon> mikrofone;
    bool erreichbar = true;
    bool toneinstellungenDa = true;

private:
    Aufrufe& aufrufe_;
};

class FakeDesktopZugang final : public DesktopZugang {
public:
    bool istWayland() override { return wayland; }
    bool tastenUndEingabe() override { return eingabe; }
    bool fensterAufnahme() override { return bildschirm; }
    QString tastenHinweis() override { return hinweis; }

    bool wayland = false;
    bool eingabe = true;
    bool bildschirm = true;
    QString hinweis;
};

class FakeBarrierefreiheit final : public Barrierefreiheit {
public:
    explicit FakeBarrierefreiheit(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    bool aktiv() override { return an; }
    bool schalteEin() override {
        aufrufe_.notiere(QStringLiteral("schalteEin"));
        an = einschaltbar;
        return an;
    }

    bool an = true;
    bool einschaltbar = true;

private:
    Aufrufe& aufrufe_;
};

} // namespace parlix::test
