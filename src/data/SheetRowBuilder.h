#pragma once
// A worksheet's rows built straight from the parser's events: a sheet of a million cells builds
// no document per row, only the texts it keeps.
#include <QStringList>
#include <array>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/SpreadsheetXml.h"
#include "data/XmlPieceReader.h"

// A part of strings holds fewer items than this (each takes several bytes, and a part unpacks to
// far less than 2 GB): a cell naming a larger index, or one below 0, names nothing.
constexpr qint64 kMaxSharedIndex = std::numeric_limits<qint32>::max();

// A cell that names a shared string, resolved once the sheet has been read.
struct SharedCell {
    qsizetype row;
    int column;
    qint64 index;
};

// Takes the sheet's "row" elements and its "dimension". A row holds its cells up to its last
// non-empty one, so that a far cell costs what it holds; shared-string cells are left to resolve
// (Rows::sharedCells) and count as non-empty until then. A cell without a reference follows the
// cell before it, as the file format allows; a cell's own text is an inline string's text or its
// stored value (a formula's cached result, never its formula).
class SheetRowBuilder : public XmlPieceReader::Builder {
public:
    // Rows as read, before their texts become strings, kept together in a few buffers that a
    // reader reuses from one batch of rows to the next: once they have grown, a row read
    // allocates nothing.
    struct Rows {
        // A cell with text; its UTF-8 text lies in `texts`.
        struct Cell {
            int column;
            qsizetype length;  // of the text once a string (UTF-16)
            size_t from;
            size_t bytes;
        };
        struct Row {
            int places = 0;
            int sharedCells = 0;  // of its places, those left to resolve
            // Its cells with text, `cells` [firstCell, endCell), in column order.
            size_t firstCell = 0;
            size_t endCell = 0;
        };
        std::vector<Row> rows;
        std::vector<Cell> cells;
        std::string texts;
        // Their cells naming shared strings, rows counted from the builder's first; handed over
        // with the rows, so that the list of them grows where the rows are kept.
        std::vector<SharedCell> sharedCells;
        int piece = 0;  // of a part read in pieces, the one they were read in

        bool empty() const { return rows.empty(); }
        size_t size() const { return rows.size(); }
        std::span<const Cell> cellsOf(const Row& row) const
        {
            return std::span(cells).subspan(row.firstCell, row.endCell - row.firstCell);
        }
        std::string_view textOf(const Cell& cell) const { return std::string_view(texts).substr(cell.from, cell.bytes); }
        // Appends the rows as the sheet's rows hold them: each its places, the texts in theirs,
        // the rest empty. Among these rows, one the same as the row above shares that one's list,
        // and a text the same as the one above it in its column shares that one's string.
        void appendTo(QList<QStringList>& sheetRows) const;
        // Whether the rows have the same places and the same texts in them.
        bool sameCells(const Row& row, const Row& other) const;
        // The row as the sheet's rows hold it; aboveStrings was made of `above`, when there is one.
        QStringList strings(const Row& row, const Row* above, const QStringList& aboveStrings) const;
        // Of the cells from firstCell on, all of one row, puts them in column order, keeping only
        // the later one of cells naming one column twice, as it wins the place.
        void keepLastOfEachColumn(size_t firstCell);
        // What the buffers hold, used or not.
        size_t capacityBytes() const;
        // No rows; the buffers are kept.
        void clear();
    };
    // Each row as it ends, the last of `rows`; the callee may take them all, leaving `rows` empty.
    // False stops the read.
    using RowDone = std::function<bool(Rows& rows)>;
    explicit SheetRowBuilder(RowDone done) : _done(std::move(done)) {}

    bool start(const char* name, const char** attributes) override;
    void text(std::string& text) override;
    void end() override;
    bool taken() override;

    // The rows read and not taken.
    Rows& rowsLeft() { return _rows; }
    // One past the last cell placed, empty or not.
    int width() const { return _width; }
    bool dimensionSeen() const { return _dimensionSeen; }
    // The "ref" of the first dimension met.
    const std::string& dimensionReference() const { return _dimensionReference; }

private:
    enum class Role : unsigned char { Other, Row, Dimension, Cell, Value, Runs, RunText };
    struct Open {
        Role role;
        int runDepth;  // how far below the inline string a run container lies
    };
    // How deep the elements read lie: a row, its cell, the cell's value or inline string, the
    // string's runs down to the depth of text read, and a run's text.
    static constexpr int kMaxOpen = SpreadsheetXml::kMaxTextDepth + 5;
    void startTaken(const char* local, const char** attributes);
    Open childOf(const Open& parent, const char* local, const char** attributes);
    void startCell(const char** attributes);
    void endCell();
    void endSharedCell();
    // The row reaches at least to the cell read.
    void placeCell();

    RowDone _done;
    // The open elements of the taken one that are read, and how deep inside one passed over
    // the read stands (0 when it is in none).
    std::array<Open, kMaxOpen> _open{};
    int _depth = 0;
    int _passedOver = 0;
    Rows _rows;
    Rows::Row _row;  // the row being read
    bool _rowInColumnOrder = true;  // its cells so far
    qsizetype _rowNumber = 0;
    int _column = -1;
    int _width = 0;
    bool _rowEnded = false;  // the element taken was a row
    bool _dimensionSeen = false;
    std::string _dimensionReference;
    // The cell being read.
    bool _placed = false;
    bool _sharedType = false;
    bool _inlineType = false;
    bool _hasValue = false;
    bool _valueHasText = false;
    bool _hasInline = false;
    std::string _value;       // the first text of the cell's first "v"
    std::string _inlineText;  // the inline string's runs, joined
};
