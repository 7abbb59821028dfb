// Which written cells are numbers and which stay text, as openpyxl reads them back; and zip entry
// names that step out of a folder and back in.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"
#include "support/TestEnvironment.h"

namespace {

// A spreadsheet number keeps 15 significant digits, so 15 digits are a number and 16 stay text,
// as does any leading zero.
TEST(WorkbookCellTypes, LeadingZerosAndDigitStringsBeyondFifteenStayText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("types.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(
        path, {{"Code", "Number"}, {"07", "123456789012345"}, {"0", "1234567890123456"}, {"0.5", "-987654321098765"}},
        false));
    const auto read = TestEnvironment::runPython(
        "import sys, openpyxl\n"
        "for row in openpyxl.load_workbook(sys.argv[1]).worksheets[0].iter_rows(min_row=2, values_only=True):\n"
        "    print('|'.join(type(v).__name__ + ':' + repr(v) for v in row))\n",
        {path});
    ASSERT_EQ(read.exitCode, 0) << read.err.constData();
    EXPECT_EQ(QString::fromUtf8(read.out), "str:'07'|int:123456789012345\nint:0|str:'1234567890123456'\n"
                                           "float:0.5|int:-987654321098765\n");
}

// ".." is refused in any entry name, even where the name would come back inside the folder.
TEST(ZipEntryNames, AStepOutAndBackInIsSkippedAndReplacesNothing)
{
    QTemporaryDir dir;
    const QString archive = dir.filePath("book.zip"), dest = dir.filePath("dest");
    const auto made = TestEnvironment::runPython(
        "import sys, zipfile\n"
        "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
        "    z.writestr('xl/../x.xml', 'from the archive')\n"
        "    z.writestr('xl/./y.xml', 'kept')\n",
        {archive});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    ASSERT_TRUE(QDir().mkpath(dest));
    QFile existing(dest + "/x.xml");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly) && existing.write("ours") == 4);
    existing.close();

    SSZipArchive::unzipFileAtPath(archive, dest);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "ours");
    EXPECT_EQ(QDir(dest + "/xl").entryList(QDir::Files), QStringList{"y.xml"});
}

}  // namespace
