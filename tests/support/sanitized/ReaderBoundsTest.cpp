// The bounds the mutation loops rely on: the heap a read holds is measured exactly, and a read
// past the bound fails the test that made it.
#include "ReaderBounds.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <time.h>
#include <vector>

namespace {

void holdForAMoment(std::size_t bytes)
{
    const std::unique_ptr<char[]> block(new char[bytes]);
    block[bytes - 1] = 1;
}

}  // namespace

TEST(ReaderBounds, TheHeapHeldByAReadIsMeasuredOnEveryThread)
{
    readWithinBounds(QStringLiteral("one block"), [] { holdForAMoment(40 << 20); });
    EXPECT_GE(lastReadHeapPeak(), std::size_t(40) << 20);
    EXPECT_LT(lastReadHeapPeak(), std::size_t(41) << 20);

    readWithinBounds(QStringLiteral("a block on another thread"), [] { std::thread([] { holdForAMoment(30 << 20); }).join(); });
    EXPECT_GE(lastReadHeapPeak(), std::size_t(30) << 20);

    readWithinBounds(QStringLiteral("nothing"), [] {});
    EXPECT_LT(lastReadHeapPeak(), std::size_t(1) << 20);

    // The sanitizer's shadow memory and quarantine would be counted as the reader's.
    EXPECT_TRUE(heapIsMeasured());
    EXPECT_EQ(residentMeasure(), ResidentMeasure::None);
    EXPECT_EQ(lastReadResidentPeak(), 0u);
}

TEST(ReaderBounds, AReadPastTheHeapBoundFailsNamingItsInput)
{
    EXPECT_NONFATAL_FAILURE(readWithinBounds(QStringLiteral("greedy.xlsx"), [] { holdForAMoment(2 << 20); }, {.heapBytes = 1 << 20}),
                            "greedy.xlsx");
}

// A loaded machine lends a read a fraction of a core: the read is timed by the CPU time it spends.
TEST(ReaderBounds, AReadLongerByTheWallClockThanItsTimeStillPassesWhenItSpendsNoCpuTime)
{
    const ReaderBounds bounds{.passes = 4};
    readWithinBounds(QStringLiteral("nothing"), [] {}, bounds);
    const auto sleep = 2 * lastReadCpuBound();
    readWithinBounds(QStringLiteral("a read on a busy machine"), [&] { std::this_thread::sleep_for(sleep); }, bounds);
    EXPECT_LT(lastReadHeapPeak(), std::size_t(1) << 20);
}

std::chrono::nanoseconds threadCpuTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

void spin(std::chrono::nanoseconds cpu)
{
    const auto end = threadCpuTime() + cpu;
    while (threadCpuTime() < end) {
    }
}

// A machine busy elsewhere slows a read and the pass it is held to alike. Three threads of the
// program's own, spinning beside both, make each take four times the CPU time: a read that spends
// half its bound on its own thread is let finish.
TEST(ReaderBounds, AReadSlowedDownIsHeldToAPassSlowedDownAlike)
{
    const ReaderBounds bounds{.bytes = 4 * kFloorBytes, .passes = 2};
    readWithinBounds(QStringLiteral("nothing"), [] {}, bounds);
    const auto alone = lastReadCpuBound();
    std::atomic<bool> busy{true};
    std::vector<std::thread> beside;
    for (int i = 0; i < 3; ++i)
        beside.emplace_back([&busy] {
            while (busy) {
            }
        });
    readWithinBounds(QStringLiteral("a read beside three busy threads"), [&] { spin(alone / 2); }, bounds);
    busy = false;
    for (std::thread& thread : beside)
        thread.join();
}

TEST(ReaderBoundsDeathTest, AReadPastItsCpuTimeOrWaitingPastTheWallClockEndsTheRunNamingItsInput)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const ReaderBounds cpuBound{.passes = 4};
    EXPECT_EXIT(readWithinBounds(QStringLiteral("endless.db"), [] { spin(std::chrono::seconds(30)); }, cpuBound),
                testing::ExitedWithCode(1),
                "still reading endless.db after [0-9]+ ms of CPU time, " + QString::number(scaledBounds(cpuBound).passes).toStdString()
                    + " plain passes over 64 MB\\.");
    const ReaderBounds wallBound{.passes = 2};
    EXPECT_EXIT(readWithinBounds(QStringLiteral("locked.db"), [] { std::this_thread::sleep_for(std::chrono::seconds(30)); }, wallBound),
                testing::ExitedWithCode(1), "still reading locked.db after [0-9]+ ms\\.");
}
