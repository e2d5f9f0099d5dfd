#include "app/platform/linux/TastenSender.hpp"

#include <xkbcommon/xkbcommon-keysyms.h>

namespace parlix {

std::vector<quint32> TastenSender::gedrueckt(const Tastenkombination& taste) {
    std::vector<quint32> keysyms;
    if (taste.strg) {
        keysyms.push_back(XKB_KEY_Control_L);
    }
    if (taste.umschalt) {
        keysyms.push_back(XKB_KEY_Shift_L);
    }
    keysyms.push_back(taste.keysym);
    return keysyms;
}

} // namespace parlix
