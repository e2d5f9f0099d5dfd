// Any bytes as a stored hotkey: never a crash, and a hotkey that is read writes back to
// the same hotkey.
#include "core/hotkeys/Hotkey.hpp"

#include <cstdint>
#include <cstdlib>

using parlix::Hotkey;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto hotkey = Hotkey::ausJson(
        QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse)));
    if (hotkey && Hotkey::ausJson(hotkey->alsJson()) != hotkey) {
        std::abort();
    }
    return 0;
}
