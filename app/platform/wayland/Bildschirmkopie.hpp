#pragma once

#include "app/platform/FensterFoto.hpp"

#include <QRect>

namespace parlix {

class FokusOrt;
class WaylandVerbindung;

// The focused window as an image, cut from the screen by the compositor's screencopy
// protocol (wlroots compositors): the region of the window on the first output.
class Bildschirmkopie final : public FensterFoto {
public:
    Bildschirmkopie(WaylandVerbindung& verbindung, FokusOrt& fokusOrt)
        : verbindung_(verbindung)
        , fokusOrt_(fokusOrt) {}

    // Whether the compositor offers screencopy.
    bool bereit() const;

    std::optional<QByteArray> fensterScreenshot() override;

    // The region of the screen as PNG; nothing on failure. Any thread but the connection's.
    std::optional<QByteArray> bereich(const QRect& bereich);

private:
    WaylandVerbindung& verbindung_;
    FokusOrt& fokusOrt_;
};

} // namespace parlix
