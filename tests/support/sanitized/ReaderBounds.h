// Bounds every reader of untrusted files is held to in the sanitized mutation loops: an input
// is read within a few seconds and a bounded amount of heap, or the loop fails naming it.
#pragma once

#include <QString>
#include <chrono>
#include <cstddef>
#include <functional>

struct ReaderBounds {
    // CPU time of the whole process, every thread counted.
    std::chrono::milliseconds time{3000};
    std::size_t heapBytes = std::size_t(256) << 20;
};

// A read that waits rather than computes (on a lock, say) is let run this many times its CPU time
// by the wall clock.
inline constexpr int kWallTimesCpu = 10;

// The environment variable ZOVA_BOUNDS_FACTOR (a number of at least 1, 1 when unset) divides every
// bound, so that ZOVA_BOUNDS_FACTOR=2 shows each read keeps half its bounds to spare. With the
// variable set, each read prints the share of its bounds it used.
double boundsFactor();
ReaderBounds scaledBounds(ReaderBounds bounds);

// Runs `read` once, held to scaledBounds(bounds). A read that has spent more CPU time than
// bounds.time, or is still running kWallTimesCpu times that by the wall clock, ends the whole test
// program with a message naming `input` (a reader that loops forever cannot be waited for); a read
// whose heap grew past the bound fails the current test.
void readWithinBounds(const QString& input, const std::function<void()>& read, ReaderBounds bounds = {});

// The most heap the last readWithinBounds call held above what was held before it.
std::size_t lastReadHeapPeak();
