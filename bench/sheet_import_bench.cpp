// Spreadsheet import speed: a 100,000-row x 10-column sheet, once read, into the loaded data table
// through the import window (every column ticked) and into the viewer's model, against building
// the same row dictionaries in a plain loop.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "views/series/DataRowsModel.h"
#include "views/series/Import_Excel.h"
#include "views/series/SheetColumnList.h"
#include "BenchSupport.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 10;
constexpr double kTargetSeconds = 1.0;

SheetRows sampleRows()
{
    SheetRows rows;
    rows.reserve(kRows + 1);
    QStringList titles;
    for (int c = 1; c <= kColumns; ++c)
        titles.append(QStringLiteral("Title %1").arg(c));
    rows.append(titles);
    for (int r = 1; r <= kRows; ++r) {
        QStringList row;
        for (int c = 0; c < kColumns; ++c)
            row.append(c % 2 ? QString::number(r * 10 + c) : QStringLiteral("Person %1 field %2").arg(r).arg(c));
        rows.append(row);
    }
    return rows;
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("people.xlsx"));
    if (!SpreadsheetWriter::WriteWorkbook(workbook, sampleRows(), false)) {
        std::fprintf(stderr, "writing the workbook failed\n");
        return 1;
    }
    // The window lists the sheet and its columns (no dialog is shown without a presenter).
    Import_Excel window;
    window.open_mode = QStringLiteral("E");
    window.Open_excel_Wnd(workbook);
    window.columns().setAllTicked(true);
    SheetRows rows;
    const double readSeconds = timedMs([&] { rows = SpreadsheetWriter::ReadWorkbook(workbook, false); }) / 1e3;
    std::printf("read %lld rows in %.3f s (not counted below)\n", static_cast<long long>(rows.size()), readSeconds);

    DataRowsModel model(false);
    QList<DataRow> plain;
    Rounds rounds;
    rounds.count = countArgument(argc, argv, 7);
    const PairedTimings timings = runPairedRounds(
        rounds,
        {[&] {
            window.Create_Excel_List_Func(rows);
            Data_From_Excel& table = Loaded_Data_Table();
            model.reload(table.ListData, columnsOf(table.ColList));
        }},
        {[&] {
            plain.clear();
            plain.reserve(rows.size());
            for (qsizetype r = 1; r < rows.size(); ++r) {
                DataRow row;
                row.insert(Extension_Key, QString::number(r));
                for (int c = 0; c < kColumns; ++c)
                    row.insert(Column_Key_For_Index(c + 1), rows.at(r).value(c).trimmed());
                plain.append(row);
            }
        }});
    if (Loaded_Data_Table().rowCount() != kRows || model.rowCount() != kRows || model.columnCount() != kColumns + 1)
        std::fprintf(stderr, "the table holds %d rows, the model %d rows and %d columns\n", Loaded_Data_Table().rowCount(),
                     model.rowCount(), model.columnCount());
    printRatio("sheet_into_loaded_table_100k", timings, "row dictionaries built in a plain loop");
    printBudget("sheet_into_loaded_table_100k", "median seconds", timings.ours.median(), kTargetSeconds, " s");
    return 0;
}
