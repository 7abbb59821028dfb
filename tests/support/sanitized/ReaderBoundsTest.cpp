// The bounds the mutation loops rely on: the heap a read holds is measured exactly, and a read
// past the bound fails the test that made it.
#include "ReaderBounds.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <time.h>

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
    readWithinBounds(QStringLiteral("a read on a busy machine"), [] { std::this_thread::sleep_for(std::chrono::milliseconds(800)); },
                     {.time = std::chrono::milliseconds(200)});
    EXPECT_LT(lastReadHeapPeak(), std::size_t(1) << 20);
}

void spin(std::chrono::milliseconds cpu)
{
    timespec now{};
    do {
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    } while (std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec) < cpu);
}

TEST(ReaderBoundsDeathTest, AReadPastItsCpuTimeOrWaitingPastTheWallClockEndsTheRunNamingItsInput)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const ReaderBounds cpuBound{.time = std::chrono::milliseconds(200)};
    EXPECT_EXIT(readWithinBounds(QStringLiteral("endless.db"), [] { spin(std::chrono::seconds(30)); }, cpuBound),
                testing::ExitedWithCode(1),
                "still reading endless.db after " + std::to_string(scaledBounds(cpuBound).time.count()) + " ms of CPU time");
    const ReaderBounds wallBound{.time = std::chrono::milliseconds(100)};
    EXPECT_EXIT(readWithinBounds(QStringLiteral("locked.db"), [] { std::this_thread::sleep_for(std::chrono::seconds(30)); }, wallBound),
                testing::ExitedWithCode(1),
                "still reading locked.db after " + std::to_string(scaledBounds(wallBound).time.count() * kWallTimesCpu) + " ms\\.");
}
