// What the series readers hold of the machine's memory as the program runs for its users: a value
// trimmed of its blanks takes a block of its own size, so that millions of short lines hold what
// they are counted at, not the holes that shrinking their blocks in place would leave behind.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

#include "data/SeriesStore.h"
#include "data/SeriesTextImport.h"
#include "support/sanitized/ReaderBounds.h"

TEST(SeriesResidentTest, TrimmedValuesLeaveNoHolesBehindWithinBounds)
{
    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    const auto imported = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? SeriesTextImport::valuesOfFile(file, QFileInfo(path).suffix()).values : QStringList();
    };
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
        readWithinBounds(QStringLiteral("%1 of \"a\" and 62 blanks").arg(QLatin1String(road.what)), [&] { values = road.read(path); });
        ASSERT_EQ(values.size(), kLines) << road.what;
        EXPECT_TRUE(values.first() == u"a" && values.last() == u"a") << road.what;
    }
}
