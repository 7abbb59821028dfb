// Series files and the text, CSV and rich-text imports come from users: mutated files are read or
// refused within the readers' bounds of time and memory, never crash.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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
    readWithinBounds(QStringLiteral("a first line of 255 MB"), [&] {
        EXPECT_EQ(store.readFirstValue(QStringLiteral("Long")).failure,
                  QStringLiteral("The series \"Long\" cannot be read: it holds more values than a series can keep."));
    });
    readWithinBounds(QStringLiteral("a sparse file of 300 MB"), [&] {
        EXPECT_EQ(store.readFirstValue(QStringLiteral("Sparse")).failure,
                  QStringLiteral("The series \"Sparse\" cannot be read: it is not a text file."));
    });
    const QByteArray deep = "{\\rtf1 " + QByteArray("{").repeated(50 << 20);
    readWithinBounds(QStringLiteral("fifty megabytes of \"{\""),
                     [&] { EXPECT_FALSE(SeriesTextImport::valuesOfFile(deep, QStringLiteral("rtf")).ok); });
}
