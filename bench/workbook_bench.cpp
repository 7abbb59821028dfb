// Workbook speed: reading a 100,000-row x 10-column workbook against xlsx2csv on the same file
// (with our peak memory), and writing 10,000 and 100,000 rows to show linear growth.
//   bench_workbook_bench            the whole comparison
//   bench_workbook_bench --read F   one timed read of F (run as a child so its peak memory is its own)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"

namespace {

constexpr int kColumns = 10;

// Half texts (shared strings), half numbers, as a typical card-holder list.
SheetRows sampleRows(int count)
{
    SheetRows rows;
    rows.reserve(count + 1);
    QStringList titles;
    for (int c = 1; c <= kColumns; ++c)
        titles.append(QStringLiteral("Title %1").arg(c));
    rows.append(titles);
    for (int r = 1; r <= count; ++r) {
        QStringList row;
        for (int c = 0; c < kColumns; ++c)
            row.append(c % 2 ? QString::number(r * 10 + c) : QStringLiteral("Person %1 field %2").arg(r).arg(c));
        rows.append(row);
    }
    return rows;
}

double writeSeconds(const QString& path, int count)
{
    const SheetRows rows = sampleRows(count);
    QElapsedTimer timer;
    timer.start();
    if (!SpreadsheetWriter::WriteWorkbook(path, rows, false))
        std::fprintf(stderr, "writing %d rows failed\n", count);
    return timer.nsecsElapsed() / 1e9;
}

// The import's sequence: unpack and shared strings, header, all rows, into the loaded data table.
int readOnce(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadWorkbook(path, true);
    const SheetRows header = SpreadsheetWriter::ReadData_only_column();
    const SheetRows rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    Data_From_Excel* table = Data_From_Excel::defaultInstance();
    for (int r = 1; r < rows.size(); ++r)
        table->Create_List_By_Array(rows.at(r), int(header.value(0).size()));
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f %ld %d\n", seconds, usage.ru_maxrss, table->rowCount());
    return table->rowCount() == rows.size() - 1 ? 0 : 1;
}

double timedRun(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.setStandardOutputFile(output ? QString() : QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitCode() == 0 ? seconds : -1.0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--read")
        return readOnce(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir work;
    const double small = writeSeconds(work.filePath("small.xlsx"), 10000);
    const double large = writeSeconds(work.filePath("large.xlsx"), 100000);
    std::printf("write   10,000 rows: %.3f s\n", small);
    std::printf("write  100,000 rows: %.3f s  (x%.1f for 10x the rows; linear is about 10)\n", large, large / small);

    double best = 1e9;
    long peakKb = 0;
    for (int i = 0; i < 3; ++i) {
        QByteArray line;
        if (timedRun(app.applicationFilePath(), {"--read", work.filePath("large.xlsx")}, &line) < 0) {
            std::fprintf(stderr, "reading failed\n");
            return 1;
        }
        const QList<QByteArray> fields = line.trimmed().split(' ');
        best = std::min(best, fields.value(0).toDouble());
        peakKb = std::max(peakKb, fields.value(1).toLong());
    }
    std::printf("read   100,000 x %d: %.3f s (best of 3), peak memory %.1f MB\n", kColumns, best, peakKb / 1024.0);

    if (QStandardPaths::findExecutable("xlsx2csv").isEmpty()) {
        std::printf("xlsx2csv not installed: no comparison\n");
        return 0;
    }
    const double peer = timedRun("xlsx2csv", {work.filePath("large.xlsx")});
    std::printf("xlsx2csv same file : %.3f s\n", peer);
    std::printf("ratio: %.1fx faster (target at least 5x)\n", peer / best);
    return 0;
}
