#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/platform/pulse/PulseStummschalter.hpp"
#include "app/start/SignalBeender.hpp"
#include "core/hotkeys/Ereignistyp.hpp"
#include "tests/app/start/StartTestBasis.hpp"
#include "tests/support/KopfloserTonServer.hpp"

#include <QEventLoop>
#include <QTimer>
#include <csignal>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

constexpr qint64 linkeStrg = 59;

class HerunterfahrenTest : public StartTestBasis {
protected:
    QString lautstaerke() const {
        return ton.pactl({u"get-sink-volume"_s, QString::fromLatin1(KopfloserTonServer::kSenke)})
            .value_or(QString());
    }

    KopfloserTonServer ton;
};

TEST_F(HerunterfahrenTest, SigtermDuringARecordingPutsTheLoweredOutputBack) {
    ASSERT_TRUE(ton.laeuft()) << ton.fehler().toStdString();
    ASSERT_TRUE(ton.pactl(
        {u"set-sink-volume"_s, QString::fromLatin1(KopfloserTonServer::kSenke), u"80%"_s}));
    plattform.stummschalter =
        std::make_shared<PulseStummschalter>(verzeichnis.filePath(u"ausgabe-vorher.json"_s));
    einstellungen.setzeAufnahmeLautstaerke(20);
    einstellungen.setzeSetupErledigt(true);
    starte();

    tasten->druecke(Ereignistyp::flagsGeaendert, linkeStrg, Hotkey::control);
    queue.laufe();
    ASSERT_TRUE(app().coordinator().nochAmAufnehmen());
    ASSERT_TRUE(lautstaerke().contains(u"20%"_s)) << lautstaerke().toStdString();

    // What the program does with the signal: leave the event loop, then shut down.
    SignalBeender signale;
    QEventLoop schleife;
    QObject::connect(&signale, &SignalBeender::beenden, &schleife, &QEventLoop::quit);
    QTimer::singleShot(5000, &schleife, [&schleife] { schleife.exit(1); });
    std::raise(SIGTERM);
    ASSERT_EQ(schleife.exec(), 0);
    app().fahreHerunter();

    EXPECT_TRUE(lautstaerke().contains(u"80%"_s)) << lautstaerke().toStdString();
    EXPECT_FALSE(app().coordinator().aktiv());
    EXPECT_TRUE(log.enthaelt(u"⎋ Abgebrochen (Aufnahme/Verarbeitung)"_s));
}

} // namespace

} // namespace parlix::test
