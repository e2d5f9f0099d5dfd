#include "app/platform/linux/TastenZustand.hpp"

#include "core/hotkeys/Ereignistyp.hpp"

namespace parlix {

std::optional<TastenZustand::Ereignis> TastenZustand::verarbeite(const XTastenTabelle& tabelle,
                                                                 quint8 xKeycode, bool gedrueckt,
                                                                 bool wiederholung) {
    const XTastenTabelle::Taste taste = tabelle[xKeycode];
    quint64& gehalten = gehalten_[xKeycode];
    if (taste.flag == 0 && gehalten == 0) {
        const quint32 typ = gedrueckt ? Ereignistyp::tasteRunter : Ereignistyp::tasteHoch;
        return Ereignis{typ, taste.keyCode, flags_};
    }
    // A modifier. Its flag is remembered from the press, so a release after a mapping
    // change still clears what the press set.
    if (gedrueckt == (gehalten != 0) || (gedrueckt && wiederholung)) {
        return std::nullopt;
    }
    gehalten = gedrueckt ? taste.flag : 0;
    flags_ = 0;
    for (const quint64 flag : gehalten_) {
        flags_ |= flag;
    }
    return Ereignis{Ereignistyp::flagsGeaendert, taste.keyCode, flags_};
}

} // namespace parlix
