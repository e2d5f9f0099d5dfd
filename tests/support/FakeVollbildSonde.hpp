#pragma once

#include "core/hotkeys/VollbildSonde.hpp"

namespace parlix::test {

// A desktop described by the test: set the fields, then call wechsle() for an
// application switch.
class FakeVollbildSonde final : public VollbildSonde {
public:
    std::optional<qint64> pid;
    std::optional<QList<Fenster>> liste = QList<Fenster>{};
    QList<QSizeF> schirme{QSizeF(1920, 1080)};
    std::optional<bool> gemeldet;

    std::optional<qint64> vorderstePid() override { return pid; }
    std::optional<QList<Fenster>> fenster() override { return liste; }
    QList<QSizeF> bildschirme() override { return schirme; }
    std::optional<bool> meldetVollbild() override { return gemeldet; }

    void beobachteWechsel(std::function<void()> wechsel) override { wechsel_ = std::move(wechsel); }
    void beendeBeobachtung() override { wechsel_ = nullptr; }

    bool beobachtet() const { return static_cast<bool>(wechsel_); }
    void wechsle() {
        if (wechsel_) {
            wechsel_();
        }
    }

private:
    std::function<void()> wechsel_;
};

} // namespace parlix::test
