#pragma once
// Rows handed from the thread that reads a sheet to the one that keeps them, a few batches at
// most in between, so that reading runs ahead of keeping by a bounded amount.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "data/SheetRowBuilder.h"

class RowBatchQueue {
public:
    using Batch = std::vector<SheetRowBuilder::Row>;
    // Blocks while the queue is full.
    void push(Batch&& batch);
    // No more batches come.
    void close();
    // The next batch; false once closed and emptied.
    bool pop(Batch* batch);

private:
    static constexpr size_t kMaxBatches = 4;
    std::mutex _mutex;
    std::condition_variable _changed;
    std::deque<Batch> _batches;
    bool _closed = false;
};
