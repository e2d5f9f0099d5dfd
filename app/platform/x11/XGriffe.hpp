#pragma once

#include "app/platform/linux/XTastenTabelle.hpp"

#include <QString>
#include <vector>

namespace parlix {

class DefaultsStore;
class XVerbindung;

// The keys the hotkeys swallow, held as passive grabs (XGrabKey) on the root window by
// the key thread's connection: the server hands these keys to us instead of to the
// focused application. Each is grabbed for the four states of Caps Lock and Num Lock, so
// that a lock key left on does not break it. A key that another program has grabbed
// already is logged and left out; the others are grabbed all the same. Key thread.
class XGriffe {
public:
    struct Griff {
        qint64 keyCode = 0;
        // The modifiers that must be held (Hotkey bits), unless jedeModifier.
        quint64 modifiers = 0;
        bool jedeModifier = false;
        // The hotkey's display name, for the log.
        QString name;
        bool operator==(const Griff&) const = default;
    };

    // What the hotkeys in the settings swallow, as the managers decide it: a combination
    // on its key with exactly its modifiers, a plain key with any; a modifier held alone
    // nothing; the lock hotkey only while "lockPerTaste" is on. Any thread.
    static std::vector<Griff> ausEinstellungen(DefaultsStore& speicher);

    explicit XGriffe(const XVerbindung& verbindung)
        : verbindung_(verbindung) {}

    // Grabs `griffe` on the current keyboard mapping instead of the keys grabbed so far.
    void setze(std::vector<Griff> griffe, const XTastenTabelle& tabelle);
    // The same keys on a changed keyboard mapping. Grabs that stay are not touched, so no
    // key slips through meanwhile (the server changes the mapping on its own, e.g. when
    // keys come from another keyboard device).
    void erneuere(const XTastenTabelle& tabelle);
    // While paused nothing is grabbed; the keys are kept for when the pause ends, with
    // the next setze() or erneuere().
    void setzePause(bool pause) { pausiert_ = pause; }

private:
    struct XGriff {
        int xKeycode;
        unsigned int modifiers;
        bool operator==(const XGriff&) const = default;
    };

    void erneuere(const XTastenTabelle& tabelle, bool melden);
    void loese();
    // The key codes and modifier states that make up `griff`; empty when this keyboard
    // cannot produce it.
    std::vector<XGriff> zerlege(const Griff& griff, const XTastenTabelle& tabelle) const;

    const XVerbindung& verbindung_;
    std::vector<Griff> griffe_;
    std::vector<XGriff> gehalten_;
    bool pausiert_ = false;
};

} // namespace parlix
