#pragma once
// Rows handed from the threads that read a sheet to the one that keeps them, a few batches at
// most in between, so that reading runs ahead of keeping by a bounded amount. Batches kept are
// handed back for a reader to fill again, so that their buffers are made once.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "data/SheetRowBuilder.h"

class RowBatchQueue {
public:
    using Batch = SheetRowBuilder::Rows;
    // Blocks while the queue is full. Leaves `batch` empty, holding the buffers of a batch handed
    // back when there is one.
    void push(Batch& batch);
    // No more batches come.
    void close();
    // The next batch, in place of the one `batch` held, which is handed back; false once closed
    // and emptied.
    bool pop(Batch* batch);

private:
    static constexpr size_t kMaxBatches = 4;
    // A batch whose buffers grew past this (rows of long texts) is let go rather than kept
    // for the next rows.
    static constexpr size_t kMaxSpareBytes = size_t(1) << 20;
    std::mutex _mutex;
    std::condition_variable _changed;
    std::deque<Batch> _batches;
    std::vector<Batch> _spare;
    bool _closed = false;
};
