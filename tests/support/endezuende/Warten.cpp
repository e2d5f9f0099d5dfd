#include "tests/support/endezuende/Warten.hpp"

#include <thread>

namespace parlix::test {

bool warteBis(const std::function<bool()>& bedingung, std::chrono::milliseconds frist) {
    const auto ende = std::chrono::steady_clock::now() + frist;
    while (!bedingung()) {
        if (std::chrono::steady_clock::now() > ende) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace parlix::test
