#include "app/platform/x11/X11FensterFoto.hpp"

#include "app/platform/x11/Bildschirmausschnitt.hpp"
#include "app/platform/x11/EwmhAbfrage.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <QBuffer>

namespace parlix {

std::optional<QByteArray> X11FensterFoto::fensterScreenshot() {
    const std::optional<XVerbindung> verbindung = XVerbindung::oeffne();
    if (!verbindung) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*verbindung);
    const std::optional<quint64> fenster = ewmh.aktivesFenster();
    const std::optional<QRect> rahmen = fenster ? ewmh.rahmen(*fenster) : std::nullopt;
    if (!rahmen) {
        return std::nullopt;
    }
    const QImage bild = Bildschirmausschnitt::lies(*verbindung, *rahmen);
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
