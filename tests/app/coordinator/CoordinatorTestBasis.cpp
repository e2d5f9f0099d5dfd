#include "tests/app/coordinator/CoordinatorTestBasis.hpp"

#include "app/coordinator/EUStreamTranskription.hpp"
#include "app/ui/Texte.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtEndian>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

constexpr int samplesProChunk = 1360; // 85 ms at 16 kHz

QList<QByteArray> chunksVon(double sekunden, double amplitude) {
    const int samples = static_cast<int>(sekunden * 16000);
    QList<QByteArray> chunks;
    for (int start = 0; start < samples; start += samplesProChunk) {
        const int anzahl = std::min(samplesProChunk, samples - start);
        QByteArray chunk(anzahl * 2, Qt::Uninitialized);
        for (int i = 0; i < anzahl; ++i) {
            const double t = (start + i) / 16000.0;
            const auto wert =
                static_cast<qint16>(amplitude * 32767 * std::sin(2 * std::numbers::pi * 440 * t));
            qToLittleEndian(wert, chunk.data() + 2 * i);
        }
        chunks.append(chunk);
    }
    return chunks;
}

QJsonArray nachrichtenVon(const Anfrage& anfrage) {
    return QJsonDocument::fromJson(anfrage.koerper).object().value(u"messages").toArray();
}

} // namespace

CoordinatorTestBasis::CoordinatorTestBasis() {
    einstellungen.setzeProxyURL(server.url(QStringLiteral("/openai/v1")).toString());
    einstellungen.setzeUiSprache(QStringLiteral("de"));
    Texte::vergissSprache();
    GroqKonfiguration::setzeTokenQuelle([] { return std::optional<QString>(); });
    GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional(QStringLiteral("geraet")); });
}

CoordinatorTestBasis::~CoordinatorTestBasis() {
    coordinator.reset();
    GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional<QString>(); });
}

AufnahmeCoordinator& CoordinatorTestBasis::erstelle() {
    AufnahmeDienste dienste = plattform.dienste(queue, speicher, verlauf, http);
    if (mitStream) {
        EUStreamClient::Optionen optionen;
        optionen.tokenQuelle = [] { return std::optional<QString>(); };
        dienste.stream = EUStreamTranskription::fabrik(speicher, queue, netz, optionen);
    }
    coordinator = AufnahmeCoordinator::erstelle(
        std::move(dienste), {hud, liveBox, [this](const QString& key) { return lokal(key); }});
    coordinator->setzeGlasVerlauf(&plattform.desktop);
    return *coordinator;
}

void CoordinatorTestBasis::streamt(const StreamAblauf& ablauf) {
    server.drehbuch().stelleStreamEin(ablauf);
    mitStream = true;
}

bool CoordinatorTestBasis::warteAufStream(
    const std::function<bool(const StreamMitschnitt&)>& bedingung) {
    return queue.warteBis([&] {
        const QList<StreamMitschnitt> streams = server.drehbuch().streams();
        return !streams.isEmpty() && bedingung(streams.first());
    });
}

QList<QByteArray> CoordinatorTestBasis::sprache(double sekunden) {
    return chunksVon(sekunden, 0.1);
}

QList<QByteArray> CoordinatorTestBasis::stille(double sekunden) {
    return chunksVon(sekunden, 0.0);
}

void CoordinatorTestBasis::transkriptIst(const QByteArray& text) {
    server.drehbuch().stelleEin(sttPfad, Antwort::text(200, text));
}

Antwort CoordinatorTestBasis::chatAntwort(const QString& inhalt) {
    const QJsonObject nachricht{{u"role"_s, u"assistant"_s}, {u"content"_s, inhalt}};
    return Antwort::json(200, {{u"choices"_s, QJsonArray{QJsonObject{{u"message"_s, nachricht}}}}});
}

void CoordinatorTestBasis::chatAntwortet(const QString& inhalt) {
    server.drehbuch().stelleEin(chatPfad, chatAntwort(inhalt));
}

void CoordinatorTestBasis::nimmAuf(Aufnahmemodus modus, const QList<QByteArray>& chunks) {
    c().starteAufnahme(modus);
    plattform.mikrofon.liefere(chunks);
    c().stoppeAufnahme();
}

void CoordinatorTestBasis::warteAufEnde() {
    ASSERT_TRUE(queue.warteBis([&] { return !c().aktiv(); }));
}

void CoordinatorTestBasis::diktiere(const QList<QByteArray>& chunks, Aufnahmemodus modus) {
    nimmAuf(modus, chunks);
    warteAufEnde();
}

QString CoordinatorTestBasis::lokal(const QString& key) {
    return Texte(speicher).text(key);
}

QString CoordinatorTestBasis::cleanupPrompt(const QString& app) const {
    return CleanupPrompt::baue(einstellungen.cleanupZutaten(), app);
}

QString CoordinatorTestBasis::systemVon(const Anfrage& anfrage) {
    return nachrichtenVon(anfrage).at(0)[u"content"].toString();
}

QString CoordinatorTestBasis::nutzerVon(const Anfrage& anfrage) {
    return nachrichtenVon(anfrage).at(1)[u"content"].toString();
}

} // namespace parlix::test
