#include "data/SharedStringsAhead.h"

#include "data/SpreadsheetXml.h"
#include "data/XmlPieceReader.h"

using Step = XmlPieceReader::Step;

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

const std::vector<QString>* SharedStringsAhead::items()
{
    if (_thread.joinable())
        _thread.join();
    return _readWhole && !_abandoned.load() ? &_items : nullptr;
}

void SharedStringsAhead::run(const QString& path)
{
    // One item per "si", formatted runs joined, so that indexes stay in step.
    const auto decide = [](const XmlPieceReader::Path& entered, std::string_view name) {
        if (entered.empty())
            return name == "sst" ? Step::Enter : Step::Stop;
        return entered.size() == 1 && name == "si" ? Step::Take : Step::Skip;
    };
    const auto visit = [&](const pugi::xml_node& item) {
        if (_abandoned.load(std::memory_order_relaxed))
            return false;
        QString text = SpreadsheetXml::runText(item);
        const qint64 held = _held.fetch_add(_bytesOf(text), std::memory_order_relaxed) + _bytesOf(text);
        if (held + _sheetHeld.load(std::memory_order_relaxed) > _allowed) {
            abandon();
            return false;
        }
        _items.push_back(std::move(text));
        return true;
    };
    const XmlPieceReader::Result result = XmlPieceReader::read(path, SpreadsheetXml::BlankText::Keep, decide, visit);
    _readWhole = result == XmlPieceReader::Result::Read || result == XmlPieceReader::Result::Missing;
    if (!_readWhole || _abandoned.load()) {
        _items.clear();
        _items.shrink_to_fit();
    }
}
