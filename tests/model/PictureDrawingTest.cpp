// Picture elements (image, barcode): loading, flips, the adjusted picture's thread rule and the
// unscaled barcode.
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "model/PictureFile.h"
#include "model/SKTGraphicKinds.h"
#include "model/SKTSignature.h"
#include "platform/AppContext.h"
#include "CardPictures.h"
#include "TestCardHost.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// Counts what drawing asks of the main window; the adjustment is the stand-in's (flips only).
class CountingHost final : public TestCardHost {
public:
    void Refresh_Canvas() override { ++refreshes; }
    QImage Get_Image_With_Update_Settings(SKTImage& image) override
    {
        ++adjustments;
        return imageWithSettingsApplied(image);
    }
    std::atomic<int> refreshes = 0;
    std::atomic<int> adjustments = 0;
};

// A picture of two colours split down the middle (or across, when split is vertical).
QImage halves(int width, int height, QColor first, QColor second, Qt::Orientation split = Qt::Horizontal)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(first);
    QPainter(&image).fillRect(split == Qt::Horizontal ? QRect(width / 2, 0, width, height)
                                                      : QRect(0, height / 2, width, height),
                              second);
    return image;
}

class PictureDrawing : public WithCardHost<CountingHost> {
protected:
    QString savePicture(const QString& name, const QImage& picture)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    // An image element of the file's picture in the box, border off.
    std::shared_ptr<SKTImage> imageElement(const QImage& picture, const QRectF& box)
    {
        auto image = std::make_shared<SKTImage>();
        image->setFilePath(savePicture("picture.png", picture), false);
        image->setBounds(box);
        return image;
    }
    QTemporaryDir dir;
};

TEST_F(PictureDrawing, FlipsMirrorTheShownPictureAndNaturalSizeUndoesThem)
{
    auto image = imageElement(halves(40, 40, kRed, kBlue), QRectF(0, 0, 80, 80));
    image->flipHorizontally();
    QImage card = drawn(*image, {120, 120});
    EXPECT_TRUE(nearColour(card.pixelColor(10, 40), kBlue) && nearColour(card.pixelColor(70, 40), kRed));

    image->setFilePath(savePicture("rows.png", halves(40, 40, kRed, kBlue, Qt::Vertical)), false);
    image->flipHorizontally();
    image->flipVertically();
    card = drawn(*image, {120, 120});
    EXPECT_TRUE(nearColour(card.pixelColor(40, 10), kBlue) && nearColour(card.pixelColor(40, 70), kRed));

    image->makeNaturalSize();
    EXPECT_EQ(std::tuple(image->bounds(), image->picture._isFlippedHorizontally, image->picture._isFlippedVertically),
              std::tuple(QRectF(0, 0, 40, 40), false, false));
    EXPECT_TRUE(nearColour(drawn(*image, {120, 120}).pixelColor(20, 5), kRed));

    image->flipVertically();
    const auto restored = SKTImage::initWithProperties(image->properties());
    EXPECT_EQ(std::tuple(restored->_contents.size(), restored->picture._isFlippedVertically),
              std::tuple(QSize(40, 40), true));
    QVariantMap junk = image->properties();
    junk.insert({{"contents", "text"}, {"flippedVertically", "yes"}});
    const auto ignored = SKTImage::initWithProperties(junk);
    EXPECT_EQ(std::tuple(ignored->_contents.isNull(), ignored->picture._isFlippedVertically), std::tuple(true, false));
}

TEST_F(PictureDrawing, MissingAdjustedPictureIsMadeOnTheGuiThreadOnly)
{
    auto image = imageElement(halves(20, 20, kRed, kBlue), QRectF(0, 0, 40, 40));
    image->picture._isFlippedHorizontally = true;
    image->_contents_with_settings = QImage();  // as after decoding an archive
    const int before = host.adjustments;
    QImage workerCard;
    std::thread([&] { workerCard = drawn(*image, {120, 120}); }).join();
    EXPECT_EQ(host.adjustments, before);
    EXPECT_TRUE(image->_contents_with_settings.isNull());
    EXPECT_TRUE(nearColour(workerCard.pixelColor(20, 20), Qt::white));

    const QImage card = drawn(*image, {120, 120});
    EXPECT_EQ(host.adjustments, before + 1);
    EXPECT_FALSE(image->_contents_with_settings.isNull());
    EXPECT_TRUE(nearColour(card.pixelColor(5, 20), kBlue));  // made with the element's flip
}

TEST_F(PictureDrawing, PicturesLoadOnlyFromRegularFilesAsPreviewsOfAtMost500Points)
{
    const QString text = dir.filePath("notes.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
    file.close();
    const QString link = dir.filePath("zero.png");
    ASSERT_TRUE(QFile::link("/dev/zero", link));
    for (const QString& path : {dir.path(), QString("/dev/zero"), link, text, dir.filePath("none.png"), QString()})
        EXPECT_TRUE(readPicturePreview(path).isNull()) << path.toStdString();

    EXPECT_EQ(readPicturePreview(savePicture("wide.png", halves(1200, 300, kRed, kBlue))).size(), QSize(500, 125));
    EXPECT_EQ(readPicturePreview(savePicture("small@2x.png", halves(30, 20, kRed, kBlue))).deviceIndependentSize(),
              QSizeF(30, 20));

    auto image = SKTImage::initWithPath(QPointF(100, 50), dir.filePath("wide.png"));
    EXPECT_EQ(std::tuple(image->bounds(), image->Text_Value), std::tuple(QRectF(-150, -12.5, 500, 125), dir.filePath("wide.png")));
    image->setFilePath("", true);
    EXPECT_EQ(std::tuple(image->_contents.isNull(), image->Text_Value), std::tuple(true, dir.filePath("wide.png")));
}

// A design made by another installation names pictures in that installation's resources: photos,
// signatures and fingerprints take them from ours, whether the path is set or read from a design
// and drawn.
TEST_F(PictureDrawing, PathsIntoAnotherInstallationsResourcesAreTakenFromOurs)
{
    const QString savedResources = Resource_Path;
    Resource_Path = dir.path();
    const QString ours = savePicture("sign_sample.png", halves(40, 20, kRed, kBlue));
    const QString theirs = QStringLiteral("/Applications/Old Badge.app/Contents/Resources/sign_sample.png");
    auto image = std::make_shared<SKTImage>();
    image->setFilePath(theirs, true);
    auto signature = std::make_shared<SKTSignature>();
    signature->setFilePath(theirs);
    // As a design file leaves a signature: the stored path only, loaded when drawn.
    auto read = std::make_shared<SKTSignature>();
    read->_file_path = theirs;
    read->ctrl_is_visible = true;
    read->setBounds(QRectF(0, 0, 40, 20));
    const QImage card = drawn(*read, {40, 20});
    for (const auto& [name, element] : {std::pair{"photo", std::static_pointer_cast<SKTGraphic>(image)},
                                        std::pair{"signature", std::static_pointer_cast<SKTGraphic>(signature)},
                                        std::pair{"read signature", std::static_pointer_cast<SKTGraphic>(read)}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(element->_file_path, ours);
    }
    EXPECT_EQ(image->Text_Value, ours);
    EXPECT_EQ(image->_contents.size(), QSize(40, 20));
    EXPECT_EQ(signature->_contents_img.size(), QSize(40, 20));
    EXPECT_TRUE(nearColour(card.pixelColor(5, 10), kRed));
    EXPECT_TRUE(nearColour(card.pixelColor(35, 10), kBlue));
    Resource_Path = savedResources;
}

TEST_F(PictureDrawing, BarcodeIsDrawnUnscaledAtTheTopLeftWithoutSmoothing)
{
    QImage stripes(9, 4, QImage::Format_ARGB32);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 4; ++y)
            stripes.setPixelColor(x, y, x % 2 ? Qt::white : Qt::black);
    SKTBarcode barcode;
    barcode.Set_Barcode_image(stripes);
    barcode.setBounds(QRectF(10, 10, 50, 50)), barcode.setDrawingFill(true), barcode.setDrawingStroke(true);
    const QImage card = drawn(barcode, {80, 80}, 2);
    for (int x = 0; x < 19; ++x)  // 9 columns at 2 pixels a point, then the card again
        EXPECT_EQ(card.pixelColor(20 + x, 24), (x / 2) % 2 ? QColor(Qt::white) : QColor(Qt::black)) << x;
    EXPECT_TRUE(card.pixelColor(20, 28) == Qt::white && card.pixelColor(21, 19) == Qt::white);
    EXPECT_EQ(host.refreshes, 1);
}

}  // namespace
