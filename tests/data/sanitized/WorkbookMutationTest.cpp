// Workbooks come from users: damaged archives and damaged XML parts must never crash the reader
// or overrun memory. A fixed-seed loop mutates real workbooks and workbooks shaped to expand, and
// reads them under AddressSanitizer and UBSan within the readers' bounds of time and memory.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cctype>
#include <random>

#include "data/Data_From_Excel.h"
#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"
#include "support/HostileWorkbooks.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

std::mt19937 rng(20240817);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }

// Cell references, counts and markup are where a reader goes wrong: splice them in as well as noise.
QByteArray mutate(QByteArray bytes)
{
    static const QList<QByteArray> pieces = {"<c r=\"XFD1\"><v>1</v></c>", "<c>", "</row>", "t=\"s\"", "<v>99999999999</v>",
                                             "<v>-5</v>", "r=\"ZZZZ9\"", "<dimension ref=\"A1:XFD9\"/>", "<si><r><t>x",
                                             "&#0;", "\xff\xfe", "<is><t>", "ref=\":\""};
    for (int i = 1 + below(3); i > 0 && !bytes.isEmpty(); --i) {
        const int at = below(int(bytes.size()));
        switch (below(4)) {
        case 0: bytes[at] = char(below(256)); break;
        case 1: bytes.insert(at, pieces[below(int(pieces.size()))]); break;
        case 2: bytes.remove(at, 1 + below(16)); break;
        default: bytes.truncate(at); break;
        }
    }
    return bytes;
}

// Changes letters and digits only, so the XML stays well formed and the damage reaches cell
// references, indexes, dimensions and types.
QByteArray mutateValues(QByteArray bytes)
{
    static const QByteArray replacements = "0123456789AZXFD-.sn";
    for (int i = 0; i < 4 && !bytes.isEmpty(); ++i) {
        const int at = below(int(bytes.size()));
        if (std::isalnum(static_cast<unsigned char>(bytes[at])))
            bytes[at] = replacements[below(int(replacements.size()))];
    }
    return bytes;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything the import does with a workbook, into a table of its own, within the bounds; the
// number of rows read.
int readLikeTheImport(const QString& path, const QString& input)
{
    int rowsRead = 0;
    readWithinBounds(input, [&] {
        SpreadsheetWriter::ReadWorkbook(path, true);
        SpreadsheetWriter::Read_Sheet_Name();
        SpreadsheetWriter::Sheet_List();
        for (int sheet = 1; sheet <= 2; ++sheet) {
            Excel_Sheet_Number = sheet;
            const SheetRows header = SpreadsheetWriter::ReadData_only_column();
            const SheetRows rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
            const int columns = header.isEmpty() ? 0 : int(header.first().size());
            rowsRead += int(rows.size());
            Data_From_Excel table;
            table.Fill_From_Sheet(rows, 0, leadingPositions(columns), nullptr);
        }
    });
    return rowsRead;
}

TEST(WorkbookMutationTest, DamagedWorkbooksAndPartsReadWithoutFault)
{
    QTemporaryDir work;
    SheetRows rows{{"Name", "Phone", "Score"}};
    for (int i = 0; i < 30; ++i)
        rows.append({QStringLiteral("Person %1 ü").arg(i), QStringLiteral("0%1").arg(1000 + i), QString::number(i * 1.5)});
    const QString damaged = work.filePath("damaged.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(damaged, rows, false));
    const QByteArray workbook = readFile(damaged);
    // The writer leaves the parts it packed in its folder: damage those too, inside sound archives.
    const QString tree = SpreadsheetWriter::sharedInstance()->tmpDir;
    const QByteArray writtenSheet = readFile(tree + "/xl/worksheets/sheet1.xml");
    const QByteArray writtenStrings = readFile(tree + "/xl/sharedStrings.xml");
    ASSERT_FALSE(writtenSheet.isEmpty());
    const QByteArray sheet =
        "<worksheet><dimension ref=\"A1:D3\"/><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\">"
        "<v>1</v></c><c><v>3</v></c></row><row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><r><t>in</t></r><t>line</t></is></c>"
        "<c r=\"D2\"><f>SUM(A1:A2)</f><v>4</v></c></row></sheetData></worksheet>";
    const QByteArray sharedStrings = "<sst><si><t>plain</t></si><si><r><rPr><b/></rPr><t>rich</t></r><rPh><t>x</t></rPh></si></sst>";

    int rowsRead = 0;
    for (int round = 0; round < 400; ++round) {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(mutate(workbook));
        file.close();
        rowsRead += readLikeTheImport(damaged, QStringLiteral("damaged workbook, round %1").arg(round));

        SSZipArchive archive(damaged);
        ASSERT_TRUE(archive.open());
        const bool real = round % 2 == 0;
        archive.writeData(real ? mutateValues(writtenSheet) : mutate(sheet), "xl/worksheets/sheet1.xml");
        archive.writeData(mutate(sheet), "xl/worksheets/sheet2.xml");
        archive.writeData(real ? mutateValues(writtenStrings) : mutate(sharedStrings), "xl/sharedStrings.xml");
        archive.writeData(mutate("<workbook><sheets><sheet name=\"a\" r:id=\"r2\"/><sheet name=\"b\" r:id=\"r1\"/>"
                                 "</sheets></workbook>"),
                          "xl/workbook.xml");
        archive.writeData(mutate("<Relationships><Relationship Id=\"r1\" Type=\"t/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                                 "<Relationship Id=\"r2\" Type=\"t/worksheet\" Target=\"/xl/worksheets/sheet2.xml\"/>"
                                 "</Relationships>"),
                          "xl/_rels/workbook.xml.rels");
        ASSERT_TRUE(archive.close());
        rowsRead += readLikeTheImport(damaged, QStringLiteral("workbook of damaged parts, round %1").arg(round));
    }
    // Most damage still leaves something readable; a loop that reads nothing tests nothing.
    EXPECT_GT(rowsRead, 2000);
}

// Shared-string indexes no part can reach, beside named ones that make the named list unbroken:
// they name nothing, and no reckoning with them overflows.
TEST(WorkbookMutationTest, SharedStringIndexesNoPartReachesNameNothing)
{
    QTemporaryDir work;
    const QString path = work.filePath("indexes.xlsx");
    const QByteArray strings = "<sst><si><t>zero</t></si><si><t>one</t></si></sst>";
    const QPair<QByteArray, QString> cases[] = {
        {"99999999999999999999", "zero"}, {"9223372036854775807", "zero"}, {"-9223372036854775808", "one"},
        {"2147483648", "one"}, {"-1", "zero"}};
    for (const auto& [index, named] : cases) {
        const QByteArray other = named == "zero" ? "0" : "1";
        SSZipArchive archive(path);
        ASSERT_TRUE(archive.open());
        archive.writeData("<worksheet><sheetData><row><c r=\"A1\" t=\"s\"><v>" + index + "</v></c><c r=\"B1\" t=\"s\"><v>" +
                              other + "</v></c></row></sheetData></worksheet>",
                          "xl/worksheets/sheet1.xml");
        archive.writeData(strings, "xl/sharedStrings.xml");
        ASSERT_TRUE(archive.close());
        SheetRows rows;
        readWithinBounds(index, [&] {
            Excel_Sheet_Number = 1;
            SpreadsheetWriter::ReadWorkbook(path, true);
            rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
        });
        EXPECT_EQ(rows, (SheetRows{{"", named}})) << index.constData();
    }
}

// A part of one empty element of another name ends its read at that element's start; the end
// the parser still reports changes nothing.
TEST(WorkbookMutationTest, PartsOfOneEmptyElementOfAnotherNameAreEmpty)
{
    QTemporaryDir work;
    const QString path = work.filePath("empty.xlsx");
    SSZipArchive archive(path);
    ASSERT_TRUE(archive.open());
    archive.writeData("<worksheet><sheetData><row><c r=\"A1\"><v>v</v></c><c r=\"B1\" t=\"s\"><v>0</v></c></row>"
                      "</sheetData></worksheet>",
                      "xl/worksheets/sheet1.xml");
    for (const char* part : {"xl/sharedStrings.xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels"})
        archive.writeData("<x/>", part);
    ASSERT_TRUE(archive.close());
    SheetRows rows;
    readWithinBounds(path, [&] {
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadWorkbook(path, true);
        rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    });
    EXPECT_EQ(rows, (SheetRows{{"v"}}));
    EXPECT_EQ(SpreadsheetWriter::Sheet_List(), (QList<SpreadsheetWriter::SheetItem>{{"sheet1", "sheet1"}}));
}

}  // namespace

// Workbooks of a few hundred kilobytes shaped to expand to gigabytes, as they are and damaged:
// each opens or is refused within the bounds.
TEST(WorkbookMutationTest, ExpandingWorkbooksReadWithinBounds)
{
    QTemporaryDir work;
    const QString damaged = work.filePath("damaged.xlsx");
    for (const QString& shape : HostileWorkbooks::kAll) {
        // Tens of megabytes of cells take longer than the time bound under the sanitizers;
        // WorkbookBoundsTest holds their read to the memory bound.
        if (shape == HostileWorkbooks::kSharedCells)
            continue;
        const QString path = work.filePath(shape + ".xlsx");
        ASSERT_TRUE(HostileWorkbooks::make(shape, path));
        readLikeTheImport(path, shape + " workbook");
        // Strings no cell names cost nothing: a million of them hold less than the part's size.
        if (shape == HostileWorkbooks::kUnusedStrings)
            EXPECT_LT(lastReadHeapPeak(), std::size_t(8) << 20);
        const QByteArray workbook = readFile(path);
        for (int round = 0; round < 3; ++round) {
            QFile file(damaged);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(mutate(workbook));
            file.close();
            readLikeTheImport(damaged, QStringLiteral("damaged %1 workbook, round %2").arg(shape).arg(round));
        }
    }
}
