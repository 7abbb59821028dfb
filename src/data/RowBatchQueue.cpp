#include "data/RowBatchQueue.h"

#include <utility>

void RowBatchQueue::push(Batch& batch)
{
    std::unique_lock lock(_mutex);
    _changed.wait(lock, [this] { return _batches.size() < kMaxBatches; });
    _batches.push_back(std::move(batch));
    if (_spare.empty()) {
        batch = Batch();
    } else {
        batch = std::move(_spare.back());
        _spare.pop_back();
    }
    _changed.notify_all();
}

void RowBatchQueue::close()
{
    std::lock_guard lock(_mutex);
    _closed = true;
    _changed.notify_all();
}

bool RowBatchQueue::pop(Batch* batch)
{
    batch->clear();
    std::unique_lock lock(_mutex);
    if (batch->capacityBytes() <= kMaxSpareBytes && _spare.size() < kMaxBatches)
        _spare.push_back(std::move(*batch));
    _changed.wait(lock, [this] { return !_batches.empty() || _closed; });
    if (_batches.empty())
        return false;
    *batch = std::move(_batches.front());
    _batches.pop_front();
    _changed.notify_all();
    return true;
}
