#pragma once

#include "core/concurrency/MainQueue.hpp"
#include "core/hotkeys/Hotkey.hpp"
#include "core/settings/DefaultsStore.hpp"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace parlix {

// Turns the key events of one hotkey into start, stop and lock commands.
//
// A modifier key or plain key is hold-to-talk: the recording starts after the start
// delay and stops on release; a short tap followed by a press within the double-tap
// window starts a locked recording at once, and the next press stops it. A combination,
// and the lock hotkey, toggle a locked recording.
//
// verarbeite() runs on the key thread: it only decides and posts to the main queue,
// holding the manager weakly. Every state change and every callback runs on the main
// queue. Create managers with erstelle(); they must be owned by a shared_ptr.
class HotkeyManager : public std::enable_shared_from_this<HotkeyManager> {
public:
    using Konfig = std::function<Hotkey()>;
    using Rueckruf = std::function<void()>;

    static constexpr MainQueue::Dauer doppelTippFenster = std::chrono::milliseconds(350);

    // nurToggle: the lock manager, which only acts while "lockPerTaste" is on.
    static std::shared_ptr<HotkeyManager> erstelle(MainQueue& queue, DefaultsStore& speicher,
                                                   Konfig konfig, bool nurToggle);

    HotkeyManager(const HotkeyManager&) = delete;
    HotkeyManager& operator=(const HotkeyManager&) = delete;

    // Reads the hotkey again (main thread). While the key thread may be deciding, a
    // reload can misjudge the events in flight, so the key source is paused around it
    // when the user records a new hotkey.
    void ladeKonfig();

    // Key thread: decides one event and returns whether to swallow it.
    bool verarbeite(quint32 typ, qint64 keyCode, quint64 flags);
    // Key thread, game mode: handles only the release of the hotkey, never a press.
    void verarbeiteLoslassen(quint32 typ, qint64 keyCode, quint64 flags);

    // Main thread.
    const Hotkey& hotkey() const { return hotkey_; }

    // Commands to the recording coordinator, called on the main thread; unset ones are
    // skipped. Set them before the key source starts.
    Rueckruf beiStart;
    Rueckruf beiStop;
    Rueckruf beiLock;
    // Whether the coordinator still takes a recording. It can end one without the
    // manager (Escape, an error, the toggle command); unset, the manager trusts itself.
    std::function<bool()> nimmtAuf;
    const bool nurToggle;

private:
    // How the key thread recognises the hotkey.
    enum class Art {
        // Flag changes of a modifier key held alone.
        modifierTaste,
        // Hold-to-talk on key-down and key-up of a plain key.
        halten,
        // Toggles on key-down while exactly the hotkey's modifiers are held.
        kombi,
        // Toggles on key-down whatever modifiers are held (a plain lock key).
        umschalten,
    };

    HotkeyManager(MainQueue& queue, DefaultsStore& speicher, Konfig konfig, bool nurToggle);

    void uebernimm(Hotkey hotkey);
    Art artVon(const Hotkey& hotkey) const;

    bool modifierEreignis(quint32 typ, quint64 flags);
    bool halteEreignis(quint32 typ);
    bool umschaltEreignis(quint32 typ, quint64 flags, bool maskePruefen);
    bool lockPerTaste() const;
    void poste(void (HotkeyManager::*operation)());

    void gleicheAb();
    void tasteRunter();
    void losgelassen();
    void toggle();
    void sperre();
    void beende();
    void brichStartAb();
    static void rufe(const Rueckruf& rueckruf);

    MainQueue& queue_;
    DefaultsStore& speicher_;
    const Konfig konfig_;

    // Written by ladeKonfig on the main thread, read on the key thread.
    std::atomic<qint64> keyCode_;
    std::atomic<Art> art_;
    std::atomic<quint64> flagCG_;
    std::atomic<quint64> kombiMaskeCG_;
    // The key is down: further key-downs until its key-up are auto-repeat. Key thread,
    // reset by ladeKonfig.
    std::atomic<bool> unten_{false};

    // Main thread only.
    Hotkey hotkey_;
    bool aufnahmeLaeuft_ = false;
    bool gesperrt_ = false;
    std::shared_ptr<GeplanterJob> startArbeit_;
    std::optional<MainQueue::Zeitpunkt> letzterTap_;
};

} // namespace parlix
