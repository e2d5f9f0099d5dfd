#pragma once

#include "bench/kennzahlen/Kennzahl.hpp"
#include "tests/support/endezuende/Buehne.hpp"

#include <QList>
#include <chrono>
#include <optional>

namespace parlix::bench {

// The measurements of the figures, on one stage with a tray: the real parlix of this
// build, a microphone that delivers in real time, a provider that answers at once, and a
// Qt text field that has the focus.
class Messlauf {
public:
    // `runden`: how many dictations the latency figures take their median from.
    explicit Messlauf(int runden);

    // Empty when the stage is up; else what failed.
    QString fehler() const { return fehler_; }

    // Process start until parlix says its tray icon shows; parlix is ended after each.
    QList<Kennzahl> startZumTray();
    // The same with Parlix's own server, as a new installation runs it (started as from
    // the menu): process start until the icon shows and until the server listens.
    QList<Kennzahl> startMitLokalemServer();
    // Parlix started and left alone: processor and memory over `dauer`.
    QList<Kennzahl> leerlauf(std::chrono::seconds dauer);
    // Dictations: key press until the recording's stream is open and its first chunk
    // arrives; key release until the stream's end and the cleanup request reach the
    // server, and until the text is in the field.
    QList<Kennzahl> diktate();
    // Processor while a recording runs and the HUD animates, over `dauer`.
    QList<Kennzahl> aufnahmeLast(std::chrono::seconds dauer);
    // Dictations into an xterm, timed at the X server: from the key release there to the
    // paste key, the terminal's selection request, Parlix's answer, and until the text
    // reaches the program in the terminal. Takes the focus from the Qt field for good.
    QList<Kennzahl> diktateInXterm();

private:
    // Starts parlix and waits until it listens to the keys and its icon is in the tray.
    bool starteParlix();
    bool trayZeigtParlix();
    // When the key went up, and when the server saw the stream's end (the recording
    // stopped) and then the cleanup request (the transcript came back at once).
    struct Loslassen {
        std::chrono::steady_clock::time_point los;
        std::chrono::steady_clock::time_point streamEnde;
        std::chrono::steady_clock::time_point anfrage;
    };
    // Releases the hotkey of the dictation on stream `nummer`; nothing when a step is
    // missing after 20 s.
    std::optional<Loslassen> lasseLos(qsizetype nummer);
    // Waits until the field printed `text` as its content; false after 20 s.
    bool feldZeigt(const QString& text);

    int runden_;
    test::Buehne buehne_;
    KindProzess* feld_ = nullptr;
    QByteArray feldAusgabe_;
    // What the field holds after the dictations so far.
    QString feldText_;
    QString fehler_;
};

} // namespace parlix::bench
