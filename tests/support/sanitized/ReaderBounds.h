// Bounds every reader of untrusted files is held to in the sanitized mutation loops: an input
// is read within a few seconds and a bounded amount of heap, or the loop fails naming it.
#pragma once

#include <QString>
#include <chrono>
#include <cstddef>
#include <functional>

struct ReaderBounds {
    std::chrono::milliseconds time{3000};
    std::size_t heapBytes = std::size_t(256) << 20;
};

// Runs `read` once. A read still running when the time is up ends the whole test program with a
// message naming `input` (a reader that loops forever cannot be waited for); a read whose heap
// grew past the bound fails the current test.
void readWithinBounds(const QString& input, const std::function<void()>& read, ReaderBounds bounds = {});

// The most heap the last readWithinBounds call held above what was held before it.
std::size_t lastReadHeapPeak();
