#include "data/RowBatchQueue.h"

void RowBatchQueue::push(Batch&& batch)
{
    std::unique_lock lock(_mutex);
    _changed.wait(lock, [this] { return _batches.size() < kMaxBatches; });
    _batches.push_back(std::move(batch));
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
    std::unique_lock lock(_mutex);
    _changed.wait(lock, [this] { return !_batches.empty() || _closed; });
    if (_batches.empty())
        return false;
    *batch = std::move(_batches.front());
    _batches.pop_front();
    _changed.notify_all();
    return true;
}
