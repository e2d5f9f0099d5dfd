#pragma once

#include <algorithm>
#include <optional>

namespace parlix {

// The first element of a fixed table that fulfils the predicate, by value.
template <class Tabelle, class Praedikat>
auto findeErstes(const Tabelle& tabelle, Praedikat praedikat)
    -> std::optional<typename Tabelle::value_type> {
    const auto it = std::find_if(tabelle.begin(), tabelle.end(), praedikat);
    if (it == tabelle.end()) {
        return std::nullopt;
    }
    return *it;
}

} // namespace parlix
