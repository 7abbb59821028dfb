// Bounds every reader of untrusted files is held to in the sanitized mutation loops: an input
// is read in time linear in its size and within a bounded amount of memory, or the loop fails
// naming it.
#pragma once

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <cstddef>
#include <functional>

// Reads of fewer bytes are let take as long as a read of this many.
inline constexpr qint64 kFloorBytes = qint64(64) << 20;

struct ReaderBounds {
    // The bytes the read goes over, its file's size say; 0 for a small input.
    qint64 bytes = 0;
    // The CPU time the read may spend (the whole process's, every thread counted), in plain passes
    // over as many bytes, at least kFloorBytes, timed in this process just before the read. A machine
    // busy elsewhere slows the pass as it slows the read, so the bound holds there too: it is for a
    // read that runs away (quadratic, endless), not for its speed, which the benchmarks measure.
    double passes = 100;
    std::size_t heapBytes = std::size_t(256) << 20;
    // What the process holds of the machine's memory (its resident size) above what it held
    // before the read, at its peak.
    std::size_t residentBytes = std::size_t(256) << 20;
};

// A read that waits rather than computes (on a lock, say) is let run this many times its CPU time
// by the wall clock.
inline constexpr int kWallTimesCpu = 10;

// The environment variable ZOVA_BOUNDS_FACTOR (a number of at least 1, 1 when unset) divides every
// bound, so that ZOVA_BOUNDS_FACTOR=2 shows each read keeps half its bounds to spare. With the
// variable set, each read prints the share of its bounds it used.
double boundsFactor();
ReaderBounds scaledBounds(ReaderBounds bounds);

// Runs `read` once, held to scaledBounds(bounds). A read that has spent more CPU time than its
// passes, or is still running kWallTimesCpu times that by the wall clock, ends the whole test
// program with a message naming `input` (a reader that loops forever cannot be waited for); a read
// whose heap or resident size grew past its bound fails the current test.
void readWithinBounds(const QString& input, const std::function<void()>& read, ReaderBounds bounds = {});

// Which memory a program built with the harness measures. Built with AddressSanitizer, the heap,
// exactly, from the sanitizer's allocator; not the resident size, which its shadow memory and its
// quarantine of freed blocks swell. Built without, the resident size, as the program runs for
// its users (the C library's allocator keeps what it cannot give back); not the heap.
bool heapIsMeasured();
enum class ResidentMeasure {
    None,        // built with AddressSanitizer
    KernelPeak,  // the kernel's peak resident size (VmHWM), reset before each read
    // The kernel refused to reset its peak: the highest resident size seen every few milliseconds
    // while the read ran, or the process's lifetime peak where the read raised it.
    Sampled,
};
ResidentMeasure residentMeasure();
// For the harness's own tests: measure as if the kernel refused to reset its peak.
void measureResidentBySampling(bool sampling);

// The CPU time the last readWithinBounds call was held to.
std::chrono::nanoseconds lastReadCpuBound();
// The most heap the last readWithinBounds call held above what was held before it; 0 where the
// heap is not measured.
std::size_t lastReadHeapPeak();
// The most resident size the last readWithinBounds call held above what the process held before
// it; 0 where it is not measured.
std::size_t lastReadResidentPeak();
