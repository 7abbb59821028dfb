// The bounds on what the process holds, built without sanitizers: the resident size a read holds
// at its peak is measured, whether the kernel resets its peak or it is sampled, and a read past
// the bound fails the test that made it.
#include "support/sanitized/ReaderBounds.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>

namespace {

// Every page of the block is written, so that it is resident; it is held long enough for a
// sampling to see it.
void holdForAMoment(std::size_t bytes)
{
    const std::unique_ptr<char[]> block(new char[bytes]);
    std::memset(block.get(), 1, bytes);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

}  // namespace

TEST(ReaderBoundsResident, TheResidentSizeHeldByAReadIsMeasuredWhetherTheKernelResetsItsPeakOrNot)
{
    std::printf("The kernel %s its peak resident size.\n",
                residentMeasure() == ResidentMeasure::KernelPeak ? "resets" : "does not reset");
    EXPECT_FALSE(heapIsMeasured());
    for (const bool sampling : {false, true}) {
        measureResidentBySampling(sampling);
        EXPECT_TRUE(sampling ? residentMeasure() == ResidentMeasure::Sampled : residentMeasure() != ResidentMeasure::None);
        // What an earlier read freed is no part of the next.
        readWithinBounds(QStringLiteral("one block"), [] { holdForAMoment(40 << 20); });
        EXPECT_GE(lastReadResidentPeak(), std::size_t(39) << 20) << sampling;
        EXPECT_LT(lastReadResidentPeak(), std::size_t(46) << 20) << sampling;

        readWithinBounds(QStringLiteral("a block on another thread"), [] { std::thread([] { holdForAMoment(30 << 20); }).join(); });
        EXPECT_GE(lastReadResidentPeak(), std::size_t(29) << 20) << sampling;
        EXPECT_LT(lastReadResidentPeak(), std::size_t(36) << 20) << sampling;

        readWithinBounds(QStringLiteral("nothing"), [] {});
        EXPECT_LT(lastReadResidentPeak(), std::size_t(1) << 20) << sampling;
        EXPECT_EQ(lastReadHeapPeak(), 0u);
    }
    measureResidentBySampling(false);
}

TEST(ReaderBoundsResident, AReadPastTheResidentBoundFailsNamingItsInput)
{
    EXPECT_NONFATAL_FAILURE(readWithinBounds(QStringLiteral("greedy.txt"), [] { holdForAMoment(8 << 20); },
                                             {.residentBytes = std::size_t(4) << 20}),
                            "greedy.txt held");
    const ReaderBounds bounds{.residentBytes = std::size_t(100) << 20};
    EXPECT_EQ(scaledBounds(bounds).residentBytes, std::size_t(double(bounds.residentBytes) / boundsFactor()));
}
