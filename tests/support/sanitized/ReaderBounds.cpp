#include "ReaderBounds.h"

#include <QByteArray>
#include <QStringDecoder>
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
std::chrono::nanoseconds lastCpuBound{0};

// The CPU time the whole process has spent, on every thread.
std::chrono::nanoseconds processCpuTime()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// A pass over fewer bytes than this is timed over this many and scaled: next to a millisecond the
// clock is coarse and a cold cache costly.
constexpr qint64 kSampleBytes = qint64(1) << 20;

std::atomic<qint64> passSink{0};

// Built without the sanitizers' checks, as Qt is, so that a pass takes as long in either build and
// the reader's own checks count against it.
__attribute__((no_sanitize("address", "undefined"))) qint64 lineEndsIn(const char16_t* text, qsizetype size)
{
    qint64 lineEnds = 0;
    for (qsizetype i = 0; i < size; ++i)
        lineEnds += text[i] == u'\n';
    return lineEnds;
}

// The CPU time of a plain pass over `bytes` bytes of text in this process now: copied, decoded and
// each character looked at once.
std::chrono::nanoseconds plainPassTime(qint64 bytes)
{
    static const QByteArray text = QByteArray("Ada Lovelace, 1815\n").repeated(kSampleBytes / 19);
    // Kept from pass to pass, and touched before the first: the first touch of fresh pages would
    // weigh on a short pass alone.
    thread_local QByteArray copy(text.constData(), text.size());
    thread_local QString decoded(text.size(), u' ');
    qint64 lineEnds = 0;
    const auto start = processCpuTime();
    for (qint64 left = bytes; left > 0; left -= text.size()) {
        const qsizetype size = qsizetype(std::min<qint64>(left, text.size()));
        std::memcpy(copy.data(), text.constData(), std::size_t(size));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QChar* const end = utf8.appendToBuffer(decoded.data(), QByteArrayView(copy).first(size));
        lineEnds += lineEndsIn(reinterpret_cast<const char16_t*>(decoded.utf16()), end - decoded.constData());
    }
    const auto spent = processCpuTime() - start;
    passSink += lineEnds;
    return spent;
}

std::chrono::nanoseconds boundOf(const ReaderBounds& bounds)
{
    const qint64 timed = std::max(bounds.bytes, kSampleBytes);
    const double pass = double(plainPassTime(timed).count()) * double(std::max(bounds.bytes, kFloorBytes)) / double(timed);
    return std::chrono::nanoseconds(std::llround(bounds.passes * pass));
}

long long millisecondsOf(std::chrono::nanoseconds time)
{
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(time).count());
}

void endTheRun(const QByteArray& input, const char* what, std::chrono::nanoseconds limit)
{
    std::fprintf(stderr, "The reader was still reading %s after %lld ms%s.\n", input.constData(), millisecondsOf(limit), what);
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

void reportShare(const QByteArray& input, std::chrono::nanoseconds cpu, std::chrono::nanoseconds cpuBound, ResidentMeasure resident,
                 const ReaderBounds& bounds)
{
    const double pass = double(cpuBound.count()) / bounds.passes;
    char text[240];
    std::snprintf(text, sizeof text, "[bounds] %s: CPU %lld of %lld ms (%.0f %%), %.1f of %g passes of %.1f ms over %.0f MB",
                  input.constData(), millisecondsOf(cpu), millisecondsOf(cpuBound), 100.0 * double(cpu.count()) / double(cpuBound.count()),
                  double(cpu.count()) / pass, bounds.passes, pass / 1e6, double(std::max(bounds.bytes, kFloorBytes)) / (1 << 20));
    std::string line = text;
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
    bounds.passes /= factor;
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
    const auto cpuBound = boundOf(bounds);
    lastCpuBound = cpuBound;
    HeapMeter heap;
    ResidentMeter resident;
    heap.start();
    resident.start();

    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    const QByteArray name = input.toUtf8();
    char cpuBoundText[96];
    std::snprintf(cpuBoundText, sizeof cpuBoundText, " of CPU time, %g plain passes over %.0f MB", bounds.passes,
                  double(std::max(bounds.bytes, kFloorBytes)) / (1 << 20));
    // A busy machine lends the reader less of its time: the bound is on the CPU time the read
    // spends. The wall clock only catches a read that waits forever.
    const auto cpuAtStart = processCpuTime();
    const auto wallLimit = cpuBound * kWallTimesCpu;
    const auto tick = resident.measureUsed() == ResidentMeasure::Sampled ? std::chrono::milliseconds(5)
                                                                          : std::chrono::milliseconds(20);
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        const auto wallEnd = std::chrono::steady_clock::now() + wallLimit;
        while (!finished.wait_for(lock, tick, [&] { return done; })) {
            resident.sample();
            if (processCpuTime() - cpuAtStart > cpuBound)
                endTheRun(name, cpuBoundText, cpuBound);
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
        reportShare(name, cpuSpent, cpuBound, resident.measureUsed(), bounds);
    EXPECT_LE(lastHeapPeak, bounds.heapBytes) << "reading " << name.constData() << " held " << (lastHeapPeak >> 20) << " MB";
    EXPECT_LE(lastResidentPeak, bounds.residentBytes)
        << "reading " << name.constData() << " held " << (lastResidentPeak >> 20) << " MB resident";
}

std::chrono::nanoseconds lastReadCpuBound() { return lastCpuBound; }

std::size_t lastReadHeapPeak() { return lastHeapPeak; }

std::size_t lastReadResidentPeak() { return lastResidentPeak; }
