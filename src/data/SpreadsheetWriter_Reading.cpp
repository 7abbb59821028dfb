// The reading half of SpreadsheetWriter.
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

#include "data/Data_From_Excel.h"
#include "data/RowBatchQueue.h"
#include "data/SharedItemBuilder.h"
#include "data/SharedStringsAhead.h"
#include "data/SheetRowBuilder.h"
#include "data/SpreadsheetWriter.h"
#include "data/SpreadsheetXml.h"
#include "data/XmlPieceReader.h"
#include "platform/Log.h"
#include "platform/StringHelpers.h"
#include "platform/Utf8Text.h"

using namespace SpreadsheetXml;

namespace {

using Step = XmlPieceReader::Step;
using PieceResult = XmlPieceReader::Result;

constexpr qint64 kBaseAllowance = qint64(96) << 20;
constexpr qint64 kAllowancePerArchiveByte = 64;
constexpr qint64 kMaxAllowance = qint64(1) << 30;
// What a row costs beyond its cells: the row as read and as a row of the loaded table.
constexpr qint64 kRowBytes = 256;
// A place in a row as read.
constexpr qint64 kPlaceBytes = qint64(sizeof(QString));
// Rows read are handed over this many at a time.
constexpr size_t kRowsPerBatch = 256;
// A place of a row once the callers have filled it to their width: a place in the row and an
// entry of the loaded table.
constexpr qint64 kFilledPlaceBytes = 128;
// A cell naming a shared string, until the strings are resolved: its record, with room for the
// list of records to grow, and its index among the named ones.
constexpr qint64 kSharedCellBytes = 2 * qint64(sizeof(SharedCell)) + qint64(sizeof(qint64));

// A text of `length` UTF-16 units as read and again as a cell of the loaded table.
qint64 textBytesOfLength(qsizetype length) { return 2 * (32 + 2 * qint64(length)); }
qint64 textBytes(const QString& text) { return textBytesOfLength(text.size()); }

// What the rows read so far hold, against the read's allowance. The pieces of a sheet read at
// once count together.
struct SheetCost {
    qint64 allowed = 0;
    std::atomic<qint64> held = 0;
    SharedStringsAhead* ahead = nullptr;  // strings read alongside, sharing the allowance
    // A piece found to be no part of the sheet counted rows after its count was taken back: until
    // it took those back too, they may have stopped another piece.
    std::atomic<bool> countedWhenDropped = false;
    bool fits() const { return held <= allowed; }
    bool add(const QStringList& row)
    {
        qint64 texts = 0;
        for (const QString& text : row)
            texts += text.isEmpty() ? 0 : textBytes(text);
        return add(rowBytes(row.size(), texts));
    }
    bool add(qint64 bytes)
    {
        const qint64 now = held.fetch_add(bytes, std::memory_order_relaxed) + bytes;
        if (ahead)
            ahead->sheetHolds(now);
        return now <= allowed;
    }
    static qint64 rowBytes(qsizetype places, qint64 texts) { return kRowBytes + kPlaceBytes * places + texts; }
    static qint64 rowBytes(const SheetRowBuilder::Rows& rows, const SheetRowBuilder::Rows::Row& row)
    {
        qint64 texts = 0;
        for (const SheetRowBuilder::Rows::Cell& cell : rows.cellsOf(row))
            texts += textBytesOfLength(cell.length);
        return rowBytes(row.places, texts + kSharedCellBytes * row.sharedCells);
    }
};

// The shared-string cells of a piece of a sheet, whose rows count from firstRow.
struct PieceSharedCells {
    qsizetype firstRow = 0;
    std::vector<SharedCell> cells;
};

qsizetype cellCount(const std::vector<PieceSharedCells>& pieces)
{
    qsizetype count = 0;
    for (const PieceSharedCells& piece : pieces)
        count += qsizetype(piece.cells.size());
    return count;
}

// A sheet's rows as read, before their shared strings are resolved.
struct SheetRead {
    PieceResult result = PieceResult::Read;
    bool uncertain = false;  // see XmlPieceReader::PiecesResult
    SheetRows rows;
    std::vector<PieceSharedCells> shared;
    int width = 0;
    bool dimensionSeen = false;
    std::string dimensionReference;
};

// One piece of a sheet read in pieces: its rows, and what they count. Its batches of rows go to
// the thread that makes them strings, so that this overlaps the parsing and every row is made
// where the others are. A piece found to be no part of the sheet counts nothing from then on,
// so that the piece before, reading on in its place, has the whole allowance for the sheet's rows.
class SheetPiece {
public:
    SheetPiece(int index, SheetCost& cost, RowBatchQueue& queue)
        : builder([this](SheetRowBuilder::Rows& batch) { return counted(batch); }), _index(index), _cost(cost),
          _queue(queue)
    {
    }
    // On the thread of the piece before, which adds no row meanwhile.
    void drop()
    {
        _dropped = true;
        uncount();
    }
    // Once it is no part of the sheet, on the thread that keeps its rows: they are let go.
    void forgetIfDropped()
    {
        if (_dropped && !rows.isEmpty()) {
            rows = {};
            sharedCells = {};
        }
    }
    // Takes back what it counts.
    qint64 uncount()
    {
        const qint64 bytes = _held.exchange(0);
        _cost.held -= bytes;
        return bytes;
    }
    // Once its read is over: a read that did not end well keeps no row, the one refused least of all.
    void ended(PieceResult result)
    {
        if (result == PieceResult::Read && !builder.rowsLeft().empty())
            handOver(builder.rowsLeft());
    }

    // Makes strings of a batch of its rows.
    void keep(const SheetRowBuilder::Rows& batch)
    {
        if (_dropped)
            return;
        batch.appendTo(rows);
        sharedCells.insert(sharedCells.end(), batch.sharedCells.cbegin(), batch.sharedCells.cend());
    }

    SheetRowBuilder builder;
    SheetRows rows;
    std::vector<SharedCell> sharedCells;

private:
    // The row read last, the last of the batch, counted; false stops the read.
    bool counted(SheetRowBuilder::Rows& batch)
    {
        const qint64 bytes = SheetCost::rowBytes(batch, batch.rows.back());
        _held += bytes;
        const bool fits = _cost.add(bytes);
        if (_dropped) {
            if (uncount() > 0)
                _cost.countedWhenDropped = true;
            return false;
        }
        if (!fits)
            return false;
        if (batch.size() >= kRowsPerBatch)
            handOver(batch);
        return true;
    }
    void handOver(SheetRowBuilder::Rows& batch)
    {
        batch.piece = _index;
        _queue.push(batch);
    }
    const int _index;
    SheetCost& _cost;
    RowBatchQueue& _queue;
    std::atomic<bool> _dropped = false;
    std::atomic<qint64> _held = 0;  // what its rows count
};

// A large sheet is read in pieces of at least this many bytes, one a processor.
constexpr qint64 kMinPieceBytes = qint64(4) << 20;
constexpr int kMaxPieces = 2;

int piecesFor(const QString& path)
{
    const int processors = int(std::clamp(std::thread::hardware_concurrency(), 1u, unsigned(kMaxPieces)));
    return int(std::clamp<qint64>(QFileInfo(path).size() / kMinPieceBytes, 1, processors));
}

// Reads the sheet's rows in up to `pieceCount` pieces, their rows made strings on this thread,
// and joins them in order.
SheetRead readSheetRows(const QString& path, SheetCost& cost, int pieceCount)
{
    const auto decide = [](const XmlPieceReader::Path& entered, std::string_view name) {
        switch (entered.size()) {
        case 0: return Step::Enter;
        case 1: return name == "sheetData" ? Step::Enter : name == "dimension" ? Step::Take : Step::Skip;
        // Inside the sheet's data, the one element entered.
        case 2: return name == "row" ? Step::Take : Step::Skip;
        default: return Step::Skip;
        }
    };
    RowBatchQueue queue;
    std::vector<std::unique_ptr<SheetPiece>> pieces;
    std::vector<XmlPieceReader::Builder*> builders;
    for (int i = 0; i < pieceCount; ++i) {
        pieces.push_back(std::make_unique<SheetPiece>(i, cost, queue));
        builders.push_back(&pieces.back()->builder);
    }
    const auto ended = [&](int index, PieceResult result) { pieces[size_t(index)]->ended(result); };
    const auto dropped = [&](int index) { pieces[size_t(index)]->drop(); };
    XmlPieceReader::PiecesResult read;
    std::thread parse([&] {
        read = XmlPieceReader::readInPieces(path, BlankText::Keep, decide, "row", builders, kMinPieceBytes, ended, dropped);
        queue.close();
    });
    for (RowBatchQueue::Batch taken; queue.pop(&taken);) {
        for (const std::unique_ptr<SheetPiece>& piece : pieces)
            piece->forgetIfDropped();
        pieces[size_t(taken.piece)]->keep(taken);
    }
    parse.join();

    // A stop may be owed to rows of a piece that is no part of the sheet: then it is read again.
    const bool uncertain = read.uncertain || (read.result == PieceResult::Stopped && cost.countedWhenDropped);
    SheetRead sheet{read.result, uncertain};
    qsizetype rows = 0;
    for (int i = 0; i < read.kept; ++i)
        rows += pieces[size_t(i)]->rows.size();
    sheet.rows.reserve(rows);
    for (size_t i = 0; i < pieces.size(); ++i) {
        SheetPiece& piece = *pieces[i];
        if (int(i) >= read.kept) {
            piece.uncount();
            continue;
        }
        sheet.shared.push_back({sheet.rows.size(), std::move(piece.sharedCells)});
        sheet.rows.append(std::move(piece.rows));
        sheet.width = std::max(sheet.width, piece.builder.width());
        if (!sheet.dimensionSeen && piece.builder.dimensionSeen()) {
            sheet.dimensionSeen = true;
            sheet.dimensionReference = piece.builder.dimensionReference();
        }
    }
    return sheet;
}

QString megabytes(qint64 bytes) { return QString::number((bytes + (1 << 20) - 1) >> 20); }

QString worksheetsFolder(const QString& tmpDir) { return tmpDir + QStringLiteral("/xl/worksheets"); }

// An unpacked part's name inside the workbook, such as xl/worksheets/sheet1.xml.
QString partName(const QString& path)
{
    return QDir(SpreadsheetWriter::sharedInstance()->tmpDir).relativeFilePath(path);
}

// The part sheet number n (from 1) reads: that of the n-th item of the sheet list.
QString sheetPartPath(const QString& tmpDir, int number)
{
    const QList<SpreadsheetWriter::SheetItem> items = SpreadsheetWriter::Sheet_List();
    const QString name = number >= 1 && number <= items.size() ? items.at(number - 1).part
                                                               : QStringLiteral("sheet%1").arg(number);
    return worksheetsFolder(tmpDir) + QLatin1Char('/') + name + QStringLiteral(".xml");
}

// The column count a dimension's reference gives.
int dimensionColumns(const std::string& ref)
{
    QString reference = QString::fromStdString(ref);
    reference = Trim_Str(reference.mid(reference.indexOf(QLatin1Char(':')) + 1));
    return std::max(0, Get_Col_index(Get_Column_Char_Str(reference), 64));
}

// The shared-string indexes the cells name, sorted, each once.
std::vector<qint64> namedIndexes(const std::vector<PieceSharedCells>& pieces)
{
    std::vector<qint64> indexes;
    indexes.reserve(size_t(cellCount(pieces)));
    for (const PieceSharedCells& piece : pieces) {
        for (const SharedCell& cell : piece.cells) {
            if (cell.index >= 0)
                indexes.push_back(cell.index);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return indexes;
}

// The items of the shared-strings part at the given indexes (one item per "si", formatted runs
// joined, so later indexes stay in step), in the order of `wanted` (sorted, no repeats). Items
// no cell names are passed over unread, so a part of strings nobody uses costs nothing. Stopped
// once the texts kept pass *allowed bytes; a missing part gives no strings.
PieceResult readSharedItems(const QString& path, const std::vector<qint64>& wanted, qint64 allowed,
                            std::vector<QString>* items)
{
    qint64 next = 0, held = 0;
    auto nextWanted = wanted.begin();
    const auto decide = [&](const XmlPieceReader::Path& entered, std::string_view name) {
        if (entered.empty())
            return name == "sst" ? Step::Enter : Step::Stop;
        if (entered.size() > 1 || name != "si")
            return Step::Skip;
        if (nextWanted == wanted.end())
            return Step::Stop;
        return next++ == *nextWanted ? Step::Take : Step::Skip;
    };
    SharedItemBuilder builder([&](QString text) {
        held += textBytes(text);
        items->push_back(std::move(text));
        ++nextWanted;
        return held <= allowed;
    });
    const PieceResult result = XmlPieceReader::read(path, BlankText::Keep, decide, builder);
    return result == PieceResult::Missing ? PieceResult::Read : result;
}

// Trailing empty cells go, so that every row ends at its last non-empty one.
void trimRow(QStringList& row)
{
    qsizetype end = row.size();
    while (end > 0 && row.at(end - 1).isEmpty())
        --end;
    row.resize(end);
}

// Why a read of `what` stopped short, for the user; empty when it was not refused. `part` is the
// part read last, named inside the workbook.
QString refusalOf(PieceResult result, bool overAllowance, const QString& what, qint64 allowed, const QString& part)
{
    if (result == PieceResult::Declares)
        return documentTypeRefusal(part);
    if (overAllowance)
        return QStringLiteral("%1 would take more than %2 MB of memory.").arg(what, megabytes(allowed));
    if (result == PieceResult::TooLarge)
        return QStringLiteral("%1 holds an element longer than %2 MB.")
            .arg(what, megabytes(XmlPieceReader::kMaxPieceBytes));
    return {};
}

// Gives the shared-string cells of the rows their texts, counted against the cost: the items
// read alongside the sheet, or when those were abandoned or fell short, the part at partPath
// read again for the items the cells name.
PieceResult resolveSharedCells(const QString& partPath, SheetRows& rows, const std::vector<PieceSharedCells>& cells,
                               SharedStringsAhead& ahead, SheetCost* cost)
{
    const std::vector<qint64> wanted = namedIndexes(cells);
    std::vector<QString> items;
    if (!ahead.itemsFor(wanted, &items)) {
        items.clear();
        items.reserve(wanted.size());
        const PieceResult result = readSharedItems(partPath, wanted, cost->allowed - cost->held, &items);
        if (result != PieceResult::Read)
            return result;
    }
    // Usually every string from the first named on is named: then an item is found without a search.
    const bool unbroken = !wanted.empty() && wanted.back() - wanted.front() + 1 == qint64(wanted.size());
    const auto itemAt = [&](qint64 index) {
        if (unbroken) {
            const qint64 position = index - wanted.front();
            return position >= 0 && position < qint64(items.size()) ? items[size_t(position)] : QString();
        }
        const auto at = std::lower_bound(wanted.begin(), wanted.end(), index);
        const size_t position = size_t(at - wanted.begin());
        return at != wanted.end() && *at == index && position < items.size() ? items[position] : QString();
    };
    // An index past the items gives no value; a row whose last cells got none ends earlier.
    qsizetype lastRow = -1;
    QStringList* row = nullptr;
    for (const PieceSharedCells& piece : cells) {
        for (const SharedCell& cell : piece.cells) {
            if (piece.firstRow + cell.row != lastRow) {
                if (row)
                    trimRow(*row);
                lastRow = piece.firstRow + cell.row;
                row = &rows[lastRow];
            }
            QString text = itemAt(cell.index);
            cost->held += text.isEmpty() ? 0 : textBytes(text);
            (*row)[cell.column] = std::move(text);
        }
    }
    trimRow(*row);
    return PieceResult::Read;
}

}  // namespace

struct SpreadsheetWriter::ParsedSheet {
    QString path;
    SheetRows rows;
    int columns = 0;
    qint64 held = 0;  // what the rows hold, as counted against the allowance
};

qint64 SpreadsheetWriter::readAllowance(qint64 archiveBytes)
{
    const qint64 bytes = std::clamp<qint64>(archiveBytes, 0, kMaxAllowance / kAllowancePerArchiveByte);
    return std::min(kMaxAllowance, kBaseAllowance + kAllowancePerArchiveByte * bytes);
}

std::shared_ptr<SpreadsheetWriter::ParsedSheet> SpreadsheetWriter::sheetAt(const QString& path, bool keep)
{
    std::shared_ptr<ParsedSheet> sheet = std::move(parsedSheet);
    parsedSheet.reset();
    if (!sheet || sheet->path != path) {
        // A sheet refused for its size is refused again, for the same reason, without being read again.
        if (path == refusedSheetPath) {
            readRefusal = refusedSheetReason;
            return nullptr;
        }
        sheet = readSheet(path);
        lastReadHeld = sheet ? sheet->held : 0;
        if (!sheet && !readRefusal.isEmpty()) {
            refusedSheetPath = path;
            refusedSheetReason = readRefusal;
        }
        if (!sheet)
            return nullptr;
    }
    if (keep)
        parsedSheet = sheet;
    return sheet;
}

std::shared_ptr<SpreadsheetWriter::ParsedSheet> SpreadsheetWriter::readSheet(const QString& path)
{
    if (refusedWhole)
        return nullptr;
    readRefusal.clear();
    auto sheet = std::make_shared<ParsedSheet>();
    sheet->path = path;
    SharedStringsAhead ahead(sharedStringsPath, allowance, &textBytes);
    SheetCost cost{allowance, 0, &ahead};
    SheetRead read = readSheetRows(path, cost, piecesFor(path));
    if (read.uncertain) {
        read = {};
        cost.held = 0;
        cost.countedWhenDropped = false;
        read = readSheetRows(path, cost, 1);
    }
    PieceResult result = read.result;
    sheet->rows = std::move(read.rows);
    const qsizetype sharedCells = cellCount(read.shared);
    QString what = QStringLiteral("The sheet %1").arg(QFileInfo(path).fileName());
    QString partRead = path;
    if (result == PieceResult::Read && cost.fits() && sharedCells > 0) {
        what = QStringLiteral("The shared strings of the sheet %1").arg(QFileInfo(path).fileName());
        partRead = sharedStringsPath;
        result = resolveSharedCells(sharedStringsPath, sheet->rows, read.shared, ahead, &cost);
    }
    readRefusal = refusalOf(result, !cost.fits() || result == PieceResult::Stopped, what, cost.allowed,
                            partName(partRead));
    if (!readRefusal.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("The sheet %1 is not read: %2").arg(path, readRefusal));
        return nullptr;
    }
    if (result != PieceResult::Read) {
        Show_NSLog_Message(QStringLiteral("Error: %1 is no readable sheet").arg(path));
        return nullptr;
    }
    // The dimension's count (1 without one), widened to every cell the sheet holds, so no cell
    // is lost to a missing or wrong dimension.
    const int dimension = read.dimensionSeen ? dimensionColumns(read.dimensionReference) : 1;
    sheet->columns = std::max(dimension, read.width);
    // The records of the shared-string cells go with the read.
    sheet->held = cost.held - kSharedCellBytes * qint64(sharedCells);
    return sheet;
}

bool SpreadsheetWriter::fillFits(qsizetype rows, qsizetype columns, QString* why)
{
    const SpreadsheetWriter* reader = sharedInstance();
    const qint64 room = std::max<qint64>(0, reader->allowance - reader->lastReadHeld);
    const qint64 perRow = kRowBytes + std::clamp<qint64>(columns, 0, qint64(1) << 24) * kFilledPlaceBytes;
    if (rows <= room / perRow)
        return true;
    if (why)
        *why = QStringLiteral("The sheet is too large to load: %1 rows of %2 columns would take more than %3 MB of memory.")
                   .arg(rows)
                   .arg(columns)
                   .arg(megabytes(room));
    return false;
}

SheetRows SpreadsheetWriter::ReadWorkbook(const QString& path, bool only_col)
{
    if (only_col) {
        Excel_Sheet_Columns = 1;
        SpreadsheetWriter* reader = sharedInstance();
        const bool unpacked = reader->unpackAfresh(path, UnpackedParts::Read);
        reader->ReadSharedStrings(reader->tmpDir + QStringLiteral("/xl/sharedStrings.xml"));
        // Listed now, so that a workbook whose list cannot be read is refused before any sheet is.
        const bool listed = !Sheet_List().isEmpty();
        if (!(unpacked && listed))
            reader->refuseUnreadable(path);
        return reader->data;
    }
    SpreadsheetWriter* reader = sharedInstance();
    reader->ReadData(sheetPartPath(reader->tmpDir, Excel_Sheet_Number));
    return reader->data;
}

SheetRows SpreadsheetWriter::ReadData_only_column()
{
    SpreadsheetWriter* reader = sharedInstance();
    reader->data.clear();
    const std::shared_ptr<ParsedSheet> parsed = reader->sheetAt(sheetPartPath(reader->tmpDir, Excel_Sheet_Number), true);
    if (!parsed)
        return reader->data;
    const ParsedSheet& sheet = *parsed;
    Excel_Sheet_Columns = sheet.columns;
    if (sheet.columns <= 0 || sheet.rows.isEmpty())
        return reader->data;
    const QStringList& first = sheet.rows.first();
    QStringList header;
    header.reserve(sheet.columns);
    for (int k = 1; k <= sheet.columns; ++k) {
        const QString& cell = first.value(k - 1);
        header.append(cell.isEmpty() ? QStringLiteral("Untitled Column %1").arg(k) : cell);
    }
    reader->data.append(header);
    return reader->data;
}

void SpreadsheetWriter::ReadSharedStrings(const QString& path)
{
    sharedStringsPath = path;
}

void SpreadsheetWriter::ReadData(const QString& path)
{
    data.clear();
    const std::shared_ptr<ParsedSheet> parsed = sheetAt(path, false);
    if (!parsed)
        return;
    Excel_Sheet_Columns = parsed->columns;
    data = parsed->rows;
}

SheetRows SpreadsheetWriter::ReadWorksheetXML2004(const QString& path)
{
    SheetRows rows;
    pugi::xml_document document;
    if (!loadPart(document, path, true, BlankText::Drop))
        return rows;
    const pugi::xml_node table = child(child(document.document_element(), "Worksheet"), "Table");
    for (pugi::xml_node rowElement = table.first_child(); rowElement; rowElement = rowElement.next_sibling()) {
        if (rowElement.type() != pugi::node_element || !isNamed(rowElement, "Row"))
            continue;
        QStringList row;
        for (pugi::xml_node cell = rowElement.first_child(); cell; cell = cell.next_sibling()) {
            if (cell.type() != pugi::node_element)
                continue;
            const pugi::xml_node content = cell.first_child();
            row.append(content.type() == pugi::node_element ? allText(content) : textFromUtf8(content.value()));
        }
        rows.append(row);
    }
    return rows;
}

SheetRows SpreadsheetWriter::ReadODS(const QString& path)
{
    SheetRows rows;
    SpreadsheetWriter* reader = sharedInstance();
    if (!reader->unpackAfresh(path, UnpackedParts::Read)) {
        reader->refuseUnreadable(path);
        return rows;
    }
    SheetCost cost{reader->allowance};
    // The rows of the first table of the first spreadsheet of the first body.
    int bodies = 0, spreadsheets = 0, tables = 0;
    const auto decide = [&](const XmlPieceReader::Path& entered, std::string_view name) {
        switch (entered.size()) {
        case 0: return Step::Enter;
        case 1: return name == "body" && ++bodies == 1 ? Step::Enter : Step::Skip;
        case 2: return name == "spreadsheet" && ++spreadsheets == 1 ? Step::Enter : Step::Skip;
        case 3: return name != "table" ? Step::Skip : ++tables == 1 ? Step::Enter : Step::Stop;
        default: return name == "table-row" ? Step::Take : Step::Skip;
        }
    };
    const auto visit = [&](const pugi::xml_node& rowElement) {
        // Runs of cells with text; empty cells are held only before a later cell with text, as
        // in the workbook rows.
        std::vector<std::tuple<int, int, QString>> runs;
        int columns = 0;
        for (pugi::xml_node cell = rowElement.first_child(); cell && columns < kMaxColumns; cell = cell.next_sibling()) {
            if (cell.type() != pugi::node_element)
                continue;
            QString text = allText(cell);
            const QString repeated = attributeNamed(cell, "number-columns-repeated");
            const int times = repeated.isEmpty() ? 1 : std::clamp(repeated.toInt(), 1, int(kMaxColumns));
            const int end = std::min(columns + times, int(kMaxColumns));
            if (!text.isEmpty())
                runs.emplace_back(columns, end, std::move(text));
            columns = end;
        }
        const int end = runs.empty() ? 0 : std::get<1>(runs.back());
        QStringList row;
        row.reserve(end);
        row.resize(end);
        for (const auto& [from, to, text] : runs)
            std::fill(row.begin() + from, row.begin() + to, text);
        if (!cost.add(row))
            return false;
        rows.append(std::move(row));
        return true;
    };
    const PieceResult result =
        XmlPieceReader::read(reader->tmpDir + QStringLiteral("/content.xml"), BlankText::Drop, decide, visit);
    reader->readRefusal = refusalOf(result, !cost.fits(), QStringLiteral("The spreadsheet"), cost.allowed,
                                    QStringLiteral("content.xml"));
    reader->lastReadHeld = cost.held;
    if (!reader->readRefusal.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("The spreadsheet %1 is not read: %2").arg(path, reader->readRefusal));
        return {};
    }
    if (result != PieceResult::Read) {
        reader->refuseUnreadable(path);
        return {};
    }
    return rows;
}
