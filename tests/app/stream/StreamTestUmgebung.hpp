#pragma once

#include "app/stream/EUStreamClient.hpp"
#include "app/stream/NetzFaden.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "server/ReferenzServer.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <QStringList>
#include <gtest/gtest.h>

namespace parlix::test {

// A stream client against the scripted server on loopback, with the virtual main queue
// (onDelta runs only when the test runs the queue) and a network thread of its own.
class StreamTestUmgebung : public ::testing::Test {
protected:
    using Uhr = std::chrono::steady_clock;

    StreamTestUmgebung() {
        // A path and a query that the stream URL must drop.
        Einstellungen(speicher).setzeProxyURL(server.basis().toString() +
                                              QStringLiteral("/openai/v1?schluessel=1"));
    }

    // Long enough that a call which waits for it has missed its wake-up.
    static EUStreamClient::Optionen
    optionen(std::chrono::milliseconds endeLimit = std::chrono::seconds(5)) {
        EUStreamClient::Optionen o;
        o.endeLimit = endeLimit;
        o.tokenQuelle = [] { return std::optional(QStringLiteral("tok")); };
        return o;
    }

    // A started client on a server that plays `ablauf`; its partial texts go to `deltas`.
    std::unique_ptr<EUStreamClient> starte(const StreamAblauf& ablauf,
                                           EUStreamClient::Optionen o = optionen()) {
        server.drehbuch().stelleStreamEin(ablauf);
        auto client = std::make_unique<EUStreamClient>(speicher, mainQueue, netz, std::move(o));
        client->onDelta = [this](const QString& voll) { deltas << voll; };
        EXPECT_TRUE(client->starte());
        return client;
    }

    // Runs the main queue until the line has been logged.
    bool warteAufLog(const QString& zeile) {
        return mainQueue.warteBis([&] { return log.enthaelt(zeile); });
    }

    // Waits until the server has seen `anzahl` streams and the condition holds for the
    // last of them.
    bool warteAufStream(const std::function<bool(const StreamMitschnitt&)>& bedingung,
                        qsizetype anzahl = 1) {
        return server.drehbuch().warteAufStreams([&](const QList<StreamMitschnitt>& streams) {
            return streams.size() >= anzahl && bedingung(streams[anzahl - 1]);
        });
    }

    static qint64 msSeit(Uhr::time_point start) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Uhr::now() - start).count();
    }

    SpeicherDefaultsStore speicher;
    VirtuelleMainQueue mainQueue;
    TestServer server;
    NetzFaden netz;
    LogMitschnitt log;
    QStringList deltas;
};

} // namespace parlix::test
