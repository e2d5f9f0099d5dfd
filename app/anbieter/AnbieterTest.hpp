#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <thread>

namespace parlix {

class DefaultsStore;

// The settings' provider test: the spoken sample shipped with the program goes to the
// transcription, one line to the language model, both through the service clients the
// recordings use (Parlix, its backend, the provider). The calls run on a thread of their
// own; the outcome arrives on the main thread.
class AnbieterTest final : public QObject {
    Q_OBJECT

public:
    struct Ergebnis {
        bool erfolg = false;
        QString transkript;
        QString antwort;
        // Both calls together.
        qint64 millisekunden = 0;
        // On failure: whether the transcription (else the language model) failed, the
        // reason as the backend names it ("anbieterSchluessel", "anbieterModell",
        // "anbieterNichtErreichbar", "anbieterTLS", "anbieterZeit", "anbieterAntwort",
        // "keinAnbieter") or "verbindung" when the backend itself was not reached, and
        // the provider's own words.
        bool beiTranskription = false;
        QString grund;
        QString text;
    };

    explicit AnbieterTest(DefaultsStore& speicher, QObject* eltern = nullptr);
    // Cancels a test that still runs and waits for its thread.
    ~AnbieterTest() override;

    bool laeuft() const { return laeuft_; }
    // Starts a test unless one runs.
    void starte();

    // The spoken sample: a WAV file, 16 kHz mono.
    static QByteArray probe();

signals:
    void fertig(const parlix::AnbieterTest::Ergebnis& ergebnis);

private:
    Ergebnis fuehreAus(std::stop_token stop) const;

    DefaultsStore& speicher_;
    bool laeuft_ = false;
    std::jthread faden_;
};

} // namespace parlix
