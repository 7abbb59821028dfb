#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "support/TestEnvironment.h"

namespace {

class WorkbookWriterTest : public ::testing::Test {
protected:
    QTemporaryDir work;

    QByteArray part(const QString& workbook, const QString& name)
    {
        return TestEnvironment::run("unzip", {"-p", workbook, name}).out;
    }
    // Every cell as "ref type value" through openpyxl, row by row.
    QString openpyxlCells(const QString& workbook)
    {
        const auto result = TestEnvironment::runPython(
            "import sys, warnings, openpyxl\n"
            "warnings.simplefilter('ignore')\n"
            "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
            "for row in ws.iter_rows():\n"
            "    for c in row:\n"
            "        print(c.coordinate, type(c.value).__name__, repr(c.value))\n",
            {workbook});
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        return QString::fromUtf8(result.out);
    }
};

TEST_F(WorkbookWriterTest, NumbersAndTextsAreTypedAsTheyWouldReadBack)
{
    const QString path = work.filePath("types.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(
        path, {{"Batch Value", "Amount"}, {"12", "-3.25"}, {"abc", "007"}, {"1,5", "+4"}, {"", "1.50"},
               {"12345678901234567", "-0"}},
        false));
    EXPECT_EQ(openpyxlCells(path),
              "A1 str 'Batch Value'\nB1 str 'Amount'\n"
              "A2 int 12\nB2 float -3.25\n"
              "A3 str 'abc'\nB3 str '007'\n"
              "A4 str '1,5'\nB4 str '+4'\n"
              "A5 str ''\nB5 str '1.50'\n"
              "A6 str '12345678901234567'\nB6 str '-0'\n");
    const QString sheet = QString::fromUtf8(part(path, "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains("<dimension ref=\"A1:B6\""));
    EXPECT_TRUE(sheet.contains("<c r=\"A1\" t=\"s\">"));
    EXPECT_EQ(TestEnvironment::run("unzip", {"-t", path}).exitCode, 0);
    // One entry per text cell, the empty text included.
    EXPECT_TRUE(part(path, "xl/sharedStrings.xml").contains("count=\"10\" uniqueCount=\"10\""));
}

TEST_F(WorkbookWriterTest, CharactersXmlCannotHoldNeverSpoilAPart)
{
    const QString path = work.filePath("control.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(
        path, {{QString("bell\x07here"), QString("tab\tand\nline")}, {QString(" padded "), QString("nul") + QChar(0) + "x"}},
        false));
    for (const char* name : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"}) {
        const QString extracted = work.filePath(QFileInfo(name).fileName());
        QFile file(extracted);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(part(path, name));
        file.close();
        EXPECT_EQ(TestEnvironment::run("xmllint", {"--noout", extracted}).exitCode, 0) << name;
    }
    EXPECT_EQ(openpyxlCells(path), "A1 str 'bellhere'\nB1 str 'tab\\tand\\nline'\nA2 str ' padded '\nB2 str 'nulx'\n");
}

TEST_F(WorkbookWriterTest, LongerRowsAndWideSheetsKeepEveryCell)
{
    const QString path = work.filePath("wide.xlsx");
    QStringList titles;
    for (int k = 1; k <= 28; ++k)
        titles.append(QStringLiteral("T%1").arg(k));
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, {titles, titles + QStringList{"extra"}}, false));
    const QString sheet = QString::fromUtf8(part(path, "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains("<dimension ref=\"A1:AB2\""));
    EXPECT_TRUE(sheet.contains("spans=\"1:28\""));
    EXPECT_TRUE(sheet.contains("<c r=\"AC2\" t=\"s\">"));

    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadWorkbook(path, true);
    EXPECT_EQ(SpreadsheetWriter::ReadData_only_column().first(), titles + QStringList{"Untitled Column 29"});
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).last().last(), "extra");
}

TEST_F(WorkbookWriterTest, NothingIsWrittenWithoutRowsOrOverAFolder)
{
    const QString path = work.filePath("none.xlsx");
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(path, {}, false));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(path, {{}}, false));
    EXPECT_FALSE(QFileInfo::exists(path));
    QDir().mkpath(work.filePath("folder.xlsx"));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(work.filePath("folder.xlsx"), {{"a"}}, false));
}

TEST_F(WorkbookWriterTest, TheOtherFormatsReadBack)
{
    const SheetRows rows{{"Name", "Age"}, {"Zoë", "31"}, {"", "x<y"}};
    const QString xml2003 = work.filePath("table.xml");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorksheetXML2004(xml2003, rows));
    EXPECT_EQ(SpreadsheetWriter::ReadWorksheetXML2004(xml2003), rows);

    const QString ods = work.filePath("table.ods");
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(ods, rows, false));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(ods), rows);
    EXPECT_EQ(TestEnvironment::run("unzip", {"-t", ods}).exitCode, 0);

    SpreadsheetWriter* writer = SpreadsheetWriter::sharedInstance();
    QDir().mkpath(writer->tmpDir + "/xl");
    ASSERT_TRUE(writer->WriteWorkbookXML(writer->tmpDir + "/xl/workbook.xml", "People & Co"));
    EXPECT_EQ(SpreadsheetWriter::Read_Sheet_Name(), QStringList{"People & Co"});
}

}  // namespace
