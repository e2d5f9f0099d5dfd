#pragma once

#include "app/platform/FensterFoto.hpp"

#include <QRect>

namespace parlix {

class Arbeitsflaeche;
class WaylandVerbindung;

// The focused window as an image, cut from the screen by the compositor's screencopy
// protocol (wlroots compositors): the region of the window on the first output.
class Bildschirmkopie final : public FensterFoto {
public:
    Bildschirmkopie(WaylandVerbindung& verbindung, Arbeitsflaeche& arbeitsflaeche)
        : verbindung_(verbindung)
        , arbeitsflaeche_(arbeitsflaeche) {}

    // Whether the compositor offers screencopy.
    bool bereit() const;

    std::optional<QByteArray> fensterScreenshot() override;

    // The region of the screen as PNG; nothing on failure. Any thread but the connection's.
    std::optional<QByteArray> bereich(const QRect& bereich);

private:
    WaylandVerbindung& verbindung_;
    Arbeitsflaeche& arbeitsflaeche_;
};

} // namespace parlix
