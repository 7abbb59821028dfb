// Series files and the text, CSV and rich-text imports come from users: mutated files are read or
// refused within the readers' bounds of time and memory, never crash.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <random>

#include "data/SeriesStore.h"
#include "data/SeriesTextImport.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

std::mt19937 rng(20250113);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }

// Noise, cuts and the pieces the readers decode: escapes, code points, groups, quotes, marks.
QByteArray mutate(QByteArray bytes)
{
    static const QList<QByteArray> pieces = {"\\'00", "\\'ff", "\\u-10240 ", "\\u0 ?", "\\uc0 ", "{\\*\\pict ", "{", "}",
                                             "\\par ", "\\ansicpg65001 ", "\\bin99999 ", "\"", "\"\"", ",", "\r\n", "\r",
                                             "\xef\xbb\xbf", "\xff\xfe", "\xfe\xff", "\xed\xa0\x80", "\xe2\x80\x8b", "\x00"};
    for (int i = 1 + below(4); i > 0 && !bytes.isEmpty(); --i) {
        const int at = below(int(bytes.size()));
        switch (below(5)) {
        case 0: bytes[at] = char(below(256)); break;
        case 1: bytes.insert(at, pieces[below(int(pieces.size()))]); break;
        case 2: bytes.remove(at, 1 + below(16)); break;
        case 3: bytes.insert(at, bytes.mid(below(int(bytes.size())), 1 + below(64)).repeated(1 + below(50))); break;
        default: bytes.truncate(at); break;
        }
    }
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList readImport(const QString& path, const QString& extension)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? SeriesTextImport::valuesOfFile(file, extension).values : QStringList();
}

}  // namespace

TEST(SeriesMutationTest, MutatedSeriesAndImportedTextAreReadWithinBounds)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    const QByteArray series = QByteArray("Ada\nGrace Hopper\n\n  007  \nZo\xc3\xab\n\xe6\x97\xa5\xe6\x9c\xac\n") + QByteArray("x\n").repeated(40);
    const QByteArray csv = "name,\"city, land\",code\r\n\"Ann \"\"A\"\"\",Oslo,7\r\nBob,\"line\nend\",8\n";
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                           "{\\*\\generator x;}\\f0\\fs20 Caf\\'e9\\par \\u8364?uro\\line {\\b bold}\\tab t\\par"
                           "{\\pict\\pngblip 89504e47}{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt link}}\\uc1\\u-3913?\\par}";
    // Large shapes under a megabyte: a million empty lines, one long line, deep groups.
    const QList<QByteArray> seeds = {series, csv, rtf, QByteArray(1 << 20, '\n'), QByteArray(1000000, 'v'),
                                     "{\\rtf1 " + QByteArray("{").repeated(100000) + "x" + QByteArray("}").repeated(100000) + "}",
                                     "{\\rtf1 " + QByteArray("\\u20320?").repeated(100000) + "}"};
    const char* const extensions[] = {"txt", "csv", "rtf"};

    int valuesRead = 0;
    for (int round = 0; round < 700; ++round) {
        const QByteArray& seed = seeds[round < int(seeds.size()) ? round : below(3)];
        const QByteArray bytes = round < int(seeds.size()) ? seed : mutate(seed);
        readWithinBounds(QStringLiteral("series input %1").arg(round), [&] {
            ASSERT_TRUE(writeFile(folder.filePath(QStringLiteral("S.txt")), bytes));
            valuesRead += int(store.read(QStringLiteral("S")).values.size());
            valuesRead += int(store.readRecords(QStringLiteral("S")).values.size());
            store.readFirstValue(QStringLiteral("S"));
            const auto imported = SeriesTextImport::valuesOfFile(bytes, QLatin1String(extensions[round % 3]));
            valuesRead += int(imported.values.size());
            // What the import gives is saved as the import window saves it.
            if (round % 10 == 0 && imported.ok && !imported.values.isEmpty() && imported.values.size() < 5000)
                store.save(QStringLiteral("Imported"), SeriesStore::keptValues(imported.values));
        });
    }
    // Most damage leaves something readable; a loop that reads nothing tests nothing.
    EXPECT_GT(valuesRead, 10000);
}

// A first line of 255 MB is refused once it is past the room of a series, before any of it is
// decoded; a sparse file of 300 MB is no text from its first chunk on; rich text of fifty
// megabytes of "{" is refused at its depth.
TEST(SeriesMutationTest, LongFirstLinesAndDeepRichTextAreRefusedWithinBounds)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    {
        QFile file(folder.filePath(QStringLiteral("Long.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block(1 << 20, 'v');
        for (int i = 0; i < 255; ++i)
            ASSERT_EQ(file.write(block), block.size());
        QFile sparse(folder.filePath(QStringLiteral("Sparse.txt")));
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(300LL << 20));
    }
    readWithinBounds(
        QStringLiteral("a first line of 255 MB"),
        [&] {
            EXPECT_EQ(store.readFirstValue(QStringLiteral("Long")).failure,
                      QStringLiteral("The series \"Long\" cannot be read: it holds more values than a series can keep."));
        },
        {.bytes = qint64(255) << 20});
    readWithinBounds(
        QStringLiteral("a sparse file of 300 MB"),
        [&] {
            EXPECT_EQ(store.readFirstValue(QStringLiteral("Sparse")).failure,
                      QStringLiteral("The series \"Sparse\" cannot be read: it is not a text file."));
        },
        {.bytes = qint64(300) << 20});
    const QByteArray deep = "{\\rtf1 " + QByteArray("{").repeated(50 << 20);
    readWithinBounds(QStringLiteral("fifty megabytes of \"{\""),
                     [&] { EXPECT_FALSE(SeriesTextImport::valuesOfFile(deep, QStringLiteral("rtf")).ok); }, {.bytes = deep.size()});
}

// A series of one line of 24 MiB, blanks at either end, is held once whether it is read for
// output (only its end trimmed) or for the series window (trimmed at both ends): grown into, or
// trimmed into a copy, it would take twice its room for a moment.
TEST(SeriesMutationTest, ALongLineIsHeldOnceWhenReadForOutputOrForTheSeriesWindow)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    constexpr qsizetype kLength = qsizetype(24) << 20;
    {
        QFile file(folder.filePath(QStringLiteral("Long.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(" ") == 1);
        const QByteArray block(1 << 20, 'v');
        for (qsizetype written = 0; written < kLength; written += block.size())
            ASSERT_EQ(file.write(block), block.size());
        ASSERT_EQ(file.write(" \n"), 2);
    }
    const struct {
        const char* road;
        SeriesStore::Values (SeriesStore::*read)(const QString&) const;
        QString start;
    } roads[] = {{"output", &SeriesStore::readRecords, QStringLiteral(" v")}, {"the series window", &SeriesStore::read, QStringLiteral("vv")}};
    for (const auto& road : roads) {
        SeriesStore::Values read;
        // A line is decoded, checked and copied, several passes over its bytes each: it is let take
        // 300, a fraction of what a read that runs away over it takes.
        readWithinBounds(QStringLiteral("a line of 24 MiB for %1").arg(QLatin1String(road.road)),
                         [&] { read = (store.*road.read)(QStringLiteral("Long")); }, {.bytes = kLength + 3, .passes = 300});
        EXPECT_LT(lastReadHeapPeak(), std::size_t(kLength) * 2 * 5 / 4) << road.road;
        ASSERT_EQ(read.values.size(), 1) << road.road << " " << read.failure.toStdString();
        EXPECT_EQ(read.values[0].size(), kLength + road.start.count(u' ')) << road.road;
        EXPECT_TRUE(read.values[0].startsWith(road.start) && read.values[0].endsWith(u'v')) << road.road;
    }
}

// Imported text files are read a chunk at a time, counted before any value is kept: a text past
// the room of a series is refused having held none of it, and one within it holds its values.
// Lines and fields empty once cleaned are left out but counted, so a file of nothing else is
// refused as soon as it is past the room; a file of values and markup that holds no text is read
// again only up to its last value.
TEST(SeriesMutationTest, LargeImportsAreRefusedOrReadWithinBounds)
{
    const struct {
        const char* what;
        const char* extension;
        QByteArray head, piece, tail;
        int pieces;
        qsizetype values;  // 0: refused for want of room
        QString last;
    } imports[] = {
        // The short lines and the CSV fields pass the room of a series within their first 52 MB.
        {"64 MB of short lines", "txt", "", "Ada Lovelace, 1815\n", "", 64 * (1 << 20) / 19, 0},
        {"a line of 200 MB", "txt", "", QByteArray(1 << 20, 'v'), "\n", 200, 0},
        {"64 MB of CSV fields", "csv", "", "\"Lovelace, Ada\",", "", 64 * (1 << 20) / 16, 0},
        {"16 MB of rich-text paragraphs", "rtf", "{\\rtf1\\ansi ", "Ada Lovelace wrote the first program for a machine never built\\par ", "}",
         16 * (1 << 20) / 67, 16 * (1 << 20) / 67, "Ada Lovelace wrote the first program for a machine never built"},
        // Held once as it is kept: its room is taken at once, not grown into.
        {"a line of 24 MB", "txt", "", QByteArray(1 << 20, 'v'), "\nend", 24, 2, "end"},
        {"48 MB of empty lines", "txt", "", "\n", "", 48 << 20, 0},
        {"48 MB of CRLF lines", "txt", "", "\r\n", "", 24 << 20, 0},
        {"48 MB of CRLF records", "csv", "", "\r\n", "", 24 << 20, 0},
        {"48 MB of commas", "csv", "", ",", "", 48 << 20, 0},
        // One quoted value of doubled quotes and line ends, cut by the chunks anywhere.
        {"a CSV value of 24 MB of doubled quotes and line ends", "csv", "", "\"a\r\n\"", "", (24 << 20) / 5, 1,
         QStringLiteral("a \"").repeated((24 << 20) / 5 - 1) + u'a'},
        {"48 MB of lines of braces", "txt", "", "{}\n", "", 16 << 20, 0},
        {"a value and 32 MB of empty rich-text groups", "rtf", "{\\rtf1 Ada\\par ", "{}", "}", 16 << 20, 1, "Ada"},
        // Groups and words a token at a time: the bench reads a quarter gigabyte of each.
        {"a value and 24 MB of skipped rich-text destinations", "rtf", "{\\rtf1 Ada\\par ", "{\\*\\x y}", "}", 3 << 20, 1, "Ada"},
        {"a value and 25 MB of rich-text control words", "rtf", "{\\rtf1 Ada\\par ", "\\b\\b0", "}", 5 << 20, 1, "Ada"},
    };
    for (const auto& import : imports) {
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("import.%1").arg(QLatin1String(import.extension))));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.write(import.head) == import.head.size());
        const QByteArray block = import.piece.repeated(std::max<qsizetype>(1, (1 << 20) / import.piece.size()));
        const qsizetype perBlock = block.size() / import.piece.size();
        for (qsizetype written = 0; written < import.pieces; written += perBlock) {
            const QByteArray part = written + perBlock <= import.pieces ? block : import.piece.repeated(import.pieces - written);
            ASSERT_EQ(file.write(part), part.size());
        }
        ASSERT_TRUE(file.write(import.tail) == import.tail.size() && file.seek(0));
        SeriesTextImport::FileValues read;
        readWithinBounds(QStringLiteral("an import of %1").arg(QLatin1String(import.what)),
                         [&] { read = SeriesTextImport::valuesOfFile(file, QLatin1String(import.extension)); }, {.bytes = file.size()});
        EXPECT_EQ(read.ok, import.values > 0) << import.what;
        EXPECT_EQ(read.failure, import.values > 0 ? QString() : SeriesTextImport::kTooManyValuesMessage) << import.what;
        ASSERT_EQ(read.values.size(), import.values) << import.what;
        if (import.values > 0)
            EXPECT_EQ(read.values.last(), import.last) << import.what;
    }
    // The last import, a line of 24 MB that is 48 MB as text, was held once.
    EXPECT_LT(lastReadHeapPeak(), std::size_t(24 << 20) * 2 * 5 / 4);
}

// Every line of a series counts against its room, the empty ones that the series window leaves
// out too, as output counts them: a series of empty lines is refused once it is past the room.
TEST(SeriesMutationTest, ASeriesOfEmptyLinesIsRefusedWithinBounds)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    ASSERT_TRUE(writeFile(folder.filePath(QStringLiteral("Empty.txt")), QByteArray(48 << 20, '\n')));
    readWithinBounds(
        QStringLiteral("a series of 48 MB of empty lines for the series window"),
        [&] {
            EXPECT_EQ(store.read(QStringLiteral("Empty")).failure,
                      QStringLiteral("The series \"Empty\" cannot be read: it holds more values than a series can keep."));
        },
        {.bytes = qint64(48) << 20});
}

// A run of "\'hh" escapes in rich text is decoded and handed on a piece at a time, as a run of the
// same bytes written plainly is: the import of either holds its value and little more.
TEST(SeriesMutationTest, ARunOfEscapedBytesHoldsNoMoreThanItsTwinOfPlainBytes)
{
    constexpr qsizetype kBytes = qsizetype(4) << 20;
    const QByteArray runs[] = {"{\\rtf1\\ansi " + QByteArray("\\'e9").repeated(kBytes) + "}",
                               "{\\rtf1\\ansi " + QByteArray(kBytes, '\xe9') + "}"};
    std::size_t peaks[2] = {};
    for (const int twin : {0, 1}) {
        QStringList values;
        readWithinBounds(twin ? QStringLiteral("four million plain bytes in rich text") : QStringLiteral("four million escaped bytes in rich text"),
                         [&] { values = SeriesTextImport::valuesOfFile(runs[twin], QStringLiteral("rtf")).values; },
                         {.bytes = runs[twin].size()});
        peaks[twin] = lastReadHeapPeak();
        EXPECT_EQ(values, QStringList{QString(kBytes, QChar(0xE9))}) << twin;
    }
    EXPECT_LE(peaks[0], peaks[1] + peaks[1] / 5);
}

// What a value holds is what the readers count for it: lines trimmed of blanks hold no more than
// their twins whose blanks are empty lines instead, lines decoded from three bytes a character no
// more than their twins of one byte a character, whether imported or read from the store.
TEST(SeriesMutationTest, ValuesHoldNoMoreThanTheirTwinsOfTheSameText)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    const QByteArray chinese = QString(80, QChar(0x65E5)).toUtf8();
    const QByteArray blanks(62, ' '), emptyLines(62, '\n');
    const struct {
        const char* what;
        QByteArray line, twin;
        QString value;
        std::function<QStringList(const QString& path)> read;
    } cases[] = {
        {"imported lines", "a" + blanks, "a" + emptyLines, QStringLiteral("a"),
         [](const QString& path) { return readImport(path, QStringLiteral("txt")); }},
        {"imported CSV records", "a" + blanks, "a" + emptyLines, QStringLiteral("a"),
         [](const QString& path) { return readImport(path, QStringLiteral("csv")); }},
        {"series lines for the series window", "a" + blanks, "a" + emptyLines, QStringLiteral("a"),
         [&store](const QString& path) { return store.read(QFileInfo(path).completeBaseName()).values; }},
        {"series lines of Chinese for output", chinese, QByteArray(80, 'a'), QString(80, QChar(0x65E5)),
         [&store](const QString& path) { return store.readRecords(QFileInfo(path).completeBaseName()).values; }},
    };
    constexpr int kLines = 40000;
    for (const auto& c : cases) {
        std::size_t peaks[2] = {};
        for (const bool twin : {false, true}) {
            const QString path = folder.filePath(twin ? QStringLiteral("Twin.txt") : QStringLiteral("Line.txt"));
            ASSERT_TRUE(writeFile(path, ((twin ? c.twin : c.line) + '\n').repeated(kLines)));
            QStringList values;
            readWithinBounds(QStringLiteral("%1%2").arg(QLatin1String(c.what), twin ? QStringLiteral(", their twins") : QString()),
                             [&] { values = c.read(path); });
            peaks[twin] = lastReadHeapPeak();
            ASSERT_EQ(values.size(), kLines) << c.what;
            if (!twin)
                EXPECT_TRUE(values.first() == c.value && values.last() == c.value) << c.what;
        }
        EXPECT_LE(peaks[0], peaks[1] + peaks[1] / 5) << c.what;
    }
}
