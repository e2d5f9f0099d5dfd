#pragma once

#include "tests/support/KopflosesDesktop.hpp"

#include <QThread>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace parlix::test {

// One private desktop (Xvfb + openbox + D-Bus) shared by the tests of a suite; starting
// one costs about a second.
class X11Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // On a machine shared with other X servers a start occasionally loses a race for
        // the display; a second one settles it.
        for (int versuch = 0; versuch < 3 && !(desktop_ && desktop_->laeuft()); ++versuch) {
            desktop_.reset();
            desktop_ = std::make_unique<KopflosesDesktop>();
        }
        if (desktop_->laeuft()) {
            warteAufFensterManager();
        }
    }
    static void TearDownTestSuite() { desktop_.reset(); }

    void SetUp() override { ASSERT_TRUE(desktop_->laeuft()) << desktop_->fehler().toStdString(); }

    static KopflosesDesktop& desktop() { return *desktop_; }

    // Polls `bedingung` in real time until it holds (true) or `frist` passes (false).
    static bool warteBis(const std::function<bool()>& bedingung,
                         std::chrono::milliseconds frist = std::chrono::seconds(10)) {
        const auto ende = std::chrono::steady_clock::now() + frist;
        while (!bedingung()) {
            if (std::chrono::steady_clock::now() > ende) {
                return false;
            }
            QThread::msleep(10);
        }
        return true;
    }

private:
    // openbox announces itself before it takes on windows, and a window mapped in
    // between stays unmapped: a probe window is mapped until openbox frames it.
    static void warteAufFensterManager();

    static inline std::unique_ptr<KopflosesDesktop> desktop_;
};

} // namespace parlix::test
