#include "app/platform/pulse/PulseAudioRecorder.hpp"

#include "core/audio/AudioAnalyse.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/pulse/TonServerTest.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/Sprachprobe.hpp"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

constexpr qsizetype kChunk = PulseAudioRecorder::kChunkBytes;

// Collects what the recorder delivers, from whatever thread it comes.
class Mitschnitt {
public:
    AudioRecorder::ChunkHandler handler() {
        return [this](const QByteArray& chunk) {
            std::lock_guard sperre(sperre_);
            chunks_.push_back(chunk);
            threads_.insert(std::this_thread::get_id());
            neu_.notify_all();
        };
    }

    bool warteAufBytes(qsizetype mindestens) {
        std::unique_lock sperre(sperre_);
        return neu_.wait_for(sperre, std::chrono::seconds(10),
                             [&] { return bytesUnterSperre() >= mindestens; });
    }

    std::vector<QByteArray> chunks() {
        std::lock_guard sperre(sperre_);
        return chunks_;
    }

    QByteArray alles() {
        QByteArray zusammen;
        for (const QByteArray& chunk : chunks()) {
            zusammen += chunk;
        }
        return zusammen;
    }

    std::set<std::thread::id> threads() {
        std::lock_guard sperre(sperre_);
        return threads_;
    }

private:
    qsizetype bytesUnterSperre() const {
        qsizetype summe = 0;
        for (const QByteArray& chunk : chunks_) {
            summe += chunk.size();
        }
        return summe;
    }

    std::mutex sperre_;
    std::condition_variable neu_;
    std::vector<QByteArray> chunks_;
    std::set<std::thread::id> threads_;
};

// A constant 16-bit sample repeated: easy to tell two sources apart.
QByteArray gleichton(qint16 wert, int samples) {
    QByteArray pcm;
    for (int i = 0; i < samples; ++i) {
        pcm.append(static_cast<char>(wert & 0xff)).append(static_cast<char>((wert >> 8) & 0xff));
    }
    return pcm;
}

// Where the input starts in the recording (the recording may begin with silence).
qsizetype versatz(const QByteArray& aufnahme, const QByteArray& eingabe) {
    qsizetype start = 0;
    while (start + 1 < eingabe.size() && eingabe[start] == 0 && eingabe[start + 1] == 0) {
        start += 2;
    }
    const qsizetype fund = aufnahme.indexOf(eingabe.mid(start, 2048));
    return fund < 0 ? -1 : fund - start;
}

int threadAnzahl() {
    return static_cast<int>(QDir(u"/proc/self/task"_s).count()) - 2;
}

class PulseAudioRecorderTest : public TonServerTest {
protected:
    SpeicherDefaultsStore speicher_;
    Mitschnitt mitschnitt_;
};

TEST_F(PulseAudioRecorderTest, SprachePassiertUnveraendertInGanzenChunksAufDemAufnahmethread) {
    const QByteArray satz =
        Sprachprobe::sprich(u"Parlix nimmt diesen Satz auf und gibt ihn unverändert weiter."_s);
    ASSERT_GT(satz.size(), 32000) << "espeak-ng and sox must be installed";

    PulseAudioRecorder recorder(speicher_);
    recorder.onChunk = mitschnitt_.handler();
    recorder.starte();
    server().speise(satz);
    ASSERT_TRUE(mitschnitt_.warteAufBytes(satz.size() - kChunk + 2));
    recorder.stoppe();

    for (const QByteArray& chunk : mitschnitt_.chunks()) {
        ASSERT_EQ(chunk.size(), kChunk);
    }
    const QByteArray aufnahme = mitschnitt_.alles();
    const qsizetype start = versatz(aufnahme, satz);
    ASSERT_GE(start, 0) << "the spoken sentence is not in the recording";
    EXPECT_EQ(start % 2, 0);
    EXPECT_EQ(aufnahme.left(start), QByteArray(start, '\0'));
    // All of it, but for a last part too short to fill a chunk.
    const QByteArray gesprochen = aufnahme.mid(start);
    EXPECT_GT(gesprochen.size(), satz.size() - kChunk);
    EXPECT_EQ(gesprochen, satz.left(gesprochen.size()));
    EXPECT_TRUE(AudioAnalyse::hatSprache(aufnahme, 16000, 0.3, 0.006));

    const std::set<std::thread::id> threads = mitschnitt_.threads();
    ASSERT_EQ(threads.size(), 1U);
    EXPECT_NE(*threads.begin(), std::this_thread::get_id());
}

TEST_F(PulseAudioRecorderTest, NachStoppeKommtNichtsMehrUndKeinThreadBleibt) {
    const int vorher = threadAnzahl();
    auto recorder = std::make_unique<PulseAudioRecorder>(speicher_);
    recorder->onChunk = mitschnitt_.handler();
    recorder->starte();
    EXPECT_GT(threadAnzahl(), vorher);
    server().speise(gleichton(1000, 16000));
    ASSERT_TRUE(mitschnitt_.warteAufBytes(kChunk));
    recorder->stoppe();
    const std::size_t anzahl = mitschnitt_.chunks().size();

    server().speise(gleichton(2000, 16000));
    server().warteAufSpeisung();
    QThread::msleep(300);
    EXPECT_EQ(mitschnitt_.chunks().size(), anzahl);
    // Between recordings nothing of the sound server keeps running.
    EXPECT_EQ(threadAnzahl(), vorher);

    recorder->stoppe();
    recorder.reset();
}

TEST_F(PulseAudioRecorderTest, NimmtVomGewaehltenMikrofonAuf) {
    ASSERT_TRUE(server().ladePipeQuelle(u"zweites_mikro"_s, u"Zweites Mikrofon"_s));
    Einstellungen(speicher_).setzeMikrofonUID(u"zweites_mikro"_s);
    LogMitschnitt log;

    PulseAudioRecorder recorder(speicher_);
    recorder.onChunk = mitschnitt_.handler();
    recorder.starte();
    server().speise(gleichton(-1234, 4 * kChunk), u"zweites_mikro"_s);
    server().speise(gleichton(777, 4 * kChunk));
    ASSERT_TRUE(mitschnitt_.warteAufBytes(3 * kChunk));
    server().warteAufSpeisung();
    QThread::msleep(200);
    recorder.stoppe();

    const QByteArray aufnahme = mitschnitt_.alles();
    EXPECT_EQ(aufnahme, gleichton(-1234, static_cast<int>(aufnahme.size() / 2)));
    EXPECT_TRUE(log.zeilen().isEmpty()) << log.zeilen().join(u'\n').toStdString();
}

TEST_F(PulseAudioRecorderTest, FehlendesOderMonitorMikrofonMeldetSichUndNimmtDenStandard) {
    for (const QString& uid : {u"usb-mikro-abgesteckt"_s, senke() + u".monitor"_s}) {
        Einstellungen(speicher_).setzeMikrofonUID(uid);
        LogMitschnitt log;
        Mitschnitt mitschnitt;
        PulseAudioRecorder recorder(speicher_);
        recorder.onChunk = mitschnitt.handler();
        recorder.starte();
        server().speise(gleichton(4321, kChunk));
        ASSERT_TRUE(mitschnitt.warteAufBytes(2 * kChunk));
        recorder.stoppe();

        EXPECT_EQ(mitschnitt.alles(), gleichton(4321, kChunk));
        EXPECT_EQ(log.zeilen(), QStringList{u"FEHLER: Mikrofon-UID "_s + uid +
                                            u" nicht angeschlossen → System-Standard"_s});
    }
}

std::string fehlerBeimStart(DefaultsStore& speicher) {
    PulseAudioRecorder recorder(speicher);
    try {
        recorder.starte();
    } catch (const std::runtime_error& fehler) {
        return fehler.what();
    }
    return {};
}

TEST_F(PulseAudioRecorderTest, OhneQuelleOderServerScheitertDerStartVerstaendlichUndBegrenzt) {
    ASSERT_TRUE(server().pactl({u"unload-module"_s, u"module-pipe-source"_s}));
    ASSERT_TRUE(server().pactl({u"unload-module"_s, u"module-null-sink"_s}));
    EXPECT_EQ(fehlerBeimStart(speicher_), "Keine Aufnahmequelle verfügbar");

    // A server that accepts the connection but never answers.
    server().anhalten();
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_EQ(fehlerBeimStart(speicher_).rfind("Der Tonserver antwortet nicht", 0), 0U);
    EXPECT_LT(uhr.elapsed(), 8000);
    server().fortsetzen();

    GesetzteUmgebung umgebung;
    umgebung.setze("PULSE_SERVER", QFile::encodeName(u"unix:"_s + QDir::tempPath() +
                                                     u"/parlix-kein-server/native"_s));
    EXPECT_EQ(fehlerBeimStart(speicher_).rfind("Kein Tonserver erreichbar: ", 0), 0U);
}

} // namespace
} // namespace parlix::test
