#pragma once

#include <QByteArray>
#include <QList>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

struct wl_display;
struct wl_registry;
struct wl_interface;

namespace parlix {

// One connection to the Wayland compositor, served by a thread of its own. Every
// request and every event of the protocol objects made on it runs on that thread
// (fuehreAus), so no object is ever touched from two threads; the objects' listeners
// run there too and must not block.
class WaylandVerbindung {
public:
    struct Global {
        QByteArray schnittstelle;
        quint32 name = 0;
        quint32 version = 0;
    };

    // Connects to $WAYLAND_DISPLAY; verbunden() tells whether that worked.
    WaylandVerbindung();
    ~WaylandVerbindung();
    WaylandVerbindung(const WaylandVerbindung&) = delete;
    WaylandVerbindung& operator=(const WaylandVerbindung&) = delete;

    // Connected and no protocol error since.
    bool verbunden() const { return verbunden_; }

    // What the compositor offered at connect.
    const QList<Global>& globale() const { return globale_; }
    bool bietet(const char* schnittstelle) const;

    // Runs `job` on the connection's thread and waits up to `frist` for it; false when
    // it did not run (no connection, or it took longer). Never call it on that thread.
    bool fuehreAus(const std::function<void()>& job,
                   std::chrono::milliseconds frist = std::chrono::seconds(5));
    // The same with a result; nothing when the job did not run in time.
    template <class T>
    std::optional<T> frage(const std::function<T()>& job,
                           std::chrono::milliseconds frist = std::chrono::seconds(5)) {
        std::optional<T> ergebnis;
        if (!fuehreAus([&] { ergebnis = job(); }, frist)) {
            return std::nullopt;
        }
        return ergebnis;
    }

    // On the connection's thread: binds the global of that interface at the highest
    // version both sides know, at most `hoechstens`; null when it is not offered.
    void* binde(const wl_interface* schnittstelle, quint32 hoechstens) const;
    // The same for one of the globals, where several share an interface (outputs).
    void* binde(const Global& global, const wl_interface* schnittstelle, quint32 hoechstens) const;
    // On the connection's thread: sends what is queued and waits until the compositor
    // has handled it and its answers were dispatched.
    bool rundlauf();
    // On the connection's thread: sends what is queued.
    void sende();
    wl_display* anzeige() const { return anzeige_; }

private:
    struct Auftrag;

    void laufe();
    void bearbeiteAuftraege();
    void pruefeFehler();

    wl_display* anzeige_ = nullptr;
    wl_registry* registry_ = nullptr;
    QList<Global> globale_;
    std::atomic<bool> verbunden_{false};
    int wecker_ = -1;
    std::mutex sperre_;
    std::deque<std::shared_ptr<Auftrag>> auftraege_;
    std::atomic<bool> ende_{false};
    std::thread faden_;
};

} // namespace parlix
