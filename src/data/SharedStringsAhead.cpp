#include "data/SharedStringsAhead.h"

#include <algorithm>

#include "data/SharedItemBuilder.h"
#include "data/SpreadsheetXml.h"
#include "data/XmlPieceReader.h"

using Step = XmlPieceReader::Step;
using Result = XmlPieceReader::Result;

SharedStringsAhead::SharedStringsAhead(const QString& path, qint64 allowed, qint64 (*bytesOf)(const QString&))
    : _allowed(allowed), _bytesOf(bytesOf), _thread([this, path] { run(path); })
{
}

SharedStringsAhead::~SharedStringsAhead()
{
    abandon();
    if (_thread.joinable())
        _thread.join();
}

void SharedStringsAhead::sheetHolds(qint64 sheetHeld)
{
    _sheetHeld.store(sheetHeld, std::memory_order_relaxed);
    if (sheetHeld + _held.load(std::memory_order_relaxed) > _allowed)
        abandon();
}

bool SharedStringsAhead::itemsFor(const std::vector<qint64>& wanted, std::vector<QString>* items)
{
    _wanted = &wanted;
    _wantedKnown.store(true, std::memory_order_release);
    _thread.join();
    if (!_readWhole || _abandoned.load())
        return false;
    if (!_selective)
        keepOnlyWanted();
    *items = std::move(_wantedItems);
    return true;
}

void SharedStringsAhead::keepOnlyWanted()
{
    _selective = true;
    qint64 held = 0;
    const std::vector<qint64>& wanted = *_wanted;
    if (!wanted.empty() && wanted.front() == 0 && wanted.back() + 1 == qint64(wanted.size())) {
        // Every item up to the last named is named: they are kept as they stand.
        _items.resize(std::min(_items.size(), wanted.size()));
        _wantedItems = std::move(_items);
        for (const QString& item : _wantedItems)
            held += _bytesOf(item);
    } else {
        for (const qint64 index : wanted) {
            if (index >= qint64(_items.size()))
                break;
            _wantedItems.push_back(std::move(_items[size_t(index)]));
            held += _bytesOf(_wantedItems.back());
        }
    }
    _items = {};
    _held.store(held, std::memory_order_relaxed);
}

void SharedStringsAhead::run(const QString& path)
{
    // One item per "si", formatted runs joined, so that indexes stay in step.
    qint64 next = 0;
    std::vector<qint64>::const_iterator nextWanted;
    const auto decide = [&](const XmlPieceReader::Path& entered, std::string_view name) {
        if (entered.empty())
            return name == "sst" ? Step::Enter : Step::Stop;
        if (entered.size() > 1 || name != "si")
            return Step::Skip;
        if (_abandoned.load(std::memory_order_relaxed))
            return Step::Stop;
        if (!_selective && _wantedKnown.load(std::memory_order_acquire)) {
            keepOnlyWanted();
            nextWanted = std::lower_bound(_wanted->begin(), _wanted->end(), next);
        }
        const qint64 index = next++;
        if (!_selective)
            return Step::Take;
        // The rest is read as the sheet alone would read it: its items up to the last named.
        if (nextWanted == _wanted->end())
            return Step::Stop;
        return index == *nextWanted ? Step::Take : Step::Skip;
    };
    SharedItemBuilder items([&](QString text) {
        if (_abandoned.load(std::memory_order_relaxed))
            return false;
        const qint64 bytes = _bytesOf(text);
        if (_held.fetch_add(bytes, std::memory_order_relaxed) + bytes + _sheetHeld.load(std::memory_order_relaxed)
            > _allowed) {
            abandon();
            return false;
        }
        if (_selective) {
            _wantedItems.push_back(std::move(text));
            ++nextWanted;
        } else {
            _items.push_back(std::move(text));
        }
        return true;
    });
    const Result result = XmlPieceReader::read(path, SpreadsheetXml::BlankText::Keep, decide, items);
    _readWhole = result == Result::Read || result == Result::Missing;
    if (!_readWhole || _abandoned.load()) {
        _items = {};
        _wantedItems = {};
    }
}
