#include "app/platform/x11/XFaden.hpp"

#include "app/platform/x11/XVerbindung.hpp"
#include "core/log/DateiLog.hpp"

#include <X11/Xlib.h>
#include <condition_variable>
#include <future>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace parlix {

struct XFaden::Kern {
    Kern()
        : wecker(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~Kern() {
        if (wecker >= 0) {
            close(wecker);
        }
    }

    void wecke() const {
        const quint64 eins = 1;
        [[maybe_unused]] const auto n = write(wecker, &eins, sizeof eins);
    }

    // Takes the work handed over so far; the number of catch-up requests among it.
    std::vector<std::function<void(XVerbindung&)>> nimmArbeit(quint64& aufholStand) {
        quint64 zaehler = 0;
        [[maybe_unused]] const auto n = read(wecker, &zaehler, sizeof zaehler);
        std::lock_guard lock(sperre);
        aufholStand = aufholAngefragt;
        return std::exchange(arbeit, {});
    }

    void meldeAufgeholt(quint64 stand) {
        std::lock_guard lock(sperre);
        aufgeholt = stand;
        geaendert.notify_all();
    }

    void meldeEnde() {
        std::lock_guard lock(sperre);
        laeuft = false;
        arbeit.clear();
        geaendert.notify_all();
    }

    const int wecker;
    std::mutex sperre;
    std::condition_variable geaendert;
    std::vector<std::function<void(XVerbindung&)>> arbeit;
    bool laeuft = false;
    bool ende = false;
    quint64 aufholAngefragt = 0;
    quint64 aufgeholt = 0;
};

XFaden::XFaden(QByteArray name)
    : name_(std::move(name))
    , kern_(std::make_shared<Kern>()) {}

XFaden::~XFaden() {
    {
        std::lock_guard lock(kern_->sperre);
        kern_->ende = true;
    }
    kern_->wecke();
    if (faden_.joinable()) {
        faden_.join();
    }
}

void XFaden::starte(Auftrag auftrag) {
    {
        std::lock_guard lock(kern_->sperre);
        kern_->laeuft = true;
    }
    faden_ = std::thread([kern = kern_, auftrag = std::move(auftrag)]() mutable {
        laufe(*kern, std::move(auftrag));
    });
    pthread_setname_np(faden_.native_handle(), name_.left(15).constData());
}

bool XFaden::starteUndWarte(Auftrag auftrag, std::chrono::milliseconds frist) {
    auto ergebnis = std::make_shared<std::promise<bool>>();
    auto zukunft = ergebnis->get_future();
    auftrag.bereit = [ergebnis, bereit = std::move(auftrag.bereit)](bool erfolgreich) {
        if (bereit) {
            bereit(erfolgreich);
        }
        ergebnis->set_value(erfolgreich);
    };
    starte(std::move(auftrag));
    return zukunft.wait_for(frist) == std::future_status::ready && zukunft.get();
}

void XFaden::fuehreAus(std::function<void(XVerbindung&)> arbeit) {
    {
        std::lock_guard lock(kern_->sperre);
        if (!kern_->laeuft) {
            return;
        }
        kern_->arbeit.push_back(std::move(arbeit));
    }
    kern_->wecke();
}

void XFaden::holeAuf(std::chrono::milliseconds frist) {
    aufholer(frist)();
}

std::function<void()> XFaden::aufholer(std::chrono::milliseconds frist) const {
    return [schwach = std::weak_ptr<Kern>(kern_), frist] {
        const auto kern = schwach.lock();
        if (!kern) {
            return;
        }
        std::unique_lock lock(kern->sperre);
        if (!kern->laeuft) {
            return;
        }
        // Asking the server for a reply on the thread's own connection: it answers after
        // every event it generated before, and they arrive in that order.
        const quint64 nummer = ++kern->aufholAngefragt;
        kern->arbeit.emplace_back([](XVerbindung& verbindung) { verbindung.gleicheAb(); });
        kern->wecke();
        kern->geaendert.wait_for(lock, frist,
                                 [&] { return !kern->laeuft || kern->aufgeholt >= nummer; });
    };
}

void XFaden::laufe(Kern& kern, Auftrag auftrag) {
    auto verbindung = XVerbindung::oeffne();
    const bool bereit = verbindung && (!auftrag.einrichten || auftrag.einrichten(*verbindung));
    if (auftrag.bereit) {
        auftrag.bereit(bereit);
    }
    if (!bereit) {
        kern.meldeEnde();
        return;
    }
    Display* anzeige = verbindung->anzeige();
    XEvent ereignis;
    for (;;) {
        quint64 aufholStand = 0;
        for (auto& arbeit : kern.nimmArbeit(aufholStand)) {
            arbeit(*verbindung);
        }
        // XPending sends what is buffered and takes in what has arrived, without waiting.
        while (XPending(anzeige) > 0) {
            XNextEvent(anzeige, &ereignis);
            auftrag.ereignis(*verbindung, ereignis);
        }
        kern.meldeAufgeholt(aufholStand);
        {
            std::lock_guard lock(kern.sperre);
            if (kern.ende) {
                break;
            }
        }
        if (verbindung->verloren()) {
            log().schreibe(u"X11: Verbindung zum X-Server verloren"_s);
            break;
        }
        pollfd warten[2] = {{verbindung->dateideskriptor(), POLLIN, 0}, {kern.wecker, POLLIN, 0}};
        poll(warten, 2, -1);
    }
    kern.meldeEnde();
}

} // namespace parlix
