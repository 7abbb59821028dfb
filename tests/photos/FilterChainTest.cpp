// The picture filter chain: each stage against ImageMagick or hand-computed values, the stage
// order, the turn within the box, the background clamp, the stored settings text, and an image
// element's filters in rendered output.
#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <tuple>
#include <vector>
#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include "canvas/model/CardHost.h"
#include "canvas/model/SKTImage.h"
#include "canvas/render/SKTRenderingView.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/designfile/DesignFile.h"
#include "photos/ImageMagickOracle.h"
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

    QImage run(const QImage& picture, bool useImgRect = true, QRectF box = {}) const
    {
        return ImageProcesser::Get_Processed_Image_Full_Combined(picture, grey, sepia, invert, hue, sat, brt, con,
                                                                 rotate, sharp, ev, blur, alpha, onBox, flipH,
                                                                 flipV, useImgRect, box);
    }
};

Chain with(const std::function<void(Chain&)>& change)
{
    Chain chain;
    change(chain);
    return chain;
}

QImage flat(QColor colour, QSize size = {8, 8})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Colour patches, a ramp and noise: every channel takes many values, none at the same place.
QImage testPicture(int width = 96, int height = 64)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 255) / width, (y * 255) / height, random.bounded(256)));
    QPainter painter(&image);
    painter.fillRect(4, 4, 20, 20, QColor(200, 100, 50));
    painter.fillRect(30, 4, 20, 20, QColor(20, 180, 220));
    return image;
}

// The largest difference of any colour or alpha channel over two pictures of one size.
int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 256;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return worst;
}

::testing::AssertionResult colourIs(const QImage& picture, QPoint at, QColor expected, int tolerance = 1)
{
    const QColor got = picture.pixelColor(at);
    if (std::abs(got.red() - expected.red()) <= tolerance && std::abs(got.green() - expected.green()) <= tolerance &&
        std::abs(got.blue() - expected.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << at.x() << "," << at.y() << " got " << qPrintable(got.name())
                                         << ", expected " << qPrintable(expected.name());
}

}  // namespace

TEST(FilterChain, NeutralSettingsKeepPixelsSizeAndResolution)
{
    QImage picture = testPicture().convertToFormat(QImage::Format_ARGB32);
    picture.setPixel(3, 3, qRgba(200, 40, 10, 128));  // a half-transparent pixel keeps its colour
    picture.setDotsPerMeterX(11811);
    Chain neutral;
    neutral.invert = true;  // invert and transparency have no stage
    neutral.alpha = 20;
    for (bool onBox : {false, true}) {
        neutral.onBox = onBox;
        const QImage result = neutral.run(picture);
        EXPECT_LE(largestDifference(result, picture), 1);
        EXPECT_EQ(result.dotsPerMeterX(), 11811);
    }
    EXPECT_TRUE(Chain().run(QImage()).isNull());
}

// Each stage alone against ImageMagick operations that compute the same definition.
TEST(FilterChain, StagesMatchImageMagick)
{
    ImageMagickOracle magick;
    const QImage picture = testPicture();
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    struct Case {
        const char* name;
        Chain chain;
        QStringList operations;
        const QImage* input;
    };
    const Case cases[] = {
        {"grey", with([](Chain& c) { c.grey = true; }), {"-grayscale", "Rec709Luma"}, &picture},
        {"saturation 0", with([](Chain& c) { c.sat = 0; }), {"-grayscale", "Rec709Luma"}, &picture},
        {"sepia", with([](Chain& c) { c.sepia = true; }),
         {"-color-matrix", "0.393 0.769 0.189 0.349 0.686 0.168 0.272 0.534 0.131"}, &picture},
        {"brightness", with([](Chain& c) { c.brt = 0.2f; }), {"-evaluate", "add", "20%"}, &picture},
        {"contrast", with([](Chain& c) { c.con = 1.5f; }), {"-function", "polynomial", "1.5,-0.25"}, &picture},
        {"exposure up", with([](Chain& c) { c.ev = 1; }), {"-evaluate", "multiply", "2"}, &picture},
        {"exposure down", with([](Chain& c) { c.ev = -2; }), {"-evaluate", "multiply", "0.25"}, &picture},
        // Luminance sharpening equals sharpening each channel where all channels are equal.
        {"sharpen", with([](Chain& c) { c.sharp = 0.5f; }),
         {"-morphology", "Convolve", "3x3: 0,-0.5,0 -0.5,3,-0.5 0,-0.5,0"}, &grey},
        {"mirror", with([](Chain& c) { c.flipH = true; }), {"-flop"}, &picture},
        {"upside down", with([](Chain& c) { c.flipV = true; }), {"-flip"}, &picture},
        {"both flips", with([](Chain& c) { c.flipH = c.flipV = true; }), {"-rotate", "180"}, &picture},
    };
    for (const Case& c : cases) {
        const QImage theirs = magick.apply(*c.input, c.operations);
        ASSERT_FALSE(theirs.isNull()) << c.name;
        EXPECT_LE(largestDifference(c.chain.run(*c.input), theirs), 1) << c.name;
    }
}

TEST(FilterChain, ColourStagesGiveTheMatrixResultsOnFlatPatches)
{
    const QColor orange(200, 100, 50);
    struct Case {
        const char* name;
        Chain chain;
        QColor input;
        QColor expected;
    };
    // Hand-computed: L = 0.2125 R + 0.7154 G + 0.0721 B.
    const Case cases[] = {
        {"grey", with([](Chain& c) { c.grey = true; }), orange, QColor(118, 118, 118)},
        {"saturation 2", with([](Chain& c) { c.sat = 2; }), orange, QColor(255, 82, 0)},
        {"saturation 0.5", with([](Chain& c) { c.sat = 0.5f; }), orange, QColor(159, 109, 84)},
        {"sepia", with([](Chain& c) { c.sepia = true; }), orange, QColor(165, 147, 114)},
        {"hue pi", with([](Chain& c) { c.hue = float(M_PI); }), QColor(255, 0, 0), QColor(0, 109, 109)},
        {"hue pi/2", with([](Chain& c) { c.hue = float(M_PI / 2); }), QColor(255, 0, 0), QColor(0, 91, 0)},
        {"brightness -0.25", with([](Chain& c) { c.brt = -0.25f; }), orange, QColor(136, 36, 0)},
        {"contrast 0", with([](Chain& c) { c.con = 0; }), orange, QColor(128, 128, 128)},
        {"contrast 1.5", with([](Chain& c) { c.con = 1.5f; }), orange, QColor(236, 86, 11)},
        {"exposure 0.5", with([](Chain& c) { c.ev = 0.5f; }), orange, QColor(255, 141, 71)},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(colourIs(c.chain.run(flat(c.input)), {4, 4}, c.expected)) << c.name;
}

TEST(FilterChain, HueTurnsKeepGreysAndAFullTurnIsTheIdentity)
{
    const QImage picture = testPicture();
    Chain turn;
    turn.hue = float(2 * M_PI);
    EXPECT_LE(largestDifference(turn.run(picture), picture), 1);
    for (float hue : {0.7f, -2.0f, 3.0f})
        for (int level : {0, 37, 128, 255}) {
            turn.hue = hue;
            EXPECT_TRUE(colourIs(turn.run(flat(QColor(level, level, level))), {1, 1}, QColor(level, level, level)));
        }
}

TEST(FilterChain, StagesRunInTheirFixedOrder)
{
    // Sepia takes the grey picture: red -> L 54.19 -> sepia of that grey.
    Chain greyThenSepia;
    greyThenSepia.grey = greyThenSepia.sepia = true;
    EXPECT_TRUE(colourIs(greyThenSepia.run(flat(Qt::red)), {1, 1}, QColor(73, 65, 51)));
    // Hue takes the sepia output, which is no grey, so it turns.
    greyThenSepia.hue = float(M_PI);
    EXPECT_FALSE(colourIs(greyThenSepia.run(flat(Qt::red)), {1, 1}, QColor(73, 65, 51), 5));
    // Brightness before contrast: (128 + 25.5 - 127.5) * 1.2 + 127.5 = 158.7 (the other way, 154).
    Chain brightThenContrast;
    brightThenContrast.brt = 0.1f;
    brightThenContrast.con = 1.2f;
    EXPECT_TRUE(colourIs(brightThenContrast.run(flat(QColor(128, 128, 128))), {1, 1}, QColor(159, 159, 159), 0));

    // Sharpening, exposure and blur on a picture with clipping: only the stated order gives this.
    Chain all;
    all.hue = 0.5f, all.sat = 1.4f, all.brt = 0.05f, all.con = 1.3f, all.sharp = 1.5f, all.ev = 0.8f, all.blur = 2;
    const QImage picture = testPicture();
    const QImage coloured = applyColourMatrix(
        picture, hueMatrix(all.hue).then(colourControlsMatrix(all.sat, all.brt, all.con)));
    const ColourMatrix exposure = exposureMatrix(all.ev);
    const QImage stated = boxBlur(applyColourMatrix(sharpenLuminance(coloured, all.sharp), exposure), all.blur);
    const QImage blurFirst = sharpenLuminance(applyColourMatrix(boxBlur(coloured, all.blur), exposure), all.sharp);
    const QImage exposeFirst = boxBlur(sharpenLuminance(applyColourMatrix(coloured, exposure), all.sharp), all.blur);
    EXPECT_LE(largestDifference(all.run(picture), stated), 1);
    EXPECT_GT(largestDifference(stated, blurFirst), 8);
    EXPECT_GT(largestDifference(stated, exposeFirst), 8);
}

TEST(FilterChain, BoxBlurAgreesWithOpenCv)
{
    QImage picture = testPicture(120, 80).convertToFormat(QImage::Format_ARGB32);
    for (float radius : {1.0f, 2.6f, 7.0f, 200.0f}) {
        Chain blur;
        blur.blur = radius;
        const QImage ours = blur.run(picture).convertToFormat(QImage::Format_ARGB32);
        const int r = int(std::lround(std::min(radius, 120.0f)));
        cv::Mat in(picture.height(), picture.width(), CV_8UC4, picture.bits(), size_t(picture.bytesPerLine()));
        cv::Mat out;
        cv::blur(in, out, cv::Size(2 * r + 1, 2 * r + 1), cv::Point(-1, -1), cv::BORDER_REPLICATE);
        const QImage theirs(out.data, out.cols, out.rows, int(out.step), QImage::Format_ARGB32);
        EXPECT_LE(largestDifference(ours, theirs), 1) << "radius " << radius;
    }
    // A fraction under a half blurs nothing; a transparent neighbour darkens nothing.
    Chain tiny;
    tiny.blur = 0.4f;
    EXPECT_LE(largestDifference(tiny.run(picture), picture), 0);
    QImage half(10, 1, QImage::Format_ARGB32);
    half.fill(Qt::transparent);
    for (int x = 0; x < 5; ++x)
        half.setPixel(x, 0, qRgb(200, 0, 0));
    Chain blur;
    blur.blur = 1;
    const QColor edge = blur.run(half).pixelColor(4, 0);
    EXPECT_EQ(edge.alpha(), 170);
    EXPECT_NEAR(edge.red(), 200, 1);
}

TEST(FilterChain, SettingsThatAreNotNumbersCountAsNeutral)
{
    const QImage picture = testPicture();
    const float nan = std::nanf("");
    Chain broken;
    broken.hue = nan, broken.sat = INFINITY, broken.brt = nan, broken.con = -INFINITY, broken.sharp = nan,
    broken.ev = nan, broken.blur = INFINITY;
    EXPECT_LE(largestDifference(broken.run(picture), picture), 1);
    Chain huge;
    huge.ev = 1e30f;  // every channel saturates, none becomes a stray value
    EXPECT_TRUE(colourIs(huge.run(flat(QColor(1, 0, 2))), {0, 0}, QColor(255, 0, 255), 0));
}

TEST(FilterChain, TurnKeepsThePictureInsideItsBoxClockwise)
{
    // Left half red, right half blue, 200 x 100.
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QPainter(&picture).fillRect(100, 0, 100, 100, Qt::blue);
    Chain quarter;
    quarter.rotate = 90;
    const QImage turned = quarter.run(picture);
    ASSERT_EQ(turned.size(), QSize(200, 100));
    // Clockwise: the left half goes to the top; the 100 x 200 canvas is squeezed into 200 x 100.
    EXPECT_TRUE(colourIs(turned, {100, 20}, Qt::red, 3));
    EXPECT_TRUE(colourIs(turned, {100, 80}, Qt::blue, 3));
    EXPECT_TRUE(colourIs(turned, {5, 5}, Qt::red, 3));

    // At 45 degrees the corners of the box are left transparent and the middle is covered.
    Chain eighth;
    eighth.rotate = 45;
    const QImage tilted = eighth.run(picture);
    ASSERT_EQ(tilted.size(), QSize(200, 100));
    EXPECT_EQ(tilted.pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(tilted.pixelColor(198, 98).alpha(), 0);
    EXPECT_EQ(tilted.pixelColor(100, 50).alpha(), 255);
    // The rectangle passed does not matter, nor does a whole turn.
    EXPECT_EQ(eighth.run(picture, false, QRectF(40, -7, 3, 9)), tilted);
    Chain whole;
    whole.rotate = 360;
    EXPECT_LE(largestDifference(whole.run(picture), picture), 0);
    // Without the turn step the setting is ignored.
    eighth.onBox = false;
    EXPECT_LE(largestDifference(eighth.run(picture), picture), 0);

    for (auto [setting, whole] : {std::pair{45.9f, 45}, {-45.9f, -45}, {725.5f, 5}, {NAN, 0}, {INFINITY, 0}})
        EXPECT_EQ(ImageProcesser::wholeDegrees(setting), whole) << setting;

    // Unsqueezed, the canvas is the turned picture's bounding box.
    EXPECT_EQ(ImageProcesser::imageRotatedByDegrees(picture, 90).size(), QSize(100, 200));
    EXPECT_EQ(ImageProcesser::imageRotatedByDegrees(picture, 30).size(), QSize(224, 187));
    EXPECT_EQ(ImageProcesser::adjust_Rotate(picture, 0).constBits(), picture.constBits());
    EXPECT_EQ(ImageProcesser::adjust_Rotate(picture, -90).size(), QSize(100, 200));
}

TEST(FilterChain, BackgroundSizeIsClampedPerSideAndPixelsStay)
{
    // Size in points as the resolution states it.
    const auto points = [](const QImage& p) {
        return QSizeF(p.width() * 72.0 / (p.dotsPerMeterX() * 0.0254), p.height() * 72.0 / (p.dotsPerMeterY() * 0.0254));
    };
    struct Case { QSize pixels; QSizeF expected; };
    for (const Case& c : {Case{{700, 500}, {700, 468}}, Case{{1000, 300}, {724, 300}}, Case{{2000, 2000}, {724, 468}}}) {
        QImage picture = flat(Qt::blue, c.pixels);
        picture.setDotsPerMeterX(2835), picture.setDotsPerMeterY(2835);  // 72 dpi
        const QImage clamped = ImageProcesser::Set_Dimaension(picture);
        EXPECT_EQ(clamped.size(), c.pixels);
        EXPECT_NEAR(points(clamped).width(), c.expected.width(), 0.5) << c.pixels.width();
        EXPECT_NEAR(points(clamped).height(), c.expected.height(), 0.5) << c.pixels.height();
    }
    const QImage small = flat(Qt::blue, {700, 400});
    const QImage untouched = ImageProcesser::Set_Dimaension(small);
    EXPECT_EQ(untouched.dotsPerMeterX(), small.dotsPerMeterX());
    EXPECT_EQ(untouched.dotsPerMeterY(), small.dotsPerMeterY());
    EXPECT_EQ(untouched.constBits(), small.constBits());
}

// ---- Stored settings text ----------------------------------------------------------------------

// The IMG_ globals are process-wide; each test leaves them as it found them.
class SettingsText : public ::testing::Test {
protected:
    using Globals = std::tuple<bool, bool, bool, bool, float, float, float, float, float, float, float, float, float>;
    static auto globals()
    {
        return std::tie(IMG_Flip_H, IMG_Flip_V, IMG_gray_Scale, IMG_Sepia, IMG_rotate_image, IMG_srp_val, IMG_ev_val,
                        IMG_blr_val, IMG_sat_val, IMG_brt_val, IMG_con_val, IMG_hue_val, IMG_trnsp_val);
    }
    void SetUp() override { saved = globals(); }
    void TearDown() override { globals() = saved; }
    Globals saved;
};

const QString kFullText = QStringLiteral(
    "/home/me/my_photos/ann_1.png<IMG_FILTER>Yes_ 0_1_true_ 45.9 _0.5_-1.25_3_1.5_0.1_1.2_0.75_80_"
    "YES_2.5_DA_1:0.6:0:1_");

TEST_F(SettingsText, AllSeventeenFieldsAreReadAfterTheMarker)
{
    const PictureReference r = ParsePictureSettingsText(kFullText);
    EXPECT_EQ(r.path, QStringLiteral("/home/me/my_photos/ann_1.png"));
    EXPECT_EQ(r.fieldsRead, 17);
    const PictureSettings& s = r.settings;
    EXPECT_EQ((std::vector<bool>{s.flipH, s.flipV, s.grayScale, s.sepia, s.borderOn}),
              (std::vector<bool>{true, false, true, true, true}));
    EXPECT_EQ((std::vector<float>{s.rotate, s.sharpness, s.exposure, s.blur, s.saturation, s.brightness, s.contrast,
                                  s.hue, s.transparency, s.borderWidth}),
              (std::vector<float>{45.9f, 0.5f, -1.25f, 3, 1.5f, 0.1f, 1.2f, 0.75f, 80, 2.5f}));
    EXPECT_EQ(s.borderStyle, QStringLiteral("DA"));
    EXPECT_EQ(s.borderColour.rgba(), qRgba(255, 153, 0, 255));
}

TEST_F(SettingsText, FieldsWithoutTheirClosingMarkAreNotTakenAndOthersKeepTheirValue)
{
    IMG_hue_val = 0.3f, IMG_trnsp_val = 55, IMG_con_val = 0.9f;
    // 11 fields closed; the 12th (hue) has no closing "_".
    const PictureReference r = Read_IMG_Filter_Settings(
        QStringLiteral("p.png<IMG_FILTER>0_1_0_0_-30_0_0.5_0_2_0_1.5_2.5"));
    EXPECT_EQ(r.fieldsRead, 11);
    EXPECT_FALSE(IMG_Flip_H);
    EXPECT_TRUE(IMG_Flip_V);
    EXPECT_FLOAT_EQ(IMG_rotate_image, -30);
    EXPECT_FLOAT_EQ(IMG_sat_val, 2);
    EXPECT_FLOAT_EQ(IMG_con_val, 1.5f);
    EXPECT_FLOAT_EQ(IMG_hue_val, 0.3f);
    EXPECT_FLOAT_EQ(IMG_trnsp_val, 55);
    // The record itself starts from neutral values and the border from off, solid, black.
    EXPECT_FLOAT_EQ(r.settings.hue, 0);
    EXPECT_FALSE(r.settings.borderOn);
    EXPECT_EQ(r.settings.borderColour, QColor(Qt::black));

    // No marker: the whole text is the path and nothing changes.
    IMG_Flip_V = false;
    EXPECT_EQ(Read_IMG_Filter_Settings(QStringLiteral("a_b_1_")).path, QStringLiteral("a_b_1_"));
    EXPECT_FALSE(IMG_Flip_V);
}

TEST_F(SettingsText, BooleansAndNumbersFollowTheirReadingRules)
{
    struct Case { const char* field; bool flag; float number; };
    for (const Case& c : {Case{"y", true, 0}, Case{"T", true, 0}, Case{"  +007", true, 7}, Case{"-0", false, 0},
                          Case{"no", false, 0}, Case{"", false, 0}, Case{"12abc", true, 12}, Case{"1e400", true, 0}}) {
        const QString text = QStringLiteral("p<IMG_FILTER>%1_0_0_0_%1_").arg(QLatin1String(c.field));
        const PictureSettings s = ParsePictureSettingsText(text).settings;
        EXPECT_EQ(s.flipH, c.flag) << c.field;
        EXPECT_FLOAT_EQ(s.rotate, c.number) << c.field;
    }
}

TEST_F(SettingsText, ReadsTheSameInACommaDecimalLocale)
{
    const PictureReference usual = ParsePictureSettingsText(kFullText);
    const ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    const PictureReference comma = ParsePictureSettingsText(kFullText);
    EXPECT_FLOAT_EQ(comma.settings.rotate, 45.9f);
    EXPECT_FLOAT_EQ(comma.settings.exposure, usual.settings.exposure);
    EXPECT_FLOAT_EQ(comma.settings.hue, usual.settings.hue);
    EXPECT_EQ(comma.settings.borderColour.rgba(), usual.settings.borderColour.rgba());
    // A comma is never a decimal point in stored settings.
    EXPECT_FLOAT_EQ(ParsePictureSettingsText(QStringLiteral("p<IMG_FILTER>0_0_0_0_1,5_")).settings.rotate, 1);
}

// ---- The chain in image elements and output ----------------------------------------------------

TEST(FilterChainInOutput, ImageElementShowsItsFiltersWhenRendered)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("red.png"));
    ASSERT_TRUE(flat(QColor(220, 30, 30), {80, 40}).save(path));
    // Left 20 points red, the rest blue, so the turn and flip show where they went.
    QImage halves = flat(Qt::red, {80, 40});
    QPainter(&halves).fillRect(20, 0, 60, 40, Qt::blue);
    ASSERT_TRUE(halves.save(dir.filePath(QStringLiteral("halves.png"))));

    setCardHost(nullptr);  // the built-in host answers with the chain
    Card_Front_Or_Back = 0;
    auto grey = SKTImage::initWithPath(QPointF(), path);
    grey->gray_Scale = true;
    grey->brt_val = 0.1f;
    grey->setBounds(QRectF(10, 10, 80, 40));
    grey->ctrl_is_visible = true;
    grey->setFilePath(path, false);  // the settings take effect when the picture is made

    auto turned = SKTImage::initWithPath(QPointF(), dir.filePath(QStringLiteral("halves.png")));
    turned->rotate_image = 90.7f;
    turned->setBounds(QRectF(120, 10, 80, 40));
    turned->ctrl_is_visible = true;
    turned->setFilePath(dir.filePath(QStringLiteral("halves.png")), false);

    const QImage card = SKTRenderingView::image_From_Card_Graphics({grey, turned}).toImage(72);
    // L = 0.2125*220 + 0.7154*30 + 0.0721*30 = 70.4; plus 0.1 brightness: 96.
    EXPECT_TRUE(colourIs(card, {50, 30}, QColor(96, 96, 96), 2));
    // Turned clockwise within the box: the red quarter is now the top quarter.
    EXPECT_TRUE(colourIs(card, {160, 13}, Qt::red, 3));
    EXPECT_TRUE(colourIs(card, {160, 40}, Qt::blue, 3));
}

TEST(FilterChainInOutput, PictureProbeRunsTheChainAndThePreview)
{
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/picture-probe");
    if (!QFileInfo(probe).isExecutable())
        GTEST_SKIP() << "picture-probe is not built";
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.png"));
    ASSERT_TRUE(flat(QColor(200, 100, 50), {40, 20}).save(in));
    const QString out = dir.filePath(QStringLiteral("out.png"));
    auto result = TestEnvironment::run(probe, {"filter", in, out, "--grey", "--rotate", "90", "--flipH"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage filtered(out);
    EXPECT_EQ(filtered.size(), QSize(40, 20));
    EXPECT_TRUE(colourIs(filtered, {20, 10}, QColor(118, 118, 118)));

    EXPECT_EQ(TestEnvironment::run(probe, {"filter", dir.path(), out}).exitCode, 2);  // a folder is no picture
    EXPECT_EQ(TestEnvironment::run(probe, {"filter", in, out, "--hue", "1,5"}).exitCode, 64);

    const QString thumb = dir.filePath(QStringLiteral("thumb.png"));
    result = TestEnvironment::run(probe, {"thumb", in, thumb});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QImage(thumb).size(), QSize(40, 20));
}

TEST(FilterChainInOutput, DesignProbeRendersAnImageElementsFilters)
{
    const QString designProbe = QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
    if (!QFileInfo(designProbe).isExecutable())
        GTEST_SKIP() << "design-probe is not built";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orange.png"));
    ASSERT_TRUE(flat(QColor(200, 100, 50), {80, 40}).save(path));
    DesignState design;
    design.front.setCard_Size(QSizeF(100, 60));
    design.back.setCard_Side_Name(QStringLiteral("B"));
    design.back.setCard_Size(QSizeF(100, 60));
    auto picture = SKTImage::initWithPath(QPointF(), path);
    picture->setBounds(QRectF(10, 10, 80, 40));
    picture->ctrl_is_visible = true;
    picture->Sepia = true;
    design.frontElements = {picture};
    QString error;
    ASSERT_TRUE(writeDesignFile(dir.filePath(QStringLiteral("sepia.did")), design, &error)) << qPrintable(error);

    const auto result = TestEnvironment::run(designProbe, {"render", dir.filePath("sepia.did"), dir.filePath("out")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage front(dir.filePath(QStringLiteral("out/front.png")));
    ASSERT_FALSE(front.isNull());
    const double pixelsPerPoint = front.width() / 100.0;  // 600 dpi
    EXPECT_TRUE(colourIs(front, QPoint(50 * pixelsPerPoint, 30 * pixelsPerPoint), QColor(165, 147, 114), 2));
    EXPECT_TRUE(colourIs(front, QPoint(5 * pixelsPerPoint, 5 * pixelsPerPoint), Qt::white, 2));
}
