// Workbooks of a few hundred kilobytes shaped to expand to gigabytes: each opens or is refused
// with a message, and its read and import stay within 256 MB of memory.
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "support/HostileWorkbooks.h"

namespace {

constexpr qint64 kBoundKb = 256 * 1024;

// A size the kernel gives in the status of this process, in KB.
qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// How far the peak resident size rose while `work` ran: the peak is first reset to the present
// size, so only this work counts.
template <class Work>
qint64 peakGrowthKb(Work&& work)
{
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (!reset.open(QIODevice::WriteOnly) || reset.write("5") != 1)
        return -1;
    reset.close();
    const qint64 before = statusKb("VmHWM:");
    work();
    return before > 0 ? std::max<qint64>(0, statusKb("VmHWM:") - before) : -1;
}

struct ImportResult {
    SheetRows header;
    SheetRows rows;
    QString refusal;
    QString fillRefusal;
    int tableRows = 0;
};

// What the import windows do: sheet 1's header and rows, then the loaded table filled to the
// header's width when that fits.
ImportResult importSheet(const QString& path)
{
    ImportResult result;
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadWorkbook(path, true);
    result.header = SpreadsheetWriter::ReadData_only_column();
    result.rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    result.refusal = SpreadsheetWriter::sharedInstance()->readRefusal;
    const int columns = result.header.isEmpty() ? 0 : int(result.header.first().size());
    Data_From_Excel table;
    table.Fill_From_Sheet(result.rows, 0, leadingPositions(columns), &result.fillRefusal);
    result.tableRows = table.rowCount();
    return result;
}

// Whether the sheet read was refused for the memory it would take, as the user is told.
::testing::AssertionResult refusedForMemory(const ImportResult& result)
{
    static const QRegularExpression refusal(
        QStringLiteral("^The sheet sheet1\\.xml would take more than \\d+ MB of memory\\.$"));
    if (refusal.match(result.refusal).hasMatch())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "refused for: " << result.refusal.toStdString();
}

}  // namespace

TEST(WorkbookBoundsTest, ExpandingWorkbooksOpenOrAreRefusedWithinTheirBound)
{
    QTemporaryDir work;
    QMap<QString, ImportResult> results;
    for (const QString& shape : HostileWorkbooks::kAll) {
        const QString path = work.filePath(shape + QStringLiteral(".xlsx"));
        ASSERT_TRUE(HostileWorkbooks::make(shape, path)) << shape.toStdString();
        ASSERT_LT(QFile(path).size(), 1 << 20) << shape.toStdString();
        const qint64 grew = peakGrowthKb([&] { results[shape] = importSheet(path); });
        EXPECT_GE(grew, 0) << "no resident size to measure";
        EXPECT_LT(grew, kBoundKb) << shape.toStdString() << " took " << grew / 1024 << " MB";
    }

    // A far cell on every row would hold 1,220 rows of 16,384 places: refused, saying why.
    const ImportResult& far = results[HostileWorkbooks::kFarCell];
    EXPECT_TRUE(far.rows.isEmpty());
    EXPECT_TRUE(refusedForMemory(far));

    // One far cell is read as it stands, but filling 1,220 rows to 16,384 columns is refused.
    const ImportResult& wide = results[HostileWorkbooks::kWideSheet];
    ASSERT_EQ(wide.rows.size(), 1220);
    EXPECT_EQ(wide.rows[7], (QStringList{"8", "", "c"}));
    EXPECT_EQ(wide.rows[0].last(), "far");
    EXPECT_TRUE(wide.refusal.isEmpty()) << wide.refusal.toStdString();
    EXPECT_EQ(wide.tableRows, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^The sheet is too large to load: 1220 rows of 16384 columns would "
                                                  "take more than \\d+ MB of memory\\.$"))
                    .match(wide.fillRefusal)
                    .hasMatch())
        << wide.fillRefusal.toStdString();
    // The same rows fill a table of their first three columns.
    EXPECT_TRUE(SpreadsheetWriter::fillFits(1220, 3, nullptr));

    // 750,000 rows are refused whole, saying why; nothing of them is kept.
    const ImportResult& rows = results[HostileWorkbooks::kOneCellRows];
    EXPECT_TRUE(rows.header.isEmpty());
    EXPECT_TRUE(rows.rows.isEmpty());
    EXPECT_TRUE(refusedForMemory(rows));

    // A million shared strings of which the sheet names two: it opens with those two.
    const ImportResult& strings = results[HostileWorkbooks::kUnusedStrings];
    EXPECT_EQ(strings.rows, (SheetRows{{"first", "last"}}));
    EXPECT_EQ(strings.header, (SheetRows{{"first", "last"}}));
    EXPECT_EQ(strings.tableRows, 1);
    EXPECT_TRUE(strings.refusal.isEmpty()) << strings.refusal.toStdString();

    // A hundred cells naming one entity: refused before it is expanded.
    EXPECT_EQ(results[HostileWorkbooks::kEntities].refusal,
              "The part xl/worksheets/sheet1.xml declares a document type (DOCTYPE), which no workbook part may hold.");
    // Millions of cells naming one shared string count against the allowance as they are read.
    const ImportResult& cells = results[HostileWorkbooks::kSharedCells];
    EXPECT_TRUE(cells.rows.isEmpty());
    EXPECT_TRUE(refusedForMemory(cells));

    // Eight million packed into a third of a megabyte are not even unpacked.
    const ImportResult& packed = results[HostileWorkbooks::kPackedStrings];
    EXPECT_TRUE(packed.rows.isEmpty());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^The part xl/sharedStrings\\.xml unpacks to more than \\d+ MB\\.$"))
                    .match(packed.refusal)
                    .hasMatch())
        << packed.refusal.toStdString();
}
