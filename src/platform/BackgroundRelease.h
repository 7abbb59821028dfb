#pragma once
// Freeing a large value made of many small blocks (a parsed file, the table an opened design
// replaces) on a pool thread, so that the user does not wait for it.
#include <QThreadPool>
#include <utility>

// Takes the value and lets it go on a thread of the global pool. Its parts may be shared with
// values this thread keeps: Qt's implicit sharing counts references atomically.
template <typename T>
void Release_In_Background(T value)
{
    QThreadPool::globalInstance()->start([held = std::move(value)]() mutable {
        const T dropped = std::move(held);
    });
}
