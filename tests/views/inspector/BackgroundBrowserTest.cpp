// The background browser: which files it lists and in what order, thumbnails read on a worker
// thread and sized as ImageMagick sizes them, choosing a picture, and reordering in the view.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/PictureReading.h"
#include "support/TestEnvironment.h"
#include "views/browser/ImageBrowserModel.h"
#include "views/browser/ImageBrowser.h"
#include "views/browser/ThumbnailLoader.h"

namespace {

constexpr int kWaitMs = 20000;

class BackgroundFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString picture(const QString& name, QSize size = {60, 38})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(image.save(dir.filePath(name))) << name.toStdString();
        return dir.filePath(name);
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    // ImageMagick's size for a thumbnail within the browser's box, never enlarged.
    static QSize thumbnailByImageMagick(const QString& path)
    {
        const QSize box = ImageBrowserModel::kCardThumbnailBox;
        const auto made = TestEnvironment::run("convert", {path, "-thumbnail", QString("%1x%2>").arg(box.width()).arg(box.height()),
                                                           "-format", "%w %h", "info:"});
        const QStringList size = QString::fromLatin1(made.out).split(' ');
        return size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize();
    }

    static QStringList names(const ImageBrowserModel& browser)
    {
        QStringList names;
        for (const MyImageObject& item : browser.images())
            names.append(item.name());
        return names;
    }
};

// Qt rounds a fitted side down where ImageMagick rounds to nearest.
::testing::AssertionResult withinAPixel(QSize ours, QSize theirs)
{
    if (std::abs(ours.width() - theirs.width()) <= 1 && std::abs(ours.height() - theirs.height()) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ours.width() << "x" << ours.height() << " against " << theirs.width()
                                         << "x" << theirs.height();
}

TEST_F(BackgroundFolder, ListsPngAndJpgFilesOfTheFolderItselfInNameOrder)
{
    for (const char* name : {"Zeta.png", "alpha.PNG", "Beta.jpg", "gamma.jpeg"})
        picture(name);
    write("delta.gif", "GIF89a");
    ASSERT_TRUE(QDir(dir.path()).mkpath("sub") && QDir(dir.path()).mkpath("folder.png"));
    picture("sub/inner.png");

    ImageBrowserModel browser;
    browser.fillFromFolder(dir.path());
    EXPECT_EQ(names(browser), QStringList({"alpha.PNG", "Beta.jpg", "Zeta.png"}));
    ASSERT_EQ(browser.rowCount(), 3);
    EXPECT_EQ(browser.images()[1].path(), dir.filePath("Beta.jpg"));
    EXPECT_EQ(browser.images()[1].identifier(), "Beta.jpg");

    // No folder there: the list stays as it was; an empty folder empties it.
    browser.fillFromFolder(dir.filePath("missing"));
    browser.fillFromFolder(dir.filePath("delta.gif"));
    EXPECT_EQ(browser.rowCount(), 3);
    browser.fillFromFolder(dir.filePath("folder.png"));
    EXPECT_EQ(browser.rowCount(), 0);
}

TEST_F(BackgroundFolder, BlankPathsAddNothingAndPathsAreTrimmed)
{
    ImageBrowserModel browser;
    QSignalSpy inserted(&browser, &QAbstractItemModel::rowsInserted);
    browser.addImageWithPath(" \t\r\n ", "blank", "blank");
    EXPECT_EQ(browser.rowCount(), 0);
    EXPECT_EQ(inserted.count(), 0);

    browser.addImageWithPath("  /cards/Blue.png\n", "Blue.png", "uid-7");
    ASSERT_EQ(browser.rowCount(), 1);
    MyImageObject item = browser.images().first();
    EXPECT_EQ(item.valueForKey("path").toString(), "/cards/Blue.png");
    EXPECT_EQ(item.valueForKey("name").toString(), "Blue.png");
    EXPECT_EQ(item.valueForKey("identifier").toString(), "uid-7");
    EXPECT_FALSE(item.valueForKey("colour").isValid());
    item.setPath("/cards/Red.png");
    EXPECT_EQ(item.valueForKey("path").toString(), "/cards/Red.png");
}

TEST_F(BackgroundFolder, ThumbnailsAreReadOnAWorkerThreadAndFitTheBoxAsImageMagickFitsThem)
{
    const QStringList paths = {picture("card.png", {2022, 1276}), picture("upright.jpg", {1276, 2022}),
                               picture("stamp.png", {50, 30})};
    std::atomic<int> reads = 0;
    std::atomic<bool> onGuiThread = false;
    ThumbnailLoader loader(ImageBrowserModel::kCardThumbnailBox, nullptr, [&](const QString& path, const QSize& box) {
        ++reads;
        onGuiThread = onGuiThread || QThread::currentThread() == qApp->thread();
        return readPictureFitted(path, box);
    });
    QSignalSpy ready(&loader, &ThumbnailLoader::thumbnailReady);
    for (const QString& path : paths + paths)
        loader.request(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() == 3; }, kWaitMs));
    EXPECT_EQ(reads, 3);
    EXPECT_FALSE(onGuiThread);
    for (const QList<QVariant>& arrived : ready) {
        const QString path = arrived[0].toString();
        EXPECT_TRUE(withinAPixel(arrived[1].value<QImage>().size(), thumbnailByImageMagick(path))) << path.toStdString();
    }

    // The model shows a placeholder until its thumbnail arrives, and then the thumbnail.
    ImageBrowserModel browser;
    browser.fillFromFolder(dir.path());
    QSignalSpy changed(&browser, &QAbstractItemModel::dataChanged);
    const QIcon placeholder = browser.data(browser.index(0), Qt::DecorationRole).value<QIcon>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() == 1; }, kWaitMs));
    const QIcon thumbnail = browser.data(browser.index(0), Qt::DecorationRole).value<QIcon>();
    EXPECT_NE(thumbnail.cacheKey(), placeholder.cacheKey());
    ASSERT_FALSE(thumbnail.availableSizes().isEmpty());
    EXPECT_TRUE(withinAPixel(thumbnail.availableSizes().first(), thumbnailByImageMagick(paths[0])));
}

TEST_F(BackgroundFolder, PipesDevicesAndBrokenFilesNeitherHangNorBreakTheList)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.png")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.jpg")));
    write("broken.png", "not a picture at all");
    picture("good.png");

    ImageBrowserModel browser;
    browser.fillFromFolder(dir.path());
    // Only regular files are listed: a pipe or a device would hang whoever reads the chosen picture.
    EXPECT_EQ(names(browser), QStringList({"broken.png", "good.png"}));
    QSignalSpy changed(&browser, &QAbstractItemModel::dataChanged);
    const QIcon placeholder = browser.data(browser.index(0), Qt::DecorationRole).value<QIcon>();
    browser.data(browser.index(1), Qt::DecorationRole);
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() == 2; }, kWaitMs));
    // The file that holds no picture shows as broken, unlike the placeholder and the good one, and
    // cannot be chosen.
    const qint64 broken = browser.data(browser.index(0), Qt::DecorationRole).value<QIcon>().cacheKey();
    const qint64 good = browser.data(browser.index(1), Qt::DecorationRole).value<QIcon>().cacheKey();
    EXPECT_NE(broken, placeholder.cacheKey());
    EXPECT_NE(good, placeholder.cacheKey());
    EXPECT_NE(broken, good);
    EXPECT_TRUE(browser.isBroken(0));
    EXPECT_FALSE(browser.isBroken(1));
    EXPECT_FALSE(browser.flags(browser.index(0)) & Qt::ItemIsSelectable);
    browser.imageBrowserSelectionDidChange({browser.index(0)});
    EXPECT_EQ(browser.selected_image(), "");

    // The thumbnail reader itself refuses them too.
    for (const char* name : {"pipe.png", "zero.jpg", "broken.png"})
        EXPECT_TRUE(readPictureFitted(dir.filePath(name), ImageBrowserModel::kCardThumbnailBox).isNull()) << name;
}

TEST_F(BackgroundFolder, UprightAndLandscapeThumbnailsEachKeepTheirShapeInTheView)
{
    picture("a-upright.png", {380, 600});
    picture("b-landscape.png", {600, 380});
    ImageBrowserModel browser;
    browser.fillFromFolder(dir.path());
    QSignalSpy changed(&browser, &QAbstractItemModel::dataChanged);
    ImageBrowser view(&browser);
    view.resize(400, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() == 2; }, kWaitMs));
    QApplication::processEvents();
    EXPECT_GE(view.visualRect(browser.index(1)).width(), ImageBrowserModel::kCardThumbnailBox.width());
    EXPECT_LT(view.visualRect(browser.index(0)).width(), view.visualRect(browser.index(1)).width());
}

class BrowserWindow : public BackgroundFolder {
protected:
    ImageBrowserModel browser;
    ImageBrowser view{&browser};

    void SetUp() override
    {
        for (const char* name : {"a.png", "b.png", "c.png", "d.png", "e.png"})
            picture(name);
        browser.fillFromFolder(dir.path());
        view.resize(720, 300);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QPoint centreOf(int row) const { return view.visualRect(browser.index(row)).center(); }
    // Well below the single row of thumbnails.
    QPoint emptySpace() const { return QPoint(view.viewport()->width() - 10, view.viewport()->height() - 10); }
};

TEST_F(BrowserWindow, AClickChoosesThePictureAndSomePictureStaysChosen)
{
    QSignalSpy chosen(&browser, &ImageBrowserModel::imageChosen);
    browser.imageBrowserSelectionDidChange({});
    EXPECT_EQ(chosen.count(), 0);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(2));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toString(), dir.filePath("c.png"));
    EXPECT_EQ(browser.selected_image(), dir.filePath("c.png"));

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, emptySpace());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, centreOf(2));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, centreOf(2));
    EXPECT_EQ(view.selectionModel()->selectedIndexes(), QModelIndexList({browser.index(2)}));
    EXPECT_EQ(chosen.count(), 1);

    // Of several selected, the first in the list counts.
    browser.imageBrowserSelectionDidChange({browser.index(4), browser.index(1), browser.index(3)});
    EXPECT_EQ(browser.selected_image(), dir.filePath("b.png"));

    // A reorder carries the selection with its picture and chooses nothing anew.
    browser.moveItemsAtIndexes({2}, 0);
    EXPECT_EQ(names(browser), QStringList({"c.png", "a.png", "b.png", "d.png", "e.png"}));
    EXPECT_EQ(view.selectionModel()->selectedIndexes(), QModelIndexList({browser.index(0)}));
    EXPECT_EQ(chosen.count(), 2);
}

TEST_F(BrowserWindow, DropsReorderWithinTheViewAndDragsCarryNothingForOtherPrograms)
{
    const int half = view.visualRect(browser.index(1)).width() / 4;
    EXPECT_EQ(view.dropRowAt(centreOf(1) - QPoint(half, 0)), 1);
    EXPECT_EQ(view.dropRowAt(centreOf(1) + QPoint(half, 0)), 2);
    EXPECT_EQ(view.dropRowAt(emptySpace()), 5);

    const std::unique_ptr<QMimeData> dragged(browser.mimeData({browser.index(0), browser.index(1)}));
    ASSERT_TRUE(dragged);
    EXPECT_EQ(dragged->formats(), browser.mimeTypes());
    EXPECT_FALSE(dragged->hasUrls() || dragged->hasText() || dragged->hasImage() || dragged->hasHtml());

    // A drop that did not start in this view changes nothing.
    view.selectionModel()->select(browser.index(0), QItemSelectionModel::ClearAndSelect);
    QDropEvent drop(QPointF(centreOf(3)), Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(names(browser), QStringList({"a.png", "b.png", "c.png", "d.png", "e.png"}));
}

}  // namespace
