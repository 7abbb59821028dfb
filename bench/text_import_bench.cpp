// Series import speed: files of about 50 MB of the same 780,000 values, as rich-text paragraphs,
// text lines and CSV fields, imported as the import window imports them (counted, then kept),
// against Qt's plain reading of the text file (read whole, decoded, split at line ends, each line
// trimmed). The rich-text import takes at most 1 s: its read is held to 3 s of CPU time.
// Then files of a quarter gigabyte whose values are few or clean to nothing, each read by a child
// process of its own (this program with --read), held to 3 s of CPU time and 256 MB resident; a
// file of one value that nearly fills the room of a series, and files of short values that fill it
// exactly, to twice the room; a line of 24 MiB as a series.
//   bench_text_import [rounds]
//   bench_text_import large [WORD]   only the large files, or those whose names hold the word
//   bench_text_import --read txt|csv|rtf|series|records FILE
//                     imports the file, or reads it as a series for the series window or for
//                     output, and prints "<CPU s> <peak resident MB> <values> <failure>"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "data/SeriesStore.h"
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

// A file of a quarter gigabyte: a head, a piece repeated, a tail.
struct LargeFile {
    const char* name;
    const char* road;  // how it is read (see --read)
    QByteArray head, piece, tail;
    qint64 pieces;
    double residentTargetMb = 256;
};

constexpr qint64 kQuarterGigabyte = 250LL << 20;
constexpr qint64 kOneValueBytes = 190LL << 20;
constexpr double kCpuTargetSeconds = 3.0;
// A value that fills the room of a series holds that room while it is read: twice the room.
constexpr double kRoomResidentMb = 2.0 * double(SeriesStore::kMaxValuesMemory >> 20);

// Values of three letters, the last one longer, that fill the room of a series to the byte: they
// hold about the room.
LargeFile fillingTheRoom(const char* name, const char* road, const QByteArray& lineEnd)
{
    const qint64 each = SeriesStore::valueMemory(3);
    const qint64 count = SeriesStore::kMaxValuesMemory / each;
    const qint64 lastUnits = (SeriesStore::kMaxValuesMemory - (count - 1) * each - SeriesStore::kValueMemory) / 2;
    return {name, road, "", "Ada" + lineEnd, QByteArray(lastUnits, 'z') + lineEnd, count - 1, kRoomResidentMb};
}

const LargeFile kLargeFiles[] = {
    {"lines_of_a_and_62_blanks_txt", "txt", "", "a" + QByteArray(62, ' ') + '\n', "", 4000000},
    {"lines_of_a_and_62_blanks_csv", "csv", "", "a" + QByteArray(62, ' ') + '\n', "", 4000000},
    {"lines_of_a_and_62_blanks_series", "series", "", "a" + QByteArray(62, ' ') + '\n', "", 4000000},
    {"braces_txt", "txt", "", "{}\n", "", kQuarterGigabyte / 3},
    {"blank_lines_txt", "txt", "", "\n", "", kQuarterGigabyte},
    {"rtf_groups", "rtf", "{\\rtf1 ", "{}", "}", kQuarterGigabyte / 2},
    {"commas_csv", "csv", "", ",", "", kQuarterGigabyte},
    {"crlf_txt", "txt", "", "\r\n", "", kQuarterGigabyte / 2},
    {"crlf_csv", "csv", "", "\r\n", "", kQuarterGigabyte / 2},
    {"blank_lines_series", "series", "", "\n", "", kQuarterGigabyte},
    {"blank_lines_records", "records", "", "\n", "", kQuarterGigabyte},
    {"rtf_escapes", "rtf", "{\\rtf1 ", "\\'e9", "}", kQuarterGigabyte / 4},
    {"rtf_escapes_without_digits", "rtf", "{\\rtf1 ", "\\'zz", "}", kQuarterGigabyte / 4},
    {"rtf_control_words", "rtf", "{\\rtf1 ", "\\b\\b0", "}", kQuarterGigabyte / 5},
    {"rtf_skipped_destinations", "rtf", "{\\rtf1 ", "{\\*\\x y}", "}", kQuarterGigabyte / 8},
    // One quoted value of 190 MB that nearly fills the room of a series: it holds the room.
    {"one_quoted_value_of_doubled_quotes_csv", "csv", "", "\"a\"", "", kOneValueBytes / 3, kRoomResidentMb},
    {"one_quoted_value_of_line_ends_csv", "csv", "", "\"\r\"", "", kOneValueBytes / 3, kRoomResidentMb},
    // One line of 24 MiB between two blanks, read for the series window and for output.
    {"a_line_of_24_MiB_series", "series", " ", QByteArray(1 << 20, 'v'), " \n", 24},
    {"a_line_of_24_MiB_records", "records", " ", QByteArray(1 << 20, 'v'), " \n", 24},
    fillingTheRoom("values_filling_the_room_txt", "txt", "\n"),
    fillingTheRoom("values_filling_the_room_crlf_csv", "csv", "\r\n"),
    fillingTheRoom("values_filling_the_room_series", "series", "\n"),
};

bool writeLargeFile(const QString& path, const LargeFile& large)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(large.head) != large.head.size())
        return false;
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / large.piece.size());
    const QByteArray block = large.piece.repeated(perBlock);
    for (qint64 written = 0; written < large.pieces; written += perBlock) {
        const QByteArray part = written + perBlock <= large.pieces ? block : large.piece.repeated(large.pieces - written);
        if (file.write(part) != part.size())
            return false;
    }
    return file.write(large.tail) == large.tail.size();
}

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// --read ROAD FILE in a child process of its own.
int readInChild(const QByteArray& road, const QString& path)
{
    const double start = cpuSeconds();
    qsizetype values = 0;
    QString failure;
    if (road == "series" || road == "records") {
        const SeriesStore store(QFileInfo(path).path());
        const QString name = QFileInfo(path).completeBaseName();
        const SeriesStore::Values read = road == "series" ? store.read(name) : store.readRecords(name);
        values = read.values.size();
        failure = read.failure;
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const SeriesTextImport::FileValues read = SeriesTextImport::valuesOfFile(file, QString::fromLatin1(road));
        values = read.values.size();
        failure = read.ok ? QString() : read.failure.isEmpty() ? SeriesTextImport::kUnreadableTextMessage : read.failure;
    }
    std::printf("%.3f %.1f %lld %s\n", cpuSeconds() - start, peakMemorySinceExecMb(), qlonglong(values), qPrintable(failure));
    return 0;
}

void readLargeFiles(const QTemporaryDir& dir, const char* word)
{
    const QString self = QCoreApplication::applicationFilePath();
    for (const LargeFile& large : kLargeFiles) {
        if (word && !std::strstr(large.name, word))
            continue;
        const bool series = std::strcmp(large.road, "series") == 0 || std::strcmp(large.road, "records") == 0;
        const QString path = dir.filePath(QStringLiteral("large.%1").arg(series ? QStringLiteral("txt") : QLatin1String(large.road)));
        QByteArray output;
        const double megabytes = double(large.head.size() + large.piece.size() * large.pieces + large.tail.size()) / (1 << 20);
        if (!writeLargeFile(path, large) || !runProcess(self, {QStringLiteral("--read"), QLatin1String(large.road), path}, &output)) {
            std::fprintf(stderr, "%s could not be read\n", large.name);
            continue;
        }
        QFile::remove(path);
        const QList<QByteArray> fields = output.trimmed().split(' ');
        std::printf("%s (%.0f MB): %s values, %s\n", large.name, megabytes, fields.value(2).constData(),
                    fields.size() > 3 ? fields.mid(3).join(' ').constData() : "read");
        printBudget((QByteArray("text_import_") + large.name + "_cpu").constData(), "CPU seconds", fields.value(0).toDouble(),
                    kCpuTargetSeconds, " s");
        printBudget((QByteArray("text_import_") + large.name + "_resident").constData(), "peak resident MB",
                    fields.value(1).toDouble(), large.residentTargetMb, " MB");
    }
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
    if (argc == 4 && std::strcmp(argv[1], "--read") == 0)
        return readInChild(argv[2], QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (argc > 1 && std::strcmp(argv[1], "large") == 0) {
        readLargeFiles(dir, argc > 2 ? argv[2] : nullptr);
        return 0;
    }
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
    readLargeFiles(dir, nullptr);
    return 0;
}
