// The numbered name "keep both" gives, for series names and for files on disk.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "platform/FreeFileName.h"
#include "support/QtPrinting.h"

TEST(FreeFileName, TheNumberGoesOnFromItsDigitsWhateverTheirLength)
{
    const struct {
        QString name;
        QSet<QString> taken;
        QString expected;
    } cases[] = {
        {"X (3)", {"X (4)"}, "X (5)"},
        {"X (007)", {}, "X (8)"},
        {"X (0)", {}, "X (0) (1)"},
        {"X (9223372036854775807)", {}, "X (9223372036854775808)"},
        {"X (9223372036854775808)", {}, "X (9223372036854775809)"},
        {"X (" + QString(20, u'9') + ")", {}, "X (1" + QString(20, u'0') + ")"},
        {"a\nb (2)", {}, "a\nb (3)"},
        {"X (3)\n", {}, "X (3)\n (1)"},
        {"a (2) b", {}, "a (2) b (1)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nextFreeNumberedName(c.name, [&](const QString& name) { return c.taken.contains(name); }), c.expected);
}

TEST(FreeFileName, KeepBothOnDiskNumbersFromTheNameItself)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const char* name : {"X (0).png", "X (9223372036854775807).png"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("X (0).png")), dir.filePath("X (0) (1).png"));
    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("X (9223372036854775807).PNG")),
              dir.filePath("X (9223372036854775808).png"));
}
