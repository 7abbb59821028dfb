// Workbooks made by other programs read through the workbook probe, and our own workbooks read
// by other programs.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/SpreadsheetWriter.h"
#include "support/HostileWorkbooks.h"
#include "support/MovedTabWorkbook.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"

namespace {

const QString unicodeText = QStringLiteral("Zoë 日本語 😀");

class ProducedWorkbooksTest : public ::testing::Test {
protected:
    static inline QTemporaryDir* work = nullptr;
    static void SetUpTestSuite() { work = new QTemporaryDir; }
    static void TearDownTestSuite() { delete work; }
    static QString at(const QString& name) { return work->filePath(name); }
    static QString probe() { return QCoreApplication::applicationDirPath() + "/workbook-probe"; }

    // "workbook-probe dump" split into lines and tabs; empty on failure.
    static QList<QStringList> dump(const QString& name, int sheet = 1)
    {
        const auto result = TestEnvironment::run(probe(), {"dump", at(name), QString::number(sheet)});
        QList<QStringList> rows;
        for (const QString& line : QString::fromUtf8(result.out).split('\n', Qt::SkipEmptyParts))
            rows.append(line.split('\t'));
        return result.exitCode == 0 ? rows : QList<QStringList>();
    }
    // After checking the archive and that every XML part parses: each row of the first sheet as
    // openpyxl reads it, cells "type:repr" joined by '|'.
    static QString openpyxlRows(const QString& workbook)
    {
        const auto result = TestEnvironment::runPython(
            "import sys, warnings, zipfile, xml.dom.minidom, openpyxl\n"
            "warnings.simplefilter('ignore')\n"
            "z = zipfile.ZipFile(sys.argv[1])\n"
            "assert z.testzip() is None\n"
            "for name in z.namelist():\n"
            "    if name.endswith('.xml'):\n"
            "        xml.dom.minidom.parseString(z.read(name))\n"
            "for row in openpyxl.load_workbook(sys.argv[1]).worksheets[0].iter_rows(values_only=True):\n"
            "    print('|'.join(type(v).__name__ + ':' + repr(v) for v in row))\n",
            {workbook});
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        return QString::fromUtf8(result.out);
    }
    // Converts the files in one LibreOffice run (its start-up is slow), with a profile of its own.
    static bool libreOffice(const QString& filterAndFormat, const QStringList& files, const QStringList& infilter = {})
    {
        QStringList arguments{"-env:UserInstallation=file://" + at("lo-profile"), "--headless"};
        arguments << infilter << "--convert-to" << filterAndFormat << "--outdir" << work->path() << files;
        return TestEnvironment::run("libreoffice", arguments, 180000).exitCode == 0;
    }
};

TEST_F(ProducedWorkbooksTest, OpenpyxlAndXlsxwriterWorkbooks)
{
    const auto made = TestEnvironment::runPython(
        "import sys, openpyxl, xlsxwriter\n"
        "wb = openpyxl.Workbook()\n"
        "for row in (['Name', None, 'City'], ['Ann', 'x', 'Oslo'], [None, None, 'Rome'], [5, 2.5, '=A2']):\n"
        "    wb.active.append(row)\n"
        "second = wb.create_sheet('Second')\n"
        "second['A1'] = 'Key'\n"
        "second.cell(row=1, column=705, value='Far')\n"
        "second['A2'] = sys.argv[2]\n"
        "second.cell(row=2, column=705, value='end')\n"
        "wb.save(sys.argv[1] + '/openpyxl.xlsx')\n"
        "wb = xlsxwriter.Workbook(sys.argv[1] + '/xlsxwriter.xlsx')\n"
        "ws = wb.add_worksheet('Data')\n"
        "ws.write_row(0, 0, ['Label', 'Total', 'Note'])\n"
        "ws.write_rich_string(1, 0, 'plain ', wb.add_format({'bold': True}), 'bold', ' tail')\n"
        "ws.write_formula(1, 1, '=2+3', None, 5)\n"
        "ws.write(1, 2, 'after rich')\n"
        "ws.write(2, 2, sys.argv[2])\n"
        "wb.add_worksheet('Other').write(0, 0, 'other sheet')\n"
        "wb.close()\n"
        "wb = xlsxwriter.Workbook(sys.argv[1] + '/inline.xlsx', {'constant_memory': True})\n"
        "wb.add_worksheet().write_row(0, 0, ['A', 'B'])\n"
        "wb.worksheets()[0].write_row(1, 0, ['inline text', 7])\n"
        "wb.close()\n",
        {work->path(), unicodeText});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    EXPECT_EQ(dump("openpyxl.xlsx", 1), (QList<QStringList>{{"Name", "Untitled Column 2", "City"}, {"Ann", "x", "Oslo"},
                                                            {"", "", "Rome"}, {"5", "2.5", ""}}));
    const QList<QStringList> second = dump("openpyxl.xlsx", 2);
    ASSERT_EQ(second.size(), 2);
    ASSERT_EQ(second[0].size(), 705);
    EXPECT_EQ((QStringList{second[0].first(), second[0].at(5), second[0].last(), second[1].first(), second[1].last()}),
              (QStringList{"Key", "Untitled Column 6", "Far", unicodeText, "end"}));

    EXPECT_EQ(dump("xlsxwriter.xlsx", 1), (QList<QStringList>{{"Label", "Total", "Note"},
                                                              {"plain bold tail", "5", "after rich"}, {"", "", unicodeText}}));
    EXPECT_EQ(dump("xlsxwriter.xlsx", 2), (QList<QStringList>{{"other sheet"}}));
    EXPECT_EQ(dump("inline.xlsx"), (QList<QStringList>{{"A", "B"}, {"inline text", "7"}}));
}

TEST_F(ProducedWorkbooksTest, LibreOfficeWorkbooksFromCsv)
{
    QFile::copy(TestEnvironment::fixtureDir() + "/data/people.csv", at("people.csv"));
    QStringList wideTitles;
    for (int k = 1; k <= 710; ++k)
        wideTitles.append(QStringLiteral("c%1").arg(k));
    QFile wide(at("wide.csv"));
    ASSERT_TRUE(wide.open(QIODevice::WriteOnly));
    wide.write((wideTitles.join(',') + "\n" + QString(709, ',') + "last\n").toUtf8());
    wide.close();

    if (!libreOffice("xlsx", {at("people.csv"), at("wide.csv")}, {"--infilter=CSV:44,34,76,1"}))
        GTEST_SKIP() << "LibreOffice is not available";
    EXPECT_EQ(dump("people.xlsx"), (QList<QStringList>{{"Name", "Untitled Column 2", "City", "Code"},
                                                        {"Zoë Ångström", "first", "Zürich", "A-1"}, {"李小龙", "", "香港", ""},
                                                        {"", "only middle", "", ""}, {"Ólafur", "x", "Reykjavík", "Z-9"}}));
    EXPECT_EQ(dump("wide.xlsx"), (QList<QStringList>{wideTitles, QString(709, ',').split(',').mid(1) << "last"}));
}

TEST_F(ProducedWorkbooksTest, OurWorkbooksOpenElsewhereWithEveryValue)
{
    const QStringList lines{"Name\tPhone\tScore\tNote", QStringLiteral("%1\t007123\t12\t a, \"quoted\" ").arg(unicodeText),
                            "Bob\t+44 20\t-1.5\t", "\t42\t0.001\tlast"};
    QProcess writer;
    writer.start(probe(), {"write", at("ours.xlsx")});
    writer.write((lines.join('\n') + '\n').toUtf8());
    writer.closeWriteChannel();
    ASSERT_TRUE(writer.waitForFinished());
    ASSERT_EQ(writer.exitCode(), 0);
    EXPECT_EQ(openpyxlRows(at("ours.xlsx")),
              QStringLiteral("str:'Name'|str:'Phone'|str:'Score'|str:'Note'\n"
                             "str:'%1'|str:'007123'|int:12|str:' a, \"quoted\" '\n"
                             "str:'Bob'|str:'+44 20'|float:-1.5|str:''\n"
                             "str:''|int:42|float:0.001|str:'last'\n")
                  .arg(unicodeText));

    if (!libreOffice("csv:Text - txt - csv (StarCalc):44,34,76,1", {at("ours.xlsx")}))
        GTEST_SKIP() << "LibreOffice is not available";
    const auto csv = TestEnvironment::runPython("import sys, csv\n"
                                                "for row in csv.reader(open(sys.argv[1], encoding='utf-8', newline='')):\n"
                                                "    print('\\t'.join(row))\n",
                                                {at("ours.csv")});
    EXPECT_EQ(QString::fromUtf8(csv.out), lines.join('\n') + '\n');
}

// Numbers are decided in the C locale; only texts that read back as the same number are numbers.
TEST_F(ProducedWorkbooksTest, WrittenNumbersAndTextsAreTypedAsTheyWouldReadBack)
{
    const QString path = at("types.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(
        path, {{"Batch Value", "Amount"}, {"12", "-3.25"}, {"abc", "007"}, {"1,5", "+4"}, {"", "1.50"},
               {"12345678901234567", "-0"}},
        false));
    EXPECT_EQ(openpyxlRows(path), "str:'Batch Value'|str:'Amount'\nint:12|float:-3.25\nstr:'abc'|str:'007'\n"
                                  "str:'1,5'|str:'+4'\nstr:''|str:'1.50'\nstr:'12345678901234567'|str:'-0'\n");
    EXPECT_TRUE(TestEnvironment::run("unzip", {"-p", path, "xl/worksheets/sheet1.xml"}).out.contains("<dimension ref=\"A1:B6\""));
    // One entry per text cell, the empty text included.
    EXPECT_TRUE(TestEnvironment::run("unzip", {"-p", path, "xl/sharedStrings.xml"}).out.contains("count=\"10\" uniqueCount=\"10\""));
}

TEST_F(ProducedWorkbooksTest, CharactersXmlCannotHoldNeverSpoilAWrittenPart)
{
    const QString path = at("control.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(
        path, {{QString("bell\x07here"), QString("tab\tand\nline")}, {QString(" padded "), QString("nul") + QChar(0) + "x"}},
        false));
    EXPECT_EQ(openpyxlRows(path), "str:'bellhere'|str:'tab\\tand\\nline'\nstr:' padded '|str:'nulx'\n");
}

TEST_F(ProducedWorkbooksTest, APartThatCannotBeWrittenFailsWithAnAlertSound)
{
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter installed(presenter);
    EXPECT_FALSE(SpreadsheetWriter::WriteWorksheetXML2004(at("missing-folder/sheet.xml"), {{"a"}}));
    EXPECT_EQ(presenter.beeps(), 1);
    EXPECT_TRUE(presenter.texts().isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::WriteWorksheetXML2004(at("sheet.xml"), {{"a"}}));
    EXPECT_EQ(presenter.beeps(), 1);
}

// A workbook whose tabs are not in the order of its parts lists each sheet under its own name
// over its own data, as openpyxl reads it; a chart sheet holds no rows and is not listed.
TEST_F(ProducedWorkbooksTest, EachSheetIsListedOverItsOwnData)
{
    for (const bool withChart : {false, true}) {
        const QString name = withChart ? "moved-chart.xlsx" : "moved.xlsx", path = at(name);
        ASSERT_TRUE(MovedTabWorkbook::make(path, withChart));
        const auto listed = TestEnvironment::run(probe(), {"sheets", path});
        ASSERT_EQ(listed.exitCode, 0) << listed.err.constData();
        EXPECT_EQ(QString::fromUtf8(listed.out), "Staff\tsheet2\tName\nCodes\tsheet1\tCode\n");
        QString namesAndFirstCells;
        for (const QString& line : QString::fromUtf8(listed.out).split('\n', Qt::SkipEmptyParts))
            namesAndFirstCells += line.section('\t', 0, 0) + '\t' + line.section('\t', 2, 2) + '\n';
        EXPECT_EQ(namesAndFirstCells, MovedTabWorkbook::openpyxlSheets(path));
        EXPECT_EQ(dump(name, 1), (QList<QStringList>{{"Name", "Photo"}, {"Ann", "ann.png"}}));
    }
}

// The dump fills the loaded table as the import does, within the same bound: a far cell on the
// first row would widen 1,219 rows to 16,384 columns.
TEST_F(ProducedWorkbooksTest, TheDumpFillsNoTablePastTheAllowance)
{
    ASSERT_TRUE(HostileWorkbooks::make(HostileWorkbooks::kWideSheet, at("wide-sheet.xlsx")));
    const auto dumped = TestEnvironment::run(probe(), {"dump", at("wide-sheet.xlsx")});
    EXPECT_EQ(dumped.exitCode, 1);
    EXPECT_TRUE(dumped.out.isEmpty());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("The sheet is too large to load: 1219 rows of 16384 columns would take "
                                                  "more than \\d+ MB of memory\\."))
                    .match(QString::fromUtf8(dumped.err))
                    .hasMatch())
        << dumped.err.constData();
}

}  // namespace
