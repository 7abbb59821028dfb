// Series import speed: files of about 50 MB of the same 780,000 values, as rich-text paragraphs,
// text lines and CSV fields, imported as the import window imports them (counted, then kept),
// against Qt's plain reading of the text file (read whole, decoded, split at line ends, each line
// trimmed). The rich-text import takes at most 1 s: its read is held to 3 s of CPU time.
//   bench_text_import [rounds]
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "data/SeriesTextImport.h"
#include "BenchSupport.h"

namespace {

constexpr int kValues = 780000;
constexpr double kRichTextTargetSeconds = 1.0;
const QByteArray kValue = "Ada Lovelace wrote the first program for a machine never built";

struct Format {
    const char* name;
    const char* extension;
    QByteArray head, before, after, tail;
};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

qsizetype ours(const QString& path, const char* extension)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return SeriesTextImport::valuesOfFile(file, QLatin1String(extension)).values.size();
}

qsizetype plainQt(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    QStringList values;
    for (const QStringView line : QStringView(text).tokenize(u'\n', Qt::SkipEmptyParts))
        values.append(line.trimmed().toString());
    return values.size();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Format formats[] = {
        {"text_import_rtf_50MB", "rtf", "{\\rtf1\\ansi ", "", "\\par ", "}"},
        {"text_import_txt_50MB", "txt", "", "", "\n", ""},
        {"text_import_csv_50MB", "csv", "", "\"", "\",", ""},
    };
    const QString plainPath = dir.filePath(QStringLiteral("plain.txt"));
    if (!writeFile(plainPath, (kValue + '\n').repeated(kValues)))
        return 1;
    Rounds rounds;
    rounds.count = countArgument(argc, argv, 7);
    for (const Format& format : formats) {
        const QString path = dir.filePath(QStringLiteral("import.%1").arg(QLatin1String(format.extension)));
        if (!writeFile(path, format.head + (format.before + kValue + format.after).repeated(kValues) + format.tail))
            return 1;
        qsizetype read = 0, peerRead = 0;
        const PairedTimings timings = runPairedRounds(rounds, {[&] { read = ours(path, format.extension); }},
                                                      {[&] { peerRead = plainQt(plainPath); }});
        printRatio(format.name, timings, "QString::fromUtf8 of the text file, split at line ends, trimmed");
        if (format.extension == QByteArrayView("rtf"))
            printBudget(format.name, "median seconds", timings.ours.median(), kRichTextTargetSeconds, " s");
        if (read != kValues || peerRead != kValues)
            std::fprintf(stderr, "%s: %lld values read, %lld by the peer, not %d\n", format.name, qlonglong(read),
                         qlonglong(peerRead), kValues);
    }
    return 0;
}
