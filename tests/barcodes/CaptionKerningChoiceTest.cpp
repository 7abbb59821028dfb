// The kerning box's choice: the caption of a linear barcode drawn with or without its letter
// spacing, on whatever thread the picture is made, and kept in the user's configuration.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <thread>
#include <gtest/gtest.h>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "barcodes/CaptionKerningChoice.h"
#include "model/SKTBarcode.h"

namespace {

constexpr int kDpi = 288;  // four pixels to a point

// A Code 39 element with its value alone under the bars.
SKTBarcode captionOnly()
{
    SKTBarcode barcode;
    barcode.barcode.show_hide_hdr = barcode.barcode.show_hide_ftr = 1;
    return barcode;
}

// Width in points of the ink in the picture's bottom 12 points, which hold the caption only.
double captionInkWidth(const BarcodePicture& picture)
{
    const QImage image = picture.toImage(kDpi).convertToFormat(QImage::Format_ARGB32);
    int left = image.width(), right = -1;
    for (int y = image.height() - 12 * kDpi / 72; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128 && qAlpha(image.pixel(x, y)) > 128)
                left = std::min(left, x), right = std::max(right, x);
        }
    }
    return right < left ? 0 : (right - left + 1) * 72.0 / kDpi;
}

double captionWidthOnThisThread(const SKTGraphic& element)
{
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(element);
    return captionInkWidth(factory.Get_Image_From_Val(QStringLiteral("0123"), QString(), QString()));
}

class CaptionKerningChoiceTest : public ::testing::Test {
protected:
    void TearDown() override { CaptionKerningChoice::setChecked(false); }
};

TEST_F(CaptionKerningChoiceTest, CheckedTheCaptionLosesItsLetterSpacingOnEveryThread)
{
    const SKTBarcode element = captionOnly();
    CaptionKerningChoice::setChecked(false);
    const double spaced = captionWidthOnThisThread(element);
    CaptionKerningChoice::setChecked(true);
    const double tight = captionWidthOnThisThread(element);
    ASSERT_GT(tight, 10);
    // Two points after each of the first three of the four digits.
    EXPECT_NEAR(spaced - tight, 3 * 2.0, 0.75);

    // A record run makes its pictures on a worker thread, with the same choice.
    double onWorker = 0;
    std::thread worker([&] { onWorker = captionWidthOnThisThread(element); });
    worker.join();
    EXPECT_NEAR(onWorker, tight, 0.01);
}

TEST_F(CaptionKerningChoiceTest, TheChoiceIsKeptInTheConfigurationForTheNextRun)
{
    CaptionKerningChoice::setChecked(true);
    const QString file = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                             .filePath(QStringLiteral("ZOVA ID Card/barcodes.ini"));
    ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
    CaptionKerningChoice::reload();
    EXPECT_TRUE(CaptionKerningChoice::checked());
    CaptionKerningChoice::setChecked(false);
    CaptionKerningChoice::reload();
    EXPECT_FALSE(CaptionKerningChoice::checked());

    // A reload reads what the file holds now, and a user without the file starts unchecked.
    QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("caption/kerning_value_Checkbox"), true);
    CaptionKerningChoice::reload();
    EXPECT_TRUE(CaptionKerningChoice::checked());
    ASSERT_TRUE(QFile::remove(file));
    CaptionKerningChoice::reload();
    EXPECT_FALSE(CaptionKerningChoice::checked());
}

}  // namespace
