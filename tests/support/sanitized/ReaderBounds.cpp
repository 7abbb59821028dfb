#include "ReaderBounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <time.h>

// The sanitizer runtime's allocator interface; GCC installs the library without its header.
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, std::size_t),
                                              void (*free_hook)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* pointer);
}

namespace {

// The sanitizer's allocator tells every allocation and release; the live total and its peak
// are kept from those so a reader's peak is known exactly, whatever thread allocated.
std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void onAllocation(const volatile void*, std::size_t size)
{
    const long long now = liveBytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed) + static_cast<long long>(size);
    long long peak = peakBytes.load(std::memory_order_relaxed);
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

void onRelease(const volatile void* pointer)
{
    const auto size = static_cast<long long>(__sanitizer_get_allocated_size(pointer));
    liveBytes.fetch_sub(size, std::memory_order_relaxed);
}

void installHooksOnce()
{
    static const bool installed = [] {
        __sanitizer_install_malloc_and_free_hooks(onAllocation, onRelease);
        return true;
    }();
    (void)installed;
}

std::size_t lastPeak = 0;

// The CPU time the whole process has spent, on every thread.
std::chrono::nanoseconds processCpuTime()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

void endTheRun(const QByteArray& input, const char* what, std::chrono::milliseconds limit)
{
    std::fprintf(stderr, "The reader was still reading %s after %lld ms%s.\n", input.constData(),
                 static_cast<long long>(limit.count()), what);
    std::fflush(stderr);
    std::_Exit(1);
}

void reportShare(const QByteArray& input, std::chrono::nanoseconds cpu, std::size_t heap, const ReaderBounds& bounds)
{
    const auto cpuMs = std::chrono::duration_cast<std::chrono::milliseconds>(cpu).count();
    std::printf("[bounds] %s: CPU %lld of %lld ms (%.0f %%), heap %zu of %zu MB (%.0f %%)\n", input.constData(),
                static_cast<long long>(cpuMs), static_cast<long long>(bounds.time.count()),
                100.0 * double(cpuMs) / double(bounds.time.count()), heap >> 20, bounds.heapBytes >> 20,
                100.0 * double(heap) / double(bounds.heapBytes));
    std::fflush(stdout);
}

}  // namespace

double boundsFactor()
{
    static const double factor = [] {
        const char* text = std::getenv("ZOVA_BOUNDS_FACTOR");
        if (!text || !*text)
            return 1.0;
        char* end = nullptr;
        const double value = std::strtod(text, &end);
        if (*end || !std::isfinite(value) || value < 1.0) {
            std::fprintf(stderr, "ZOVA_BOUNDS_FACTOR=%s is not a number of at least 1.\n", text);
            std::exit(2);
        }
        return value;
    }();
    return factor;
}

ReaderBounds scaledBounds(ReaderBounds bounds)
{
    const double factor = boundsFactor();
    bounds.time = std::max(std::chrono::milliseconds(1),
                           std::chrono::milliseconds(std::llround(double(bounds.time.count()) / factor)));
    bounds.heapBytes = static_cast<std::size_t>(double(bounds.heapBytes) / factor);
    return bounds;
}

void readWithinBounds(const QString& input, const std::function<void()>& read, ReaderBounds bounds)
{
    bounds = scaledBounds(bounds);
    installHooksOnce();
    const long long before = liveBytes.load();
    peakBytes.store(before);

    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    const QByteArray name = input.toUtf8();
    // A busy machine lends the reader less of its time: the bound is on the CPU time the read
    // spends, which load does not stretch. The wall clock only catches a read that waits forever.
    const auto cpuAtStart = processCpuTime();
    const auto wallLimit = bounds.time * kWallTimesCpu;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        const auto wallEnd = std::chrono::steady_clock::now() + wallLimit;
        while (!finished.wait_for(lock, std::chrono::milliseconds(20), [&] { return done; })) {
            if (processCpuTime() - cpuAtStart > bounds.time)
                endTheRun(name, " of CPU time", bounds.time);
            if (std::chrono::steady_clock::now() > wallEnd)
                endTheRun(name, "", wallLimit);
        }
    });
    read();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    const auto cpuSpent = processCpuTime() - cpuAtStart;

    lastPeak = static_cast<std::size_t>(std::max(0LL, peakBytes.load() - before));
    if (std::getenv("ZOVA_BOUNDS_FACTOR"))
        reportShare(name, cpuSpent, lastPeak, bounds);
    EXPECT_LE(lastPeak, bounds.heapBytes) << "reading " << name.constData() << " held " << (lastPeak >> 20) << " MB";
}

std::size_t lastReadHeapPeak() { return lastPeak; }
