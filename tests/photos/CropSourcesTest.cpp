// The cropping tool's sources and output names: folders in natural order, series lines trimmed and
// checked, and numbered custom names.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "photos/CropSources.h"

using namespace CropSources;

namespace {

const QStringList kPictures{"jpg", "jpeg", "png", "bmp", "tif", "tiff"};

class CropSourcesTest : public ::testing::Test {
protected:
    QString file(const QString& name)
    {
        QFile out(folder.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("x");
        return out.fileName();
    }
    QTemporaryDir folder;
};

}  // namespace

TEST_F(CropSourcesTest, AFolderListsItsPicturesInNaturalOrder)
{
    for (const char* name : {"photo10.jpg", "photo2.JPG", "Photo1.png", "notes.txt", "photo3.jpeg", "large.png"})
        file(QString::fromLatin1(name));
    QDir(folder.path()).mkdir(QStringLiteral("sub.jpg"));
    const auto tooLarge = [](const QString& path) { return path.endsWith(QLatin1String("large.png")); };
    QStringList names;
    for (const QString& path : picturesInFolder(folder.path(), kPictures, tooLarge))
        names << QFileInfo(path).fileName();
    EXPECT_EQ(names, (QStringList{"Photo1.png", "photo2.JPG", "photo3.jpeg", "photo10.jpg"}));
    EXPECT_TRUE(picturesInFolder(folder.filePath(QStringLiteral("missing")), kPictures, {}).isEmpty());
}

TEST_F(CropSourcesTest, SeriesLinesAreTrimmedAndOnlyReadablePicturesCount)
{
    const QString ada = file(QStringLiteral("ada.jpg"));
    const QString grace = file(QStringLiteral("grace.png"));
    const QString text = ada + "\r\n" + folder.path() + "\r\n.\r\n..\r\n\r\n" + folder.filePath("gone.jpg") + "\r\n" +
                         file(QStringLiteral("notes.txt")) + "\r\n" + grace + "\r\n";
    EXPECT_EQ(picturesOfSeriesText(text, false, kPictures), (QStringList{ada, grace}));
    // A direct run writes one result a line, so it keeps every line, trimmed.
    EXPECT_EQ(picturesOfSeriesText(text, true, kPictures).size(), 8);
    EXPECT_EQ(picturesOfSeriesText(text, true, kPictures).first(), ada);
    for (const QString& refused : {QString(), QStringLiteral("."), QStringLiteral(".."), folder.path()})
        EXPECT_FALSE(isUsablePicturePath(refused, kPictures)) << refused.toStdString();
}

TEST(CropOutputNames, CustomNamesAreNumberedAndSourceNamesKept)
{
    EXPECT_EQ(croppedFileName("/out", "/in/a.jpg", "Badge", 0, 0), "/out/Badge.jpg");
    EXPECT_EQ(croppedFileName("/out", "/in/b.jpg", "Badge", 1, 0), "/out/Badge_1.jpg");
    EXPECT_EQ(croppedFileName("/out", "/in/c.jpg", "Badge", 2, 2), "/out/Badge_2.png");
    EXPECT_EQ(croppedFileName("/out", "/in/jane.doe.jpeg", "", 5, 3), "/out/jane.doe.tiff");
    EXPECT_EQ(croppedFileName("/out", "/in/a.jpg", "Badge", 0, 7), "/out/Badge") << "no extension outside the list";
    EXPECT_EQ(outputExtension(1), "bmp");
}
