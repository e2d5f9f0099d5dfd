#include "app/ui/livebox/LiveBoxController.hpp"
#include "app/ui/livebox/LiveBoxFenster.hpp"

#include <QSignalSpy>
#include <gmock/gmock.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

QList<qint64> ids(const QList<LiveBoxModel::Wort>& woerter) {
    QList<qint64> liste;
    for (const LiveBoxModel::Wort& wort : woerter) {
        liste.append(wort.id);
    }
    return liste;
}

TEST(LiveBoxModel, WordsKeepTheirIdsWhileTheyStayInPlace) {
    LiveBoxModel model;
    QSignalSpy geaendert(&model, &LiveBoxModel::woerterGeaendert);
    model.setze(u""_s);
    EXPECT_TRUE(model.woerter().isEmpty());
    EXPECT_EQ(model.zaehler(), 0);

    model.setze(u"a b"_s);
    model.setze(u"a b c"_s);
    EXPECT_EQ(ids(model.woerter()), (QList<qint64>{1, 2, 3}));
    model.setze(u"a x c"_s);
    EXPECT_EQ(ids(model.woerter()), (QList<qint64>{1, 4, 3}));
    EXPECT_EQ(model.woerter()[1].text, u"x"_s);
    EXPECT_EQ(geaendert.count(), 4);
}

TEST(LiveBoxModel, OnlySpacesSeparateWords) {
    LiveBoxModel model;
    model.setze(u"  eins  zwei\ndrei\t "_s);
    ASSERT_EQ(model.woerter().size(), 2);
    EXPECT_EQ(model.woerter()[0].text, u"eins"_s);
    EXPECT_EQ(model.woerter()[1].text, u"zwei\ndrei\t"_s);
}

TEST(LiveBoxModel, OnlyTheNewestTwelveWordsAreVisible) {
    LiveBoxModel model;
    QStringList zwanzig;
    for (int i = 1; i <= 20; ++i) {
        zwanzig.append(QString::number(i));
    }
    model.setze(zwanzig.join(u' '));
    const auto sichtbar = model.sichtbareWoerter();
    ASSERT_EQ(sichtbar.size(), 12);
    EXPECT_EQ(sichtbar.first().text, u"9"_s);
    EXPECT_EQ(sichtbar.last().text, u"20"_s);
    model.setze(u"nur drei Worte"_s);
    EXPECT_EQ(model.sichtbareWoerter().size(), 3);
}

class FensterAttrappe final : public LiveBoxFenster {
public:
    void zeige(LiveBoxModel& model) override { woerterBeimZeigen = model.woerter().size(); }
    void verstecke() override {}
    qsizetype woerterBeimZeigen = -1;
};

TEST(LiveBoxController, ShowingClearsThePreviousWordsButNotTheCounter) {
    FensterAttrappe fenster;
    LiveBoxController controller(fenster);
    controller.model().setze(u"alte Worte"_s);
    controller.zeige();
    EXPECT_EQ(fenster.woerterBeimZeigen, 0);
    controller.model().setze(u"neu"_s);
    EXPECT_EQ(controller.model().woerter()[0].id, 3);
}

} // namespace
