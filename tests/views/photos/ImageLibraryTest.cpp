// The picture library driven as a user would: categories from their folders, the listed pictures
// and their order, the two modes, reordering, OK and Cancel, broken pictures and a large category.
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/browser/ImageBrowser.h"
#include "views/browser/ImageBrowserModel.h"
#include "views/photos/Image_Library.h"

namespace {

constexpr int kWaitMs = 20000;

class ImageLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousResources = Resource_Path;
        Resource_Path = resources.path();
        picture(QStringLiteral("LibraryImage/animals/c.jpg"), Qt::green);
        picture(QStringLiteral("LibraryImage/animals/a.PNG"), Qt::red);
        write(QStringLiteral("LibraryImage/animals/b.jpeg"), picturePng(Qt::blue));
        picture(QStringLiteral("LibraryImage/animals/pic 10.png"), Qt::cyan);
        picture(QStringLiteral("LibraryImage/animals/pic 2.png"), Qt::magenta);
        picture(QStringLiteral("LibraryImage/animals/pic.png"), Qt::yellow);
        picture(QStringLiteral("LibraryImage/sea life/fish.png"), Qt::blue);
        picture(QStringLiteral("LibraryImage/Birds/owl.png"), Qt::darkGray);
        write(QStringLiteral("LibraryImage/notes.txt"), "not a category");
        picture(QStringLiteral("Background/plain.png"), Qt::white);
        picture(QStringLiteral("Background/dark.jpg"), Qt::black);
    }
    void TearDown() override { Resource_Path = previousResources; }

    QString at(const QString& relative) const { return resources.filePath(relative); }
    static QByteArray picturePng(const QColor& colour)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
    void write(const QString& relative, const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(at(relative)).path()));
        QFile file(at(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void picture(const QString& relative, const QColor& colour)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(at(relative)).path()));
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(at(relative)));
    }
    QStringList titles()
    {
        QStringList shown;
        for (int row = 0; row < library.images().rowCount(); ++row)
            shown << library.images().data(library.images().index(row), Qt::DisplayRole).toString();
        return shown;
    }
    template <class Widget>
    Widget& control(const char* name)
    {
        auto* widget = library.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    // Opens the library and runs `whileOpen` once it waits for the user; answers the window's answer.
    int openAndDo(const QString& mode, std::function<void()> whileOpen)
    {
        QTimer::singleShot(0, &library, [&] {
            whileOpen();
            if (library.isVisible())
                library.reject();
        });
        return library.Open_Library_Window(mode);
    }

    QTemporaryDir resources;
    QString previousResources;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    Image_Library library;
};

TEST_F(ImageLibraryTest, CategoriesShowCapitalisedAndOpenTheirRealFoldersPngAndJpgOnlyInNaturalOrder)
{
    QStringList categories, folders;
    QString titleWhileOpen;
    const int answer = openAndDo(QStringLiteral("C"), [&] {
        auto& combo = control<QComboBox>("cat_cmbo_bx");
        for (int row = 0; row < combo.count(); ++row)
            categories << combo.itemText(row), folders << combo.itemData(row).toString();
        titleWhileOpen = library.windowTitle();
        EXPECT_TRUE(combo.isVisible());
        EXPECT_TRUE(control<QLabel>("category_label").isVisible());
        // The first category is open with its first picture chosen.
        EXPECT_EQ(titles(), QStringList({"a", "c", "pic", "pic 2", "pic 10"}));
        EXPECT_EQ(library.selected_image(), at("LibraryImage/animals/a.PNG"));
        combo.setCurrentIndex(2);
        EXPECT_EQ(titles(), QStringList({"fish"}));
        EXPECT_EQ(library.selected_image(), at("LibraryImage/sea life/fish.png"));
        control<QPushButton>("OK_Btn").click();
    });
    EXPECT_EQ(categories, QStringList({"Animals", "Birds", "Sea Life"}));
    EXPECT_EQ(folders, QStringList({"animals", "Birds", "sea life"}));
    EXPECT_EQ(titleWhileOpen, "Image Library");
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(library.selected_image(), at("LibraryImage/sea life/fish.png"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ImageLibraryTest, BackgroundModeHidesTheCategoriesAndCancelLeavesNothingChosen)
{
    const int answer = openAndDo(QStringLiteral("B"), [&] {
        EXPECT_EQ(library.windowTitle(), "Background Image Library");
        EXPECT_FALSE(control<QComboBox>("cat_cmbo_bx").isVisible());
        EXPECT_FALSE(control<QLabel>("category_label").isVisible());
        EXPECT_EQ(titles(), QStringList({"dark", "plain"}));
        EXPECT_EQ(library.selected_image(), at("Background/dark.jpg"));
        EXPECT_EQ(control<QSlider>("_zoom_slider").value(), 40);
        control<QPushButton>("Cancel_Btn").click();
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(library.selected_image(), "");

    // The window's close box is a Cancel too.
    EXPECT_EQ(openAndDo(QStringLiteral("B"), [&] { library.close(); }), 0);
    EXPECT_EQ(library.selected_image(), "");
}

TEST_F(ImageLibraryTest, ItemsZeroAndOneMovedToThreeGiveTwoZeroOneThree)
{
    openAndDo(QStringLiteral("C"), [&] {
        library.images().moveItemsAtIndexes({0, 1}, 3);
        EXPECT_EQ(titles(), QStringList({"pic", "a", "c", "pic 2", "pic 10"}));
        // The chosen picture stays chosen where it went.
        EXPECT_EQ(library.imageBrowser().currentIndex().row(), 1);
        control<QPushButton>("OK_Btn").click();
    });
    EXPECT_EQ(library.selected_image(), at("LibraryImage/animals/a.PNG"));
}

TEST_F(ImageLibraryTest, ABrokenPictureShowsBrokenAndIsNeverChosen)
{
    write(QStringLiteral("LibraryImage/animals/0 broken.png"), "no picture at all");
    const int answer = openAndDo(QStringLiteral("C"), [&] {
        ImageBrowserModel& images = library.images();
        ASSERT_EQ(titles().first(), "0 broken");
        QSignalSpy broken(&images, &ImageBrowserModel::imageBroken);
        images.data(images.index(0), Qt::DecorationRole);
        ASSERT_TRUE(QTest::qWaitFor([&] { return images.isBroken(0); }, kWaitMs));
        // Chosen before it was known to be broken, it is let go; OK then asks for a picture.
        EXPECT_EQ(library.selected_image(), "");
        EXPECT_FALSE(images.flags(images.index(0)) & Qt::ItemIsSelectable);
        control<QPushButton>("OK_Btn").click();
        EXPECT_TRUE(library.isVisible());
        EXPECT_EQ(messages.texts(), QStringList({"\nPlease select image."}));
        // A click on it chooses nothing; a click on a good one does.
        ImageBrowser& browser = library.imageBrowser();
        QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.visualRect(images.index(0)).center());
        EXPECT_EQ(library.selected_image(), "");
        QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.visualRect(images.index(2)).center());
        EXPECT_EQ(library.selected_image(), at("LibraryImage/animals/c.jpg"));
        control<QPushButton>("OK_Btn").click();
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(library.selected_image(), at("LibraryImage/animals/c.jpg"));

    // Opened again, the known-broken picture is passed over from the start.
    openAndDo(QStringLiteral("C"), [&] { EXPECT_EQ(library.selected_image(), at("LibraryImage/animals/a.PNG")); });

    // A picture spoiled after it was chosen is refused at OK.
    const qsizetype asked = messages.texts().size();
    const int spoiled = openAndDo(QStringLiteral("C"), [&] {
        write(QStringLiteral("LibraryImage/animals/a.PNG"), "spoiled");
        control<QPushButton>("OK_Btn").click();
        EXPECT_TRUE(library.isVisible());
        EXPECT_EQ(messages.texts().size(), asked + 1);
        control<QPushButton>("Cancel_Btn").click();
    });
    EXPECT_EQ(spoiled, 0);
}

TEST_F(ImageLibraryTest, AMissingLibraryListsNothingAndOkAsksForAPicture)
{
    ASSERT_TRUE(QDir(at("LibraryImage")).removeRecursively());
    const int answer = openAndDo(QStringLiteral("C"), [&] {
        EXPECT_EQ(control<QComboBox>("cat_cmbo_bx").count(), 0);
        EXPECT_EQ(library.images().rowCount(), 0);
        control<QPushButton>("OK_Btn").click();
        EXPECT_TRUE(library.isVisible());
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(messages.texts(), QStringList({"\nPlease select image."}));
}

// 300 pictures: the window waits for the user with the list complete while thumbnails are still
// to come, and they all arrive afterwards.
TEST_F(ImageLibraryTest, ALargeCategoryOpensAtOnceAndFillsItsThumbnailsAsTheyCome)
{
    QImage big(1600, 1200, QImage::Format_RGB32);
    big.fill(QColor(30, 120, 200));
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(big.save(at(QStringLiteral("LibraryImage/animals/many %1.jpg").arg(i)), "JPG", 90));
    openAndDo(QStringLiteral("C"), [&] {
        ImageBrowserModel& images = library.images();
        EXPECT_EQ(images.rowCount(), 305);
        QSignalSpy arrived(&images, &QAbstractItemModel::dataChanged);
        for (int row = 0; row < images.rowCount(); ++row)
            images.data(images.index(row), Qt::DecorationRole);
        ASSERT_TRUE(QTest::qWaitFor([&] { return arrived.count() == 305; }, kWaitMs * 3));
        const QIcon thumbnail = images.data(images.index(100), Qt::DecorationRole).value<QIcon>();
        ASSERT_FALSE(thumbnail.availableSizes().isEmpty());
        EXPECT_EQ(thumbnail.availableSizes().first(), QSize(200, 150));
    });
}

}  // namespace
