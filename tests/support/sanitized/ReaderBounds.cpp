#include "ReaderBounds.h"

#include <gtest/gtest.h>

#include <atomic>
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

}  // namespace

void readWithinBounds(const QString& input, const std::function<void()>& read, ReaderBounds bounds)
{
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

    lastPeak = static_cast<std::size_t>(std::max(0LL, peakBytes.load() - before));
    EXPECT_LE(lastPeak, bounds.heapBytes) << "reading " << name.constData() << " held " << (lastPeak >> 20) << " MB";
}

std::size_t lastReadHeapPeak() { return lastPeak; }
