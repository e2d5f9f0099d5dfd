#pragma once

#include "app/ui/hud/HUDFenster.hpp"
#include "app/ui/livebox/LiveBoxFenster.hpp"
#include "tests/support/Aufrufe.hpp"

namespace parlix::test {

// A window that only records "<name>.zeige" and "<name>.verstecke" and whether it is
// shown. Main thread.
template <class Schnittstelle, class Model> class FakeFenster final : public Schnittstelle {
public:
    FakeFenster(Aufrufe& aufrufe, QString name)
        : aufrufe_(aufrufe)
        , name_(std::move(name)) {}

    void zeige(Model&) override {
        sichtbar_ = true;
        aufrufe_.notiere(name_ + QStringLiteral(".zeige"));
    }
    void verstecke() override {
        sichtbar_ = false;
        aufrufe_.notiere(name_ + QStringLiteral(".verstecke"));
    }
    bool sichtbar() const { return sichtbar_; }

private:
    Aufrufe& aufrufe_;
    const QString name_;
    bool sichtbar_ = false;
};

using FakeHUDFenster = FakeFenster<HUDFenster, HUDModel>;
using FakeLiveBoxFenster = FakeFenster<LiveBoxFenster, LiveBoxModel>;

} // namespace parlix::test
