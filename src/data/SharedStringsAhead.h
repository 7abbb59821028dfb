#pragma once
// The shared strings read on a second thread while the sheet is read, so that the two reads
// overlap. Until the sheet has named its strings every item is kept, its text counted together
// with the sheet's rows against the sheet's allowance; from then on only the named items are
// kept. When strings and rows would pass the allowance the strings are abandoned (and freed) and
// the sheet goes on with the whole allowance, so strings no cell names never refuse a sheet.
#include <QString>
#include <atomic>
#include <thread>
#include <vector>

class SharedStringsAhead {
public:
    // bytesOf gives what a kept text counts against `allowed`.
    SharedStringsAhead(const QString& path, qint64 allowed, qint64 (*bytesOf)(const QString&));
    ~SharedStringsAhead();
    SharedStringsAhead(const SharedStringsAhead&) = delete;
    SharedStringsAhead& operator=(const SharedStringsAhead&) = delete;

    // The sheet now holds sheetHeld; the strings are abandoned unless both fit.
    void sheetHolds(qint64 sheetHeld);
    // Waits for the read of the items at `wanted` (sorted, no repeats): their texts in that
    // order, ending early where the part does, when it was read as far as the last of them and
    // never abandoned; else false, and the part is to be read again.
    bool itemsFor(const std::vector<qint64>& wanted, std::vector<QString>* items);

private:
    void run(const QString& path);
    void abandon() { _abandoned.store(true, std::memory_order_relaxed); }
    // Keeps of the items read so far only the wanted ones.
    void keepOnlyWanted();

    const qint64 _allowed;
    qint64 (*const _bytesOf)(const QString&);
    // Written by different threads, so kept apart.
    alignas(64) std::atomic<qint64> _sheetHeld{0};
    alignas(64) std::atomic<qint64> _held{0};
    std::atomic<bool> _abandoned{false};
    std::atomic<bool> _wantedKnown{false};
    const std::vector<qint64>* _wanted = nullptr;  // set once before _wantedKnown
    // Written by the reading thread only, read after joining it.
    bool _selective = false;  // only wanted items are kept, in _wantedItems
    bool _readWhole = false;
    std::vector<QString> _items;
    std::vector<QString> _wantedItems;
    std::thread _thread;
};
