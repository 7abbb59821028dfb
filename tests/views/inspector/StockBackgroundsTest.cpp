// The card backgrounds the build draws into the resource folder, measured by ImageMagick.
#include <QDir>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "support/TestEnvironment.h"
#include "views/browser/ImageBrowserModel.h"

namespace {

TEST(StockBackgrounds, EveryDesignComesAsALandscapeAndAPortraitCardAt600Dpi)
{
    const QDir folder(QDir(TestEnvironment::resourceDir()).filePath("Background"));
    const QStringList landscape = folder.entryList({"*_Landscape.png"}, QDir::Files);
    EXPECT_GE(landscape.size(), 8);
    EXPECT_EQ(folder.entryList(QDir::Files).size(), 2 * landscape.size());
    for (const QString& name : landscape) {
        const QString upright = QString(name).replace("_Landscape", "_Portrait");
        const auto sizes = TestEnvironment::run("identify", {"-units", "PixelsPerInch", "-format", "%w %h %x\n",
                                                             folder.filePath(name), folder.filePath(upright)});
        EXPECT_EQ(sizes.exitCode, 0) << sizes.err.constData();
        EXPECT_EQ(QString::fromLatin1(sizes.out), "2022 1276 600\n1276 2022 600\n") << name.toStdString();
    }
}

TEST(StockBackgrounds, TheBrowserShowsThemAllFromTheResourceFolder)
{
    const QString before = Resource_Path;
    Resource_Path = TestEnvironment::resourceDir();
    ImageBrowserModel browser;
    browser.Load_and_fill_backgrounds();
    Resource_Path = before;
    EXPECT_EQ(browser.rowCount(), QDir(TestEnvironment::resourceDir() + "/Background").entryList(QDir::Files).size());
    EXPECT_GE(browser.rowCount(), 16);
}

}  // namespace
