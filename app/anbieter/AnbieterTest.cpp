#include "app/anbieter/AnbieterTest.hpp"

#include "core/services/GroqChat.hpp"
#include "core/services/GroqFehler.hpp"
#include "core/services/GroqTranskription.hpp"
#include "core/services/TransportFehler.hpp"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The reasons the backend names that the settings explain; any other is a bad answer.
const QStringList bekannteGruende = {
    u"anbieterSchluessel"_s, u"anbieterModell"_s, u"anbieterNichtErreichbar"_s,
    u"anbieterTLS"_s,        u"anbieterZeit"_s,   u"anbieterAntwort"_s,
    u"keinAnbieter"_s};

QString grundVon(const GroqFehler& fehler) {
    if (bekannteGruende.contains(fehler.grund())) {
        return fehler.grund();
    }
    if (fehler.grund() == u"lokalGeheimnis"_s || fehler.fall() == GroqFehler::Fall::keinKey) {
        return u"verbindung"_s;
    }
    // A backend that names no reason: the status says the most likely one.
    switch (fehler.status()) {
    case 401:
    case 403:
        return u"anbieterSchluessel"_s;
    case 404:
        return u"anbieterModell"_s;
    default:
        return u"anbieterAntwort"_s;
    }
}

// The failure of one call as the settings show it.
void beschreibe(AnbieterTest::Ergebnis& ergebnis, std::exception_ptr ausnahme) {
    try {
        std::rethrow_exception(ausnahme);
    } catch (const GroqFehler& fehler) {
        ergebnis.grund = grundVon(fehler);
        ergebnis.text = fehler.anbieterText().isEmpty() ? fehler.text() : fehler.anbieterText();
    } catch (const TransportFehler& fehler) {
        ergebnis.grund = fehler.art() == TransportFehler::Art::zeitueberschreitung
                             ? u"anbieterZeit"_s
                             : u"verbindung"_s;
        ergebnis.text = fehler.beschreibung();
    } catch (const std::exception& fehler) {
        ergebnis.grund = u"anbieterAntwort"_s;
        ergebnis.text = QString::fromUtf8(fehler.what());
    }
}

} // namespace

AnbieterTest::AnbieterTest(DefaultsStore& speicher, QObject* eltern)
    : QObject(eltern)
    , speicher_(speicher) {}

AnbieterTest::~AnbieterTest() {
    // The thread's last act is to post its outcome to this object; once it has ended,
    // destroying the object drops that event.
    faden_.request_stop();
    if (faden_.joinable()) {
        faden_.join();
    }
}

QByteArray AnbieterTest::probe() {
    QFile datei(u":/probe/probe.wav"_s);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

void AnbieterTest::starte() {
    if (laeuft_) {
        return;
    }
    laeuft_ = true;
    if (faden_.joinable()) {
        faden_.join();
    }
    faden_ = std::jthread([this](std::stop_token stop) {
        Ergebnis ergebnis = fuehreAus(stop);
        QMetaObject::invokeMethod(
            this,
            [this, ergebnis] {
                laeuft_ = false;
                emit fertig(ergebnis);
            },
            Qt::QueuedConnection);
    });
}

AnbieterTest::Ergebnis AnbieterTest::fuehreAus(std::stop_token stop) const {
    Ergebnis ergebnis;
    QElapsedTimer uhr;
    uhr.start();
    const GroqVerbindung verbindung(GroqKonfiguration::ausEinstellungen(speicher_));
    ergebnis.beiTranskription = true;
    try {
        ergebnis.transkript =
            GroqTranskription(verbindung).transkribiere(probe(), u"en"_s, {}, stop);
        ergebnis.beiTranskription = false;
        // As a recording's cleanup asks: the configured chat model, low reasoning effort.
        ergebnis.antwort =
            GroqChat(verbindung)
                .fuehreAus(u"Answer in one short line."_s, u"Say hello to the user of Parlix."_s,
                           std::nullopt, 0.2, u"low"_s, stop);
        ergebnis.erfolg = true;
    } catch (...) {
        beschreibe(ergebnis, std::current_exception());
    }
    ergebnis.millisekunden = uhr.elapsed();
    return ergebnis;
}

} // namespace parlix
