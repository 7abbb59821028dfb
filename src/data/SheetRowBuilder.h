#pragma once
// A worksheet's rows built straight from the parser's events: a sheet of a million cells builds
// no document per row, only the texts it keeps.
#include <QStringList>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

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
// (sharedCells) and count as non-empty until then. A cell without a reference follows the cell
// before it, as the file format allows; a cell's own text is an inline string's text or its
// stored value (a formula's cached result, never its formula).
class SheetRowBuilder : public XmlPieceReader::Builder {
public:
    // A row as read, before its texts become strings: its cells with text in document order (a
    // later cell of the same column wins) and its length.
    struct Cell {
        int column;
        qsizetype length;  // of the text once a string (UTF-16)
        std::string text;  // UTF-8
    };
    struct Row {
        int places = 0;
        int sharedCells = 0;  // of its places, those left to resolve
        std::vector<Cell> cells;
        QStringList strings() &&;
    };
    // Each row as it ends; false stops the read.
    using RowDone = std::function<bool(Row&& row)>;
    explicit SheetRowBuilder(RowDone done) : _done(std::move(done)) {}

    bool start(const char* name, const char** attributes) override;
    void text(std::string& text) override;
    void end() override;
    bool taken() override;

    const std::vector<SharedCell>& sharedCells() const { return _shared; }
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
    Open childOf(const Open& parent, const char* local, const char** attributes);
    void startCell(const char** attributes);
    void endCell();

    RowDone _done;
    std::vector<Open> _open;
    std::vector<SharedCell> _shared;
    Row _row;
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
