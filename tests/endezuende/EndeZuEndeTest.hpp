#pragma once

#include "core/settings/Einstellungen.hpp"
#include "server/Antwort.hpp"
#include "tests/support/endezuende/Buehne.hpp"

#include <QImage>
#include <QList>
#include <QPair>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace parlix::test {

// One scenario on a stage of its own (Buehne): the user's desktop, microphone, the
// scripted provider and the real parlix program. A failed scenario leaves the
// screenshots of its steps, the parlix log and the desktop's logs in
// PARLIX_E2E_AUSGABE/<scenario>/ and prints where.
class EndeZuEndeTest : public ::testing::Test {
protected:
    static inline const QString sttPfad = QStringLiteral("/openai/v1/audio/transcriptions");
    static inline const QString chatPfad = QStringLiteral("/openai/v1/chat/completions");

    // What the stage offers; a scenario sets it in its constructor.
    Buehne::Optionen buehnenOptionen;

    void SetUp() override;
    void TearDown() override;

    Buehne& b() { return *buehne_; }
    ParlixProzess& parlix() { return b().parlix(); }
    Drehbuch& server() { return b().server(); }

    // Starts parlix for a user who finished the setup and uses it in German; `einrichten`
    // sets more before the start. Fails when parlix runs without one of its desktop
    // services (it says so in its log): every scenario needs the whole program.
    void starteParlix(const std::function<void(Einstellungen&)>& einrichten = {});

    // Notes a step of the scenario with a picture of the screen, kept if it fails.
    void schritt(const QString& name);

    // The provider as the scenarios mostly need it: the stream takes the audio and ends
    // without words (so the batch transcription runs), the transcription gives
    // `transkript`, the chat call answers `antwort`.
    void anbieterAntwortet(const QString& transkript, const QString& antwort);
    static Antwort chatAntwort(const QString& inhalt);
    // Waits until exactly one chat call arrived (other calls, such as the update check at
    // the start, come and go beside it).
    bool warteAufChat();

    // The sentence as espeak-ng speaks it (16 kHz mono s16le).
    static QByteArray sprache(const QString& satz);

    // Presses the key (the dictation key by default), waits until the recording runs,
    // speaks `pcm` into the microphone and waits until parlix has streamed all of it.
    void sprichMitTaste(const QByteArray& pcm, quint32 taste);
    // ... and then lets go of the key.
    void diktiere(const QByteArray& pcm, quint32 taste);
    void diktiere(const QByteArray& pcm);

    // The audio of a transcription request (the WAV in its multipart body), as PCM.
    static QByteArray pcmAus(const Anfrage& anfrage);
    // The sum of the squared samples: the same for a recording with more silence around.
    static double energie(const QByteArray& pcm);
    // The content of the user message of a chat request.
    static QString nutzerNachricht(const Anfrage& anfrage);

    // Whether the HUD shows now (something of it is drawn), and waits until it shows or
    // is gone.
    bool hudZeigt();
    bool warteAufHud(bool sichtbar);

private:
    void sichereAusgabe();

    std::unique_ptr<Buehne> buehne_;
    QList<QPair<QString, QImage>> schritte_;
};

} // namespace parlix::test
