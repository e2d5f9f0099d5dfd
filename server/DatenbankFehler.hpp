#pragma once

#include <stdexcept>
#include <string>

namespace parlix {

// A database that cannot be opened, migrated, read or written. Account operations turn
// it into an error answer; the server refuses to start on it.
class DatenbankFehler : public std::runtime_error {
public:
    explicit DatenbankFehler(const std::string& text)
        : std::runtime_error(text) {}
};

} // namespace parlix
