#include "tests/support/server/StreamMitschnitt.hpp"

namespace parlix {

namespace {

QList<QByteArray> nurArt(const QList<StreamMitschnitt::Frame>& frames, bool text) {
    QList<QByteArray> ergebnis;
    for (const auto& frame : frames) {
        if (frame.text == text) {
            ergebnis.append(frame.daten);
        }
    }
    return ergebnis;
}

} // namespace

QList<QByteArray> StreamMitschnitt::chunks() const {
    return nurArt(frames, false);
}

QList<QByteArray> StreamMitschnitt::texte() const {
    return nurArt(frames, true);
}

} // namespace parlix
