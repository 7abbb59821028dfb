// The reading half of SpreadsheetWriter.
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "data/SpreadsheetXml.h"
#include "platform/Log.h"
#include "platform/StringHelpers.h"

using namespace SpreadsheetXml;

namespace {

// Rows times columns of one read. A hostile dimension or row count must not exhaust memory.
constexpr qint64 kMaxCells = 20'000'000;

QString worksheetsFolder(const QString& tmpDir) { return tmpDir + QStringLiteral("/xl/worksheets"); }

int trailingNumber(const QString& name)
{
    int start = int(name.size());
    while (start > 0 && name.at(start - 1).isDigit())
        --start;
    bool ok = false;
    const int number = name.mid(start).toInt(&ok);
    return ok ? number : -1;
}

// The part sheet number n (from 1) reads: the n-th of the listed sheet parts.
QString sheetPartPath(const QString& tmpDir, int number)
{
    const QStringList names = SpreadsheetWriter::Sheet_File_Names();
    const QString name = number >= 1 && number <= names.size() ? names.at(number - 1)
                                                               : QStringLiteral("sheet%1").arg(number);
    return worksheetsFolder(tmpDir) + QLatin1Char('/') + name + QStringLiteral(".xml");
}

// The 0-based column of a cell reference such as "AB12", or -1.
int referenceColumn(const char* reference)
{
    const char* end = reference;
    while (*end && !(*end >= '1' && *end <= '9'))
        ++end;
    const int number = columnNumber(reference, end - reference);
    return number < 0 ? -1 : number - 1;
}

// A shared-string index read the way the rest of the program reads leading numbers.
int leadingIndex(const char* text)
{
    const long value = std::strtol(text, nullptr, 10);
    return int(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// Calls visit(cell, column) for every cell of a row that can be placed. A cell without a
// reference follows the cell before it, as the file format allows.
template <class Visit>
void forEachCell(const pugi::xml_node& row, Visit&& visit)
{
    int column = -1;
    for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
        if (cell.type() != pugi::node_element || !isNamed(cell, "c"))
            continue;
        const char* reference = cell.attribute("r").value();
        column = *reference ? referenceColumn(reference) : column + 1;
        if (column >= 0 && column < SpreadsheetWriter::kMaxColumns)
            visit(cell, column);
    }
}

template <class Visit>
void forEachRow(const pugi::xml_node& sheetData, Visit&& visit)
{
    for (pugi::xml_node row = sheetData.first_child(); row; row = row.next_sibling()) {
        if (row.type() == pugi::node_element && isNamed(row, "row"))
            visit(row);
    }
}

// The count the dimension gives (1 without one), widened to every cell the sheet holds, so no
// cell is lost to a missing or wrong dimension.
int sheetColumnCount(const pugi::xml_node& worksheet, const pugi::xml_node& sheetData)
{
    int count = 1;
    if (const pugi::xml_node dimension = child(worksheet, "dimension")) {
        QString reference = QString::fromUtf8(dimension.attribute("ref").value());
        reference = Trim_Str(reference.mid(reference.indexOf(QLatin1Char(':')) + 1));
        count = std::max(0, Get_Col_index(Get_Column_Char_Str(reference), 64));
    }
    forEachRow(sheetData, [&](const pugi::xml_node& row) {
        forEachCell(row, [&](const pugi::xml_node&, int column) { count = std::max(count, column + 1); });
    });
    return count;
}

// A cell's text: the shared string it names, an inline string's text, or the stored value
// (a formula's cached result, never its formula). Empty when it has none.
QString cellValue(const pugi::xml_node& cell, const QStringList& sharedStrings)
{
    const char* type = cell.attribute("t").value();
    if (std::strcmp(type, "s") == 0) {
        const pugi::xml_node value = child(cell, "v");
        if (!value)
            return {};
        const int index = leadingIndex(value.child_value());
        return sharedStrings.value(index);
    }
    if (std::strcmp(type, "inlineStr") == 0) {
        if (const pugi::xml_node inlineString = child(cell, "is"))
            return runText(inlineString);
    }
    const pugi::xml_node value = child(cell, "v");
    return value ? QString::fromUtf8(value.child_value()) : QString();
}

// The row's cells up to `columns`; the row grows only as far as its last non-empty cell, so a
// far cell costs what it holds rather than a whole row of empty ones.
void fillRow(QStringList& row, const pugi::xml_node& rowElement, const QStringList& sharedStrings, int columns)
{
    forEachCell(rowElement, [&](const pugi::xml_node& cell, int column) {
        if (column >= columns)
            return;
        QString value = cellValue(cell, sharedStrings);
        if (value.isEmpty())
            return;
        if (column >= row.size())
            row.resize(column + 1);
        row[column] = std::move(value);
    });
}


QString attributeNamed(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        const char* colon = std::strrchr(attribute.name(), ':');
        if (std::strcmp(colon ? colon + 1 : attribute.name(), local) == 0)
            return QString::fromUtf8(attribute.value());
    }
    return {};
}

}  // namespace

struct SpreadsheetWriter::ParsedSheet {
    QString path;
    pugi::xml_document document;
    pugi::xml_node sheetData;
    int columns = 0;
};

std::shared_ptr<SpreadsheetWriter::ParsedSheet> SpreadsheetWriter::sheetAt(const QString& path, bool keep)
{
    std::shared_ptr<ParsedSheet> sheet = std::move(parsedSheet);
    parsedSheet.reset();
    if (!sheet || sheet->path != path) {
        sheet = std::make_shared<ParsedSheet>();
        if (!loadPart(sheet->document, path, true))
            return nullptr;
        sheet->path = path;
        const pugi::xml_node worksheet = sheet->document.document_element();
        sheet->sheetData = child(worksheet, "sheetData");
        sheet->columns = sheetColumnCount(worksheet, sheet->sheetData);
    }
    if (keep)
        parsedSheet = sheet;
    return sheet;
}

SheetRows SpreadsheetWriter::ReadWorkbook(const QString& path, bool only_col)
{
    if (only_col) {
        Excel_Sheet_Columns = 1;
        SpreadsheetWriter* reader = sharedInstance();
        reader->unpackAfresh(path, UnpackedParts::Read);
        reader->ReadSharedStrings(reader->tmpDir + QStringLiteral("/xl/sharedStrings.xml"));
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
    if (sheet.columns <= 0)
        return reader->data;
    forEachRow(sheet.sheetData, [&](const pugi::xml_node& rowElement) {
        if (!reader->data.isEmpty())
            return;
        QStringList header;
        header.reserve(sheet.columns);
        for (int k = 1; k <= sheet.columns; ++k)
            header.append(QStringLiteral("Untitled Column %1").arg(k));
        fillRow(header, rowElement, reader->sharedStrings, sheet.columns);
        reader->data.append(header);
    });
    return reader->data;
}

void SpreadsheetWriter::ReadSharedStrings(const QString& path)
{
    sharedStrings.clear();
    pugi::xml_document document;
    if (!loadPart(document, path, false))
        return;
    const pugi::xml_node sst = document.document_element();
    if (!isNamed(sst, "sst"))
        return;
    // One entry per item, formatted runs joined, so later indexes stay in step.
    for (pugi::xml_node item = sst.first_child(); item; item = item.next_sibling()) {
        if (item.type() == pugi::node_element && isNamed(item, "si"))
            sharedStrings.append(runText(item));
    }
}

void SpreadsheetWriter::ReadData(const QString& path)
{
    data.clear();
    const std::shared_ptr<ParsedSheet> parsed = sheetAt(path, false);
    if (!parsed)
        return;
    const ParsedSheet& sheet = *parsed;
    Excel_Sheet_Columns = sheet.columns;
    qint64 cells = 0;
    bool tooLarge = false;
    forEachRow(sheet.sheetData, [&](const pugi::xml_node& rowElement) {
        if (tooLarge)
            return;
        QStringList row;
        fillRow(row, rowElement, sharedStrings, sheet.columns);
        // A row costs its cells and itself.
        cells += row.size() + 1;
        tooLarge = cells > kMaxCells;
        data.append(std::move(row));
    });
    if (tooLarge) {
        Show_NSLog_Message(QStringLiteral("Error: the sheet %1 holds more than %2 cells").arg(path).arg(kMaxCells));
        data.clear();
    }
}

QStringList SpreadsheetWriter::Sheet_File_Names()
{
    QStringList names;
    const QFileInfoList parts = QDir(worksheetsFolder(sharedInstance()->tmpDir)).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& part : parts) {
        if (part.suffix().toLower() == QLatin1String("xml"))
            names.append(part.completeBaseName());
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int numberA = trailingNumber(a);
        const int numberB = trailingNumber(b);
        if (numberA != numberB)
            return numberA < numberB;
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QStringList SpreadsheetWriter::Read_Sheet_Name()
{
    QStringList names;
    pugi::xml_document document;
    if (!loadPart(document, sharedInstance()->tmpDir + QStringLiteral("/xl/workbook.xml"), false))
        return names;
    for (const pugi::xpath_node& sheet : document.select_nodes("//*[local-name()='sheet']"))
        names.append(QString::fromUtf8(sheet.node().attribute("name").value()));
    return names;
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
            row.append(content.type() == pugi::node_element ? allText(content) : QString::fromUtf8(content.value()));
        }
        rows.append(row);
    }
    return rows;
}

SheetRows SpreadsheetWriter::ReadODS(const QString& path)
{
    SheetRows rows;
    SpreadsheetWriter* reader = sharedInstance();
    reader->unpackAfresh(path, UnpackedParts::Read);
    pugi::xml_document document;
    if (!loadPart(document, reader->tmpDir + QStringLiteral("/content.xml"), true, BlankText::Drop))
        return rows;
    const pugi::xml_node table =
        child(child(child(document.document_element(), "body"), "spreadsheet"), "table");
    qint64 cells = 0;
    for (pugi::xml_node rowElement = table.first_child(); rowElement; rowElement = rowElement.next_sibling()) {
        if (rowElement.type() != pugi::node_element || !isNamed(rowElement, "table-row"))
            continue;
        QStringList row;
        int columns = 0;  // the cells of the row so far, the empty ones at its end included
        for (pugi::xml_node cell = rowElement.first_child(); cell && columns < kMaxColumns; cell = cell.next_sibling()) {
            if (cell.type() != pugi::node_element)
                continue;
            const QString text = allText(cell);
            const QString repeated = attributeNamed(cell, "number-columns-repeated");
            const int times = repeated.isEmpty() ? 1 : std::clamp(repeated.toInt(), 1, int(kMaxColumns));
            const int end = std::min(columns + times, int(kMaxColumns));
            // Empty cells are held only once a later cell has text, as in the workbook rows.
            if (!text.isEmpty()) {
                row.resize(columns);
                row.insert(columns, end - columns, text);
            }
            columns = end;
        }
        cells += row.size() + 1;
        if (cells > kMaxCells) {
            Show_NSLog_Message(QStringLiteral("Error: the sheet %1 holds more than %2 cells").arg(path).arg(kMaxCells));
            return {};
        }
        rows.append(row);
    }
    return rows;
}
