// Series generator speed: 1,000,000 sequential values with prefix, suffix and leading zeros made
// and written to a series file, against a plain snprintf loop writing the same bytes.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "data/SeriesGenerator.h"
#include "data/SeriesStore.h"
#include "BenchSupport.h"

namespace {

constexpr double kTargetSeconds = 1.0;

// Generated and saved as the generator window does: every value gathered, then one replacing
// write through the series store.
void ours(const QString& folder)
{
    QStringList values;
    SeriesGenerator::generateSequential({QStringLiteral("ID-"), QStringLiteral("-A"), QStringLiteral("0"),
                                         QStringLiteral("999999"), true},
                                        [&](const QString& value) { values.append(value); });
    if (!SeriesStore(folder).save(QStringLiteral("Numbers"), values))
        std::fprintf(stderr, "writing the series failed\n");
}

void plainLoop(const QString& path)
{
    std::string bytes;
    char line[32];
    for (int i = 0; i < 1000000; ++i)
        bytes.append(line, std::snprintf(line, sizeof line, "ID-%06d-A\n", i));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        std::fprintf(stderr, "writing the plain file failed\n");
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString series = dir.filePath(QStringLiteral("Numbers.txt"));
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    Rounds rounds;
    rounds.count = countArgument(argc, argv, 7);
    const PairedTimings timings = runPairedRounds(rounds, {[&] { ours(dir.path()); }}, {[&] { plainLoop(plain); }});
    printRatio("series_generator_1M", timings, "snprintf loop and one write");
    printBudget("series_generator_1M", "median seconds", timings.ours.median(), kTargetSeconds, " s");
    QFile a(series), b(plain);
    a.open(QIODevice::ReadOnly);
    b.open(QIODevice::ReadOnly);
    if (a.readAll() != b.readAll())
        std::fprintf(stderr, "the two files differ\n");
    return 0;
}
