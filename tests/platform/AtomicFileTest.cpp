#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

TEST(AtomicFile, ReplacesWholeFilesAndFailedWriteKeepsTheOld)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.txt"));
    const auto contents = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QString error;
    ASSERT_TRUE(writeFileAtomically(path, "first version", &error)) << error.toStdString();
    ASSERT_TRUE(writeFileAtomically(path, "second", &error)) << error.toStdString();
    EXPECT_EQ(contents(), QByteArray("second"));

    // A file-size limit makes the write fail part way, for the superuser too.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    // Small enough to sit in the write buffer until the final flush.
    const bool written = writeFileAtomically(path, "new contents that never land", &error);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(!written && error.contains(path)) << error.toStdString();
    EXPECT_EQ(contents(), QByteArray("second"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("card.txt")});
}
