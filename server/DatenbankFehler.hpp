#pragma once

#include <stdexcept>
#include <string>

namespace parlix {

// A database that cannot be opened, migrated, read or written. Account operations turn
// it into an error answer; the server refuses to start on it. `beschaedigt`: the
// database reported damaged data, which no retry mends.
class DatenbankFehler : public std::runtime_error {
public:
    explicit DatenbankFehler(const std::string& text, bool beschaedigt = false)
        : std::runtime_error(text)
        , beschaedigt_(beschaedigt) {}

    bool beschaedigt() const { return beschaedigt_; }

private:
    bool beschaedigt_;
};

} // namespace parlix
