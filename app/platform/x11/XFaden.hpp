#pragma once

#include <QByteArray>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

// Xlib's event type, declared so that this header needs no X11 header.
union _XEvent;

namespace parlix {

class XVerbindung;

// A thread of its own with an X connection of its own. It sleeps until the server sends
// something or work is handed to it (it never polls), handles every event and ends, and
// is waited for, when the object is destroyed or the server goes away.
class XFaden {
public:
    struct Auftrag {
        // On the thread once connected; false gives up (the thread ends).
        std::function<bool(XVerbindung&)> einrichten;
        // On the thread for every event the connection receives.
        std::function<void(XVerbindung&, _XEvent&)> ereignis;
        // On the thread once: whether connecting and einrichten succeeded. Optional.
        std::function<void(bool erfolgreich)> bereit;
    };

    // `name`: the thread's name as tools show it (at most 15 characters).
    explicit XFaden(QByteArray name);
    ~XFaden();
    XFaden(const XFaden&) = delete;
    XFaden& operator=(const XFaden&) = delete;

    // Starts the thread. Once.
    void starte(Auftrag auftrag);
    // Starts the thread and waits until it is set up, at most `frist`: whether it is.
    bool starteUndWarte(Auftrag auftrag, std::chrono::milliseconds frist);

    // Runs `arbeit` on the thread soon, before the events it has not read yet. Any thread;
    // dropped when the thread has ended.
    void fuehreAus(std::function<void(XVerbindung&)> arbeit);

    // Returns once the thread has handled every event the server generated before the
    // call, or after `frist`, or at once when the thread is not running. Any other thread.
    void holeAuf(std::chrono::milliseconds frist);
    // The same as a function that stays safe to call after this object is gone.
    std::function<void()> aufholer(std::chrono::milliseconds frist) const;

private:
    struct Kern;
    static void laufe(Kern& kern, Auftrag auftrag);

    QByteArray name_;
    std::shared_ptr<Kern> kern_;
    std::thread faden_;
};

} // namespace parlix
