#pragma once

#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/stream/NetzFaden.hpp"
#include "app/ui/hud/HUDController.hpp"
#include "app/ui/livebox/LiveBoxController.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/services/GroqKonfiguration.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/FakePlattform.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"
#include "tests/support/server/StreamAblauf.hpp"

#include <QList>
#include <gtest/gtest.h>

namespace parlix::test {

// The whole coordinator with fakes for the platform, the virtual main queue and the
// reference server on loopback as the service backend. Signed in with a device id;
// interface language German.
class CoordinatorTestBasis : public ::testing::Test {
protected:
    static inline const QString sttPfad = QStringLiteral("/openai/v1/audio/transcriptions");
    static inline const QString chatPfad = QStringLiteral("/openai/v1/chat/completions");

    CoordinatorTestBasis();
    ~CoordinatorTestBasis() override;

    // Creates the coordinator; call streamt() before, if the test streams.
    AufnahmeCoordinator& erstelle();
    // Recordings are streamed to the server, which plays `ablauf` on every stream.
    void streamt(const StreamAblauf& ablauf);
    // Runs the main queue until the condition holds for the first stream the server saw.
    bool warteAufStream(const std::function<bool(const StreamMitschnitt&)>& bedingung);
    AufnahmeCoordinator& c() { return *coordinator; }

    // Chunks of 85 ms of a 440 Hz tone (RMS about 0.07), or of silence.
    static QList<QByteArray> sprache(double sekunden);
    static QList<QByteArray> stille(double sekunden);

    // Scripts the standing answers of the two service calls.
    void transkriptIst(const QByteArray& text);
    void chatAntwortet(const QString& inhalt);
    static Antwort chatAntwort(const QString& inhalt);

    // Start, chunks from the capture thread, stop.
    void nimmAuf(Aufnahmemodus modus, const QList<QByteArray>& chunks);
    // Runs the main queue until the run has ended (delivered, error shown, cancelled).
    void warteAufEnde();
    // nimmAuf, then warteAufEnde.
    void diktiere(const QList<QByteArray>& chunks, Aufnahmemodus modus = Aufnahmemodus::diktat);

    QString lokal(const QString& key);
    // The dictation's cleanup prompt for the given application under the current settings.
    QString cleanupPrompt(const QString& app = {}) const;
    QStringList eingefuegt() const { return plattform.aufrufe.mit(QStringLiteral("fuegeEin(")); }
    // The "content" of the system and the user message of a chat request.
    static QString systemVon(const Anfrage& anfrage);
    static QString nutzerVon(const Anfrage& anfrage);

    LogMitschnitt log;
    TestServer server;
    NetzFaden netz; // outlives the streams that jobs of the queue may still hold
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen{speicher};
    VerlaufStore verlauf{speicher};
    VirtuelleMainQueue queue;
    HttpTransport http;
    FakePlattform plattform;
    HUDController hud{plattform.hud};
    LiveBoxController liveBox{plattform.liveBox};
    bool mitStream = false;
    std::shared_ptr<AufnahmeCoordinator> coordinator; // last: goes first
};

} // namespace parlix::test
