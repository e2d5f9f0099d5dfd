// The races between the threads that meet in a stream client: the pipeline waiting in
// beende, the network thread settling the stream, the main thread cancelling or
// dropping the client, the audio thread sending. Each runs many times; the
// ThreadSanitizer build runs them too.
#include "app/stream/StreamAufloesung.hpp"
#include "tests/app/stream/StreamTestUmgebung.hpp"

#include <future>
#include <latch>
#include <thread>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int runden = 25;

class EUStreamRennenTest : public test::StreamTestUmgebung {
protected:
    // beende on a pipeline thread of its own.
    static std::future<std::optional<QString>> beendeAufPipeline(EUStreamClient& client) {
        return std::async(std::launch::async, [&client] { return client.beende(); });
    }

    // Sends `anzahl` numbered chunks from an audio thread of its own.
    static std::jthread sendeAufAudiofaden(EUStreamClient& client, int anzahl) {
        return std::jthread([&client, anzahl] {
            for (int i = 0; i < anzahl; ++i) {
                client.sende(QByteArray::number(i));
            }
        });
    }

    // The chunks are 0, 1, 2, ... without a gap: capture order, nothing lost between.
    static bool lueckenlos(const QList<QByteArray>& chunks) {
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            if (chunks[i] != QByteArray::number(i)) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(EUStreamRennenTest, AFinalAnsweringEndAlwaysReachesTheWaitingBeende) {
    for (int runde = 0; runde < runden; ++runde) {
        auto client = starte(StreamAblauf().warteAufEnde().sendeFinal(u"fertig"_s));
        const auto start = Uhr::now();
        EXPECT_EQ(beendeAufPipeline(*client).get(), u"fertig"_s);
        EXPECT_LT(msSeit(start), 2000);
    }
}

TEST_F(EUStreamRennenTest, AFinalRacingTheStartOfBeendeIsDeliveredOnceAndNeverLost) {
    for (int runde = 0; runde < runden; ++runde) {
        auto client = starte(StreamAblauf().sendeFinal(u"früh"_s));
        const auto start = Uhr::now();
        // Either beende was waiting when the final came, or it came first and beende
        // finds the stream settled with no partial text; it never waits out the limit.
        const std::optional<QString> ergebnis = beendeAufPipeline(*client).get();
        EXPECT_TRUE(ergebnis == u"früh"_s || ergebnis == std::nullopt);
        EXPECT_LT(msSeit(start), 2000);
    }
}

TEST_F(EUStreamRennenTest, ACancelRacingAFinalSettlesTheStreamOnce) {
    for (int runde = 0; runde < runden; ++runde) {
        auto client =
            starte(StreamAblauf().sendeDelta(u"Hallo"_s).warteAufEnde().sendeFinal(u"x"_s));
        ASSERT_TRUE(mainQueue.warteBis([&] { return deltas.size() == runde + 1; }));
        const auto start = Uhr::now();
        auto ergebnis = beendeAufPipeline(*client);
        client->abbrechen();
        // The final or the cancel while beende waited; or the cancel before it began,
        // and then the deltas.
        const std::optional<QString> erstes = ergebnis.get();
        EXPECT_TRUE(erstes == u"x"_s || erstes == std::nullopt || erstes == u"Hallo"_s);
        EXPECT_LT(msSeit(start), 2000);
        EXPECT_EQ(client->beende(), u"Hallo"_s) << "settled: the deltas, at once";
    }
}

TEST_F(EUStreamRennenTest, SendsDuringACloseByTheServerStayInOrder) {
    for (int runde = 0; runde < runden; ++runde) {
        auto client = starte(StreamAblauf().warteAufChunks(20).schliesse());
        { auto audio = sendeAufAudiofaden(*client, 200); }
        EXPECT_EQ(client->beende(), std::nullopt);
        ASSERT_TRUE(
            warteAufStream([](const auto& s) { return s.schlussCode.has_value(); }, runde + 1));
        const auto chunks = server.drehbuch().streams().at(runde).chunks();
        EXPECT_GE(chunks.size(), 20);
        EXPECT_TRUE(lueckenlos(chunks));
    }
}

TEST_F(EUStreamRennenTest, SendsDuringACancelStayInOrderAndStopAtTheCancel) {
    for (int runde = 0; runde < runden; ++runde) {
        // Each round signs in with its own token, to tell its stream from late ones.
        const QByteArray token = "runde-" + QByteArray::number(runde);
        auto o = optionen();
        o.tokenQuelle = [token] { return std::optional(QString::fromUtf8(token)); };
        auto client = starte(StreamAblauf(), o);
        const auto vonDieserRunde = [&](const QList<StreamMitschnitt>& streams,
                                        const auto& bedingung) {
            return std::any_of(streams.begin(), streams.end(), [&](const auto& s) {
                return s.handshake.kopf("Authorization") == "Bearer " + token && bedingung(s);
            });
        };
        // Every other round cancels while the handshake may still be under way.
        const bool nachDemHandshake = runde % 2 == 1;
        if (nachDemHandshake) {
            ASSERT_TRUE(server.drehbuch().warteAufStreams([&](const auto& streams) {
                return vonDieserRunde(streams, [](auto&) { return true; });
            }));
        }
        {
            auto audio = sendeAufAudiofaden(*client, 300);
            std::this_thread::sleep_for(1ms);
            client->abbrechen();
        }
        EXPECT_EQ(client->beende(), std::nullopt);
        if (nachDemHandshake) {
            ASSERT_TRUE(server.drehbuch().warteAufStreams([&](const auto& streams) {
                return vonDieserRunde(streams, [](const StreamMitschnitt& s) {
                    return s.schlussCode.has_value() && lueckenlos(s.chunks()) &&
                           s.texte().isEmpty();
                });
            }));
        }
    }
}

TEST_F(EUStreamRennenTest, ADroppedClientWithWorkInFlightIsNeverCalledBack) {
    StreamAblauf ablauf;
    for (int i = 0; i < 50; ++i) {
        ablauf.sendeDelta(u"w"_s);
    }
    for (int runde = 0; runde < runden; ++runde) {
        deltas.clear();
        auto client = starte(ablauf);
        ASSERT_TRUE(warteAufStream([](const auto&) { return true; }, runde + 1));
        auto audio = sendeAufAudiofaden(*client, 200);
        audio.join();
        // Partial texts wait on the main queue; chunks may still wait for the socket.
        const auto start = Uhr::now();
        while (mainQueue.wartend() == 0 && msSeit(start) < 10000) {
            std::this_thread::sleep_for(1ms);
        }
        ASSERT_GT(mainQueue.wartend(), 0);
        client.reset();
        std::this_thread::sleep_for(2ms);
        mainQueue.laufe();
        EXPECT_TRUE(deltas.isEmpty());
        ASSERT_TRUE(
            warteAufStream([](const auto& s) { return s.schlussCode.has_value(); }, runde + 1));
        EXPECT_TRUE(lueckenlos(server.drehbuch().streams().at(runde).chunks()));
    }
}

TEST(StreamAufloesungTest, ManyResolversAndWaitersAgreeOnOneOutcome) {
    for (int runde = 0; runde < 200; ++runde) {
        StreamAufloesung aufloesung;
        std::latch angemeldet(3);
        std::vector<std::future<std::optional<QString>>> wartende;
        for (int i = 0; i < 3; ++i) {
            wartende.push_back(std::async(std::launch::async, [&] {
                return aufloesung.warte(std::chrono::seconds(5), {},
                                        [&] { angemeldet.count_down(); });
            }));
        }
        angemeldet.wait();
        {
            std::vector<std::jthread> loeser;
            for (int i = 0; i < 4; ++i) {
                loeser.emplace_back([&aufloesung, i] {
                    aufloesung.haengeAn(u"d"_s);
                    aufloesung.loese(QString::number(i));
                });
            }
        }
        const std::optional<QString> erstes = wartende[0].get();
        ASSERT_TRUE(erstes.has_value());
        EXPECT_EQ(erstes->size(), 1) << "one of the resolutions, not the partial texts";
        for (std::size_t i = 1; i < wartende.size(); ++i) {
            EXPECT_EQ(wartende[i].get(), erstes);
        }
        // Afterwards: the partial texts, at once.
        EXPECT_EQ(aufloesung.warte(std::chrono::seconds(5), {}), u"dddd"_s);
    }
}

} // namespace
