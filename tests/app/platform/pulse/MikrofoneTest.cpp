#include "app/platform/pulse/Mikrofone.hpp"

#include "tests/app/platform/pulse/TonServerTest.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace parlix {

void PrintTo(const Mikrofon& mikrofon, std::ostream* aus) {
    *aus << mikrofon.uid.toStdString() << " (" << mikrofon.name.toStdString() << ")";
}

namespace test {
namespace {

using MikrofoneTest = TonServerTest;

TEST_F(MikrofoneTest, ListetEingaengeOhneMonitoreInServerReihenfolge) {
    ASSERT_TRUE(server().ladeNullSenke(u"kopfhoerer"_s, u"Kopfhörer"_s));
    ASSERT_TRUE(server().ladePipeQuelle(u"usb_mikro"_s, u"Mikrofon für Konferenzen"_s));

    EXPECT_EQ(Mikrofone::liste(),
              (std::vector<Mikrofon>{{quelle(), u"Testmikrofon"_s},
                                     {u"usb_mikro"_s, u"Mikrofon für Konferenzen"_s}}));

    const QString kurzliste =
        server().pactl({u"list"_s, u"short"_s, u"sources"_s}).value_or(QString());
    for (const QString& zeile : kurzliste.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList felder = zeile.split(u'\t');
        const std::optional<quint32> id = Mikrofone::geraeteID(felder.value(1));
        if (felder.value(1).endsWith(u".monitor"_s)) {
            EXPECT_FALSE(id) << zeile.toStdString();
        } else {
            EXPECT_EQ(id, felder.value(0).toUInt()) << zeile.toStdString();
        }
    }
    EXPECT_FALSE(Mikrofone::geraeteID(u"USB_MIKRO"_s));
    EXPECT_FALSE(Mikrofone::geraeteID(u"usb_mikr"_s));
    EXPECT_FALSE(Mikrofone::geraeteID(QString()));
}

TEST_F(MikrofoneTest, OhneEingaengeOderServerIstDieListeLeer) {
    ASSERT_TRUE(server().pactl({u"unload-module"_s, u"module-pipe-source"_s}));
    EXPECT_TRUE(Mikrofone::liste().empty());

    GesetzteUmgebung umgebung;
    umgebung.setze("PULSE_SERVER", QFile::encodeName(u"unix:"_s + QDir::tempPath() +
                                                     u"/parlix-kein-server/native"_s));
    EXPECT_TRUE(Mikrofone::liste().empty());
    EXPECT_FALSE(Mikrofone::geraeteID(quelle()));
}

} // namespace
} // namespace test
} // namespace parlix
