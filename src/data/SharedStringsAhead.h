#pragma once
// The shared strings read on a second thread while the sheet is read, so that the two reads
// overlap. Every item is kept, its text counted together with the sheet's rows against the
// sheet's allowance; when the two would pass it, the strings are abandoned (and freed) and the
// sheet goes on with the whole allowance, so strings no cell names never refuse a sheet.
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
    // Waits for the read: every item of the part, in order, when it was read whole and never
    // abandoned; else null.
    const std::vector<QString>* items();

private:
    void run(const QString& path);
    void abandon() { _abandoned.store(true, std::memory_order_relaxed); }

    const qint64 _allowed;
    qint64 (*const _bytesOf)(const QString&);
    std::atomic<qint64> _sheetHeld{0};
    std::atomic<qint64> _held{0};
    std::atomic<bool> _abandoned{false};
    bool _readWhole = false;       // written by the reading thread only, read after joining
    std::vector<QString> _items;   // likewise
    std::thread _thread;
};
