#include "ReaderBounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <time.h>

#if defined(__SANITIZE_ADDRESS__)
#define ZOVA_BOUNDS_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZOVA_BOUNDS_HEAP_FROM_SANITIZER 1
#endif
#endif

#ifdef ZOVA_BOUNDS_HEAP_FROM_SANITIZER
// The sanitizer runtime's allocator interface; GCC installs the library without its header.
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, std::size_t),
                                              void (*free_hook)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* pointer);
}
#else
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

#ifdef ZOVA_BOUNDS_HEAP_FROM_SANITIZER

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

class HeapMeter {
public:
    static constexpr bool kMeasures = true;
    void start()
    {
        installHooksOnce();
        m_before = liveBytes.load();
        peakBytes.store(m_before);
    }
    std::size_t peak() const { return static_cast<std::size_t>(std::max(0LL, peakBytes.load() - m_before)); }

private:
    long long m_before = 0;
};

class ResidentMeter {
public:
    static ResidentMeasure measure() { return ResidentMeasure::None; }
    void start() {}
    void sample() {}
    ResidentMeasure measureUsed() const { return ResidentMeasure::None; }
    std::size_t peak() const { return 0; }
};

#else

class HeapMeter {
public:
    static constexpr bool kMeasures = false;
    void start() {}
    std::size_t peak() const { return 0; }
};

// A size of /proc/self/status ("VmRSS", "VmHWM") in bytes; 0 when it cannot be read.
std::size_t statusBytes(const char* field)
{
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (!status)
        return 0;
    const std::size_t length = std::strlen(field);
    char line[256];
    std::size_t kilobytes = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            kilobytes = std::strtoull(line + length + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kilobytes << 10;
}

// Sets the kernel's peak resident size of the process to what it holds now; false when the
// kernel refuses (an older kernel, or /proc mounted read-only).
bool resetKernelPeak()
{
    const int clearRefs = ::open("/proc/self/clear_refs", O_WRONLY | O_CLOEXEC);
    if (clearRefs < 0)
        return false;
    const bool reset = ::write(clearRefs, "5", 1) == 1;
    ::close(clearRefs);
    return reset;
}

std::size_t lifetimePeak()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) << 10;
}

std::atomic<bool> samplingForced{false};

class ResidentMeter {
public:
    static ResidentMeasure measure()
    {
        static const bool kernelResets = resetKernelPeak();
        return kernelResets && !samplingForced ? ResidentMeasure::KernelPeak : ResidentMeasure::Sampled;
    }
    void start()
    {
        // What earlier reads freed goes back to the system first: a read is not lent it.
        malloc_trim(0);
        m_measure = measure() == ResidentMeasure::KernelPeak && resetKernelPeak() ? ResidentMeasure::KernelPeak
                                                                                  : ResidentMeasure::Sampled;
        m_before = statusBytes("VmRSS");
        m_lifetimeBefore = lifetimePeak();
        m_sampled.store(m_before);
    }
    // Called every few milliseconds while the read runs, and once after it.
    void sample()
    {
        if (m_measure != ResidentMeasure::Sampled)
            return;
        const std::size_t now = statusBytes("VmRSS");
        std::size_t seen = m_sampled.load();
        while (now > seen && !m_sampled.compare_exchange_weak(seen, now)) {
        }
    }
    ResidentMeasure measureUsed() const { return m_measure; }
    std::size_t peak() const
    {
        std::size_t peak = m_sampled.load();
        if (m_measure == ResidentMeasure::KernelPeak)
            peak = statusBytes("VmHWM");
        else if (const std::size_t lifetime = lifetimePeak(); lifetime > m_lifetimeBefore)
            peak = std::max(peak, lifetime);
        return peak > m_before ? peak - m_before : 0;
    }

private:
    ResidentMeasure m_measure = ResidentMeasure::Sampled;
    std::size_t m_before = 0;
    std::size_t m_lifetimeBefore = 0;
    std::atomic<std::size_t> m_sampled{0};
};

#endif

std::size_t lastHeapPeak = 0;
std::size_t lastResidentPeak = 0;

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

std::string share(const char* what, std::size_t used, std::size_t bound, const char* how = nullptr)
{
    char text[160];
    std::snprintf(text, sizeof text, ", %s %zu of %zu MB (%.0f %%%s%s)", what, used >> 20, bound >> 20,
                  100.0 * double(used) / double(bound), how ? ", " : "", how ? how : "");
    return text;
}

void reportShare(const QByteArray& input, std::chrono::nanoseconds cpu, ResidentMeasure resident, const ReaderBounds& bounds)
{
    const auto cpuMs = std::chrono::duration_cast<std::chrono::milliseconds>(cpu).count();
    std::string line = "[bounds] " + input.toStdString() + ": CPU " + std::to_string(cpuMs) + " of "
                       + std::to_string(bounds.time.count()) + " ms ("
                       + std::to_string(std::llround(100.0 * double(cpuMs) / double(bounds.time.count()))) + " %)";
    if (HeapMeter::kMeasures)
        line += share("heap", lastHeapPeak, bounds.heapBytes);
    if (resident != ResidentMeasure::None)
        line += share("resident", lastResidentPeak, bounds.residentBytes,
                      resident == ResidentMeasure::KernelPeak ? "kernel peak" : "sampled");
    std::printf("%s\n", line.c_str());
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
    bounds.residentBytes = static_cast<std::size_t>(double(bounds.residentBytes) / factor);
    return bounds;
}

bool heapIsMeasured() { return HeapMeter::kMeasures; }

ResidentMeasure residentMeasure() { return ResidentMeter::measure(); }

void measureResidentBySampling(bool sampling)
{
#ifndef ZOVA_BOUNDS_HEAP_FROM_SANITIZER
    samplingForced = sampling;
#else
    (void)sampling;
#endif
}

void readWithinBounds(const QString& input, const std::function<void()>& read, ReaderBounds bounds)
{
    bounds = scaledBounds(bounds);
    HeapMeter heap;
    ResidentMeter resident;
    heap.start();
    resident.start();

    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    const QByteArray name = input.toUtf8();
    // A busy machine lends the reader less of its time: the bound is on the CPU time the read
    // spends, which load does not stretch. The wall clock only catches a read that waits forever.
    const auto cpuAtStart = processCpuTime();
    const auto wallLimit = bounds.time * kWallTimesCpu;
    const auto tick = resident.measureUsed() == ResidentMeasure::Sampled ? std::chrono::milliseconds(5)
                                                                          : std::chrono::milliseconds(20);
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        const auto wallEnd = std::chrono::steady_clock::now() + wallLimit;
        while (!finished.wait_for(lock, tick, [&] { return done; })) {
            resident.sample();
            if (processCpuTime() - cpuAtStart > bounds.time)
                endTheRun(name, " of CPU time", bounds.time);
            if (std::chrono::steady_clock::now() > wallEnd)
                endTheRun(name, "", wallLimit);
        }
    });
    read();
    resident.sample();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    const auto cpuSpent = processCpuTime() - cpuAtStart;

    lastHeapPeak = heap.peak();
    lastResidentPeak = resident.peak();
    if (std::getenv("ZOVA_BOUNDS_FACTOR"))
        reportShare(name, cpuSpent, resident.measureUsed(), bounds);
    EXPECT_LE(lastHeapPeak, bounds.heapBytes) << "reading " << name.constData() << " held " << (lastHeapPeak >> 20) << " MB";
    EXPECT_LE(lastResidentPeak, bounds.residentBytes)
        << "reading " << name.constData() << " held " << (lastResidentPeak >> 20) << " MB resident";
}

std::size_t lastReadHeapPeak() { return lastHeapPeak; }

std::size_t lastReadResidentPeak() { return lastResidentPeak; }
