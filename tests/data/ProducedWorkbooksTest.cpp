// Workbooks made by other programs read through the workbook probe, and our own workbooks read
// by other programs.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/WorkbookTestSupport.h"
#include "support/TestEnvironment.h"

using namespace WorkbookTestSupport;

namespace {

QString unicodeText() { return QStringLiteral("Zoë 日本語 😀"); }

class ProducedWorkbooksTest : public ::testing::Test {
protected:
    static inline QTemporaryDir* work = nullptr;

    static void SetUpTestSuite() { work = new QTemporaryDir; }
    static void TearDownTestSuite() { delete work; }
    static QString at(const QString& name) { return work->filePath(name); }

    static void python(const QString& script)
    {
        const auto result = TestEnvironment::runPython(script, {work->path()});
        ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    }

    // Converts the files in one LibreOffice run (its start-up is slow), with a profile of its own.
    static bool libreOffice(const QString& filterAndFormat, const QStringList& files, const QStringList& infilter = {})
    {
        if (QStandardPaths::findExecutable("libreoffice").isEmpty())
            return false;
        QStringList arguments{"-env:UserInstallation=file://" + at("lo-profile"), "--headless"};
        arguments << infilter << "--convert-to" << filterAndFormat << "--outdir" << work->path() << files;
        return TestEnvironment::run("libreoffice", arguments, 180000).exitCode == 0;
    }
};

TEST_F(ProducedWorkbooksTest, OpenpyxlSheetsBlankTitlesWideColumnsAndUnicode)
{
    python(QStringLiteral(
               "import sys, openpyxl\n"
               "wb = openpyxl.Workbook()\n"
               "first = wb.active; first.title = 'First'\n"
               "first.append(['Name', None, 'City'])\n"
               "first.append(['Ann', 'x', 'Oslo'])\n"
               "first.append([None, None, 'Rome'])\n"
               "first.append([5, 2.5, '=A2'])\n"
               "second = wb.create_sheet('Second')\n"
               "second['A1'] = 'Key'; second.cell(row=1, column=705, value='Far')\n"
               "second['A2'] = '%1'; second.cell(row=2, column=705, value='end')\n"
               "wb.save(sys.argv[1] + '/openpyxl.xlsx')\n")
               .arg(unicodeText()));
    EXPECT_EQ(probeDump(at("openpyxl.xlsx"), 1),
              (QList<QStringList>{{"Name", "Untitled Column 2", "City"}, {"Ann", "x", "Oslo"}, {"", "", "Rome"},
                                  {"5", "2.5", ""}}));
    const QList<QStringList> second = probeDump(at("openpyxl.xlsx"), 2);
    ASSERT_EQ(second.size(), 2);
    ASSERT_EQ(second[0].size(), 705);
    EXPECT_EQ(second[0].first(), "Key");
    EXPECT_EQ(second[0].at(5), "Untitled Column 6");
    EXPECT_EQ(second[0].last(), "Far");
    EXPECT_EQ(second[1].first(), unicodeText());
    EXPECT_EQ(second[1].last(), "end");
}

TEST_F(ProducedWorkbooksTest, XlsxwriterRichTextFormulasAndInlineStrings)
{
    python(QStringLiteral(
               "import sys, xlsxwriter\n"
               "wb = xlsxwriter.Workbook(sys.argv[1] + '/xlsxwriter.xlsx')\n"
               "ws = wb.add_worksheet('Data')\n"
               "bold = wb.add_format({'bold': True})\n"
               "ws.write_row(0, 0, ['Label', 'Total', 'Note'])\n"
               "ws.write_rich_string(1, 0, 'plain ', bold, 'bold', ' tail')\n"
               "ws.write_formula(1, 1, '=2+3', None, 5)\n"
               "ws.write(1, 2, 'after rich')\n"
               "ws.write(2, 2, '%1')\n"
               "wb.add_worksheet('Other').write(0, 0, 'other sheet')\n"
               "wb.close()\n"
               "wb = xlsxwriter.Workbook(sys.argv[1] + '/inline.xlsx', {'constant_memory': True})\n"
               "ws = wb.add_worksheet()\n"
               "ws.write_row(0, 0, ['A', 'B'])\n"
               "ws.write_row(1, 0, ['inline text', 7])\n"
               "wb.close()\n")
               .arg(unicodeText()));
    EXPECT_EQ(probeDump(at("xlsxwriter.xlsx"), 1),
              (QList<QStringList>{{"Label", "Total", "Note"}, {"plain bold tail", "5", "after rich"}, {"", "", unicodeText()}}));
    EXPECT_EQ(probeDump(at("xlsxwriter.xlsx"), 2), (QList<QStringList>{{"other sheet"}}));
    EXPECT_EQ(probeDump(at("inline.xlsx")), (QList<QStringList>{{"A", "B"}, {"inline text", "7"}}));
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
    EXPECT_EQ(probeDump(at("people.xlsx")),
              (QList<QStringList>{{"Name", "Untitled Column 2", "City", "Code"},
                                  {"Zoë Ångström", "first", "Zürich", "A-1"},
                                  {"李小龙", "", "香港", ""},
                                  {"", "only middle", "", ""},
                                  {"Ólafur", "x", "Reykjavík", "Z-9"}}));
    const QList<QStringList> wideRows = probeDump(at("wide.xlsx"));
    ASSERT_EQ(wideRows.size(), 2);
    EXPECT_EQ(wideRows[0], wideTitles);
    EXPECT_EQ(wideRows[1].last(), "last");
}

TEST_F(ProducedWorkbooksTest, OurWorkbooksOpenElsewhereWithEveryValue)
{
    const QStringList lines{"Name\tPhone\tScore\tNote", QStringLiteral("%1\t007123\t12\t a, \"quoted\" ").arg(unicodeText()),
                            "Bob\t+44 20\t-1.5\t", "\t42\t0.001\tlast"};
    const auto written = [&] {
        QProcess process;
        process.start(probePath(), {"write", at("ours.xlsx")});
        process.waitForStarted();
        process.write((lines.join('\n') + '\n').toUtf8());
        process.closeWriteChannel();
        process.waitForFinished();
        return process.exitCode();
    }();
    ASSERT_EQ(written, 0);
    EXPECT_EQ(TestEnvironment::run("unzip", {"-t", at("ours.xlsx")}).exitCode, 0);

    const auto types = TestEnvironment::runPython(
        "import sys, warnings, openpyxl\n"
        "warnings.simplefilter('ignore')\n"
        "for row in openpyxl.load_workbook(sys.argv[1] + '/ours.xlsx').active.iter_rows(values_only=True):\n"
        "    print('|'.join(type(v).__name__ + ':' + str(v) for v in row))\n",
        {work->path()});
    EXPECT_EQ(QString::fromUtf8(types.out),
              QStringLiteral("str:Name|str:Phone|str:Score|str:Note\n"
                             "str:%1|str:007123|int:12|str: a, \"quoted\" \n"
                             "str:Bob|str:+44 20|float:-1.5|str:\n"
                             "str:|int:42|float:0.001|str:last\n")
                  .arg(unicodeText()));

    if (!libreOffice("csv:Text - txt - csv (StarCalc):44,34,76,1", {at("ours.xlsx")}))
        GTEST_SKIP() << "LibreOffice is not available";
    const auto csv = TestEnvironment::runPython(
        "import sys, csv\n"
        "for row in csv.reader(open(sys.argv[1] + '/ours.csv', encoding='utf-8', newline='')):\n"
        "    print('\\t'.join(row))\n",
        {work->path()});
    EXPECT_EQ(QString::fromUtf8(csv.out), lines.join('\n') + '\n');
}

}  // namespace
