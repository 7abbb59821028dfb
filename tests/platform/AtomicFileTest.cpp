#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
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

// A disk that fills up part way gives the system's reason and the folder, never "Unknown error",
// and leaves nothing behind: a file-size limit stands in for it anywhere, a tiny tmpfs where one
// can be mounted. The writes pass QFile's buffer, so the system cuts them short.
TEST(AtomicFile, AWriteCutShortSaysWhyAndWhere)
{
    QTemporaryDir dir;
    const QString tiny = dir.filePath(QStringLiteral("tiny"));
    ASSERT_TRUE(QDir().mkpath(tiny));
    const bool mounted = ::mount("tmpfs", QFile::encodeName(tiny).constData(), "tmpfs", 0, "size=64k") == 0;
    const auto unmount = qScopeGuard([&] {
        if (mounted)
            ::umount2(QFile::encodeName(tiny).constData(), MNT_DETACH);
    });
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const struct {
        bool (*write)(const QString&, const QByteArray&, QString*);
        QString folder;
        rlim_t limit;
        QString said;  // %1 the folder
    } cases[] = {{&writeFileWhole, dir.path(), 65536, "Cannot write into \"%1\": File too large"},
                 {&writeFileAtomically, dir.path(), 65536, "Cannot write \"%1/card.png\": File too large"},
                 {&writeFileWhole, tiny, old.rlim_cur, "Cannot write into \"%1\": No space left on device"}};
    for (const auto& c : cases) {
        if (c.folder == tiny && !mounted)
            continue;  // no tmpfs without the right to mount one
        rlimit limit{c.limit, old.rlim_max};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        QString error;
        const bool written = c.write(QDir(c.folder).filePath(QStringLiteral("card.png")), QByteArray(256 * 1024, 'x'), &error);
        setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_FALSE(written);
        EXPECT_EQ(error, c.said.arg(c.folder));
        EXPECT_EQ(QDir(c.folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}
