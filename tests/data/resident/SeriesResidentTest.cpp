// What the series readers hold of the machine's memory, and the time they take, as the program
// runs for its users: a value trimmed of its blanks takes a block of its own size, so that millions
// of short lines hold what they are counted at, not the holes that shrinking their blocks in place
// would leave behind; a series past the room of a series is refused having held none of it.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

#include "data/SeriesStore.h"
#include "data/SeriesTextImport.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

QStringList imported(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? SeriesTextImport::valuesOfFile(file, QFileInfo(path).suffix()).values : QStringList();
}

// A head, then a piece repeated, then a tail.
bool writeFile(const QString& path, const QByteArray& head, const QByteArray& piece, qint64 pieces, const QByteArray& tail)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size())
        return false;
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / piece.size());
    const QByteArray block = piece.repeated(perBlock);
    for (qint64 written = 0; written < pieces; written += perBlock) {
        const QByteArray part = written + perBlock <= pieces ? block : piece.repeated(pieces - written);
        if (file.write(part) != part.size())
            return false;
    }
    return file.write(tail) == tail.size();
}

}  // namespace

TEST(SeriesResidentTest, TrimmedValuesLeaveNoHolesBehindWithinBounds)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    const struct {
        const char* what;
        const char* file;
        std::function<QStringList(const QString& path)> read;
    } roads[] = {
        {"imported lines", "Lines.txt", imported},
        {"imported CSV records", "Records.csv", imported},
        {"series lines for the series window", "Series.txt",
         [&store](const QString& path) { return store.read(QFileInfo(path).completeBaseName()).values; }},
    };
    // 102 MB of lines, each "a" and 62 blanks: 1.6 million values of one character.
    constexpr int kLines = 1600000;
    const QByteArray lines = ("a" + QByteArray(62, ' ') + '\n').repeated(kLines);
    for (const auto& road : roads) {
        const QString path = folder.filePath(QLatin1String(road.file));
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(lines) == lines.size());
        }
        QStringList values;
        readWithinBounds(QStringLiteral("%1 of \"a\" and 62 blanks").arg(QLatin1String(road.what)), [&] { values = road.read(path); },
                         {.bytes = lines.size()});
        ASSERT_EQ(values.size(), kLines) << road.what;
        EXPECT_TRUE(values.first() == u"a" && values.last() == u"a") << road.what;
    }
}

// A series file past the room of a series, whichever lines fill it, is counted before any of its
// values is kept: refused by the series window and by output alike, having held none of them.
TEST(SeriesResidentTest, SeriesPastTheRoomAreRefusedHoldingNoneOfTheirValues)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    const struct {
        const char* what;
        QByteArray line;
        qint64 lines;
    } files[] = {
        {"ASCII values", "Ada Lovelace\n", 3100000},
        {"values and 60 blanks", "a" + QByteArray(60, ' ') + '\n', 4100000},
        {"blank lines", "\n", 4200000},
        {"lines of braces", "{}\n", 4200000},
        {"accented names between blank lines", "Zoë Ångström\n\n", 2000000},
    };
    const struct {
        const char* road;
        SeriesStore::Values (SeriesStore::*read)(const QString&) const;
    } roads[] = {{"the series window", &SeriesStore::read}, {"output", &SeriesStore::readRecords}};
    for (const auto& file : files) {
        ASSERT_TRUE(writeFile(folder.filePath(QStringLiteral("Past.txt")), {}, file.line, file.lines, {})) << file.what;
        for (const auto& road : roads) {
            SeriesStore::Values read;
            readWithinBounds(QStringLiteral("a series of %1 past the room, for %2").arg(QLatin1String(file.what), QLatin1String(road.road)),
                             [&] { read = (store.*road.read)(QStringLiteral("Past")); }, {.bytes = file.line.size() * file.lines});
            EXPECT_EQ(read.failure, QStringLiteral("The series \"Past\" cannot be read: it holds more values than a series can keep."))
                << file.what << ", " << road.road;
            EXPECT_TRUE(read.values.isEmpty()) << file.what << ", " << road.road;
            // What counting holds, a chunk of the file: nothing of the values.
            EXPECT_LT(lastReadResidentPeak(), std::size_t(16) << 20) << file.what << ", " << road.road;
        }
    }
}

// A file whose values fill the room of a series exactly, its last line ended as every series file
// the program writes is, is read whole by every road, its line ends "\n" or "\r\n": neither the
// final line end nor the "\n" of a "\r\n" counts as a value of its own.
TEST(SeriesResidentTest, AFileFillingTheRoomExactlyIsReadByEveryRoad)
{
    // Values of three letters, the last one longer so that they take the room to the byte.
    const QString value = QStringLiteral("Ada");
    const qint64 each = SeriesStore::valueMemory(value);
    const qint64 count = SeriesStore::kMaxValuesMemory / each;
    const qint64 lastMemory = SeriesStore::kMaxValuesMemory - (count - 1) * each;
    const QString last(qsizetype(lastMemory - SeriesStore::kValueMemory) / 2, u'z');
    ASSERT_EQ(SeriesStore::valueMemory(last), lastMemory);

    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    const auto series = [&store](const QString& path) { return store.read(QFileInfo(path).completeBaseName()).values; };
    const struct {
        const char* what;
        const char* file;
        QByteArray lineEnd;
        std::function<QStringList(const QString& path)> read;
    } roads[] = {
        {"an import of lines", "Lines.txt", "\n", imported},
        {"an import of CRLF lines", "CrlfLines.txt", "\r\n", imported},
        {"an import of CSV records", "Records.csv", "\n", imported},
        {"an import of CRLF CSV records", "CrlfRecords.csv", "\r\n", imported},
        {"a series for the series window", "Series.txt", "\n", series},
    };
    for (const auto& road : roads) {
        const QString path = folder.filePath(QLatin1String(road.file));
        ASSERT_TRUE(writeFile(path, {}, value.toLatin1() + road.lineEnd, count - 1, last.toLatin1() + road.lineEnd)) << road.what;
        QStringList values;
        // Values that fill the room hold about as much as the room: the read is held to twice it.
        // Millions of three-letter values cost a value each, not a byte each: the read is let take
        // the time of 400 passes over its bytes, still a fraction of what one that runs away takes.
        readWithinBounds(QStringLiteral("%1 filling the room").arg(QLatin1String(road.what)), [&] { values = road.read(path); },
                         {.bytes = QFileInfo(path).size(), .passes = 400,
                          .residentBytes = std::size_t(2 * SeriesStore::kMaxValuesMemory)});
        ASSERT_EQ(values.size(), count) << road.what;
        EXPECT_TRUE(values.first() == value && values.last() == last) << road.what;
        QFile::remove(path);
    }
}

// Rich text of a quarter gigabyte of control words, the most the import window opens, holds no
// value: it is read within the bounds of time, each word looked at once, and a code page named again
// and again looked up once.
TEST(SeriesResidentTest, RichTextOfControlWordsAloneIsReadWithinBounds)
{
    const struct {
        const char* what;
        QByteArray words;
    } files[] = {{"bold on and off", "\\b\\b0"}, {"two code pages in turn", "\\ansicpg437\\ansicpg1250"}};
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Words.rtf"));
    for (const auto& file : files) {
        ASSERT_TRUE(writeFile(path, "{\\rtf1 ", file.words, (qint64(250) << 20) / file.words.size(), "}")) << file.what;
        SeriesTextImport::FileValues read;
        readWithinBounds(
            QStringLiteral("250 MB of rich-text control words, %1").arg(QLatin1String(file.what)),
            [&] {
                QFile rtf(path);
                ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
                read = SeriesTextImport::valuesOfFile(rtf, QStringLiteral("rtf"));
            },
            {.bytes = QFileInfo(path).size()});
        EXPECT_TRUE(read.ok) << file.what;
        EXPECT_TRUE(read.values.isEmpty()) << file.what;
    }
}

// A CSV file of one quoted value of 160 MB, most of the room of a series, made of doubled quotes or
// of line ends, is read within the bounds of time: its text is gathered a piece at a time. The
// value holds most of the room, so the read is held to twice the room. (The bench reads 190 MB.)
TEST(SeriesResidentTest, OneLongQuotedValueIsReadWithinBounds)
{
    constexpr qint64 kPieces = (qint64(160) << 20) / 3;
    const struct {
        const char* what;
        QByteArray piece;
        QString start, end;
        qint64 length;
    } files[] = {
        {"doubled quotes", "\"a\"", QStringLiteral("a\"a\""), QStringLiteral("\"a\"a"), 2 * kPieces - 1},
        {"line ends", "\"\r\"", QStringLiteral("\" \""), QStringLiteral("\" \""), 2 * kPieces - 3},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Quoted.csv"));
    for (const auto& file : files) {
        ASSERT_TRUE(writeFile(path, {}, file.piece, kPieces, {})) << file.what;
        QStringList values;
        readWithinBounds(QStringLiteral("a CSV value of 160 MB of %1").arg(QLatin1String(file.what)), [&] { values = imported(path); },
                         {.bytes = QFileInfo(path).size(), .residentBytes = std::size_t(2 * SeriesStore::kMaxValuesMemory)});
        ASSERT_EQ(values.size(), 1) << file.what;
        EXPECT_EQ(values[0].size(), file.length) << file.what;
        EXPECT_TRUE(values[0].startsWith(file.start) && values[0].endsWith(file.end)) << file.what;
    }
}
