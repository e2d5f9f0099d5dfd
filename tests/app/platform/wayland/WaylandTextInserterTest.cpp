// The paste's timing, on a virtual clock: the paste keys follow the call by the fixed
// delay, however long reading the user's old clipboard text took.
#include "app/platform/linux/Ablage.hpp"
#include "app/platform/linux/AblageTextInserter.hpp"
#include "app/platform/linux/TastenSender.hpp"
#include "app/platform/null/NullVordergrundApp.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

// A clipboard whose old text belongs to a program that takes 40 ms to answer.
class LangsameAblage final : public Ablage {
public:
    explicit LangsameAblage(VirtuelleMainQueue& queue)
        : queue_(queue) {}

    std::optional<QString> text(Art /*art*/) override { return u"alt"_s; }
    std::optional<QString> vorherigerText(Art art) override {
        queue_.vorspulen(40ms);
        return text(art);
    }
    quint64 schreibeEigenen(Art /*art*/, const QString& /*text*/,
                            std::optional<QString> /*vorher*/) override {
        return 1;
    }
    bool haeltEigenen(Art /*art*/, quint64 /*nummer*/) override { return true; }
    int gelesen(quint64 /*nummer*/) override { return 1; }
    bool setze(Art /*art*/, const std::optional<QString>& /*text*/) override { return true; }
    quint64 aenderungen(Art /*art*/) override { return 0; }

private:
    VirtuelleMainQueue& queue_;
};

class ZaehlendeTasten final : public TastenSender {
public:
    bool tippe(const Tastenkombination& /*taste*/) override {
        ++getippt;
        return true;
    }
    int getippt = 0;
};

TEST(AblageTextInserterTest, EinfuegeTastenFolgenDemAufrufNichtDemLesenDerAblage) {
    VirtuelleMainQueue queue;
    LangsameAblage ablage(queue);
    ZaehlendeTasten tasten;
    NullVordergrundApp vorn;
    SpeicherDefaultsStore speicher;
    AblageTextInserter inserter(queue, speicher, vorn, ablage, &tasten);

    inserter.fuegeEin(u"neu"_s, {});
    queue.vorspulen(TextInserter::kEinfuegenNach - 40ms - 1ms);
    EXPECT_EQ(tasten.getippt, 0);
    queue.vorspulen(1ms);
    EXPECT_EQ(tasten.getippt, 1);
}

} // namespace
} // namespace parlix::test
