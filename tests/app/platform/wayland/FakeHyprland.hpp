#pragma once

#include "tests/support/GesetzteUmgebung.hpp"

#include <QByteArray>
#include <QHash>
#include <QTemporaryDir>
#include <mutex>
#include <thread>
#include <vector>

namespace parlix::test {

// A Hyprland played by the test: its request and event sockets (real Unix sockets) in a
// runtime folder, served by a thread of its own. While it lives,
// HYPRLAND_INSTANCE_SIGNATURE of this process names it, and XDG_RUNTIME_DIR points at a
// private folder unless `laufzeit` names the one to use. A request gets the answer set
// for its command, then the connection closes, as Hyprland does.
class FakeHyprland {
public:
    explicit FakeHyprland(const QString& laufzeit = {});
    ~FakeHyprland();
    FakeHyprland(const FakeHyprland&) = delete;
    FakeHyprland& operator=(const FakeHyprland&) = delete;

    bool laeuft() const { return anfragen_ >= 0 && ereignisse_ >= 0; }

    void antworte(const QByteArray& befehl, const QByteArray& antwort);
    // Writes raw bytes (whole or partial event lines) to every event listener.
    void sende(const QByteArray& daten);
    int zuhoerer();
    // Hyprland quits: every connection closes and the sockets vanish.
    void verschwinde();

private:
    void laufe(const std::stop_token& stop);
    void beantworte(int fd);

    QTemporaryDir verzeichnis_;
    GesetzteUmgebung umgebung_;
    QString ordner_;
    int anfragen_ = -1;
    int ereignisse_ = -1;
    std::mutex sperre_;
    QHash<QByteArray, QByteArray> antworten_;
    std::vector<int> zuhoerer_;
    std::jthread faden_;
};

} // namespace parlix::test
