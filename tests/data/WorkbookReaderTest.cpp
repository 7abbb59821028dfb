#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "data/WorkbookTestSupport.h"
#include "support/TestEnvironment.h"

using namespace WorkbookTestSupport;

namespace {

class WorkbookReaderTest : public ::testing::Test {
protected:
    QTemporaryDir work;

    // Unpacks a workbook of one sheet (and shared strings) and reads its header and rows.
    SheetRows read(const QByteArray& sheet, const QByteArray& sharedStrings = {}, SheetRows* header = nullptr)
    {
        QMap<QString, QByteArray> parts{{"xl/worksheets/sheet1.xml", sheet}};
        if (!sharedStrings.isEmpty())
            parts.insert("xl/sharedStrings.xml", sharedStrings);
        const QString path = work.filePath("book.xlsx");
        EXPECT_TRUE(makeArchive(path, parts));
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadWorkbook(path, true);
        const SheetRows head = SpreadsheetWriter::ReadData_only_column();
        if (header)
            *header = head;
        return SpreadsheetWriter::ReadWorkbook(QString(), false);
    }
};

TEST_F(WorkbookReaderTest, SparseRowsFillTheirGapsAndTheHeaderNamesBlankCells)
{
    SheetRows header;
    const SheetRows rows = read(sheetXml("A1:C3", "<row r=\"1\"><c r=\"B1\"><v>7</v></c><c r=\"C1\"><v>8</v></c></row>"
                                                  "<row r=\"2\"><c r=\"C2\"><v>5</v></c></row>"
                                                  "<row r=\"4\"/>"),
                                {}, &header);
    EXPECT_EQ(header, (SheetRows{{"Untitled Column 1", "7", "8"}}));
    EXPECT_EQ(rows, (SheetRows{{"", "7", "8"}, {"", "", "5"}, {"", "", ""}}));
    EXPECT_EQ(Excel_Sheet_Columns, 3);
}

TEST_F(WorkbookReaderTest, ColumnCountRunsFromColumnAToTheDimensionsEnd)
{
    read(sheetXml("B3:F10", "<row r=\"3\"><c r=\"B3\"><v>1</v></c></row>"));
    EXPECT_EQ(Excel_Sheet_Columns, 6);
    read(sheetXml("A10:D20", "<row r=\"10\"><c r=\"A10\"><v>1</v></c></row>"));
    EXPECT_EQ(Excel_Sheet_Columns, 4);
    const SheetRows rows = read(sheetXml("A1:AB1", "<row r=\"1\"><c r=\"AB1\"><v>x</v></c></row>"));
    EXPECT_EQ(Excel_Sheet_Columns, 28);
    EXPECT_EQ(rows.first().at(27), "x");
}

TEST_F(WorkbookReaderTest, NoCellIsLostToAMissingOrShortDimensionOrReference)
{
    const SheetRows rows = read(sheetXml("A1", "<row><c><v>1</v></c><c><v>2</v></c><c r=\"E1\"><v>5</v></c><c><v>6</v></c></row>"
                                               "<row><c r=\"AAB2\"><v>far</v></c></row>"));
    ASSERT_EQ(rows.size(), 2);
    ASSERT_EQ(rows[0].size(), 704);  // AAB is column 704
    EXPECT_EQ(rows[0].mid(0, 6), (QStringList{"1", "2", "", "", "5", "6"}));
    EXPECT_EQ(rows[1].at(703), "far");

    const SheetRows undimensioned = read(sheetXml("", "<row><c r=\"C1\"><v>3</v></c></row>"));
    EXPECT_EQ(undimensioned, (SheetRows{{"", "", "3"}}));
    EXPECT_EQ(read(sheetXml("A1:", "<row><c r=\"B1\"><v>2</v></c></row>")), (SheetRows{{"", "2"}}));
}

TEST_F(WorkbookReaderTest, CellsGiveSharedStringsInlineStringsAndCachedFormulaResults)
{
    const QByteArray sst = sharedStringsXml(
        "<si><t>zero</t></si>"
        "<si><r><t xml:space=\"preserve\">rich </t></r><r><rPr><b/></rPr><t>text</t></r><rPh><t>ignored</t></rPh></si>"
        "<si><t>two</t></si>"
        "<si><t> </t></si>");
    const SheetRows rows = read(
        sheetXml("A1:F1", "<row r=\"1\">"
                          "<c r=\"A1\" t=\"s\"><v>1</v></c>"
                          "<c r=\"B1\" t=\"s\"><v>2</v></c>"
                          "<c r=\"C1\" t=\"inlineStr\"><is><t>inline ü</t></is></c>"
                          "<c r=\"D1\"><f>SUM(A2:A3)</f><v>6</v></c>"
                          "<c r=\"E1\" t=\"str\"><f>A1&amp;\"!\"</f><v>zero!</v></c>"
                          "<c r=\"F1\" t=\"s\"><v>3</v></c>"
                          "</row>"),
        sst);
    EXPECT_EQ(rows, (SheetRows{{"rich text", "two", "inline ü", "6", "zero!", " "}}));
}

TEST_F(WorkbookReaderTest, SharedStringIndexesOutsideTheListGiveNothingButTheCountItself)
{
    const SheetRows rows = read(sheetXml("A1:D1", "<row><c r=\"A1\" t=\"s\"><v>2</v></c><c r=\"B1\" t=\"s\"><v>3</v></c>"
                                                  "<c r=\"C1\" t=\"s\"><v>-1</v></c><c r=\"D1\" t=\"s\"/></row>"),
                                sharedStringsXml("<si><t>a</t></si><si><t>b</t></si>"));
    EXPECT_EQ(rows, (SheetRows{{"b", "", "", ""}}));
}

TEST_F(WorkbookReaderTest, EachUnpackStartsAfreshAndSheetsAreNumberedInOrder)
{
    QMap<QString, QByteArray> parts;
    for (int n : {1, 2, 10})
        parts.insert(QStringLiteral("xl/worksheets/sheet%1.xml").arg(n),
                     sheetXml("A1", QStringLiteral("<row><c r=\"A1\"><v>%1</v></c></row>").arg(n)));
    const QString several = work.filePath("several.xlsx");
    ASSERT_TRUE(makeArchive(several, parts));
    SpreadsheetWriter::ReadWorkbook(several, true);
    EXPECT_EQ(SpreadsheetWriter::Sheet_File_Names(), (QStringList{"sheet1", "sheet2", "sheet10"}));
    Excel_Sheet_Number = 3;
    SpreadsheetWriter::ReadData_only_column();
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false), (SheetRows{{"10"}}));

    // A file that is not a workbook must not show the previous workbook's rows.
    QFile notZip(work.filePath("plain.xlsx"));
    ASSERT_TRUE(notZip.open(QIODevice::WriteOnly));
    notZip.write("plain text");
    notZip.close();
    SpreadsheetWriter::ReadWorkbook(notZip.fileName(), true);
    Excel_Sheet_Number = 1;
    EXPECT_TRUE(SpreadsheetWriter::ReadData_only_column().isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::ReadWorkbook(QString(), false).isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::Sheet_File_Names().isEmpty());

    // The folder is this run's own and closed to other users.
    const QFileInfo root(QFileInfo(SpreadsheetWriter::temporaryFolder()).path());
    EXPECT_NE(root.absoluteFilePath(), QDir::tempPath());
    EXPECT_EQ(root.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
}

TEST_F(WorkbookReaderTest, UnreadableSheetsGiveEmptyResults)
{
    EXPECT_TRUE(read("<worksheet><sheetData><row>").isEmpty());
}

TEST(WorkbookColumnsTest, LettersAndNumbersAgreeWithOpenpyxl)
{
    EXPECT_EQ(Get_Column_Char_Str("AB12"), "AB");
    EXPECT_EQ(Get_Column_Char_Str("A0B1"), "A0B");
    EXPECT_EQ(Get_Column_Char_Str("XYZ"), "XYZ");
    EXPECT_EQ(Get_Col_index("A", 65), 0);
    EXPECT_EQ(Get_Col_index("AZ", 65), 51);
    EXPECT_EQ(Get_Col_index("ZZ", 64), 702);
    EXPECT_EQ(Get_Col_index("XFD", 64), 16384);
    EXPECT_EQ(Get_Col_index("XFE", 64), -1);
    EXPECT_EQ(Get_Col_index("a", 65), -1);
    EXPECT_EQ(Get_Col_index("", 65), -1);
    EXPECT_EQ(Asc_Val(QStringLiteral("\u0141")), 0x41);

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
