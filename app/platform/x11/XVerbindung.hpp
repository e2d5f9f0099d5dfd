#pragma once

#include "app/platform/linux/XTastenTabelle.hpp"

#include <QByteArray>
#include <QtGlobal>
#include <memory>
#include <optional>

// Xlib's display type, declared so that this header needs no X11 header.
struct _XDisplay;

namespace parlix {

// One connection to the X server. An Xlib connection belongs to one thread at a time:
// each thread that talks to the server opens its own. X errors on it do not end the
// program (Xlib's default): requests with a reply report failure through their result,
// XFehlerFalle catches the errors of requests without one. When the server goes away the
// connection is marked lost instead of ending the program. Move-only.
class XVerbindung {
public:
    // Opens the display named `name`, by default the one in DISPLAY; nothing when there
    // is none or it cannot be reached.
    static std::optional<XVerbindung> oeffne(const QByteArray& name = {});
    // For connections kept open between uses: `platz` when it holds one that is not
    // lost, else one opened anew into it; null when no display can be reached.
    static const XVerbindung* offen(std::optional<XVerbindung>& platz);

    ~XVerbindung();
    XVerbindung(XVerbindung&& andere) noexcept;
    XVerbindung& operator=(XVerbindung&& andere) noexcept;
    XVerbindung(const XVerbindung&) = delete;
    XVerbindung& operator=(const XVerbindung&) = delete;

    // Xlib's handle (Display*), for the code in this folder.
    _XDisplay* anzeige() const;
    // The root window of the default screen.
    quint64 wurzel() const;
    // The atom of `name`, created if the server does not know it yet.
    quint64 atom(const char* name) const;
    // The socket, for waiting on the server without polling.
    int dateideskriptor() const;
    // The server closed the connection or could not be reached any more; every further
    // request on it fails at once.
    bool verloren() const;

    // The key table of the keyboard mapping now in force.
    XTastenTabelle tastenTabelle() const;

    // Sends what is buffered and waits until the server has processed it.
    void gleicheAb() const;

private:
    struct Kern;
    explicit XVerbindung(std::unique_ptr<Kern> kern);

    std::unique_ptr<Kern> kern_;
};

} // namespace parlix
