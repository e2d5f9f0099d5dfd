#include "core/text/Befehl.hpp"
#include "core/text/SprachEditing.hpp"
#include "core/text/Textbaustein.hpp"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

// Pipelines of different recordings read the standard lists and run the edit detector
// on their own threads; the first use may happen on any of them.
TEST(TextNebenlaeufig, StandardListsAndEditDetectionFromManyThreads) {
    constexpr int anzahl = 4;
    std::vector<QUuid> ersteIds(anzahl);
    std::vector<int> treffer(anzahl, 0);
    std::vector<std::thread> threads;
    for (int i = 0; i < anzahl; ++i) {
        threads.emplace_back([i, &ersteIds, &treffer] {
            ersteIds[i] = Befehl::standard().at(0).id;
            for (int runde = 0; runde < 50; ++runde) {
                treffer[i] += SprachEditing::istEditBefehl(u"bereite das auf"_s) ? 1 : 0;
                treffer[i] += Textbaustein::standard().size() == 2 ? 1 : 0;
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    for (int i = 0; i < anzahl; ++i) {
        EXPECT_EQ(ersteIds[i], Befehl::standard().at(0).id);
        EXPECT_EQ(treffer[i], 100);
    }
}

} // namespace
