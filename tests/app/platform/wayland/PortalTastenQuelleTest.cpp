// Hotkeys through the GlobalShortcuts portal, against a portal played by the test on a
// private session bus.
#include "app/platform/wayland/portal/PortalTastenQuelle.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "tests/app/platform/wayland/FakeGlobalShortcutsPortal.hpp"
#include "tests/app/platform/wayland/PortalBus.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

using Ereignis = std::tuple<quint32, qint64, quint64>;

class PortalTastenQuelleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.laeuft()) << desktop_.fehler().toStdString();
        portal_ = &bus_.starte<FakeGlobalShortcutsPortal>();
        ASSERT_TRUE(bus_.parlix().isConnected());
    }
    void TearDown() override { quelle_.reset(); }

    // Starts a source for `hotkeys`; what its readiness said, once it said it.
    std::optional<bool> starte(const QList<Hotkey>& hotkeys) {
        quelle_ =
            std::make_unique<PortalTastenQuelle>(bus_.parlix(), [hotkeys] { return hotkeys; });
        std::optional<bool> bereit;
        quelle_->starte(
            [this](quint32 typ, qint64 code, quint64 flags) {
                ereignisse_.append({typ, code, flags});
                return false;
            },
            [&](bool ok) { bereit = ok; });
        warteQt([&] { return bereit.has_value(); });
        return bereit;
    }

    KopflosesWaylandDesktop desktop_{{.bus = true}};
    PortalBus bus_{u"kuerzel"_s};
    FakeGlobalShortcutsPortal* portal_ = nullptr;
    std::unique_ptr<PortalTastenQuelle> quelle_;
    QList<Ereignis> ereignisse_;
};

TEST_F(PortalTastenQuelleTest, JederHotkeyWirdGebundenUndMeldetDrueckenUndLoslassen) {
    ASSERT_TRUE(PortalTastenQuelle::verfuegbar(bus_.parlix()));
    ASSERT_EQ(starte({Hotkey::diktatStandard(), Hotkey::lockStandard()}), true);
    const QList<PortalKuerzel> gebunden = portal_->gebunden();
    ASSERT_EQ(gebunden.size(), 2);
    EXPECT_EQ(gebunden[0].eigenschaften.value(u"preferred_trigger"_s), u"Control_L"_s);
    EXPECT_EQ(gebunden[1].eigenschaften.value(u"preferred_trigger"_s), u"SHIFT+LOGO+l"_s);

    portal_->druecke(gebunden[0].id, true);
    portal_->druecke(gebunden[0].id, false);
    portal_->druecke(gebunden[1].id, true);
    const Hotkey sperre = Hotkey::lockStandard();
    ASSERT_TRUE(warteQt([&] { return ereignisse_.size() == 3; }));
    EXPECT_EQ(ereignisse_,
              (QList<Ereignis>{{Ereignistyp::flagsGeaendert, 59, Hotkey::control},
                               {Ereignistyp::flagsGeaendert, 59, 0},
                               {Ereignistyp::tasteRunter, sperre.keyCode, sperre.modifiers}}));
}

TEST_F(PortalTastenQuelleTest, EinAbgelehntesBindenMeldetDieQuelleAlsNichtBereit) {
    portal_->bindungsAntwort = 1; // the user closed the desktop's dialog
    EXPECT_EQ(starte({Hotkey::diktatStandard()}), false);
    // Without a portal on the bus there is none to use.
    bus_.beende();
    EXPECT_FALSE(PortalTastenQuelle::verfuegbar(bus_.parlix()));
}

} // namespace
} // namespace parlix::test
