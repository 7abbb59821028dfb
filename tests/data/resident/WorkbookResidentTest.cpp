// What the workbook reader holds of the machine's memory as the program runs for its users.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

QByteArray peopleRows(int from, int to)
{
    QByteArray rows;
    for (int r = from; r < to; ++r) {
        const QByteArray n = QByteArray::number(r);
        rows += "<row><c t=\"inlineStr\"><is><t>Person " + n + "</t></is></c><c><v>" + n + "</v></c></row>\n";
    }
    return rows;
}

}  // namespace

// A sheet of 50 MB is read in two pieces, the second from its middle, which here falls inside an
// element the reader passes over, 26 MB of empty "row" elements. The second piece reads the last
// 350,000 of those before the first finds that it began inside an element: they are no rows of
// the sheet, and once the piece is dropped they count nothing against the allowance, which the
// sheet's own 301,000 rows fit, but not with those counted too.
TEST(WorkbookResidentTest, RowsOfASecondPieceBegunInsideAnElementPassedOverCountNothing)
{
    constexpr int kBefore = 1000, kAfter = 300000;
    const QByteArray head = "<worksheet><sheetData>";
    const QByteArray tail = "</sheetData></worksheet>";
    const QByteArray before = peopleRows(0, kBefore);
    const QByteArray after = peopleRows(kBefore, kBefore + kAfter);
    // Long enough that the middle of the rows lies 2 MB before its end.
    const qint64 passedOverBytes = after.size() + tail.size() - before.size() + (qint64(4) << 20);
    const QByteArray passedOver = "<x>" + QByteArray("<row/>").repeated(passedOverBytes / 6) + "</x>";

    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("people.xlsx"));
    SSZipArchive archive(path);
    ASSERT_TRUE(archive.open());
    ASSERT_TRUE(archive.writeData(head + before + passedOver + after + tail, QStringLiteral("xl/worksheets/sheet1.xml")));
    ASSERT_TRUE(archive.close());

    SheetRows header, rows;
    readWithinBounds(QStringLiteral("a sheet whose middle lies inside an element passed over"), [&] {
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadWorkbook(path, true);
        header = SpreadsheetWriter::ReadData_only_column();
        rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    });
    const QString refusal = SpreadsheetWriter::sharedInstance()->readRefusal;
    EXPECT_TRUE(refusal.isEmpty()) << refusal.toStdString();
    EXPECT_EQ(header, (SheetRows{{"Person 0", "0"}}));
    ASSERT_EQ(rows.size(), kBefore + kAfter);
    EXPECT_EQ(rows[kBefore - 1], (QStringList{"Person 999", "999"}));
    EXPECT_EQ(rows[kBefore], (QStringList{"Person 1000", "1000"}));
    EXPECT_EQ(rows.last(), (QStringList{"Person 300999", "300999"}));
}
