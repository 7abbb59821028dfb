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

}  // namespace

bool SheetRowBuilder::Rows::sameCells(const Row& row, const Row& other) const
{
    const std::span<const Cell> cells = cellsOf(row);
    const std::span<const Cell> otherCells = cellsOf(other);
    if (row.places != other.places || cells.size() != otherCells.size())
        return false;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].column != otherCells[i].column || textOf(cells[i]) != textOf(otherCells[i]))
            return false;
    }
    return true;
}

QStringList SheetRowBuilder::Rows::strings(const Row& row, const Row* above, const QStringList& aboveStrings) const
{
    QStringList strings(row.places);
    const std::span<const Cell> aboveCells = above ? cellsOf(*above) : std::span<const Cell>();
    size_t a = 0;
    for (const Cell& cell : cellsOf(row)) {
        while (a < aboveCells.size() && aboveCells[a].column < cell.column)
            ++a;
        const std::string_view text = textOf(cell);
        if (a < aboveCells.size() && aboveCells[a].column == cell.column && textOf(aboveCells[a]) == text)
            strings[cell.column] = aboveStrings.at(cell.column);
        else
            strings[cell.column] = textFromUtf8(QByteArrayView(text.data(), qsizetype(text.size())));
    }
    return strings;
}

void SheetRowBuilder::Rows::appendTo(QList<QStringList>& sheetRows) const
{
    const Row* above = nullptr;
    for (const Row& row : rows) {
        // A list or string shared is copied once one of its holders writes to it.
        if (above && sameCells(row, *above))
            sheetRows.append(QStringList(sheetRows.constLast()));
        else
            sheetRows.append(strings(row, above, above ? sheetRows.constLast() : QStringList()));
        above = &row;
    }
}

size_t SheetRowBuilder::Rows::capacityBytes() const
{
    return rows.capacity() * sizeof(Row) + cells.capacity() * sizeof(Cell) + texts.capacity()
         + sharedCells.capacity() * sizeof(SharedCell);
}

void SheetRowBuilder::Rows::keepLastOfEachColumn(size_t firstCell)
{
    const auto begin = cells.begin() + std::ptrdiff_t(firstCell);
    std::stable_sort(begin, cells.end(), [](const Cell& a, const Cell& b) { return a.column < b.column; });
    auto kept = begin;
    for (auto cell = begin; cell != cells.end(); ++cell) {
        if (cell + 1 == cells.end() || (cell + 1)->column != cell->column)
            *kept++ = *cell;
    }
    cells.erase(kept, cells.end());
}

void SheetRowBuilder::Rows::clear()
{
    rows.clear();
    cells.clear();
    texts.clear();
    sharedCells.clear();
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
        switch (SpreadsheetXml::runChild(parent.runDepth, local)) {
        case SpreadsheetXml::RunChild::Text: return {Role::RunText, 0};
        case SpreadsheetXml::RunChild::Container: return {Role::Runs, parent.runDepth + 1};
        case SpreadsheetXml::RunChild::None: break;
        }
        break;
    default: break;
    }
    return {Role::Other, 0};
}

bool SheetRowBuilder::start(const char* name, const char** attributes)
{
    if (_passedOver > 0) {
        ++_passedOver;
        return false;
    }
    const char* local = localName(name);
    if (_depth == 0) {
        startTaken(local, attributes);
        return false;
    }
    const Open open = childOf(_open[_depth - 1], local, attributes);
    if (open.role == Role::Other || _depth == kMaxOpen) {
        _passedOver = 1;
        return false;
    }
    _open[_depth++] = open;
    // Only a value's and a run's own text is read.
    return open.role == Role::Value || open.role == Role::RunText;
}

void SheetRowBuilder::startTaken(const char* local, const char** attributes)
{
    _depth = 1;
    if (std::strcmp(local, "row") == 0) {
        _row = {};
        _row.firstCell = _rows.cells.size();
        _rowInColumnOrder = true;
        _column = -1;
        _open[0] = {Role::Row, 0};
        return;
    }
    if (!_dimensionSeen) {
        _dimensionSeen = true;
        _dimensionReference = attributeValue(attributes, "ref");
    }
    _open[0] = {Role::Dimension, 0};
}

void SheetRowBuilder::startCell(const char** attributes)
{
    const char* reference = attributeValue(attributes, "r");
    _column = *reference ? referenceColumn(reference) : _column + 1;
    _placed = _column >= 0 && _column < SpreadsheetXml::kMaxColumns;
    if (_placed && _column >= _width)
        _width = _column + 1;
    const char* type = attributeValue(attributes, "t");
    _sharedType = std::strcmp(type, "s") == 0;
    _inlineType = std::strcmp(type, "inlineStr") == 0;
    _hasValue = _valueHasText = _hasInline = false;
    _value.clear();
    _inlineText.clear();
}

void SheetRowBuilder::text(std::string& text)
{
    switch (_open[_depth - 1].role) {
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
        endSharedCell();
        return;
    }
    const std::string& own = _inlineType && _hasInline ? _inlineText : _value;
    if (own.empty())
        return;
    placeCell();
    const size_t cells = _rows.cells.size();
    if (cells > _row.firstCell && _rows.cells[cells - 1].column >= _column)
        _rowInColumnOrder = false;
    _rows.cells.push_back({_column, utf16Length(own), _rows.texts.size(), own.size()});
    _rows.texts += own;
}

void SheetRowBuilder::endSharedCell()
{
    // The index read the way the rest of the program reads leading numbers; one that no part
    // can reach gives no value, as an index past the items does, and takes no part in
    // any reckoning with indexes.
    const qint64 index = _hasValue ? std::strtoll(_value.c_str(), nullptr, 10) : -1;
    if (index >= 0 && index <= kMaxSharedIndex) {
        _rows.sharedCells.push_back({_rowNumber, _column, index});
        ++_row.sharedCells;
        placeCell();
    }
}

void SheetRowBuilder::placeCell()
{
    if (_column >= _row.places)
        _row.places = _column + 1;
}

void SheetRowBuilder::end()
{
    if (_passedOver > 0) {
        --_passedOver;
        return;
    }
    const Role role = _open[--_depth].role;
    if (role == Role::Cell)
        endCell();
    if (_depth == 0)
        _rowEnded = role == Role::Row;
}

bool SheetRowBuilder::taken()
{
    if (!_rowEnded)
        return true;
    ++_rowNumber;
    if (!_rowInColumnOrder)
        _rows.keepLastOfEachColumn(_row.firstCell);
    _row.endCell = _rows.cells.size();
    _rows.rows.push_back(_row);
    return _done(_rows);
}
