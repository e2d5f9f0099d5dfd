#include "tests/support/VirtuelleMainQueue.hpp"

#include "core/concurrency/QtMainQueue.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>

using namespace parlix;
using namespace std::chrono_literals;

namespace {

TEST(VirtuelleMainQueue, RunsDelayedJobsInDueOrderOnlyWhenTimeAdvances) {
    test::VirtuelleMainQueue queue;
    std::vector<int> lauf;
    queue.after(600ms, [&] { lauf.push_back(3); });
    queue.after(500ms, [&] {
        lauf.push_back(2);
        queue.post([&] { lauf.push_back(21); });
    });
    queue.post([&] { lauf.push_back(1); });

    EXPECT_EQ(queue.laufe(), 1);
    queue.vorspulen(499ms);
    EXPECT_EQ(lauf, (std::vector<int>{1}));
    queue.vorspulen(1ms);
    EXPECT_EQ(lauf, (std::vector<int>{1, 2, 21}));
    queue.vorspulen(1s);
    EXPECT_EQ(lauf, (std::vector<int>{1, 2, 21, 3}));
}

TEST(VirtuelleMainQueue, CancelledJobNeverRunsAndClockIsVirtual) {
    test::VirtuelleMainQueue queue;
    const auto start = queue.jetzt();
    bool gelaufen = false;
    auto job = queue.after(350ms, [&] { gelaufen = true; });
    job->abbrechen();
    queue.vorspulen(10s);
    EXPECT_FALSE(gelaufen);
    EXPECT_EQ(queue.jetzt() - start, 10s);
}

TEST(VirtuelleMainQueue, WaitsForJobsPostedByOtherThreads) {
    test::VirtuelleMainQueue queue;
    std::atomic<int> gelaufen{0};
    std::vector<std::thread> poster;
    for (int t = 0; t < 4; ++t) {
        poster.emplace_back([&] {
            for (int i = 0; i < 100; ++i) {
                queue.post([&] { gelaufen.fetch_add(1); });
            }
        });
    }
    EXPECT_TRUE(queue.warteBis([&] { return gelaufen.load() == 400; }));
    for (auto& p : poster) {
        p.join();
    }
    EXPECT_FALSE(queue.warteBis([] { return false; }, 20ms));
}

TEST(QtMainQueue, RunsPostedAndDelayedJobsOnTheMainThread) {
    QtMainQueue queue;
    const auto hauptThread = std::this_thread::get_id();
    std::atomic<bool> richtigerThread{true};
    std::atomic<int> gelaufen{0};
    std::thread anderer([&] {
        queue.post([&] {
            richtigerThread = richtigerThread && std::this_thread::get_id() == hauptThread;
            ++gelaufen;
        });
        queue.after(30ms, [&] {
            richtigerThread = richtigerThread && std::this_thread::get_id() == hauptThread;
            ++gelaufen;
        });
        queue.after(10ms, [&] { ++gelaufen; })->abbrechen();
    });
    anderer.join();

    QElapsedTimer uhr;
    uhr.start();
    while (gelaufen < 2 && uhr.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(gelaufen.load(), 2);
    EXPECT_TRUE(richtigerThread.load());
    EXPECT_GE(uhr.elapsed(), 25);
}

} // namespace
