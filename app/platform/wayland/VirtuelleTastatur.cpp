#include "app/platform/wayland/VirtuelleTastatur.hpp"

#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "core/log/DateiLog.hpp"
#include "virtual-keyboard-unstable-v1.h"

#include <QByteArray>
#include <ctime>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

using namespace Qt::StringLiterals;

namespace parlix {

struct VirtuelleTastatur::Zustand {
    wl_seat* sitz = nullptr;
    wl_keyboard* tastatur = nullptr;
    zwp_virtual_keyboard_manager_v1* verwalter = nullptr;
    zwp_virtual_keyboard_v1* virtuell = nullptr;
    xkb_context* kontext = nullptr;
    xkb_keymap* keymap = nullptr;
    QByteArray keymapText;

    ~Zustand();
    void faehigkeiten(uint32_t welche);
    void uebernimm(const QByteArray& text);
    bool ladeVorgabe();
    void lade(const QByteArray& text);
    std::optional<xkb_keycode_t> taste(xkb_keysym_t keysym) const;
    void drueckeSequenz(const std::vector<xkb_keycode_t>& runter);
};

namespace {

// The key that gives the symbol without Shift in the first layout.
std::optional<xkb_keycode_t> tasteIn(xkb_keymap* keymap, xkb_keysym_t keysym) {
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap);
         code <= xkb_keymap_max_keycode(keymap); ++code) {
        const xkb_keysym_t* symbole = nullptr;
        const int anzahl = xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &symbole);
        for (int i = 0; i < anzahl; ++i) {
            if (symbole[i] == keysym) {
                return code;
            }
        }
    }
    return std::nullopt;
}

// Every key a paste or copy shortcut needs.
bool hatTasten(xkb_keymap* keymap) {
    for (const xkb_keysym_t keysym :
         {XKB_KEY_Control_L, XKB_KEY_Shift_L, XKB_KEY_v, XKB_KEY_c, XKB_KEY_Insert}) {
        if (!tasteIn(keymap, keysym)) {
            return false;
        }
    }
    return true;
}

quint32 millisekunden() {
    timespec jetzt{};
    clock_gettime(CLOCK_MONOTONIC, &jetzt);
    return static_cast<quint32>(jetzt.tv_sec * 1000 + jetzt.tv_nsec / 1000000);
}

// The seat's keymap: the one we follow. Everything else a keyboard without focus hears
// is of no interest.
void keymapKam(void* daten, wl_keyboard*, uint32_t format, int32_t fd, uint32_t groesse) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && groesse > 0) {
        void* abbild = mmap(nullptr, groesse, PROT_READ, MAP_PRIVATE, fd, 0);
        if (abbild != MAP_FAILED) {
            // The text ends with its terminating zero.
            static_cast<VirtuelleTastatur::Zustand*>(daten)->uebernimm(
                QByteArray(static_cast<const char*>(abbild), static_cast<qsizetype>(groesse - 1)));
            munmap(abbild, groesse);
        }
    }
    close(fd);
}
void fokusKam(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void fokusGing(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void tasteKam(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void modifikatorenKamen(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void wiederholungKam(void*, wl_keyboard*, int32_t, int32_t) {}

const wl_keyboard_listener tastaturHoerer{keymapKam, fokusKam,           fokusGing,
                                          tasteKam,  modifikatorenKamen, wiederholungKam};

void faehigkeitenKamen(void* daten, wl_seat*, uint32_t welche) {
    static_cast<VirtuelleTastatur::Zustand*>(daten)->faehigkeiten(welche);
}
void nameKam(void*, wl_seat*, const char*) {}

const wl_seat_listener sitzHoerer{faehigkeitenKamen, nameKam};

} // namespace

VirtuelleTastatur::Zustand::~Zustand() {
    if (virtuell != nullptr) {
        zwp_virtual_keyboard_v1_destroy(virtuell);
    }
    if (verwalter != nullptr) {
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(verwalter));
    }
    if (tastatur != nullptr) {
        wl_keyboard_destroy(tastatur);
    }
    if (sitz != nullptr) {
        wl_seat_destroy(sitz);
    }
    xkb_keymap_unref(keymap);
    xkb_context_unref(kontext);
}

// The seat's keyboard tells its keymap; a seat may have none yet (asking it for one
// then is a protocol error), and gets one when a keyboard appears, ours included.
void VirtuelleTastatur::Zustand::faehigkeiten(uint32_t welche) {
    if ((welche & WL_SEAT_CAPABILITY_KEYBOARD) != 0 && tastatur == nullptr) {
        tastatur = wl_seat_get_keyboard(sitz);
        wl_keyboard_add_listener(tastatur, &tastaturHoerer, this);
    }
}

void VirtuelleTastatur::Zustand::uebernimm(const QByteArray& text) {
    if (text != keymapText) {
        lade(text);
    }
}

bool VirtuelleTastatur::Zustand::ladeVorgabe() {
    // The layout from XKB_DEFAULT_* or the system's defaults, as the compositor would.
    xkb_keymap* vorgabe = xkb_keymap_new_from_names(kontext, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (vorgabe == nullptr) {
        return false;
    }
    char* text = xkb_keymap_get_as_string(vorgabe, XKB_KEYMAP_FORMAT_TEXT_V1);
    xkb_keymap_unref(vorgabe);
    if (text == nullptr) {
        return false;
    }
    lade(QByteArray(text));
    free(text);
    return keymap != nullptr;
}

void VirtuelleTastatur::Zustand::lade(const QByteArray& text) {
    xkb_keymap* neu =
        xkb_keymap_new_from_buffer(kontext, text.constData(), static_cast<size_t>(text.size()),
                                   XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    // A keymap made up by another synthetic keyboard may hold only the keys it typed; the
    // paste keys must be on ours.
    if (neu == nullptr || !hatTasten(neu)) {
        xkb_keymap_unref(neu);
        return;
    }
    xkb_keymap_unref(keymap);
    keymap = neu;
    keymapText = text;
    if (virtuell == nullptr) {
        return;
    }
    const int fd = memfd_create("parlix-keymap", MFD_CLOEXEC);
    const auto groesse = static_cast<size_t>(text.size()) + 1;
    if (fd >= 0 && write(fd, text.constData(), groesse) == static_cast<ssize_t>(groesse)) {
        zwp_virtual_keyboard_v1_keymap(virtuell, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       static_cast<uint32_t>(groesse));
    }
    if (fd >= 0) {
        close(fd);
    }
}

std::optional<xkb_keycode_t> VirtuelleTastatur::Zustand::taste(xkb_keysym_t keysym) const {
    return tasteIn(keymap, keysym);
}

void VirtuelleTastatur::Zustand::drueckeSequenz(const std::vector<xkb_keycode_t>& runter) {
    xkb_state* zustand = xkb_state_new(keymap);
    // The modifiers go out as state only: pressed as keys, a compositor's binding on a
    // modifier alone (the dictation key) would take our own paste chord for the user's.
    const auto sende = [&](xkb_keycode_t code, bool unten, bool alsTaste) {
        if (alsTaste) {
            // Key codes on the wire are evdev codes: xkb's minus 8.
            zwp_virtual_keyboard_v1_key(virtuell, millisekunden(), code - 8,
                                        unten ? WL_KEYBOARD_KEY_STATE_PRESSED
                                              : WL_KEYBOARD_KEY_STATE_RELEASED);
        }
        xkb_state_update_key(zustand, code, unten ? XKB_KEY_DOWN : XKB_KEY_UP);
        zwp_virtual_keyboard_v1_modifiers(
            virtuell, xkb_state_serialize_mods(zustand, XKB_STATE_MODS_DEPRESSED),
            xkb_state_serialize_mods(zustand, XKB_STATE_MODS_LATCHED),
            xkb_state_serialize_mods(zustand, XKB_STATE_MODS_LOCKED),
            xkb_state_serialize_layout(zustand, XKB_STATE_LAYOUT_EFFECTIVE));
    };
    for (std::size_t i = 0; i < runter.size(); ++i) {
        sende(runter[i], true, i + 1 == runter.size());
    }
    for (std::size_t i = runter.size(); i-- > 0;) {
        sende(runter[i], false, i + 1 == runter.size());
    }
    xkb_state_unref(zustand);
}

VirtuelleTastatur::VirtuelleTastatur(WaylandVerbindung& verbindung)
    : verbindung_(verbindung)
    , z_(std::make_unique<Zustand>()) {
    if (!verbindung_.bietet("zwp_virtual_keyboard_manager_v1") || !verbindung_.bietet("wl_seat")) {
        return;
    }
    bereit_ = verbindung_
                  .frage<bool>([this] {
                      Zustand& z = *z_;
                      z.kontext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
                      z.sitz = static_cast<wl_seat*>(verbindung_.binde(&wl_seat_interface, 5));
                      z.verwalter = static_cast<zwp_virtual_keyboard_manager_v1*>(
                          verbindung_.binde(&zwp_virtual_keyboard_manager_v1_interface, 1));
                      if (z.kontext == nullptr || z.sitz == nullptr || z.verwalter == nullptr) {
                          return false;
                      }
                      wl_seat_add_listener(z.sitz, &sitzHoerer, &z);
                      // The capabilities, then the keymap of the seat's keyboard.
                      verbindung_.rundlauf();
                      verbindung_.rundlauf();
                      if (z.keymap == nullptr && !z.ladeVorgabe()) {
                          return false;
                      }
                      z.virtuell = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
                          z.verwalter, z.sitz);
                      z.lade(z.keymapText);
                      return verbindung_.rundlauf();
                  })
                  .value_or(false);
    if (!bereit_) {
        log().schreibe(u"FEHLER: Wayland: keine virtuelle Tastatur"_s);
    }
}

VirtuelleTastatur::~VirtuelleTastatur() {
    // The protocol objects go on the connection's thread, or here once it has ended.
    if (!verbindung_.fuehreAus([this] { z_.reset(); })) {
        z_.reset();
    }
}

bool VirtuelleTastatur::tippe(const Tastenkombination& taste) {
    if (!bereit_) {
        return false;
    }
    return verbindung_
        .frage<bool>([&] {
            std::vector<xkb_keycode_t> runter;
            for (const quint32 keysym : gedrueckt(taste)) {
                const auto code = z_->taste(keysym);
                if (!code) {
                    return false;
                }
                runter.push_back(*code);
            }
            z_->drueckeSequenz(runter);
            return true;
        })
        .value_or(false);
}

} // namespace parlix
