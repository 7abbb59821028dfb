// The series manager taking 100,000 values one by one (as the import wizard and the generator
// hand them over), its value table shown on screen, against appending the same texts to a plain
// vector. The target is at most 1 s for the 100,000. Then 100,000 rows of 10 cells into the
// loaded data table with its viewer's model, at most 1 s after the read.
//   bench_series_manager [rounds]
#include <QApplication>
#include <QTableView>
#include <cstdio>
#include <vector>

#include "data/Data_From_Excel.h"
#include "views/series/BatchWizard.h"
#include "views/series/BatchWizardView.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/SeriesValueModel.h"
#include "BenchSupport.h"

namespace {

constexpr int kValues = 100000;
constexpr int kColumns = 10;
constexpr double kTargetSeconds = 1.0;

QStringList numberedValues()
{
    QStringList values;
    values.reserve(kValues);
    for (int i = 0; i < kValues; ++i)
        values.append(QStringLiteral("ID-%1-A").arg(i, 6, 10, QLatin1Char('0')));
    return values;
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    const int rounds = countArgument(argc, argv, 5);
    const QStringList values = numberedValues();

    BatchWizard manager;
    manager.AddNew_Btn_Clicked();
    manager.view().resize(560, 520);
    manager.view().show();
    QApplication::processEvents();

    std::vector<QString> plain;
    const BenchSide ours{[&] {
                             for (const QString& value : values)
                                 manager.Create_Value_List(value);
                             QApplication::processEvents();
                         },
                         [&] {
                             manager.ListData_value().clear();
                             QApplication::processEvents();
                         }};
    const BenchSide peer{[&] {
                             for (const QString& value : values)
                                 plain.push_back(value);
                         },
                         [&] { plain = {}; }};
    const PairedTimings timings = runPairedRounds(Rounds{rounds, 1, 1}, ours, peer);
    printRatio("series_manager_append_100k", timings, "std::vector<QString>::push_back");
    printBudget("series_manager_append_100k", "median seconds", timings.ours.median(), kTargetSeconds, " s");

    // The loaded table: rows as a read gives them, into the table and the viewer's model.
    QList<QStringList> sheet;
    sheet.reserve(kValues);
    for (int row = 0; row < kValues; ++row) {
        QStringList cells;
        for (int column = 0; column < kColumns; ++column)
            cells.append(QStringLiteral("r%1c%2").arg(row).arg(column));
        sheet.append(cells);
    }
    Data_From_Excel table;
    LoadedDataTableWindow viewer;
    Timings tableTimings;
    for (int round = 0; round < rounds; ++round) {
        table.ListData.clear();
        table.ColList.removeDataColumns();
        tableTimings.seconds.push_back(timedMs([&] {
                                           for (int column = 1; column <= kColumns; ++column)
                                               table.ColList.addColumn(Column_Key_For_Index(column),
                                                                       QStringLiteral("Column %1").arg(column));
                                           for (const QStringList& cells : sheet)
                                               table.Create_List_By_Array(cells, kColumns);
                                           viewer.reload();
                                       })
                                       / 1000.0);
    }
    printBudget("loaded_table_and_viewer_100k_x10", "median seconds", tableTimings.median(), kTargetSeconds, " s");
    return 0;
}
