#pragma once

#include <mutex>

namespace parlix::test {

// A scripted answer of a fake, set by the test and read on any thread.
template <class T> class Skriptwert {
public:
    explicit Skriptwert(T anfang = T())
        : wert_(std::move(anfang)) {}

    void setze(T wert) {
        std::lock_guard sperre(sperre_);
        wert_ = std::move(wert);
    }
    T wert() const {
        std::lock_guard sperre(sperre_);
        return wert_;
    }

private:
    mutable std::mutex sperre_;
    T wert_;
};

} // namespace parlix::test
