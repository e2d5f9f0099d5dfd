#pragma once

#include "app/platform/linux/XTastenTabelle.hpp"

#include <QtGlobal>
#include <optional>

union _XEvent;

namespace parlix {

class XVerbindung;

// Raw key events of XInput 2.1 or newer on the root window: every key of every keyboard
// as it goes down and up, also modifier keys alone, and also while another client holds
// a grab (XInput 2.0 delivers them only to the grabbing client). They take nothing away
// from the focused application. The translation table follows the keyboard mapping.
// For the thread that owns the connection.
//
// While a key grab of this connection is active (XGrabKey, from the grabbed key's press
// to its release) the server sends the raw events to no one but hands this connection
// the ordinary key events instead; those are read as well, without the press that set
// the grab off, which came as a raw event already.
class XRohTasten {
public:
    struct Taste {
        quint8 xKeycode = 0;
        bool gedrueckt = false;
        // A key-down the server repeats while the key is held.
        bool wiederholung = false;
    };

    // Selects the raw key events on the connection and reads the keyboard mapping; false
    // (nothing selected) when the server has no XInput 2.1.
    bool abonniere(const XVerbindung& verbindung);

    // The key in `ereignis`, or nothing for any other event.
    std::optional<Taste> lies(const XVerbindung& verbindung, _XEvent& ereignis);
    // Whether `ereignis` changed the keyboard mapping; the table is then read again.
    bool mappingGeaendert(const XVerbindung& verbindung, _XEvent& ereignis);

    const XTastenTabelle& tabelle() const { return *tabelle_; }

private:
    std::optional<Taste> liesRoh(const XVerbindung& verbindung, _XEvent& ereignis);
    std::optional<Taste> liesGegriffen(const _XEvent& ereignis) const;

    int opcode_ = -1;
    std::optional<XTastenTabelle> tabelle_;
    // The last raw press: the ordinary press with the same key and time is its twin.
    quint8 letzterDruck_ = 0;
    quint64 letzteDruckZeit_ = 0;
};

} // namespace parlix
