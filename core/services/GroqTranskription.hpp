#pragma once

#include "core/services/GroqVerbindung.hpp"

namespace parlix {

// Uploads one finished recording (a WAV file) to "audio/transcriptions" and returns
// the transcript.
class GroqTranskription {
public:
    // The multipart boundary. Fixed; the audio is not scanned for it.
    static const QString grenze;

    explicit GroqTranskription(GroqVerbindung verbindung);

    // `sprache`: a language code, or empty for automatic detection; `vokabular`: terms
    // that bias recognition, or empty. Returns the transcript trimmed of white space.
    // Throws what GroqVerbindung throws.
    QString transkribiere(const QByteArray& wav, const QString& sprache, const QString& vokabular,
                          std::stop_token stop = {}) const;

    // The request body: text fields "model", "language" (when given), "prompt" (when
    // given), "response_format" = "text", then the file "audio.wav". Values are written
    // as they are.
    static QByteArray baueMultipart(const QByteArray& wav, const QString& modell,
                                    const QString& sprache, const QString& prompt,
                                    const QString& grenze);

private:
    GroqVerbindung verbindung_;
};

} // namespace parlix
