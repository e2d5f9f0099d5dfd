#pragma once

#include "app/platform/KindProzess.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace parlix::test {

// A private PulseAudio server for one test: its own runtime directory, socket, cookie
// and state, with a null sink (kSenke, the default sink) and a pipe source fed through a
// FIFO (kQuelle, the default source). While it lives, this process's PulseAudio clients
// (and the pactl it runs) talk to it and never to the user's own server. Works as root
// and without a desktop session.
class KopfloserTonServer {
public:
    static constexpr auto kSenke = "parlix_test_senke";
    static constexpr auto kQuelle = "parlix_test_mikro";

    KopfloserTonServer();
    ~KopfloserTonServer();
    KopfloserTonServer(const KopfloserTonServer&) = delete;
    KopfloserTonServer& operator=(const KopfloserTonServer&) = delete;

    // False when the server did not come up; fehler() says why.
    bool laeuft() const { return laeuft_; }
    QString fehler() const { return fehler_; }

    // The FIFO of a pipe source; the default source's when the name is empty.
    QString fifo(const QString& quelle = {}) const;
    // Adds a pipe source (s16le, 16000 Hz, mono) or a null sink with that description.
    bool ladePipeQuelle(const QString& name, const QString& beschreibung);
    bool ladeNullSenke(const QString& name, const QString& beschreibung);

    // Writes the PCM into the source's FIFO on a background thread (the source reads it
    // as fast as it comes); warteAufSpeisung() waits until every write is done.
    void speise(const QByteArray& pcm, const QString& quelle = {});
    void warteAufSpeisung();

    // Runs pactl against this server; its standard output, or absent when it failed.
    std::optional<QString> pactl(const QStringList& argumente) const;

    // Freezes and thaws the server process: a server that accepts but never answers.
    void anhalten();
    void fortsetzen();

private:
    bool starte();
    void setzeUmgebung();

    QTemporaryDir verzeichnis_;
    std::unique_ptr<KindProzess> prozess_;
    bool laeuft_ = false;
    QString fehler_;
    GesetzteUmgebung umgebung_;
    std::vector<std::thread> schreiber_;
};

} // namespace parlix::test
