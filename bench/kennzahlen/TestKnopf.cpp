#include "bench/kennzahlen/TestKnopf.hpp"

#include "app/anbieter/AnbieterTest.hpp"
#include "app/backend/LokalerServer.hpp"
#include "core/services/GroqKonfiguration.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/TestServer.hpp"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::bench {

namespace {

// Runs the event loop until `signal` of `sender` or `frist`; whether the signal came.
template <typename Sender, typename Signal>
bool warteAuf(const Sender* sender, Signal signal, std::chrono::milliseconds frist) {
    QEventLoop schleife;
    bool gekommen = false;
    QObject::connect(sender, signal, &schleife, [&] {
        gekommen = true;
        schleife.quit();
    });
    QTimer::singleShot(frist, &schleife, &QEventLoop::quit);
    schleife.exec();
    return gekommen;
}

QJsonObject anbieter(const QUrl& wurzel) {
    const QJsonObject eintrag{{u"url"_s, wurzel.toString() + u"/v1"_s},
                              {u"schluessel"_s, u"sk-kennzahlen"_s},
                              {u"modell"_s, u"whisper-large-v3"_s}};
    QJsonObject sprache = eintrag;
    sprache.insert(u"modell"_s, u"llama3"_s);
    sprache.insert(u"visionModell"_s, u"llava"_s);
    return {{u"transkription"_s, eintrag}, {u"sprache"_s, sprache}};
}

} // namespace

QList<Kennzahl> TestKnopf::miss(int runden) {
    test::TestServer anbieterServer;
    anbieterServer.drehbuch().stelleEin(u"/v1/audio/transcriptions"_s,
                                        Antwort::text(200, "This is a test of Parlix."));
    const QJsonObject nachricht{{u"role"_s, u"assistant"_s}, {u"content"_s, u"Hello!"_s}};
    anbieterServer.drehbuch().stelleEin(
        u"/v1/chat/completions"_s,
        Antwort::json(200, {{u"choices"_s, QJsonArray{QJsonObject{{u"message"_s, nachricht}}}}}));

    const QTemporaryDir daten;
    LokalerServer server({
        .programm = QFileInfo(QStringLiteral(PARLIX_PROGRAMM)).dir().filePath(u"parlix-server"_s),
        .daten = daten.path(),
    });
    server.setzeAnbieter(anbieter(anbieterServer.basis()));
    server.starte();
    if (server.wurzel().isEmpty() &&
        !warteAuf(&server, QNonConstOverload<>::of(&LokalerServer::bereit), 30s)) {
        return {};
    }
    // The calls carry a device id, as Parlix's own do.
    GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional(u"kennzahlen"_s); });
    SpeicherDefaultsStore speicher;
    QList<double> dauern;
    for (int runde = 0; runde < runden; ++runde) {
        AnbieterTest test(speicher);
        AnbieterTest::Ergebnis ergebnis;
        QObject::connect(&test, &AnbieterTest::fertig, &test,
                         [&](const AnbieterTest::Ergebnis& e) { ergebnis = e; });
        QElapsedTimer uhr;
        uhr.start();
        test.starte();
        const bool fertig = warteAuf(&test, &AnbieterTest::fertig, 30s);
        // From the press until the outcome is on the main thread, as the button shows it.
        const double ms = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
        if (!fertig || !ergebnis.erfolg) {
            QTextStream(stderr) << "the Test failed: " << ergebnis.grund << ' ' << ergebnis.text
                                << '\n';
            return {};
        }
        dauern << ms;
    }
    // Each test reached the provider: the sample and the line of chat.
    if (anbieterServer.drehbuch().anfragen().size() != 2 * runden) {
        return {};
    }
    std::sort(dauern.begin(), dauern.end());
    return {{u"test_knopf_ms"_s, u"Test button round trip (median)"_s, dauern[dauern.size() / 2],
             u"ms"_s,
             u"median of %1 tests: the spoken sample and one line of chat through the local "
             "server to a provider on loopback that answers at once"_s.arg(runden)}};
}

} // namespace parlix::bench
