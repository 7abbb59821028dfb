// Workbook speed: reading a 100,000-row x 10-column workbook against xlsx2csv on the same file
// (with our peak memory), both as whole processes, interleaved; and writing 10,000 and 100,000
// rows to show linear growth.
//   bench_workbook_bench            the whole comparison
//   bench_workbook_bench --read F   one timed read of F (run as a child so its peak memory is its own)
//   bench_workbook_bench --write F N   writes the compared workbook with N rows to F, to profile a read of it
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "BenchSupport.h"

namespace {

constexpr int kColumns = 10;
// At least five times as fast as xlsx2csv.
constexpr double kTargetRatio = 0.2;

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

// This process's own peak resident size. The usage counters would report the launching
// process's size instead when that was larger, as it survives into a child it starts.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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
    std::printf("%.3f %ld %d\n", seconds, peakResidentKb(), table->rowCount());
    return table->rowCount() == rows.size() - 1 ? 0 : 1;
}

// Runs the reading child; keeps its peak memory.
bool readInChild(const QString& path, std::vector<long>* peakKb)
{
    QByteArray line;
    if (!runProcess(QCoreApplication::applicationFilePath(), {QStringLiteral("--read"), path}, &line))
        return false;
    peakKb->push_back(line.trimmed().split(' ').value(1).toLong());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--read")
        return readOnce(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && QByteArray(argv[1]) == "--write") {
        writeSeconds(QString::fromLocal8Bit(argv[2]), std::max(1, QByteArray(argv[3]).toInt()));
        return 0;
    }

    QTemporaryDir work;
    const double small = writeSeconds(work.filePath("small.xlsx"), 10000);
    const double large = writeSeconds(work.filePath("large.xlsx"), 100000);
    std::printf("write   10,000 rows: %.3f s\n", small);
    std::printf("write  100,000 rows: %.3f s  (x%.1f for 10x the rows; linear is about 10)\n", large, large / small);

    if (QStandardPaths::findExecutable("xlsx2csv").isEmpty()) {
        std::printf("xlsx2csv not installed: no comparison\n");
        return 0;
    }
    const QString path = work.filePath("large.xlsx");
    std::vector<long> peakKb;
    const BenchSide ours{[&] { readInChild(path, &peakKb); }};
    const BenchSide xlsx2csv{[&] { runProcess(QStringLiteral("xlsx2csv"), {path}); }};
    const PairedTimings timings = runPairedRounds(Rounds{3, 1, 1}, ours, xlsx2csv);
    std::printf("read 100,000 x %d, peak memory %.1f MB\n", kColumns,
                *std::max_element(peakKb.begin(), peakKb.end()) / 1024.0);
    printRatio("workbook_read", timings, "xlsx2csv on the same file");
    printBudget("workbook_read", "ours/xlsx2csv", timings.ratio(), kTargetRatio);
    return 0;
}
