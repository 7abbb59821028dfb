// A workbook read while its sheet is parsed on a thread of its own and its shared strings are
// read alongside: every cell gets its own row's text. The test also runs in the ThreadSanitizer
// build (test_barcodes_tsan), which checks the hand-overs between the three threads.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"

namespace {

constexpr int kRows = 3000;
constexpr int kColumns = 4;

// Row r's cell c names shared string r * kColumns + c; the part holds as many again that no
// cell names, so the strings read alongside are cut down to the named ones on the way.
bool writeWorkbook(const QString& path)
{
    QByteArray sheet = "<worksheet><dimension ref=\"A1:D3000\"/><sheetData>";
    QByteArray strings = "<sst>";
    for (int r = 0; r < kRows; ++r) {
        sheet += "\n<row r=\"" + QByteArray::number(r + 1) + "\">";
        for (int c = 0; c < kColumns; ++c) {
            sheet += "<c t=\"s\"><v>" + QByteArray::number(r * kColumns + c) + "</v></c>";
            strings += "<si><t>row " + QByteArray::number(r) + " column " + QByteArray::number(c) + "</t></si>";
        }
        sheet += "</row>";
    }
    for (int unused = 0; unused < kRows * kColumns; ++unused)
        strings += "<si><t>unused</t></si>";
    sheet += "</sheetData></worksheet>";
    strings += "</sst>";
    SSZipArchive archive(path);
    return archive.open() && archive.writeData(sheet, QStringLiteral("xl/worksheets/sheet1.xml")) &&
           archive.writeData(strings, QStringLiteral("xl/sharedStrings.xml")) && archive.close();
}

}  // namespace

TEST(WorkbookThreads, EveryCellOfALongSheetGetsItsOwnSharedString)
{
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("long.xlsx"));
    ASSERT_TRUE(writeWorkbook(path));
    for (int round = 0; round < 3; ++round) {
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadWorkbook(path, true);
        const SheetRows header = SpreadsheetWriter::ReadData_only_column();
        const SheetRows rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
        ASSERT_EQ(rows.size(), kRows);
        ASSERT_EQ(header.value(0).size(), kColumns);
        for (int r = 0; r < kRows; ++r) {
            ASSERT_EQ(rows[r].size(), kColumns) << "row " << r;
            for (int c = 0; c < kColumns; ++c)
                ASSERT_EQ(rows[r][c], QStringLiteral("row %1 column %2").arg(r).arg(c)) << "round " << round;
        }
    }
}

// A sheet read in two pieces whose second begins inside a comment: the second piece reads on
// through the rows after the comment until the first, past the comment, drops it. Its rows stop
// counting and are let go on the threads that count and keep them, while it may still be read.
TEST(WorkbookThreads, ASecondPieceDroppedWhileItIsReadLeavesTheRowsToTheFirst)
{
    constexpr int kHalf = 45000;
    const auto rows = [](int from, int to) {
        QByteArray xml;
        for (int r = from; r < to; ++r)
            xml += "<row><c t=\"inlineStr\"><is><t>Person " + QByteArray::number(r) + "</t></is></c><c><v>"
                   + QByteArray::number(r) + "</v></c></row>\n";
        return xml;
    };
    // The middle of the rows lies in the middle of the comment.
    const QByteArray sheet = "<worksheet><sheetData>" + rows(0, kHalf) + "<!--" + QByteArray("<row/>").repeated(550000)
                             + "-->" + rows(kHalf, 2 * kHalf) + "</sheetData></worksheet>";
    ASSERT_GT(sheet.size(), 8 << 20);
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("commented.xlsx"));
    SSZipArchive archive(path);
    ASSERT_TRUE(archive.open() && archive.writeData(sheet, QStringLiteral("xl/worksheets/sheet1.xml")) && archive.close());
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadWorkbook(path, true);
    const SheetRows read = SpreadsheetWriter::ReadWorkbook(QString(), false);
    ASSERT_EQ(read.size(), 2 * kHalf) << SpreadsheetWriter::sharedInstance()->readRefusal.toStdString();
    for (int r = 0; r < 2 * kHalf; ++r)
        ASSERT_EQ(read[r], (QStringList{QStringLiteral("Person %1").arg(r), QString::number(r)}));
}
