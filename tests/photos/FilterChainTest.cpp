// The picture filter chain: each stage against ImageMagick or hand-computed values, the stage
// order, the turn within the box, the stored settings text, and an image element's filters in output.
#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QRandomGenerator>
#include <cmath>
#include <tuple>
#include <vector>
#include <QTemporaryDir>
#include <opencv2/imgproc.hpp>

#include "canvas/model/SKTImage.h"
#include "mainwindow/designfile/DesignFile.h"
#include "photos/PhotoTestSupport.h"
#include "photos/core/FilterStages.h"
#include "photos/core/ImageProcesser.h"
#include "photos/core/PictureSettings.h"
#include "support/CommaLocale.h"
#include "support/TestEnvironment.h"

namespace {

// The chain's settings, neutral unless a test changes them.
struct Chain {
    bool grey = false, sepia = false, flipH = false, flipV = false, invert = false;
    float hue = 0, sat = 1, brt = 0, con = 1, sharp = 0, ev = 0, blur = 0, alpha = 100;
    int rotate = 0;
    bool onBox = true;

    QImage run(const QImage& picture) const
    {
        return ImageProcesser::Get_Processed_Image_Full_Combined(picture, grey, sepia, invert, hue, sat, brt, con,
                                                                 rotate, sharp, ev, blur, alpha, onBox, flipH,
                                                                 flipV, true, QRectF());
    }
};

// Two ramps and noise: every channel takes many values, none at the same place.
QImage testPicture()
{
    QImage image(96, 64, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            image.setPixel(x, y, qRgb((x * 255) / 96, (y * 255) / 64, random.bounded(256)));
    return image;
}

// All channels equal: luminance sharpening equals sharpening each channel, and hue turns change nothing.
QImage greyPicture()
{
    return testPicture().convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

// Each stage alone: against ImageMagick operations that compute the same definition on the test
// picture, or against hand-computed values (L = 0.2125 R + 0.7154 G + 0.0721 B) on a flat colour.
TEST(FilterChain, EachStageMatchesImageMagickOrTheHandComputedColour)
{
    ImageMagickOracle magick;
    const QImage picture = testPicture(), grey = greyPicture();
    const QColor orange(200, 100, 50), red(255, 0, 0);
    // ImageMagick's operations, or else a flat input colour and the colour expected.
    struct Case {
        const char* name;
        Chain chain;
        QStringList operations;
        QColor input, expected;
        const QImage* picture = nullptr;
    };
    const Case cases[] = {
        {"invert and transparency have no stage", Chain{.invert = true, .alpha = 20}, {}},
        {"grey", Chain{.grey = true}, {"-grayscale", "Rec709Luma"}},
        {"sepia", Chain{.sepia = true}, {"-color-matrix", "0.393 0.769 0.189 0.349 0.686 0.168 0.272 0.534 0.131"}},
        {"brightness", Chain{.brt = 0.2f}, {"-evaluate", "add", "20%"}},
        {"contrast", Chain{.con = 1.5f}, {"-function", "polynomial", "1.5,-0.25"}},
        {"exposure", Chain{.ev = 1}, {"-evaluate", "multiply", "2"}},
        {"sharpen", Chain{.sharp = 0.5f}, {"-morphology", "Convolve", "3x3: 0,-0.5,0 -0.5,3,-0.5 0,-0.5,0"}, {}, {},
         &grey},
        {"blur", Chain{.blur = 2}, {"-virtual-pixel", "edge", "-statistic", "Mean", "5x5"}},
        {"mirror", Chain{.flipH = true}, {"-flop"}},
        {"upside down", Chain{.flipV = true}, {"-flip"}},
        {"both flips", Chain{.flipH = true, .flipV = true}, {"-rotate", "180"}},
        {"saturation 2", Chain{.sat = 2}, {}, orange, QColor(255, 82, 0)},
        {"hue pi", Chain{.hue = float(M_PI)}, {}, red, QColor(0, 109, 109)},
        {"hue pi/2", Chain{.hue = float(M_PI / 2)}, {}, red, QColor(0, 91, 0)},
        {"exposure 0.5", Chain{.ev = 0.5f}, {}, orange, QColor(255, 141, 71)},
    };
    for (const Case& c : cases) {
        const QImage input = c.input.isValid() ? flat(c.input) : c.picture ? *c.picture : picture;
        const QImage expected = c.input.isValid() ? flat(c.expected) : magick.apply(input, c.operations);
        EXPECT_LE(largestDifference(c.chain.run(input), expected), 1) << c.name;
    }
    // A transparent neighbour darkens nothing in the blur.
    QImage edge = flat(Qt::transparent, {10, 1});
    QPainter(&edge).fillRect(0, 0, 5, 1, QColor(200, 0, 0));
    EXPECT_EQ(Chain{.blur = 1}.run(edge).pixelColor(4, 0).rgba(), qRgba(200, 0, 0, 170));
}

TEST(FilterChain, HueTurnsKeepGreysAndAFullTurnIsTheIdentity)
{
    const QImage picture = testPicture(), grey = greyPicture();
    EXPECT_LE(largestDifference(Chain{.hue = float(2 * M_PI)}.run(picture), picture), 1);
    for (float hue : {0.7f, -2.0f, 3.0f})
        EXPECT_LE(largestDifference(Chain{.hue = hue}.run(grey), grey), 1) << hue;
}

TEST(FilterChain, BoxBlurAgreesWithOpenCv)
{
    QImage picture = testPicture().convertToFormat(QImage::Format_ARGB32);
    for (float radius : {1.0f, 2.6f, 7.0f}) {
        const QImage ours = Chain{.blur = radius}.run(picture).convertToFormat(QImage::Format_ARGB32);
        const int r = int(std::lround(radius));
        cv::Mat in(picture.height(), picture.width(), CV_8UC4, picture.bits(), size_t(picture.bytesPerLine()));
        cv::Mat out;
        cv::blur(in, out, cv::Size(2 * r + 1, 2 * r + 1), cv::Point(-1, -1), cv::BORDER_REPLICATE);
        const QImage theirs(out.data, out.cols, out.rows, int(out.step), QImage::Format_ARGB32);
        EXPECT_LE(largestDifference(ours, theirs), 1) << "radius " << radius;
    }
}

TEST(FilterChain, StagesRunInTheirFixedOrder)
{
    // Sepia takes the grey picture: red -> L 54.19 -> sepia of that grey.
    EXPECT_TRUE(colourIs(Chain{.grey = true, .sepia = true}.run(flat(Qt::red)), {1, 1}, QColor(73, 65, 51)));
    // Brightness before contrast: (128 + 25.5 - 127.5) * 1.2 + 127.5 = 158.7 (the other way, 154).
    const QImage midGrey = flat(QColor(128, 128, 128));
    EXPECT_TRUE(colourIs(Chain{.brt = 0.1f, .con = 1.2f}.run(midGrey), {1, 1}, QColor(159, 159, 159), 0));

    // Sharpening, exposure and blur on a picture with clipping: only the stated order gives this.
    const Chain all{.hue = 0.5f, .sat = 1.4f, .brt = 0.05f, .con = 1.3f, .sharp = 1.5f, .ev = 0.8f, .blur = 2};
    const QImage picture = testPicture();
    const QImage coloured =
        applyColourMatrix(picture, hueMatrix(all.hue).then(colourControlsMatrix(all.sat, all.brt, all.con)));
    const ColourMatrix ev = exposureMatrix(all.ev);
    const QImage stated = boxBlur(applyColourMatrix(sharpenLuminance(coloured, 1.5f), ev), 2);
    EXPECT_LE(largestDifference(all.run(picture), stated), 1);
    // Blur first, and exposure first.
    EXPECT_GT(largestDifference(stated, sharpenLuminance(applyColourMatrix(boxBlur(coloured, 2), ev), 1.5f)), 8);
    EXPECT_GT(largestDifference(stated, boxBlur(sharpenLuminance(applyColourMatrix(coloured, ev), 1.5f), 2)), 8);
}

TEST(FilterChain, SettingsThatAreNotNumbersCountAsNeutral)
{
    const QImage picture = testPicture();
    const float nan = std::nanf("");
    const Chain broken{.hue = nan, .sat = INFINITY, .brt = nan, .con = -INFINITY, .sharp = nan, .ev = nan,
                       .blur = INFINITY};
    EXPECT_LE(largestDifference(broken.run(picture), picture), 1);
    // Every channel saturates, none becomes a stray value.
    EXPECT_TRUE(colourIs(Chain{.ev = 1e30f}.run(flat(QColor(1, 0, 2))), {0, 0}, QColor(255, 0, 255), 0));
    EXPECT_TRUE(Chain().run(QImage()).isNull());
}

TEST(FilterChain, TurnKeepsThePictureInsideItsBoxClockwise)
{
    // Left half red, right half blue, 200 x 100.
    QImage picture = flat(Qt::red, {200, 100});
    QPainter(&picture).fillRect(100, 0, 100, 100, Qt::blue);
    const QImage turned = Chain{.rotate = 90}.run(picture);
    ASSERT_EQ(turned.size(), QSize(200, 100));
    // Clockwise: the left half goes to the top; the 100 x 200 canvas is squeezed into 200 x 100.
    EXPECT_TRUE(colourIs(turned, {100, 20}, Qt::red, 3));
    EXPECT_TRUE(colourIs(turned, {100, 80}, Qt::blue, 3));

    // At 45 degrees the corners of the box are left transparent and the middle is covered.
    const QImage tilted = Chain{.rotate = 45}.run(picture);
    EXPECT_EQ(tilted.pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(tilted.pixelColor(198, 98).alpha(), 0);
    EXPECT_EQ(tilted.pixelColor(100, 50).alpha(), 255);
    // Without the turn step the setting is ignored.
    EXPECT_EQ(largestDifference(Chain{.rotate = 45, .onBox = false}.run(picture), picture), 0);

    for (auto [setting, whole] : {std::pair{45.9f, 45}, {-45.9f, -45}, {725.5f, 5}, {NAN, 0}, {INFINITY, 0}})
        EXPECT_EQ(ImageProcesser::wholeDegrees(setting), whole) << setting;
    // Unsqueezed, the canvas is the turned picture's bounding box.
    EXPECT_EQ(ImageProcesser::imageRotatedByDegrees(picture, 90).size(), QSize(100, 200));
    EXPECT_EQ(ImageProcesser::imageRotatedByDegrees(picture, 30).size(), QSize(224, 187));
}

// ---- Stored settings text ----------------------------------------------------------------------

TEST(SettingsText, AllSeventeenFieldsReadTheSameInACommaDecimalLocale)
{
    const auto check = [] {
        const PictureReference r = ParsePictureSettingsText(QStringLiteral(
            "/home/me/my_photos/ann_1.png<IMG_FILTER>Yes_ 0_1_true_ 45.9 _0.5_-1.25_3_1.5_0.1_1.2_0.75_80_"
            "YES_2.5_DA_1:0.6:0:1_"));
        EXPECT_EQ(r.path, QStringLiteral("/home/me/my_photos/ann_1.png"));
        EXPECT_EQ(r.fieldsRead, 17);
        const PictureSettings& s = r.settings;
        EXPECT_EQ((std::vector<bool>{s.flipH, s.flipV, s.grayScale, s.sepia, s.borderOn}),
                  (std::vector<bool>{true, false, true, true, true}));
        EXPECT_EQ((std::vector<float>{s.rotate, s.sharpness, s.exposure, s.blur, s.saturation, s.brightness,
                                      s.contrast, s.hue, s.transparency, s.borderWidth}),
                  (std::vector<float>{45.9f, 0.5f, -1.25f, 3, 1.5f, 0.1f, 1.2f, 0.75f, 80, 2.5f}));
        EXPECT_EQ(s.borderStyle, QStringLiteral("DA"));
        EXPECT_EQ(s.borderColour.rgba(), qRgba(255, 153, 0, 255));
    };
    check();
    const ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    check();
    // A comma is never a decimal point in stored settings.
    EXPECT_FLOAT_EQ(ParsePictureSettingsText(QStringLiteral("p<IMG_FILTER>0_0_0_0_1,5_")).settings.rotate, 1);
}

TEST(SettingsText, FieldsWithoutTheirClosingMarkAreNotTakenAndOthersKeepTheirValue)
{
    // The IMG_ globals are process-wide; the test leaves them as it found them.
    const auto globals = [] {
        return std::tie(IMG_Flip_H, IMG_Flip_V, IMG_gray_Scale, IMG_Sepia, IMG_rotate_image, IMG_srp_val, IMG_ev_val,
                        IMG_blr_val, IMG_sat_val, IMG_brt_val, IMG_con_val, IMG_hue_val, IMG_trnsp_val);
    };
    const auto saved = std::apply([](auto... value) { return std::make_tuple(value...); }, globals());
    IMG_hue_val = 0.3f, IMG_con_val = 0.9f;
    // 11 fields closed; the 12th (hue) has no closing "_".
    const PictureReference r =
        Read_IMG_Filter_Settings(QStringLiteral("p.png<IMG_FILTER>0_1_0_0_-30_0_0.5_0_2_0_1.5_2.5"));
    EXPECT_EQ(r.fieldsRead, 11);
    EXPECT_TRUE(IMG_Flip_V);
    EXPECT_FLOAT_EQ(IMG_rotate_image, -30);
    EXPECT_FLOAT_EQ(IMG_con_val, 1.5f);
    EXPECT_FLOAT_EQ(IMG_hue_val, 0.3f);
    // The record itself starts from neutral values.
    EXPECT_FLOAT_EQ(r.settings.hue, 0);
    // No marker: the whole text is the path and nothing changes.
    IMG_Flip_V = false;
    EXPECT_EQ(Read_IMG_Filter_Settings(QStringLiteral("a_b_1_")).path, QStringLiteral("a_b_1_"));
    EXPECT_FALSE(IMG_Flip_V);
    globals() = saved;
}

TEST(SettingsText, BooleansAndNumbersFollowTheirReadingRules)
{
    struct Case { const char* field; bool flag; float number; };
    for (const Case& c : {Case{"y", true, 0}, Case{"  +007", true, 7}, Case{"-0", false, 0}, Case{"no", false, 0},
                          Case{"", false, 0}, Case{"12abc", true, 12}, Case{"1e400", true, 0}}) {
        const QString text = QStringLiteral("p<IMG_FILTER>%1_0_0_0_%1_").arg(QLatin1String(c.field));
        const PictureSettings s = ParsePictureSettingsText(text).settings;
        EXPECT_EQ(s.flipH, c.flag) << c.field;
        EXPECT_FLOAT_EQ(s.rotate, c.number) << c.field;
    }
}

// ---- The chain in image elements and output ----------------------------------------------------

TEST(FilterChainInOutput, PictureProbeRunsTheChainAndThePreview)
{
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/picture-probe");
    if (!QFileInfo(probe).isExecutable())
        GTEST_SKIP() << "picture-probe is not built";
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.png")), out = dir.filePath(QStringLiteral("out.png"));
    ASSERT_TRUE(flat(QColor(200, 100, 50), {40, 20}).save(in));
    auto result = TestEnvironment::run(probe, {"filter", in, out, "--grey", "--rotate", "90", "--flipH"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(40, 20));
    EXPECT_TRUE(colourIs(QImage(out), {20, 10}, QColor(118, 118, 118)));

    EXPECT_EQ(TestEnvironment::run(probe, {"filter", dir.path(), out}).exitCode, 2);  // a folder is no picture
    EXPECT_EQ(TestEnvironment::run(probe, {"filter", in, out, "--hue", "1,5"}).exitCode, 64);

    const QString thumb = dir.filePath(QStringLiteral("thumb.png"));
    result = TestEnvironment::run(probe, {"thumb", in, thumb});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QImage(thumb).size(), QSize(40, 20));
}

// Saved in a design file and rendered by design-probe at 600 dpi, the picture is turned clockwise
// within its box (the red quarter goes to the top) and greyed, then brightened by 0.1:
// red L = 54.2 + 25.5 = 80, blue L = 18.4 + 25.5 = 44.
TEST(FilterChainInOutput, DesignProbeRendersAnImageElementsFilters)
{
    const QString designProbe = QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
    ASSERT_TRUE(QFileInfo(designProbe).isExecutable());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("halves.png"));
    QImage halves = flat(Qt::red, {80, 40});
    QPainter(&halves).fillRect(20, 0, 60, 40, Qt::blue);
    ASSERT_TRUE(halves.save(path));
    DesignState design;
    design.front.setCard_Size(QSizeF(100, 60));
    design.back.setCard_Side_Name(QStringLiteral("B"));
    design.back.setCard_Size(QSizeF(100, 60));
    auto picture = SKTImage::initWithPath(QPointF(), path);
    picture->setBounds(QRectF(10, 10, 80, 40));
    picture->ctrl_is_visible = true;
    picture->gray_Scale = true;
    picture->brt_val = 0.1f;
    picture->rotate_image = 90.7f;
    design.frontElements = {picture};
    QString error;
    ASSERT_TRUE(writeDesignFile(dir.filePath(QStringLiteral("halves.did")), design, &error)) << qPrintable(error);

    const auto result = TestEnvironment::run(designProbe, {"render", dir.filePath("halves.did"), dir.filePath("out")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage front(dir.filePath(QStringLiteral("out/front.png")));
    ASSERT_FALSE(front.isNull());
    const double pixelsPerPoint = front.width() / 100.0;
    const auto at = [pixelsPerPoint](double x, double y) { return QPoint(x * pixelsPerPoint, y * pixelsPerPoint); };
    EXPECT_TRUE(colourIs(front, at(50, 13), QColor(80, 80, 80), 3));
    EXPECT_TRUE(colourIs(front, at(50, 40), QColor(44, 44, 44), 3));
    EXPECT_TRUE(colourIs(front, at(5, 5), Qt::white, 2));
}
