// Any key events while a new hotkey is recorded: never a crash; a recorded hotkey
// carries the name its keys give, only the four modifier bits, and survives storing.
#include "core/hotkeys/HotkeyRecorder.hpp"
#include "core/hotkeys/Tastennamen.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using parlix::Hotkey;
using parlix::HotkeyRecorder;
namespace Tastennamen = parlix::Tastennamen;

namespace {

void pruefe(const Hotkey& hotkey) {
    const auto keyCode = static_cast<quint16>(hotkey.keyCode);
    const QString erwartet = hotkey.istModifierTaste
                                 ? Tastennamen::name(keyCode)
                                 : Tastennamen::kombiName(keyCode, hotkey.modifiers);
    if (hotkey.keyCode != keyCode || hotkey.name != erwartet || hotkey.name.isEmpty() ||
        (hotkey.modifiers & ~Hotkey::modifierMaske) != 0 ||
        Hotkey::ausJson(hotkey.alsJson()) != hotkey) {
        std::abort();
    }
}

} // namespace

// Each event: one byte for its kind, two for the key code, eight for the flags.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    HotkeyRecorder recorder;
    const auto starte = [&recorder] { recorder.nimmAuf(&pruefe, [] {}); };
    starte();
    constexpr size_t laenge = 1 + 2 + 8;
    for (size_t i = 0; i + laenge <= groesse; i += laenge) {
        quint16 keyCode = 0;
        quint64 flags = 0;
        std::memcpy(&keyCode, daten + i + 1, sizeof keyCode);
        std::memcpy(&flags, daten + i + 3, sizeof flags);
        switch (daten[i] % 3) {
        case 0:
            recorder.tasteGedrueckt(keyCode, flags);
            break;
        case 1:
            recorder.flagsGeaendert(keyCode, flags);
            break;
        default:
            starte();
        }
    }
    return 0;
}
