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

#include "designfile/DesignFile.h"
#include "filters/FilterStages.h"
#include "filters/ImageProcesser.h"
#include "model/SKTImage.h"
#include "photos/ImgFilterSettings.h"
#include "photos/PhotoTestSupport.h"
#include "support/CommaLocale.h"
#include "support/PngSamples.h"
#include "support/TestEnvironment.h"

namespace {

// The chain with the settings, neutral unless a test changes them.
QImage run(const PictureSettings& settings, const QImage& picture, bool onBox = true)
{
    return ImageProcesser::Get_Processed_Image_Full_Combined(picture, settings, onBox);
}

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
        PictureSettings settings;
        QStringList operations;
        QColor input, expected;
        const QImage* picture = nullptr;
    };
    const Case cases[] = {
        {"invert and transparency have no stage", {.invert_clr = true, .img_trnsp_val = 20}, {}},
        {"grey", {.gray_Scale = true}, {"-grayscale", "Rec709Luma"}},
        {"sepia", {.Sepia = true}, {"-color-matrix", "0.393 0.769 0.189 0.349 0.686 0.168 0.272 0.534 0.131"}},
        {"brightness", {.brt_val = 0.2f}, {"-evaluate", "add", "20%"}},
        {"contrast", {.con_val = 1.5f}, {"-function", "polynomial", "1.5,-0.25"}},
        {"exposure", {.ev_val = 1}, {"-evaluate", "multiply", "2"}},
        {"sharpen", {.srp_val = 0.5f}, {"-morphology", "Convolve", "3x3: 0,-0.5,0 -0.5,3,-0.5 0,-0.5,0"}, {}, {},
         &grey},
        {"blur", {.blr_val = 2}, {"-virtual-pixel", "edge", "-statistic", "Mean", "5x5"}},
        {"mirror", {._isFlippedHorizontally = true}, {"-flop"}},
        {"upside down", {._isFlippedVertically = true}, {"-flip"}},
        {"both flips", {._isFlippedHorizontally = true, ._isFlippedVertically = true}, {"-rotate", "180"}},
        {"saturation 2", {.sat_val = 2}, {}, orange, QColor(255, 82, 0)},
        {"hue pi", {.hue_val = float(M_PI)}, {}, red, QColor(0, 109, 109)},
        {"hue pi/2", {.hue_val = float(M_PI / 2)}, {}, red, QColor(0, 91, 0)},
        {"exposure 0.5", {.ev_val = 0.5f}, {}, orange, QColor(255, 141, 71)},
    };
    for (const Case& c : cases) {
        const QImage input = c.input.isValid() ? flat(c.input) : c.picture ? *c.picture : picture;
        const QImage expected = c.input.isValid() ? flat(c.expected) : magick.apply(input, c.operations);
        EXPECT_LE(largestDifference(run(c.settings, input), expected), 1) << c.name;
    }
    // A transparent neighbour darkens nothing in the blur.
    QImage edge = flat(Qt::transparent, {10, 1});
    QPainter(&edge).fillRect(0, 0, 5, 1, QColor(200, 0, 0));
    EXPECT_EQ(run(PictureSettings{.blr_val = 1}, edge).pixelColor(4, 0).rgba(), qRgba(200, 0, 0, 170));
}

TEST(FilterChain, HueTurnsKeepGreysAndAFullTurnIsTheIdentity)
{
    const QImage picture = testPicture(), grey = greyPicture();
    EXPECT_LE(largestDifference(run(PictureSettings{.hue_val = float(2 * M_PI)}, picture), picture), 1);
    for (float hue : {0.7f, -2.0f, 3.0f})
        EXPECT_LE(largestDifference(run(PictureSettings{.hue_val = hue}, grey), grey), 1) << hue;
}

TEST(FilterChain, BoxBlurAgreesWithOpenCv)
{
    QImage picture = testPicture().convertToFormat(QImage::Format_ARGB32);
    for (float radius : {1.0f, 2.6f, 7.0f}) {
        const QImage ours = run(PictureSettings{.blr_val = radius}, picture).convertToFormat(QImage::Format_ARGB32);
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
    const QImage greySepia = run(PictureSettings{.gray_Scale = true, .Sepia = true}, flat(Qt::red));
    EXPECT_TRUE(colourIs(greySepia, {1, 1}, QColor(73, 65, 51)));
    // Brightness before contrast: (128 + 25.5 - 127.5) * 1.2 + 127.5 = 158.7 (the other way, 154).
    const QImage midGrey = flat(QColor(128, 128, 128));
    const QImage brighterFirst = run(PictureSettings{.brt_val = 0.1f, .con_val = 1.2f}, midGrey);
    EXPECT_TRUE(colourIs(brighterFirst, {1, 1}, QColor(159, 159, 159), 0));

    // Sharpening, exposure and blur on a picture with clipping: only the stated order gives this.
    const PictureSettings all{.hue_val = 0.5f, .sat_val = 1.4f, .brt_val = 0.05f, .con_val = 1.3f, .srp_val = 1.5f,
                              .ev_val = 0.8f, .blr_val = 2};
    const QImage picture = testPicture();
    const ColourMatrix colour =
        hueMatrix(all.hue_val).then(colourControlsMatrix(all.sat_val, all.brt_val, all.con_val));
    const QImage coloured = applyColourMatrix(picture, colour);
    const ColourMatrix ev = exposureMatrix(all.ev_val);
    const QImage stated = boxBlur(applyColourMatrix(sharpenLuminance(coloured, 1.5f), ev), 2);
    EXPECT_LE(largestDifference(run(all, picture), stated), 1);
    // Blur first, and exposure first.
    EXPECT_GT(largestDifference(stated, sharpenLuminance(applyColourMatrix(boxBlur(coloured, 2), ev), 1.5f)), 8);
    EXPECT_GT(largestDifference(stated, boxBlur(sharpenLuminance(applyColourMatrix(coloured, ev), 1.5f), 2)), 8);
}

TEST(FilterChain, SettingsThatAreNotNumbersCountAsNeutral)
{
    const QImage picture = testPicture();
    const float nan = std::nanf("");
    const PictureSettings broken{.hue_val = nan, .sat_val = INFINITY, .brt_val = nan, .con_val = -INFINITY,
                                 .srp_val = nan, .ev_val = nan, .blr_val = INFINITY};
    EXPECT_LE(largestDifference(run(broken, picture), picture), 1);
    // Every channel saturates, none becomes a stray value.
    EXPECT_TRUE(colourIs(run(PictureSettings{.ev_val = 1e30f}, flat(QColor(1, 0, 2))), {0, 0}, QColor(255, 0, 255), 0));
    EXPECT_TRUE(run(PictureSettings(), QImage()).isNull());
}

TEST(FilterChain, TurnKeepsThePictureInsideItsBoxClockwise)
{
    // Left half red, right half blue, 200 x 100.
    QImage picture = flat(Qt::red, {200, 100});
    QPainter(&picture).fillRect(100, 0, 100, 100, Qt::blue);
    const QImage turned = run(PictureSettings{.rotate_image = 90}, picture);
    ASSERT_EQ(turned.size(), QSize(200, 100));
    // Clockwise: the left half goes to the top; the 100 x 200 canvas is squeezed into 200 x 100.
    EXPECT_TRUE(colourIs(turned, {100, 20}, Qt::red, 3));
    EXPECT_TRUE(colourIs(turned, {100, 80}, Qt::blue, 3));

    // At 45 degrees the corners of the box are left transparent and the middle is covered.
    const QImage tilted = run(PictureSettings{.rotate_image = 45}, picture);
    EXPECT_EQ(tilted.pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(tilted.pixelColor(198, 98).alpha(), 0);
    EXPECT_EQ(tilted.pixelColor(100, 50).alpha(), 255);
    // Without the turn step the setting is ignored.
    EXPECT_EQ(largestDifference(run(PictureSettings{.rotate_image = 45}, picture, false), picture), 0);

    for (auto [setting, whole] : {std::pair{45.9f, 45}, {-45.9f, -45}, {725.5f, 5}, {NAN, 0}, {INFINITY, 0}})
        EXPECT_EQ(ImageProcesser::wholeDegrees(setting), whole) << setting;
    // Unsqueezed, the canvas is the turned picture's bounding box.
    EXPECT_EQ(ImageProcesser::imageRotatedByDegrees(picture, 90).size(), QSize(100, 200));
    EXPECT_EQ(ImageProcesser::imageRotatedByDegrees(picture, 30).size(), QSize(224, 187));
}

// One settings value runs every stage, then the flips, then the turn by the whole degrees.
TEST(FilterChain, ASettingsValueGivesTheStagesThenTheFlipsThenTheTurn)
{
    const PictureSettings s{._isFlippedHorizontally = true, .gray_Scale = true, .hue_val = 0.4f, .sat_val = 1.2f,
                            .brt_val = 0.05f, .con_val = 1.1f, .srp_val = 0.5f, .ev_val = 0.3f, .blr_val = 1,
                            .rotate_image = 30.8f};
    const QImage picture = testPicture();
    const ColourMatrix colour = monochromeMatrix().then(hueMatrix(s.hue_val)).then(
        colourControlsMatrix(s.sat_val, s.brt_val, s.con_val));
    const QImage stages = boxBlur(
        applyColourMatrix(sharpenLuminance(applyColourMatrix(picture, colour), s.srp_val), exposureMatrix(s.ev_val)),
        s.blr_val);
    const QImage expected = ImageProcesser::imageRotatedByDegrees_On_Ctrl_Bound(
        stages.mirrored(true, false), -30, QRectF(QPointF(), picture.size()));
    EXPECT_LE(largestDifference(run(s, picture), expected), 1);
    // Upside down instead, and without the turn.
    PictureSettings upsideDown = s;
    upsideDown._isFlippedHorizontally = false, upsideDown._isFlippedVertically = true;
    EXPECT_LE(largestDifference(run(upsideDown, picture, false), stages.mirrored(false, true)), 1);
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
        EXPECT_EQ((std::vector<bool>{s._isFlippedHorizontally, s._isFlippedVertically, s.gray_Scale, s.Sepia,
                                     r.border.on}),
                  (std::vector<bool>{true, false, true, true, true}));
        EXPECT_EQ((std::vector<float>{s.rotate_image, s.srp_val, s.ev_val, s.blr_val, s.sat_val, s.brt_val, s.con_val,
                                      s.hue_val, s.img_trnsp_val, r.border.width}),
                  (std::vector<float>{45.9f, 0.5f, -1.25f, 3, 1.5f, 0.1f, 1.2f, 0.75f, 80, 2.5f}));
        EXPECT_EQ(r.border.style, QStringLiteral("DA"));
        EXPECT_EQ(r.border.colour.rgba(), qRgba(255, 153, 0, 255));
    };
    check();
    const ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    check();
    // A comma is never a decimal point in stored settings.
    EXPECT_FLOAT_EQ(ParsePictureSettingsText(QStringLiteral("p<IMG_FILTER>0_0_0_0_1,5_")).settings.rotate_image, 1);
}

TEST(SettingsText, FieldsWithoutTheirClosingMarkAreNotTakenAndOthersKeepTheirValue)
{
    // The IMG_ globals are process-wide; the test leaves them as it found them.
    const PictureSettings saved = Get_IMG_Settings();
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
    EXPECT_FLOAT_EQ(r.settings.hue_val, 0);
    // No marker: the whole text is the path and nothing changes.
    IMG_Flip_V = false;
    EXPECT_EQ(Read_IMG_Filter_Settings(QStringLiteral("a_b_1_")).path, QStringLiteral("a_b_1_"));
    EXPECT_FALSE(IMG_Flip_V);
    Set_IMG_Settings(saved);
}

TEST(SettingsText, TheImgGlobalsAreSetAndReadAsOneSettingsValue)
{
    const PictureSettings saved = Get_IMG_Settings();
    const PictureSettings distinct{true, false, true, false, true, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    Set_IMG_Settings(distinct);
    EXPECT_EQ(std::tuple(IMG_Flip_H, IMG_Flip_V, IMG_invert_clr, IMG_gray_Scale, IMG_Sepia),
              std::tuple(true, false, true, false, true));
    EXPECT_EQ((std::vector<float>{IMG_trnsp_val, IMG_hue_val, IMG_sat_val, IMG_brt_val, IMG_con_val, IMG_srp_val,
                                  IMG_ev_val, IMG_blr_val, IMG_rotate_image}),
              (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Get_IMG_Settings(), distinct);
    // A whole settings text sets every global but the invert flag, which has no field.
    const QString text = QStringLiteral("p<IMG_FILTER>0_1_1_0_10_11_12_13_14_15_16_17_18_");
    Read_IMG_Filter_Settings(text);
    PictureSettings expected = ParsePictureSettingsText(text).settings;
    expected.invert_clr = true;
    EXPECT_EQ(Get_IMG_Settings(), expected);
    Set_IMG_Settings(saved);
}

TEST(SettingsText, BooleansAndNumbersFollowTheirReadingRules)
{
    struct Case { const char* field; bool flag; float number; };
    for (const Case& c : {Case{"y", true, 0}, Case{"  +007", true, 7}, Case{"-0", false, 0}, Case{"no", false, 0},
                          Case{"", false, 0}, Case{"12abc", true, 12}, Case{"1e400", true, 0}}) {
        const QString text = QStringLiteral("p<IMG_FILTER>%1_0_0_0_%1_").arg(QLatin1String(c.field));
        const PictureSettings s = ParsePictureSettingsText(text).settings;
        EXPECT_EQ(s._isFlippedHorizontally, c.flag) << c.field;
        EXPECT_FLOAT_EQ(s.rotate_image, c.number) << c.field;
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

    // PNGs of few pixels over 16000 wide give previews too, as ImageMagick sees them.
    const QString wideGrey = dir.filePath(QStringLiteral("wide_grey.png")), wideRgb = dir.filePath(QStringLiteral("wide_rgb.png"));
    ASSERT_EQ(TestEnvironment::runPython(pngSamplesPython()
                                             + "import sys\n"
                                               "open(sys.argv[1], 'wb').write(png_file(16001, 100, 0, 8, False, bytes([200])))\n"
                                               "open(sys.argv[2], 'wb').write(png_file(20000, 1000, 2, 8, False, bytes([10, 20, 30])))\n",
                                         {wideGrey, wideRgb}).exitCode, 0);
    for (const auto& [wide, size, colour] : {std::tuple(wideGrey, "500x3", "200,200,200"), std::tuple(wideRgb, "500x25", "10,20,30")}) {
        result = TestEnvironment::run(probe, {"thumb", wide, thumb});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const auto seen = TestEnvironment::run(QStringLiteral("convert"), {thumb, "-format", "%wx%h %[pixel:p{499,0}]", "info:"});
        EXPECT_EQ(seen.out, QByteArray(size) + " srgba(" + colour + ",1)") << wide.toStdString();
    }
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
    picture->picture.gray_Scale = true;
    picture->picture.brt_val = 0.1f;
    picture->picture.rotate_image = 90.7f;
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
