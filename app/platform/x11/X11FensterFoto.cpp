#include "app/platform/x11/X11FensterFoto.hpp"

#include "app/platform/x11/Bildschirmausschnitt.hpp"
#include "app/platform/x11/EwmhAbfrage.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <QBuffer>
#include <algorithm>

namespace parlix {

namespace {

// The desktop's background and panels can hold the focus; they are no window to photograph
// (the background would be the whole screen).
bool istHintergrund(const XVerbindung& verbindung, const EwmhAbfrage& ewmh, quint64 fenster) {
    const std::vector<quint64> arten = ewmh.atome(fenster, "_NET_WM_WINDOW_TYPE");
    return std::ranges::any_of(arten, [&](quint64 art) {
        return art == verbindung.atom("_NET_WM_WINDOW_TYPE_DESKTOP") ||
               art == verbindung.atom("_NET_WM_WINDOW_TYPE_DOCK");
    });
}

} // namespace

std::optional<QByteArray> X11FensterFoto::fensterScreenshot() {
    const std::optional<XVerbindung> verbindung = XVerbindung::oeffne();
    if (!verbindung) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*verbindung);
    const std::optional<quint64> fenster = ewmh.aktivesFenster();
    if (!fenster || istHintergrund(*verbindung, ewmh, *fenster)) {
        return std::nullopt;
    }
    const QImage bild = Bildschirmausschnitt::fenster(*verbindung, *fenster);
    if (bild.isNull()) {
        return std::nullopt;
    }
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "PNG")) {
        return std::nullopt;
    }
    return png;
}

} // namespace parlix
