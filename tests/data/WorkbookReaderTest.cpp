#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"
#include "support/TestEnvironment.h"

namespace {

QByteArray sheetXml(const QString& dimension, const QString& rowsXml)
{
    const QString ref = dimension.isEmpty() ? QString() : QStringLiteral("<dimension ref=\"%1\"/>").arg(dimension);
    return QStringLiteral("<worksheet>%1<sheetData>%2</sheetData></worksheet>").arg(ref, rowsXml).toUtf8();
}

class WorkbookReaderTest : public ::testing::Test {
protected:
    QTemporaryDir work;
    SheetRows header;
    QString refusalOnOpening;  // what the user is told once the workbook is unpacked

    // Unpacks the workbook and reads sheet 1's header and rows.
    SheetRows readWorkbook(const QString& path)
    {
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadWorkbook(path, true);
        refusalOnOpening = SpreadsheetWriter::sharedInstance()->readRefusal;
        header = SpreadsheetWriter::ReadData_only_column();
        return SpreadsheetWriter::ReadWorkbook(QString(), false);
    }
    SheetRows read(const QMap<QString, QByteArray>& parts)
    {
        SSZipArchive archive(work.filePath("book.xlsx"));
        EXPECT_TRUE(archive.open());
        for (auto part = parts.cbegin(); part != parts.cend(); ++part)
            archive.writeData(part.value(), part.key());
        EXPECT_TRUE(archive.close());
        return readWorkbook(work.filePath("book.xlsx"));
    }
    SheetRows read(const QByteArray& sheet) { return read({{"xl/worksheets/sheet1.xml", sheet}}); }
};

TEST_F(WorkbookReaderTest, SparseRowsAndMissingDimensionsOrReferencesDropNoCell)
{
    const struct { const char* dimension; const char* rows; SheetRows expected; int columns; } cases[] = {
        {"B3:F10", "<row r=\"3\"><c r=\"B3\"><v>1</v></c></row>", {{"", "1"}}, 6},
        {"", "<row><c r=\"C1\"><v>3</v></c></row>", {{"", "", "3"}}, 3},
        {"A1:", "<row><c r=\"B1\"><v>2</v></c></row>", {{"", "2"}}, 2},
        {"A1:C3",
         "<row r=\"1\"><c r=\"B1\"><v>7</v></c><c r=\"C1\"><v>8</v></c></row><row r=\"2\"><c r=\"C2\"><v>5</v></c></row><row r=\"4\"/>",
         {{"", "7", "8"}, {"", "", "5"}, {}}, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(sheetXml(c.dimension, c.rows)), c.expected) << c.dimension;
        EXPECT_EQ(Excel_Sheet_Columns, c.columns) << c.dimension;
    }
    EXPECT_EQ(header, (SheetRows{{"Untitled Column 1", "7", "8"}}));

    const SheetRows rows = read(sheetXml("A1", "<row><c><v>1</v></c><c><v>2</v></c><c r=\"E1\"><v>5</v></c><c><v>6</v></c></row>"
                                                    "<row><c r=\"AAB2\"><v>far</v></c></row>"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(Excel_Sheet_Columns, 704);  // AAB is column 704
    EXPECT_EQ(rows[0], (QStringList{"1", "2", "", "", "5", "6"}));
    ASSERT_EQ(rows[1].size(), 704);
    EXPECT_EQ(rows[1].at(703), "far");
    EXPECT_EQ(paddedRow(rows[0], 8), (QStringList{"1", "2", "", "", "5", "6", "", ""}));
    EXPECT_TRUE(read("<worksheet><sheetData><row>").isEmpty());
    // A sheet cut short is not read in part: the rows before the cut would pass for the whole.
    EXPECT_TRUE(read("<worksheet><sheetData><row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c><v>2</v>").isEmpty());
}

// Rows are read in batches whose buffers the reader fills again: each row keeps its own texts
// across the batches' edges, whether a text or a row repeats the one above it, differs from it in
// its length or only in a character, stands under an empty place, or follows a row of a megabyte.
TEST_F(WorkbookReaderTest, RowsKeepTheirOwnTextsAcrossTheBatchesTheyAreReadIn)
{
    const auto cell = [](char column, int row, const QString& text) {
        return QStringLiteral("<c r=\"%1%2\"><v>%3</v></c>").arg(QChar(column)).arg(row + 1).arg(text);
    };
    for (const int count : {256, 257, 1100}) {
        QString rowsXml;
        SheetRows expected;
        for (int r = 0; r < count; ++r) {
            const QString name = r % 5 < 3 ? QStringLiteral("same ü") : r % 5 == 3 ? QStringLiteral("same") : QStringLiteral("same üx");
            const QString b = r % 3 == 1 ? QString() : QStringLiteral("b");
            const QString marked = QStringLiteral("\uFEFFmarked");
            const QString digit = QString::number(r % 10);
            QString cells = cell('A', r, name) + (b.isEmpty() ? QString() : cell('B', r, b)) +
                            QStringLiteral("<c r=\"C%1\" t=\"inlineStr\"><is><t>%2</t></is></c>").arg(r + 1).arg(marked) +
                            cell('D', r, digit);
            QStringList row{name, b, marked, digit};
            if (r >= 500 && r <= 512) {
                // Alike rows, then rows that differ only in their last cell, their length, or a cell.
                row = {"same ü", "b", marked, r < 510 ? "5" : "6"};
                if (r >= 511)
                    row << "e";
                if (r == 512)
                    row[1].clear();
                cells = cell('A', r, row[0]) + (row[1].isEmpty() ? QString() : cell('B', r, row[1])) +
                        QStringLiteral("<c r=\"C%1\" t=\"inlineStr\"><is><t>%2</t></is></c>").arg(r + 1).arg(marked) +
                        cell('D', r, row[3]) + (r >= 511 ? cell('E', r, "e") : QString());
            } else if (r == 300) {
                cells = cell('A', r, "first") + cell('C', r, "c") + cell('B', r, "b") + cell('A', r, "later");
                row = {"later", "b", "c"};
            } else if (r == 301) {
                row[0] = "first";
                cells.replace(0, cell('A', r, name).size(), cell('A', r, row[0]));
            } else if (r == 400) {
                cells.clear();
                row.clear();
            } else if (r == 700) {
                row[0] = QString(1200000, QLatin1Char('L'));
                cells.replace(0, cell('A', r, name).size(), cell('A', r, row[0]));
            }
            rowsXml += QStringLiteral("<row>%1</row>").arg(cells);
            expected.append(row);
        }
        const SheetRows rows = read(sheetXml("", rowsXml));
        ASSERT_EQ(rows.size(), count);
        for (int r = 0; r < count; ++r)
            ASSERT_EQ(rows[r], expected[r]) << count << " rows, row " << r;
    }
}

// A sheet of several megabytes, read in pieces on machines of more than one processor, keeps
// its rows in order, each with its own shared strings, and the width of a far cell in either
// half, with or without a dimension; rows in a comment across its middle, where a second piece
// would begin, are no rows.
TEST_F(WorkbookReaderTest, ALargeSheetKeepsItsRowsInOrderWithTheirSharedStrings)
{
    constexpr int kRows = 45000;
    constexpr int kItems = 1000;
    QByteArray sst = "<sst>";
    for (int i = 0; i < kItems; ++i)
        sst += "<si><r><t>item </t></r><r><t>" + QByteArray::number(i) + "</t></r></si>";
    sst += "</sst>";
    const QByteArray filler(150, 'f');
    const struct {
        bool commented;
        int farRow;  // the row with a cell in column Z
        const char* dimension;
    } cases[] = {{false, kRows, "A1:C3"}, {true, kRows, "A1:C3"}, {false, 2, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "far cell in row " << c.farRow << (c.commented ? ", commented" : ""));
        // The rows of the middle fifth stand in a comment, which must stay under the bound on a piece.
        constexpr int kFirstCommented = kRows / 5 * 2, kLastCommented = kRows / 5 * 3;
        const auto inComment = [&](int r) { return c.commented && r >= kFirstCommented && r <= kLastCommented; };
        QByteArray rows;
        for (int r = 1; r <= kRows; ++r) {
            const QByteArray n = QByteArray::number(r);
            rows += QByteArray(r == kFirstCommented && c.commented ? "<!--" : "") + "<row r=\"" + n + "\"><c r=\"A" + n
                    + "\" t=\"s\"><v>" + QByteArray::number(r % kItems) + "</v></c><c r=\"B" + n + "\" t=\"inlineStr\"><is><t>"
                    + filler + n + "</t></is></c><c r=\"C" + n + "\"><v>" + n + "</v></c>"
                    + (r == c.farRow ? "<c r=\"Z" + n + "\"><v>far</v></c>" : "") + "</row>\n"
                    + (r == kLastCommented && c.commented ? "-->" : "");
        }
        ASSERT_GT(rows.size(), 8 << 20);
        const SheetRows read = this->read(
            {{"xl/worksheets/sheet1.xml", sheetXml(c.dimension, QString::fromUtf8(rows))}, {"xl/sharedStrings.xml", sst}});
        SheetRows expected;
        for (int r = 1; r <= kRows; ++r) {
            if (inComment(r))
                continue;
            expected.append({QStringLiteral("item %1").arg(r % kItems), QString::fromLatin1(filler) + QString::number(r),
                             QString::number(r)});
            if (r == c.farRow)
                expected.last() << QStringList(22) << "far";
        }
        ASSERT_EQ(read.size(), expected.size()) << SpreadsheetWriter::sharedInstance()->readRefusal.toStdString();
        for (qsizetype r = 0; r < read.size(); ++r)
            ASSERT_EQ(read[r], expected[r]) << "row " << r;
        ASSERT_EQ(header.size(), 1);
        EXPECT_EQ(header.first().size(), 26);
    }
}

// Rows alike as read share their list until their shared strings are resolved: each then holds
// its own strings, and one whose last string names no item ends earlier without shortening the
// others. The same texts in other places make no row alike.
TEST_F(WorkbookReaderTest, RowsAlikeAsReadStayTheirOwn)
{
    const QByteArray sst = "<sst><si><t>zero</t></si><si><t>one</t></si></sst>";
    QByteArray rows;
    for (const char* index : {"0", "1", "9", "0"})
        rows += QByteArray("<row><c><v>x</v></c><c t=\"s\"><v>") + index + "</v></c></row>";
    rows += "<row><c><v>x</v></c></row><row><c><v>x</v></c></row>"
            "<row><c r=\"A7\"><v>x</v></c><c r=\"B7\"><v>y</v></c><c r=\"C7\" t=\"s\"><v>0</v></c></row>"
            "<row><c r=\"B8\"><v>x</v></c><c r=\"C8\"><v>y</v></c></row>";
    EXPECT_EQ(read({{"xl/worksheets/sheet1.xml", sheetXml("", QString::fromUtf8(rows))}, {"xl/sharedStrings.xml", sst}}),
              (SheetRows{{"x", "zero"}, {"x", "one"}, {"x"}, {"x", "zero"}, {"x"}, {"x"}, {"x", "y", "zero"}, {"", "x", "y"}}));
}

// The runs of an inline string are read down to the depth of the text read, and elements passed
// over may nest to any depth: the cells and rows after them are read.
TEST_F(WorkbookReaderTest, DeepRunsAndDeepUnknownElementsLeaveTheCellsAfterThemRead)
{
    const auto nested = [](const QByteArray& name, int depth, const QByteArray& inner) {
        return QByteArray("<" + name + ">").repeated(depth) + inner + QByteArray("</" + name + ">").repeated(depth);
    };
    const struct { QByteArray cell; QString text; } cases[] = {
        {"<c r=\"A1\" t=\"inlineStr\"><is>" + nested("r", 32, "<t>x</t>") + "</is></c>", "x"},
        {"<c r=\"A1\" t=\"inlineStr\"><is>" + nested("r", 33, "<t>x</t>") + "</is></c>", ""},
        {"<c r=\"A1\">" + nested("x", 200, "<v>no</v>") + "<v>1</v></c>", "1"},
    };
    for (const auto& c : cases) {
        const QByteArray rows = "<row>" + c.cell + "<c r=\"B1\"><v>after</v></c></row><row><c><v>next</v></c></row>";
        EXPECT_EQ(read(sheetXml("", QString::fromUtf8(rows))), (SheetRows{{c.text, "after"}, {"next"}})) << c.cell.left(40).constData();
    }
}

// A far cell costs what it holds: rows end at their last non-empty cell, however wide the sheet.
TEST_F(WorkbookReaderTest, AFarCellDoesNotWidenEveryRow)
{
    QString rows = QStringLiteral("<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"XFD1\"><v>far</v></c></row>");
    for (int r = 2; r <= 1220; ++r)
        rows += QStringLiteral("<row r=\"%1\"><c r=\"A%1\"><v>%1</v></c><c r=\"C%1\"><v>c</v></c></row>").arg(r);
    const SheetRows read = this->read(sheetXml("A1:XFD1220", rows));
    ASSERT_EQ(read.size(), 1220);
    EXPECT_EQ(Excel_Sheet_Columns, SpreadsheetWriter::kMaxColumns);
    EXPECT_EQ(read[0].size(), SpreadsheetWriter::kMaxColumns);
    EXPECT_EQ(read[0].last(), "far");
    qint64 held = 0;
    for (const QStringList& row : read)
        held += row.size();
    EXPECT_EQ(held, SpreadsheetWriter::kMaxColumns + 1219 * 3);
    EXPECT_EQ(read[1219], (QStringList{"1220", "", "c"}));
    EXPECT_EQ(header.first().size(), SpreadsheetWriter::kMaxColumns) << "the header names every column";
}

// OpenDocument rows likewise: repeated empty cells are held only before a cell with text, so the
// usual run of empty cells to the sheet's last column costs nothing.
TEST_F(WorkbookReaderTest, OpenDocumentRowsEndAtTheirLastCellWithText)
{
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
        "<table:table><table:table-row><table:table-cell><text:p>a</text:p></table:table-cell>"
        "<table:table-cell table:number-columns-repeated=\"3\"/>"
        "<table:table-cell table:number-columns-repeated=\"2\"><text:p>b</text:p></table:table-cell>"
        "<table:table-cell table:number-columns-repeated=\"16378\"/></table:table-row>"
        "<table:table-row><table:table-cell table:number-columns-repeated=\"16384\"/></table:table-row>"
        "</table:table></office:spreadsheet></office:body></office:document-content>";
    SSZipArchive archive(work.filePath("book.ods"));
    ASSERT_TRUE(archive.open());
    archive.writeData(content, "content.xml");
    ASSERT_TRUE(archive.close());
    EXPECT_EQ(SpreadsheetWriter::ReadODS(work.filePath("book.ods")), (SheetRows{{"a", "", "", "", "b", "b"}, {}}));
}

// Shared-string indexes outside the list, the count itself included, give "".
TEST_F(WorkbookReaderTest, CellsGiveSharedStringsInlineStringsAndCachedFormulaResults)
{
    const QByteArray sst =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">\n <si>\n  <t>zero</t>\n </si>\n"
        " <si><r><t xml:space=\"preserve\">rich </t></r>\n<r><rPr><b/></rPr><t>text</t></r><rPh><t>ignored</t></rPh></si>"
        "<si><t>two</t></si>\n<si><t> </t></si></sst>";
    const QByteArray sheet = sheetXml(
        "A1:J1", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>2</v></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><t>inline ü</t></is></c><c r=\"D1\"><f>SUM(A2:A3)</f><v>6</v></c>"
        "<c r=\"E1\" t=\"str\"><f>A1&amp;\"!\"</f><v>zero!</v></c><c r=\"F1\" t=\"s\"><v>3</v></c>"
        "<c r=\"G1\" t=\"s\"><v>4</v></c><c r=\"H1\" t=\"s\"><v>5</v></c><c r=\"I1\" t=\"s\"><v>-1</v></c>"
        "<c r=\"J1\" t=\"s\"/></row>\n<row r=\"2\">\n  <c r=\"A2\" t=\"s\">\n    <v>2</v>\n  </c>\n"
        "  <c r=\"B2\" t=\"s\"><v>0</v></c><c r=\"C2\" t=\"s\"><v>2</v></c><c r=\"D2\" t=\"inlineStr\"><is><t> </t></is></c></row>");
    // Indexes in any order and named twice; layout between elements is no text.
    EXPECT_EQ(read({{"xl/worksheets/sheet1.xml", sheet}, {"xl/sharedStrings.xml", sst}}),
              (SheetRows{{"rich text", "two", "inline ü", "6", "zero!", " "}, {"two", "zero", "two", " "}}));
}

// A cell's text is its first value's first text, or its first inline string's runs; names count
// without their prefix, attributes only as written.
TEST_F(WorkbookReaderTest, CellsReadTheirFirstValueAndInlineStringOnly)
{
    const QByteArray sst = "<sst><si><t>zero</t></si><si><t>one</t></si></sst>";
    const QByteArray sheet =
        "<x:worksheet xmlns:x=\"urn:x\"><x:sheetData><x:row>"
        "<x:c r=\"A1\"><x:v>1<b/>2</x:v><x:v>3</x:v></x:c>"
        "<c r=\"B1\" t=\"s\"><v/></c>"
        "<c r=\"C1\" t=\"s\"><v>1x</v><v>0</v></c>"
        "<c r=\"D1\" t=\"inlineStr\"><v>cached</v><is><r><t>a</t><rPh><t>no</t></rPh><q><t>b</t></q></r><t>c<i/>d</t></is>"
        "<is><t>second</t></is></c>"
        "<c r=\"E1\" t=\"inlineStr\"><v>only value</v></c>"
        "<c r=\"F1\"><is><t>not inline</t></is></c>"
        "<c x:r=\"Z1\"><v>follows F</v></c>"
        "<c r=\"H1\"><v> <b/>after blank</v></c>"
        "<c r=\"I1\"><v> </v></c>"
        "</x:row><row><c r=\"A2\"><row><c r=\"B2\"><v>nested</v></c></row><v>outer</v></c></row>"
        "</x:sheetData></x:worksheet>";
    EXPECT_EQ(read({{"xl/worksheets/sheet1.xml", sheet}, {"xl/sharedStrings.xml", sst}}),
              (SheetRows{{"1", "zero", "one", "abcd", "only value", "", "follows F", "after blank", " "}, {"outer"}}));
    EXPECT_EQ(Excel_Sheet_Columns, 9);

    // A column named twice holds the later cell, whatever the order of the references.
    EXPECT_EQ(read(sheetXml("", "<row><c r=\"C1\"><v>c</v></c><c r=\"A1\"><v>a</v></c><c r=\"C1\"><v>c2</v></c>"
                                "<c r=\"B1\"><v>b</v></c><c r=\"B1\"><v>b2</v></c></row>")),
              (SheetRows{{"a", "b2", "c2"}}));
}

// The shared strings are read beside the sheet; a part of strings nobody names, too large to hold
// with the sheet, or damaged or too long after the last named item, refuses no sheet.
TEST_F(WorkbookReaderTest, SharedStringsNobodyNamesRefuseNoSheet)
{
    const QByteArray sheet = sheetXml("A1:B1", "<row><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>");
    const QByteArray named = "<sst><si><t>first</t></si><si><r><t>sec</t></r><r><t>ond</t></r></si>";
    // Held together with the rows, 32 items of a million characters pass the allowance; incompressible
    // filler lets the part unpack.
    QByteArray large = named;
    for (int k = 0; k < 32; ++k)
        large += "<si><t>" + QByteArray(1 << 20, 'x') + "</t></si>";
    QByteArray filler(200 * 1024, Qt::Uninitialized);
    quint32 seed = 12345;
    for (char& byte : filler)
        byte = char((seed = seed * 1664525u + 1013904223u) >> 24);
    EXPECT_EQ(read({{"xl/worksheets/sheet1.xml", sheet}, {"xl/sharedStrings.xml", large + "</sst>"},
                    {"xl/media/filler.bin", filler}}),
              (SheetRows{{"first", "second"}}));
    EXPECT_TRUE(SpreadsheetWriter::sharedInstance()->readRefusal.isEmpty());

    const QByteArray tails[] = {"<si><t>thi", "<si><t>" + QByteArray(5 << 20, 'y') + "</t></si></sst>"};
    for (const QByteArray& tail : tails) {
        EXPECT_EQ(read({{"xl/worksheets/sheet1.xml", sheet}, {"xl/sharedStrings.xml", named + tail}}),
                  (SheetRows{{"first", "second"}}))
            << tail.left(10).constData();
        EXPECT_TRUE(SpreadsheetWriter::sharedInstance()->readRefusal.isEmpty());
    }
    // Named strings that would pass the allowance refuse the sheet, saying why, however they
    // were read.
    QByteArray named32 = large + "</sst>";
    QString cells;
    for (int k = 2; k < 34; ++k)
        cells += QStringLiteral("<c t=\"s\"><v>%1</v></c>").arg(k);
    EXPECT_TRUE(read({{"xl/worksheets/sheet1.xml", sheetXml("", "<row>" + cells + "</row>")},
                      {"xl/sharedStrings.xml", named32}, {"xl/media/filler.bin", filler}})
                    .isEmpty());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^The shared strings of the sheet sheet1\\.xml would take more than "
                                                  "\\d+ MB of memory\\.$"))
                    .match(SpreadsheetWriter::sharedInstance()->readRefusal)
                    .hasMatch())
        << SpreadsheetWriter::sharedInstance()->readRefusal.toStdString();

    // Cut before a named item, the sheet is not read.
    EXPECT_TRUE(read({{"xl/worksheets/sheet1.xml", sheet}, {"xl/sharedStrings.xml", "<sst><si><t>first</t></si><si><t>se"}})
                    .isEmpty());
}

// Parts whose names end in the same number go by their names.
TEST_F(WorkbookReaderTest, SheetPartsGoByTheirNumberThenByName)
{
    QMap<QString, QByteArray> parts;
    for (const char* name : {"sheet2", "data2", "b2", "A2", "sheet1"})
        parts.insert(QStringLiteral("xl/worksheets/%1.xml").arg(QLatin1String(name)),
                     sheetXml("A1", QStringLiteral("<row><c r=\"A1\"><v>1</v></c></row>")));
    read(parts);
    EXPECT_EQ(SpreadsheetWriter::Sheet_File_Names(), (QStringList{"sheet1", "A2", "b2", "data2", "sheet2"}));
}

TEST_F(WorkbookReaderTest, EachUnpackStartsAfreshAndThePickedSheetIsTheSheetRead)
{
    QMap<QString, QByteArray> parts;
    for (int n : {1, 2, 10})
        parts.insert(QStringLiteral("xl/worksheets/sheet%1.xml").arg(n),
                     sheetXml("A1", QStringLiteral("<row><c r=\"A1\"><v>%1</v></c></row>").arg(n)));
    EXPECT_EQ(read(parts), (SheetRows{{"1"}}));
    EXPECT_EQ(SpreadsheetWriter::Sheet_File_Names(), (QStringList{"sheet1", "sheet2", "sheet10"}));
    Excel_Sheet_Number = 3;
    SpreadsheetWriter::ReadData_only_column();
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false), (SheetRows{{"10"}}));

    // A file that is not a workbook must not show the previous workbook's rows.
    EXPECT_TRUE(readWorkbook(TestEnvironment::fixtureDir() + "/data/people.csv").isEmpty());
    EXPECT_TRUE(header.isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::Sheet_File_Names().isEmpty());

    // The folder is this run's own and closed to other users.
    const QFileInfo root(QFileInfo(SpreadsheetWriter::temporaryFolder()).path());
    EXPECT_NE(root.absoluteFilePath(), QDir::tempPath());
    EXPECT_EQ(root.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
}

// A read unpacks only what it reads, and a workbook of more parts than any real one is refused
// whole with the reason, before anything is written.
TEST_F(WorkbookReaderTest, OnlyTheReadPartsAreUnpackedAndAnArchiveOfTooManyPartsIsRefused)
{
    const QByteArray sheet = sheetXml("A1", "<row><c r=\"A1\"><v>7</v></c></row>");
    EXPECT_EQ(read({{"xl/worksheets/sheet1.xml", sheet}, {"xl/media/photo.png", QByteArray(4096, 'p')},
                    {"xl/worksheets/_rels/sheet1.xml.rels", "<Relationships/>"}, {"docProps/app.xml", "<Properties/>"}}),
              (SheetRows{{"7"}}));
    const QString unpacked = SpreadsheetWriter::temporaryFolder();
    EXPECT_FALSE(QFileInfo::exists(unpacked + "/xl/media/photo.png"));
    EXPECT_FALSE(QFileInfo::exists(unpacked + "/docProps/app.xml"));
    EXPECT_FALSE(QFileInfo::exists(unpacked + "/xl/worksheets/_rels"));
    EXPECT_TRUE(SpreadsheetWriter::sharedInstance()->readRefusal.isEmpty());

    const auto made = TestEnvironment::runPython(
        "import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1], 'w')\n"
        "z.writestr('xl/worksheets/sheet1.xml', sys.argv[2])\n"
        "for n in range(10000): z.writestr('xl/worksheets/s%d.xml' % n, '')\n",
        {work.filePath("many.xlsx"), QString::fromUtf8(sheet)});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    EXPECT_TRUE(readWorkbook(work.filePath("many.xlsx")).isEmpty());
    EXPECT_TRUE(header.isEmpty());
    EXPECT_EQ(SpreadsheetWriter::sharedInstance()->readRefusal, "The archive lists 10001 parts, more than 10000.");
    EXPECT_TRUE(QDir(unpacked).isEmpty());
}

// Folders of runs that were killed go at the next start; those of running programs, other
// names and links stay.
TEST(WorkbookTemporaryFolders, ThoseOfRunsNoLongerRunningAreRemovedAtStart)
{
    QTemporaryDir parent;
    QProcess finished;
    finished.start(QStringLiteral("true"), {});
    ASSERT_TRUE(finished.waitForStarted());
    const qint64 gone = finished.processId();
    ASSERT_TRUE(finished.waitForFinished());
    const QString running = QString::number(QCoreApplication::applicationPid());
    const QStringList names{"zova-idcard-" + QString::number(gone) + "-Ab12Cd", "zova-idcard-" + running + "-Xy34Zw",
                            "zova-idcard-Ab12Cd", "other-" + QString::number(gone) + "-Ab12Cd"};
    for (const QString& name : names) {
        ASSERT_TRUE(QDir().mkpath(parent.filePath(name + "/ziptmp/xl")));
        QFile part(parent.filePath(name + "/ziptmp/xl/sheet1.xml"));
        ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    }
    const QString linkTarget = parent.filePath("zova-idcard-" + running + "-Xy34Zw");
    ASSERT_TRUE(QFile::link(linkTarget, parent.filePath("zova-idcard-" + QString::number(gone) + "-Link00")));

    EXPECT_EQ(SpreadsheetWriter::removeStaleTemporaryFolders(parent.path()), 1);
    QStringList left = QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    left.sort();
    QStringList expected = names.mid(1) << "zova-idcard-" + QString::number(gone) + "-Link00";
    expected.sort();
    EXPECT_EQ(left, expected);
    EXPECT_TRUE(QFileInfo::exists(linkTarget + "/ziptmp/xl/sheet1.xml"));
    EXPECT_TRUE(QFileInfo(SpreadsheetWriter::temporaryFolder()).path().contains("zova-idcard-" + running + "-"))
        << "this run's folder names its process";
}

TEST_F(WorkbookReaderTest, WrittenRowsLongerThanTheTitlesAndBeyondColumnZKeepEveryCell)
{
    QStringList titles;
    for (int k = 1; k <= 28; ++k)
        titles.append(QStringLiteral("T%1").arg(k));
    const QString path = work.filePath("wide.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, {titles, titles + QStringList{"extra"}}, false));
    EXPECT_EQ(readWorkbook(path).last().last(), "extra");
    EXPECT_EQ(header.first(), titles + QStringList{"Untitled Column 29"});
}

// Each writer starts from its own template: an OpenDocument file written after a workbook holds the
// OpenDocument package's parts alone, its mimetype first, never the workbook's.
TEST_F(WorkbookReaderTest, EachWriterPacksItsOwnTemplatesParts)
{
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(work.filePath("first.xlsx"), {{"Name"}, {"Ada"}}, true));
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(work.filePath("second.ods"), {{"Name"}, {"Grace"}}, true));
    const auto listed = TestEnvironment::runPython(
        "import sys, zipfile\nnames = zipfile.ZipFile(sys.argv[1]).namelist()\n"
        "print(names[0], any(n.startswith('xl/') for n in names), 'content.xml' in names)\n",
        {work.filePath("second.ods")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.constData();
    EXPECT_EQ(QString::fromUtf8(listed.out).trimmed(), "mimetype False True");
    EXPECT_EQ(SpreadsheetWriter::ReadODS(work.filePath("second.ods")), (SheetRows{{"Name"}, {"Grace"}}));
}

TEST_F(WorkbookReaderTest, NothingIsWrittenWithoutRowsOrOverAFolder)
{
    const QString path = work.filePath("none.xlsx");
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(path, {}, false));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(path, {{}}, false));
    EXPECT_FALSE(QFileInfo::exists(path));
    QDir().mkpath(work.filePath("folder.xlsx"));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(work.filePath("folder.xlsx"), {{"a"}}, false));
}

// No workbook part declares a document type: one that does is refused, saying which, before any
// entity it declares is expanded, wherever the entity would be used.
TEST_F(WorkbookReaderTest, APartDeclaringADocumentTypeIsRefusedSayingSo)
{
    const QByteArray doctype = "<!DOCTYPE x [<!ENTITY e \"entity\">]>";
    QMap<QString, QByteArray> sound{
        {"xl/worksheets/sheet1.xml", sheetXml("A1:B1", "<row><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>b</v></c></row>")},
        {"xl/sharedStrings.xml", "<sst><si><t>a</t></si></sst>"},
        {"xl/workbook.xml", "<workbook xmlns:r=\"urn:r\"><sheets><sheet name=\"S\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"rId1\" Type=\"urn:t/worksheet\" "
                                       "Target=\"worksheets/sheet1.xml\"/></Relationships>"}};
    EXPECT_EQ(read(sound), (SheetRows{{"a", "b"}}));
    // The sheet list and its relationships are read on opening, so the refusal is told before
    // any sheet is picked.
    const struct { QString part; QByteArray text; bool refusedOnOpening; } declaring[] = {
        {"xl/worksheets/sheet1.xml", sheetXml("A1", "<row><c r=\"A1\"><v>&e;</v></c></row>"), false},
        {"xl/worksheets/sheet1.xml", sheetXml("A1", "<row><c r=\"A1\" t=\"inlineStr\"><is><t>&e;</t></is></c></row>"), false},
        {"xl/worksheets/sheet1.xml", sheetXml("A1:&e;", "<row><c r=\"A1\"><v>a</v></c></row>"), false},
        {"xl/sharedStrings.xml", "<sst><si><t>&e;</t></si></sst>", false},
        {"xl/workbook.xml", "<workbook xmlns:r=\"urn:r\"><sheets><sheet name=\"&e;\" r:id=\"rId1\"/></sheets></workbook>", true},
        {"xl/_rels/workbook.xml.rels", "<Relationships/>", true},
    };
    for (const auto& [part, text, refusedOnOpening] : declaring) {
        QMap<QString, QByteArray> parts = sound;
        parts[part] = doctype + text;
        EXPECT_TRUE(read(parts).isEmpty()) << text.constData();
        EXPECT_TRUE(header.isEmpty());
        const QString refusal = "The part " + part + " declares a document type (DOCTYPE), which no workbook part may hold.";
        EXPECT_EQ(SpreadsheetWriter::sharedInstance()->readRefusal, refusal);
        EXPECT_EQ(refusalOnOpening, refusedOnOpening ? refusal : QString()) << part.toStdString();
    }

    // So does an OpenDocument spreadsheet's content.
    SSZipArchive ods(work.filePath("declaring.ods"));
    ASSERT_TRUE(ods.open());
    ods.writeData(doctype + "<document-content><body><spreadsheet><table><table-row><table-cell><p>&e;</p></table-cell>"
                            "</table-row></table></spreadsheet></body></document-content>",
                  "content.xml");
    ASSERT_TRUE(ods.close());
    EXPECT_TRUE(SpreadsheetWriter::ReadODS(work.filePath("declaring.ods")).isEmpty());
    EXPECT_EQ(SpreadsheetWriter::sharedInstance()->readRefusal,
              "The part content.xml declares a document type (DOCTYPE), which no workbook part may hold.");

    // The XML 2003 spreadsheet, read whole as a document, refuses one too. Its formatted text
    // reads as the text shown.
    const QByteArray spreadsheet = "<Workbook><Worksheet><Table><Row><Cell><Data>&amp;e;</Data></Cell>"
                                   "<Cell><Data><B>rich</B> text</Data></Cell></Row></Table></Worksheet></Workbook>";
    for (const bool declares : {false, true}) {
        QFile file(work.filePath("2003.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((declares ? doctype : QByteArray()) + spreadsheet);
        file.close();
        EXPECT_EQ(SpreadsheetWriter::ReadWorksheetXML2004(file.fileName()), declares ? SheetRows() : (SheetRows{{"&e;", "rich text"}}));
    }
}

// A cell beginning with U+FEFF keeps it, whatever its kind, as openpyxl reads it.
TEST_F(WorkbookReaderTest, ACellBeginningWithAByteOrderMarkKeepsItAsOpenpyxlDoes)
{
    const QString path = work.filePath("marked.xlsx");
    const auto made = TestEnvironment::runPython(
        "import io, sys, zipfile, xlsxwriter, openpyxl\n"
        "made = io.BytesIO()\n"
        "wb = xlsxwriter.Workbook(made)\n"
        "wb.add_worksheet().write(0, 0, 'x')\n"
        "wb.close()\n"
        "main = ' xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"'\n"
        "parts = {'xl/sharedStrings.xml': '<sst' + main + '><si><t>\\ufeffshared</t></si></sst>',\n"
        "         'xl/worksheets/sheet1.xml': '<worksheet' + main + '><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>'\n"
        "             '<c r=\"B1\" t=\"inlineStr\"><is><t>\\ufeffinline</t></is></c><c r=\"C1\" t=\"str\"><f>\"x\"</f>'\n"
        "             '<v>\\ufeffformula</v></c><c r=\"D1\" t=\"e\"><v>\\ufeff#N/A</v></c></row></sheetData></worksheet>'}\n"
        "made = zipfile.ZipFile(made)\n"
        "with zipfile.ZipFile(sys.argv[1], 'w') as out:\n"
        "    for item in made.infolist():\n"
        "        out.writestr(item, parts.get(item.filename, made.read(item)))\n"
        "sys.stdout.buffer.write('\\t'.join(c.value for c in openpyxl.load_workbook(sys.argv[1], data_only=True).active[1]).encode())\n",
        {path});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const SheetRows rows = readWorkbook(path);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().join('\t').toUtf8(), made.out);
    EXPECT_EQ(rows.first().first(), QStringLiteral("\uFEFFshared"));
}

// Each item of the sheet list reads the part its name points to. Where the workbook does not name
// every sheet part once through its relationships, the parts are listed under their file names.
TEST_F(WorkbookReaderTest, EachSheetNameReadsThePartItPointsTo)
{
    const auto link = [](int id, const char* target, const char* type = "worksheet") {
        return QStringLiteral("<Relationship Id=\"rId%1\" Type=\"http://x/%2\" Target=\"%3\"/>").arg(id).arg(type, target);
    };
    const QString sheets = "<workbook xmlns:r=\"urn:r\"><sheets><sheet name=\"Staff\" r:id=\"rId2\"/>"
                           "<sheet name=\"Codes\" r:id=\"rId1\"/><sheet name=\"Chart\" r:id=\"rId3\"/></sheets></workbook>";
    const QString chart = link(3, "chartsheets/sheet1.xml", "chartsheet");
    const struct {
        QString links;
        QList<SpreadsheetWriter::SheetItem> items;
    } cases[] = {
        {link(1, "worksheets/sheet1.xml") + link(2, "/xl/worksheets/sheet2.xml") + chart,
         {{"Staff", "sheet2"}, {"Codes", "sheet1"}}},
        {link(1, "./worksheets/../worksheets/Sheet1.xml") + link(2, "worksheets/sheet2.xml") + chart,
         {{"Staff", "sheet2"}, {"Codes", "sheet1"}}},
        // One part named twice, a name without its link, a target outside the sheets, no links at all.
        {link(1, "worksheets/sheet2.xml") + link(2, "worksheets/sheet2.xml") + chart, {{"sheet1", "sheet1"}, {"sheet2", "sheet2"}}},
        // Every part named, one of them twice: a third name would read the first sheet's rows.
        {link(1, "worksheets/sheet1.xml") + link(2, "worksheets/sheet2.xml") + link(3, "worksheets/sheet1.xml"),
         {{"sheet1", "sheet1"}, {"sheet2", "sheet2"}}},
        {link(1, "worksheets/sheet1.xml") + link(2, "worksheets/sheet2.xml"), {{"sheet1", "sheet1"}, {"sheet2", "sheet2"}}},
        {link(1, "worksheets/sheet1.xml") + link(2, "../sheet2.xml") + chart, {{"sheet1", "sheet1"}, {"sheet2", "sheet2"}}},
        {QString(), {{"sheet1", "sheet1"}, {"sheet2", "sheet2"}}},
    };
    for (const auto& [links, items] : cases) {
        QMap<QString, QByteArray> parts{{"xl/worksheets/sheet1.xml", sheetXml("A1", "<row><c><v>code</v></c></row>")},
                                        {"xl/worksheets/sheet2.xml", sheetXml("A1", "<row><c><v>name</v></c></row>")},
                                        {"xl/workbook.xml", sheets.toUtf8()}};
        if (!links.isEmpty())
            parts.insert("xl/_rels/workbook.xml.rels", ("<Relationships>" + links + "</Relationships>").toUtf8());
        const SheetRows first = read(parts);
        EXPECT_EQ(SpreadsheetWriter::Sheet_List(), items) << links.toStdString();
        EXPECT_EQ(first, (SheetRows{{items.first().part == "sheet2" ? "name" : "code"}}));
    }
    EXPECT_EQ(SpreadsheetWriter::Read_Sheet_Name(), (QStringList{"Staff", "Codes", "Chart"}));
}

// The rows the import windows fill from a sheet: from `first` on, the cells at the picked
// positions in their order, empty past a row's end; a row without cells kept as empty cells.
TEST_F(WorkbookReaderTest, SheetRowsFillTheTableWithThePickedCells)
{
    const SheetRows rows = read(sheetXml("", "<row r=\"1\"><c r=\"A1\"><v>Name</v></c><c r=\"B1\"><v>City</v></c></row>"
                                             "<row r=\"2\"><c r=\"A2\"><v>Ann</v></c><c r=\"B2\"><v>Oslo</v></c>"
                                             "<c r=\"C2\"><v>x</v></c></row><row r=\"3\"/><row r=\"4\"><c r=\"A4\"><v>Bob</v></c></row>"));
    const struct { qsizetype first; QList<int> positions; SheetRows records; } cases[] = {
        {1, {1, 0}, {{"1", "Oslo", "Ann"}, {"2", "", ""}, {"3", "", "Bob"}}},
        {1, {0, 2}, {{"1", "Ann", "x"}, {"2", "", ""}, {"3", "Bob", ""}}},
        {0, leadingPositions(1), {{"1", "Name"}, {"2", "Ann"}, {"3", ""}, {"4", "Bob"}}},
    };
    for (const auto& c : cases) {
        Data_From_Excel table;
        ASSERT_TRUE(table.Fill_From_Sheet(rows, c.first, c.positions, nullptr));
        SheetRows records;  // each record's number and cells
        for (int r = 0; r < table.rowCount(); ++r) {
            records.append(QStringList());
            for (int column = 0; column <= c.positions.size(); ++column)
                records.last().append(table.Get_Item_Text(r, column).value_or("?"));
        }
        EXPECT_EQ(records, c.records) << c.first << ' ' << c.positions.size();
    }
}

TEST(WorkbookColumnsTest, LettersAndNumbersAgreeWithOpenpyxl)
{
    EXPECT_EQ(Get_Col_index("AZ", 65), 51);
    for (const char* outside : {"XFE", "a", ""})
        EXPECT_EQ(Get_Col_index(outside, 64), -1) << outside;
    QStringList ours;
    for (int n = 1; n <= SpreadsheetWriter::kMaxColumns; ++n) {
        ours.append(SpreadsheetWriter::ColumnIndexToName(n));
        ASSERT_EQ(Get_Col_index(ours.last(), 64), n);
    }
    const auto result = TestEnvironment::runPython(
        "from openpyxl.utils import get_column_letter\n"
        "print('\\n'.join(get_column_letter(n) for n in range(1, 16385)))\n");
    EXPECT_EQ(QString::fromUtf8(result.out).split('\n', Qt::SkipEmptyParts), ours);
}

}  // namespace
