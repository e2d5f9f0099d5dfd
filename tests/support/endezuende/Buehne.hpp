#pragma once

#include "tests/support/KopfloserTonServer.hpp"
#include "tests/support/KopflosesDesktop.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/endezuende/Ablage.hpp"
#include "tests/support/endezuende/Bildschirm.hpp"
#include "tests/support/endezuende/Nutzer.hpp"
#include "tests/support/endezuende/ParlixProzess.hpp"

#include <QTemporaryDir>
#include <optional>

namespace parlix::test {

// Everything the user meets, for one end-to-end run, started in this order and ended in
// the reverse: a headless desktop (Xvfb, openbox, a D-Bus session with the
// accessibility bus), a private PulseAudio with a null sink and a pipe source (the
// microphone), the reference server in scripted mode on a free loopback port, and the
// real parlix program of this build pointed at that server with a fresh folder for its
// settings, data and log. Parlix is not started yet: the run first sets up its user and
// applications.
class Buehne {
public:
    struct Optionen {
        // A system tray (trayer) on the desktop's edge, as on a usual desktop.
        bool tray = false;
        // What the desktop's session bus cannot start (KopflosesDesktop::Optionen).
        QStringList ohneDienste{};
    };

    Buehne()
        : Buehne(Optionen{}) {}
    explicit Buehne(const Optionen& optionen);

    // False when a part did not come up; fehler() says which.
    bool laeuft() const { return fehler_.isEmpty(); }
    QString fehler() const { return fehler_; }

    KopflosesDesktop& desktop() { return desktop_; }
    KopfloserTonServer& ton() { return ton_; }
    // The server's script and what it received.
    Drehbuch& server() { return server_.drehbuch(); }
    // "http://127.0.0.1:<port>" of that server.
    QUrl serverBasis() const { return server_.basis(); }
    ParlixProzess& parlix() { return *parlix_; }
    Nutzer& nutzer() { return *nutzer_; }
    Bildschirm& bildschirm() { return *bildschirm_; }
    Ablage& ablage() { return *ablage_; }

private:
    bool starteTray();

    KopflosesDesktop desktop_;
    KopfloserTonServer ton_;
    TestServer server_;
    QTemporaryDir ordner_;
    std::optional<ParlixProzess> parlix_;
    std::optional<Nutzer> nutzer_;
    std::optional<Bildschirm> bildschirm_;
    std::optional<Ablage> ablage_;
    QString fehler_;
};

} // namespace parlix::test
