#include "core/recording/AppZustand.hpp"

#include "core/recording/Aufnahmemodus.hpp"
#include "core/text/StatusPanelTexte.hpp"

#include <gtest/gtest.h>

using namespace parlix;

namespace {

constexpr AppZustand alleZustaende[] = {AppZustand::idle, AppZustand::aufnehmend,
                                        AppZustand::transkribierend, AppZustand::einfuegend};
constexpr AppEreignis alleEreignisse[] = {AppEreignis::aufnahmeGestartet,
                                          AppEreignis::aufnahmeGestoppt, AppEreignis::textErhalten,
                                          AppEreignis::fertig, AppEreignis::fehler};

TEST(AppZustandTest, EveryStateAndEventLeadsWhereTheTableSays) {
    using Z = AppZustand;
    // Rows: states in declaration order; columns: events in declaration order.
    const Z erwartet[4][5] = {
        {Z::aufnehmend, Z::idle, Z::idle, Z::idle, Z::idle},
        {Z::aufnehmend, Z::transkribierend, Z::aufnehmend, Z::aufnehmend, Z::idle},
        {Z::transkribierend, Z::transkribierend, Z::einfuegend, Z::transkribierend, Z::idle},
        {Z::einfuegend, Z::einfuegend, Z::einfuegend, Z::idle, Z::idle},
    };
    for (int z = 0; z < 4; ++z) {
        for (int e = 0; e < 5; ++e) {
            SCOPED_TRACE(testing::Message() << "Zustand " << z << ", Ereignis " << e);
            EXPECT_EQ(naechster(alleZustaende[z], alleEreignisse[e]), erwartet[z][e]);
        }
    }
}

TEST(AppZustandTest, EachStateHasItsOwnLabelKey) {
    EXPECT_EQ(StatusPanelTexte::statusLabel(AppZustand::idle), QStringLiteral("status.bereit"));
    EXPECT_EQ(StatusPanelTexte::statusLabel(AppZustand::aufnehmend),
              QStringLiteral("status.hoere"));
    EXPECT_EQ(StatusPanelTexte::statusLabel(AppZustand::transkribierend),
              QStringLiteral("status.denke"));
    EXPECT_EQ(StatusPanelTexte::statusLabel(AppZustand::einfuegend),
              QStringLiteral("status.fuege"));
}

TEST(AufnahmemodusTest, LogTextIsTheCaseName) {
    EXPECT_EQ(alsText(Aufnahmemodus::diktat), QStringLiteral("diktat"));
    EXPECT_EQ(alsText(Aufnahmemodus::aktion), QStringLiteral("aktion"));
    EXPECT_EQ(alsText(Aufnahmemodus::promptModus), QStringLiteral("promptModus"));
}

} // namespace
