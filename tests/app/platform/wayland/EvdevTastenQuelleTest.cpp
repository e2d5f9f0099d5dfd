// Keys read from input devices, fed with event streams as a keyboard sends them
// (scan code, key, report) through pipes in place of /dev/input devices.
#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/Hotkey.hpp"
#include "tests/support/QtWarten.hpp"

#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <mutex>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

using Ereignis = std::tuple<quint32, qint64, quint64>;
constexpr qint64 linkeStrg = 59;
constexpr qint64 rechteStrg = 62;
constexpr qint64 tasteA = 0;

class EvdevTastenQuelleTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& rohr : rohre_) {
            ASSERT_EQ(pipe(rohr), 0);
        }
        quelle_ = std::make_unique<EvdevTastenQuelle>(std::vector{rohre_[0][0], rohre_[1][0]},
                                                      EvdevTastenQuelle::vorgabeBelegung());
        bool bereit = false;
        quelle_->starte(behandler(), [&](bool ok) { bereit = ok; });
        ASSERT_TRUE(bereit);
    }
    TastenQuelle::Behandler behandler() {
        return [this](quint32 typ, qint64 code, quint64 flags) {
            const std::lock_guard lock(sperre_);
            ereignisse_.append({typ, code, flags});
            return false;
        };
    }
    void TearDown() override {
        quelle_.reset();
        for (auto& rohr : rohre_) {
            if (rohr[1] >= 0) {
                close(rohr[1]);
            }
        }
    }

    // One key as the kernel reports it; value 1 press, 0 release, 2 repeat.
    static QByteArray taste(quint16 code, qint32 wert) {
        QByteArray strom;
        for (const input_event e :
             {input_event{{}, EV_MSC, MSC_SCAN, 0x70000 + code},
              input_event{{}, EV_KEY, code, wert}, input_event{{}, EV_SYN, SYN_REPORT, 0}}) {
            strom.append(reinterpret_cast<const char*>(&e), sizeof e);
        }
        return strom;
    }
    void sende(int geraet, const QByteArray& strom) {
        ASSERT_EQ(write(rohre_[geraet][1], strom.constData(), static_cast<size_t>(strom.size())),
                  strom.size());
    }
    QList<Ereignis> warteAuf(qsizetype anzahl) {
        warteQt([&] {
            const std::lock_guard lock(sperre_);
            return ereignisse_.size() >= anzahl;
        });
        const std::lock_guard lock(sperre_);
        return ereignisse_;
    }

    int rohre_[2][2] = {{-1, -1}, {-1, -1}};
    std::unique_ptr<EvdevTastenQuelle> quelle_;
    std::mutex sperre_;
    QList<Ereignis> ereignisse_;
};

TEST_F(EvdevTastenQuelleTest, ModifierAlleinUndAkkordKommenMitIhremLoslassenOhneWiederholungen) {
    sende(0, taste(KEY_LEFTCTRL, 1) + taste(KEY_LEFTCTRL, 2) + taste(KEY_LEFTCTRL, 2) +
                 taste(KEY_LEFTCTRL, 0));
    // Ctrl+A: unlike a compositor's bindings, the device reports the release of Control.
    sende(0, taste(KEY_LEFTCTRL, 1) + taste(KEY_A, 1) + taste(KEY_A, 0) + taste(KEY_LEFTCTRL, 0));
    using namespace Ereignistyp;
    EXPECT_EQ(warteAuf(6), (QList<Ereignis>{{flagsGeaendert, linkeStrg, Hotkey::control},
                                            {flagsGeaendert, linkeStrg, 0},
                                            {flagsGeaendert, linkeStrg, Hotkey::control},
                                            {tasteRunter, tasteA, Hotkey::control},
                                            {tasteHoch, tasteA, Hotkey::control},
                                            {flagsGeaendert, linkeStrg, 0}}));
}

TEST_F(EvdevTastenQuelleTest, ZerteilteLesungenUndEinAbgezogenesGeraetVerlierenNichts) {
    // An event split across two reads still counts once, whole.
    const QByteArray druck = taste(KEY_RIGHTCTRL, 1);
    sende(1, druck.left(10));
    warteQt([] { return false; }, std::chrono::milliseconds(50));
    sende(1, druck.mid(10));
    ASSERT_EQ(warteAuf(1).size(), 1);
    // The first keyboard is unplugged; the second goes on.
    close(rohre_[0][1]);
    rohre_[0][1] = -1;
    sende(1, taste(KEY_RIGHTCTRL, 0));
    EXPECT_EQ(warteAuf(2),
              (QList<Ereignis>{{Ereignistyp::flagsGeaendert, rechteStrg, Hotkey::control},
                               {Ereignistyp::flagsGeaendert, rechteStrg, 0}}));
}

TEST_F(EvdevTastenQuelleTest, EineSpaeterAngeschlosseneTastaturWirdGelesen) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    // FIFOs stand in for the device nodes: they read like one and can be created here.
    const auto oeffner = [](const QString& pfad) {
        return pfad.contains(u"event"_s)
                   ? open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)
                   : -1;
    };
    int vorhanden[2] = {-1, -1};
    ASSERT_EQ(pipe(vorhanden), 0);
    quelle_ = std::make_unique<EvdevTastenQuelle>(
        std::vector{vorhanden[0]}, EvdevTastenQuelle::vorgabeBelegung(), ordner.path(), oeffner);
    quelle_->starte(behandler(), [](bool) {});

    const QByteArray pfad = QFile::encodeName(ordner.filePath(u"event7"_s));
    ASSERT_EQ(mkfifo(pfad.constData(), 0600), 0);
    // udev grants access after creating the node: the same device is announced twice.
    ASSERT_EQ(chmod(pfad.constData(), 0640), 0);
    int neu = -1;
    ASSERT_TRUE(warteQt([&] {
        neu = open(pfad.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        return neu >= 0;
    }));
    const QByteArray strom = taste(KEY_RIGHTCTRL, 1) + taste(KEY_RIGHTCTRL, 0);
    ASSERT_EQ(write(neu, strom.constData(), static_cast<size_t>(strom.size())), strom.size());
    EXPECT_EQ(warteAuf(2),
              (QList<Ereignis>{{Ereignistyp::flagsGeaendert, rechteStrg, Hotkey::control},
                               {Ereignistyp::flagsGeaendert, rechteStrg, 0}}));
    close(neu);
    close(vorhanden[1]);
}

} // namespace
} // namespace parlix::test
