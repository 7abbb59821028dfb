#include "data/SheetRowBuilder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "data/SpreadsheetXml.h"
#include "platform/Utf8Text.h"

using SpreadsheetXml::localName;

namespace {

// The value of the attribute named exactly `name`, or "".
const char* attributeValue(const char** attributes, const char* name)
{
    for (const char** pair = attributes; pair[0]; pair += 2) {
        if (std::strcmp(pair[0], name) == 0)
            return pair[1];
    }
    return "";
}

// The 0-based column of a cell reference such as "AB12", or -1.
int referenceColumn(const char* reference)
{
    const char* end = reference;
    while (*end && !(*end >= '1' && *end <= '9'))
        ++end;
    const int number = SpreadsheetXml::columnNumber(reference, end - reference);
    return number < 0 ? -1 : number - 1;
}

// The UTF-16 length of valid UTF-8 (the parser hands no other): one unit a character, two
// beyond the basic plane.
qsizetype utf16Length(const std::string& text)
{
    qsizetype length = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        length += (byte & 0xC0) != 0x80;
        length += byte >= 0xF0;
    }
    return length;
}

// Of cells naming one column twice, the later one is kept, as it wins the place.
void keepLastOfEachColumn(std::vector<SheetRowBuilder::Cell>& cells)
{
    const auto byColumn = [](const SheetRowBuilder::Cell& a, const SheetRowBuilder::Cell& b) {
        return a.column < b.column;
    };
    if (std::adjacent_find(cells.begin(), cells.end(), [](const auto& a, const auto& b) {
            return a.column >= b.column;
        }) == cells.end())
        return;
    std::stable_sort(cells.begin(), cells.end(), byColumn);
    std::vector<SheetRowBuilder::Cell> kept;
    kept.reserve(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i + 1 == cells.size() || cells[i + 1].column != cells[i].column)
            kept.push_back(std::move(cells[i]));
    }
    cells = std::move(kept);
}

}  // namespace

QStringList SheetRowBuilder::Row::strings() &&
{
    QStringList row;
    row.reserve(places);
    row.resize(places);
    for (Cell& cell : cells)
        row[cell.column] = textFromUtf8(QByteArrayView(cell.text.data(), qsizetype(cell.text.size())));
    return row;
}

SheetRowBuilder::Open SheetRowBuilder::childOf(const Open& parent, const char* local, const char** attributes)
{
    switch (parent.role) {
    case Role::Row:
        if (std::strcmp(local, "c") != 0)
            break;
        startCell(attributes);
        return {Role::Cell, 0};
    case Role::Cell:
        // Only a cell's first value and first inline string count.
        if (!_hasValue && std::strcmp(local, "v") == 0) {
            _hasValue = true;
            return {Role::Value, 0};
        }
        if (_inlineType && !_hasInline && std::strcmp(local, "is") == 0) {
            _hasInline = true;
            return {Role::Runs, 0};
        }
        break;
    case Role::Runs:
        // Phonetic runs are no part of the text.
        if (parent.runDepth > SpreadsheetXml::kMaxTextDepth || std::strcmp(local, "rPh") == 0)
            break;
        if (std::strcmp(local, "t") == 0)
            return {Role::RunText, 0};
        return {Role::Runs, parent.runDepth + 1};
    default: break;
    }
    return {Role::Other, 0};
}

bool SheetRowBuilder::start(const char* name, const char** attributes)
{
    const char* local = localName(name);
    if (!_open.empty()) {
        _open.push_back(childOf(_open.back(), local, attributes));
        // Only a value's and a run's own text is read.
        return _open.back().role == Role::Value || _open.back().role == Role::RunText;
    }
    if (std::strcmp(local, "row") == 0) {
        _row = Row();
        _column = -1;
        _open.push_back({Role::Row, 0});
        return false;
    }
    if (!_dimensionSeen) {
        _dimensionSeen = true;
        _dimensionReference = attributeValue(attributes, "ref");
    }
    _open.push_back({Role::Dimension, 0});
    return false;
}

void SheetRowBuilder::startCell(const char** attributes)
{
    const char* reference = attributeValue(attributes, "r");
    _column = *reference ? referenceColumn(reference) : _column + 1;
    _placed = _column >= 0 && _column < SpreadsheetXml::kMaxColumns;
    if (_placed)
        _width = std::max(_width, _column + 1);
    const char* type = attributeValue(attributes, "t");
    _sharedType = std::strcmp(type, "s") == 0;
    _inlineType = std::strcmp(type, "inlineStr") == 0;
    _hasValue = _valueHasText = _hasInline = false;
    _value.clear();
    _inlineText.clear();
}

void SheetRowBuilder::text(std::string& text)
{
    switch (_open.back().role) {
    case Role::Value:
        if (!_valueHasText)
            _value.swap(text);
        _valueHasText = true;
        break;
    case Role::RunText: _inlineText += text; break;
    default: break;
    }
}

void SheetRowBuilder::endCell()
{
    if (!_placed)
        return;
    if (_sharedType) {
        // The index read the way the rest of the program reads leading numbers; one that no part
        // can reach gives no value, as an index past the items does, and takes no part in
        // any reckoning with indexes.
        const qint64 index = _hasValue ? std::strtoll(_value.c_str(), nullptr, 10) : -1;
        if (index >= 0 && index <= kMaxSharedIndex) {
            _shared.push_back({_rowNumber, _column, index});
            ++_row.sharedCells;
            _row.places = std::max(_row.places, _column + 1);
        }
        return;
    }
    std::string& own = _inlineType && _hasInline ? _inlineText : _value;
    if (!own.empty()) {
        _row.places = std::max(_row.places, _column + 1);
        const qsizetype length = utf16Length(own);
        _row.cells.push_back({_column, length, std::move(own)});
    }
}

void SheetRowBuilder::end()
{
    if (_open.back().role == Role::Cell)
        endCell();
    if (_open.size() == 1)
        _rowEnded = _open.back().role == Role::Row;
    _open.pop_back();
}

bool SheetRowBuilder::taken()
{
    if (!_rowEnded)
        return true;
    ++_rowNumber;
    keepLastOfEachColumn(_row.cells);
    return _done(std::move(_row));
}
