#pragma once

#include <QtGlobal>

namespace parlix {

// A shortcut to post: a key by its keysym (the symbol, so that the layout decides which
// key it is), with Control and/or Shift held.
struct Tastenkombination {
    bool strg = false;
    bool umschalt = false;
    quint32 keysym = 0;

    bool operator==(const Tastenkombination&) const = default;
};

} // namespace parlix
