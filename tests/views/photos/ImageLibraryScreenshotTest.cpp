// The picture library on a real (virtual) X server with the shipped clip-art: a category open, and
// the backgrounds, left as pictures for people to look at.
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/browser/ImageBrowserModel.h"
#include "views/photos/Image_Library.h"

namespace {

// Opens the library in a mode, waits until every thumbnail in sight has arrived, and saves the window.
bool shootOpen(Image_Library& library, const QString& mode, const QString& category, const QString& file)
{
    bool saved = false;
    QTimer::singleShot(0, &library, [&] {
        auto* categories = library.findChild<QComboBox*>(QStringLiteral("cat_cmbo_bx"));
        if (!category.isEmpty())
            categories->setCurrentIndex(categories->findData(category));
        if (QTest::qWaitForWindowExposed(&library)) {
            QSignalSpy arrived(&library.images(), &QAbstractItemModel::dataChanged);
            // Shot either way: a thumbnail still missing shows as it would to a user.
            (void)QTest::qWaitFor([&] { return arrived.count() >= std::min(12, library.images().rowCount()); }, 20000);
            QTest::qWait(200);
            saved = library.grab().toImage().save(QDir(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR)).filePath(file));
        }
        library.reject();
    });
    library.Open_Library_Window(mode);
    return saved;
}

}  // namespace

TEST(ImageLibraryScreenshots, ACategoryOpenAndTheBackgrounds)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    QDir().mkpath(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR));
    const QString before = Resource_Path;
    Resource_Path = TestEnvironment::resourceDir();
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scoped(messages);
    Image_Library library;
    library.resize(760, 560);
    EXPECT_TRUE(shootOpen(library, QStringLiteral("C"), QStringLiteral("seals"), QStringLiteral("image-library-seals.png")));
    EXPECT_TRUE(shootOpen(library, QStringLiteral("C"), QStringLiteral("icons"), QStringLiteral("image-library-icons.png")));
    EXPECT_TRUE(shootOpen(library, QStringLiteral("B"), QString(), QStringLiteral("image-library-backgrounds.png")));
    Resource_Path = before;
}
