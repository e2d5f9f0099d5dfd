#include "app/platform/wayland/WaylandVerbindung.hpp"

#include "core/log/DateiLog.hpp"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

using namespace Qt::StringLiterals;

namespace parlix {

struct WaylandVerbindung::Auftrag {
    std::function<void()> job;
    std::mutex sperre;
    std::condition_variable fertig;
    bool erledigt = false;
    bool gelaufen = false;
};

namespace {

// Only the globals announced at connect are kept: other threads read the list without
// a lock once the connection's thread runs (outputs plugged in later are not seen).
void globalGemeldet(void* daten, wl_registry* /*registry*/, uint32_t name,
                    const char* schnittstelle, uint32_t version) {
    if (auto* liste = static_cast<QList<WaylandVerbindung::Global>*>(daten); liste != nullptr) {
        liste->append({QByteArray(schnittstelle), name, version});
    }
}

void globalEntfernt(void* /*daten*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

const wl_registry_listener registryHoerer{globalGemeldet, globalEntfernt};

} // namespace

WaylandVerbindung::WaylandVerbindung() {
    anzeige_ = wl_display_connect(nullptr);
    if (anzeige_ == nullptr) {
        return;
    }
    registry_ = wl_display_get_registry(anzeige_);
    wl_registry_add_listener(registry_, &registryHoerer, &globale_);
    if (wl_display_roundtrip(anzeige_) < 0) {
        return;
    }
    wl_registry_set_user_data(registry_, nullptr);
    wecker_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    verbunden_ = wecker_ >= 0;
    if (verbunden_) {
        faden_ = std::thread([this] { laufe(); });
    }
}

WaylandVerbindung::~WaylandVerbindung() {
    ende_ = true;
    if (faden_.joinable()) {
        const quint64 eins = 1;
        [[maybe_unused]] const auto geschrieben = write(wecker_, &eins, sizeof eins);
        faden_.join();
    }
    if (wecker_ >= 0) {
        close(wecker_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    if (anzeige_ != nullptr) {
        wl_display_disconnect(anzeige_);
    }
}

bool WaylandVerbindung::bietet(const char* schnittstelle) const {
    return std::any_of(globale_.begin(), globale_.end(),
                       [&](const Global& g) { return g.schnittstelle == schnittstelle; });
}

bool WaylandVerbindung::fuehreAus(const std::function<void()>& job,
                                  std::chrono::milliseconds frist) {
    if (!verbunden_ || std::this_thread::get_id() == faden_.get_id()) {
        return false;
    }
    auto auftrag = std::make_shared<Auftrag>();
    auftrag->job = job;
    {
        const std::lock_guard lock(sperre_);
        auftraege_.push_back(auftrag);
    }
    const quint64 eins = 1;
    [[maybe_unused]] const auto geschrieben = write(wecker_, &eins, sizeof eins);
    std::unique_lock lock(auftrag->sperre);
    if (!auftrag->fertig.wait_for(lock, frist, [&] { return auftrag->erledigt; })) {
        // Too late: the job must not run any more, since `job` may refer to the caller's
        // stack. Taken out of the queue unless it runs right now.
        const std::lock_guard warteschlange(sperre_);
        const auto stelle = std::find(auftraege_.begin(), auftraege_.end(), auftrag);
        if (stelle != auftraege_.end()) {
            auftraege_.erase(stelle);
            return false;
        }
        auftrag->fertig.wait(lock, [&] { return auftrag->erledigt; });
    }
    return auftrag->gelaufen;
}

void* WaylandVerbindung::binde(const wl_interface* schnittstelle, quint32 hoechstens) const {
    for (const Global& g : globale_) {
        if (g.schnittstelle == schnittstelle->name) {
            return binde(g, schnittstelle, hoechstens);
        }
    }
    return nullptr;
}

void* WaylandVerbindung::binde(const Global& global, const wl_interface* schnittstelle,
                               quint32 hoechstens) const {
    const quint32 version =
        std::min({global.version, hoechstens, static_cast<quint32>(schnittstelle->version)});
    return wl_registry_bind(registry_, global.name, schnittstelle, version);
}

bool WaylandVerbindung::rundlauf() {
    const bool ok = wl_display_roundtrip(anzeige_) >= 0;
    pruefeFehler();
    return ok;
}

void WaylandVerbindung::sende() {
    wl_display_flush(anzeige_);
}

void WaylandVerbindung::laufe() {
    while (!ende_ && verbunden_) {
        while (wl_display_prepare_read(anzeige_) != 0) {
            wl_display_dispatch_pending(anzeige_);
        }
        wl_display_flush(anzeige_);
        pollfd fds[2] = {{wl_display_get_fd(anzeige_), POLLIN, 0}, {wecker_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) {
            wl_display_cancel_read(anzeige_);
            break;
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            wl_display_read_events(anzeige_);
        } else {
            wl_display_cancel_read(anzeige_);
        }
        wl_display_dispatch_pending(anzeige_);
        pruefeFehler();
        if ((fds[1].revents & POLLIN) != 0) {
            quint64 zahl = 0;
            [[maybe_unused]] const auto gelesen = read(wecker_, &zahl, sizeof zahl);
            bearbeiteAuftraege();
        }
    }
    // Whatever still waits is answered as not run.
    verbunden_ = false;
    bearbeiteAuftraege();
}

void WaylandVerbindung::bearbeiteAuftraege() {
    for (;;) {
        std::shared_ptr<Auftrag> auftrag;
        {
            const std::lock_guard lock(sperre_);
            if (auftraege_.empty()) {
                return;
            }
            auftrag = auftraege_.front();
            auftraege_.pop_front();
        }
        const bool laufen = verbunden_;
        if (laufen) {
            auftrag->job();
            wl_display_flush(anzeige_);
        }
        const std::lock_guard lock(auftrag->sperre);
        auftrag->gelaufen = laufen;
        auftrag->erledigt = true;
        auftrag->fertig.notify_all();
    }
}

void WaylandVerbindung::pruefeFehler() {
    if (const int fehler = wl_display_get_error(anzeige_); fehler != 0 && verbunden_) {
        verbunden_ = false;
        log().schreibe(u"FEHLER: Wayland-Verbindung verloren (%1)"_s.arg(
            QString::fromLocal8Bit(std::strerror(fehler))));
    }
}

} // namespace parlix
