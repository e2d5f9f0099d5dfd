#pragma once

#include <QString>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace parlix {

// A source as the sound server lists it.
struct PulseQuelle {
    QString name;
    QString beschreibung;
    quint32 index = 0;
    bool istMonitor = false; // the monitor of a sink, not an input
};

// The state of a sink. Volumes are per channel on the server's linear scale, where
// kLautstaerkeNorm is 100 % (the nominal volume); empty when the sink has no volume.
struct PulseSenke {
    QString name;
    std::vector<quint32> lautstaerke;
    bool stumm = false;
};

// One connection to the PulseAudio server, with its own event thread. Every call waits
// for the server's answer for at most the connection's deadline, so a server that does
// not answer never holds up the caller for longer. Calls come from one thread (the
// owner's); the record stream's data arrives on the connection's event thread.
class PulseVerbindung {
public:
    // Called on the event thread with each piece of recorded audio. daten is null for a
    // gap the server reports; the gap is `bytes` of silence.
    using DatenHandler = std::function<void(const char* daten, std::size_t bytes)>;

    static constexpr quint32 kLautstaerkeNorm = 0x10000U;
    static constexpr std::chrono::milliseconds kStandardFrist{2000};

    // Connects. Throws std::runtime_error with a readable description when no server
    // can be reached or it does not answer in time.
    explicit PulseVerbindung(std::chrono::milliseconds frist = kStandardFrist);
    ~PulseVerbindung();
    PulseVerbindung(PulseVerbindung&&) noexcept;
    PulseVerbindung& operator=(PulseVerbindung&&) noexcept;
    PulseVerbindung(const PulseVerbindung&) = delete;
    PulseVerbindung& operator=(const PulseVerbindung&) = delete;

    // All sources in the server's order; empty if the list cannot be read.
    std::vector<PulseQuelle> quellen();
    // The name of the default sink; empty if there is none or it cannot be read.
    QString standardSenke();
    std::optional<PulseSenke> senke(const QString& name);
    // Both report whether the server confirmed the change.
    bool setzeLautstaerke(const QString& senke, const std::vector<quint32>& kanaele);
    bool setzeStumm(const QString& senke, bool stumm);

    // Opens a record stream in the shared recording format (s16le, 16000 Hz, mono) on the
    // named source, or the default source when the name is empty, asking for pieces of
    // about fragmentBytes. Throws std::runtime_error with a readable description when it
    // cannot be opened. One record stream per connection.
    void starteAufnahme(const QString& quelle, std::size_t fragmentBytes, DatenHandler beiDaten);
    // Closes the record stream. Once it returns, the handler is not called again.
    void stoppeAufnahme();

private:
    struct Kern;
    std::unique_ptr<Kern> kern_;
};

} // namespace parlix
