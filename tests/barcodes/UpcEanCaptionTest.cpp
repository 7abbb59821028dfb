// The printed number of the retail symbologies: whatever the bar width, font size and spacing,
// every digit shows, each group centred under its own half of the bars and the side digits beside
// them, all inside the picture. The factory's picture at 600 dpi has black bars and a red caption;
// ImageMagick finds the digits as connected shapes of the red ink and zbarimg reads the bars.
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "SymbolTools.h"
#include "barcodes/BarcodeGenerator.h"
#include "barcodes/BarcodeLists.h"
#include "model/SKTBarcode.h"

using namespace symbol_tools;

namespace {

constexpr double kDpi = 600;
constexpr int kEdgePixels = 2;  // anti-aliasing
// DejaVu Sans's round digits, overshoots included, in ems.
constexpr double kDigitHeightEm = 0.756;

struct Group {
    int digits;
    int first;  // under modules [first, end)
    int end;
};

struct Symbology {
    const char* title;
    const char* value;
    const char* zbar;
    int modules;
    std::vector<Group> groups;
    bool leftDigit;
    bool rightDigit;
};

const Symbology kEan13{"EAN-13", "590123412345", "5901234123457", 95, {{6, 3, 45}, {6, 50, 92}}, true, false};
const Symbology kEan8{"EAN-8", "9638507", "96385074", 67, {{4, 3, 31}, {4, 36, 64}}, false, false};
const Symbology kUpcA{"UPCA", "03600029145", "0036000291452", 95, {{5, 10, 45}, {5, 50, 85}}, true, true};
const Symbology kUpcE{"UPCE", "0425261", "0042100005264", 51, {{6, 3, 45}}, true, true};

struct CaptionCase {
    const Symbology* symbology;
    float mils;
    // Digits at the font's size; otherwise the widest group is as wide as its modules.
    bool fullSize;
    double fontSize = 10;
    bool spaced = true;  // two points after each digit
    bool tight = false;  // no header, footer or side margins
    bool onTop = false;
};

const CaptionCase kCases[] = {
    {&kEan13, 7, false}, {&kEan13, 10, false}, {&kEan13, 12, false}, {&kEan13, 13, false}, {&kEan13, 20, true},
    {&kEan8, 7, false},  {&kEan8, 10, false},  {&kEan8, 12, false},  {&kEan8, 13, false},  {&kEan8, 20, true},
    {&kUpcA, 7, false},  {&kUpcA, 10, false},  {&kUpcA, 12, false},  {&kUpcA, 13, false},  {&kUpcA, 20, true},
    {&kUpcE, 7, false},  {&kUpcE, 10, false},  {&kUpcE, 12, false},  {&kUpcE, 13, false},  {&kUpcE, 20, true},
    {&kEan13, 10, false, 16, false},
    {&kEan13, 20, true, 6},
    {&kEan13, 7, false, 10, true, true},
    {&kUpcA, 7, false, 14, true, true},
    {&kUpcE, 12, false, 10, true, false, true},
    {&kEan8, 20, true, 10, false, false, true},
};

QImage pictureOf(const CaptionCase& c)
{
    SKTBarcode element;
    BarcodeSettings& settings = element.barcode;
    settings.barcode_font_index = qint32(symbologyTitles().indexOf(QString::fromLatin1(c.symbology->title)));
    settings.linear_width_val = c.mils;
    settings.value_font_val = CardFont{QStringLiteral("DejaVu Sans"), c.fontSize};
    settings.barcode_val_clr_val = Qt::red;
    settings.barcode_hdr_clr_val = settings.barcode_ftr_clr_val = Qt::white;
    settings.show_val_on_top = c.onTop ? 1 : 0;
    if (c.tight) {
        settings.show_hide_hdr = settings.show_hide_ftr = 1;
        settings.LR_margin_val = 0;
    }
    BarcodeContext s;
    Set_Barcode_Prop_To_Control(s, element);
    s.kerning_value_Checkbox = !c.spaced;
    QImage drawn = Get_Image_From_Val(s, QString::fromLatin1(c.symbology->value), "HEADER", "FOOTER").toImage(kDpi);
    drawn.setDevicePixelRatio(1);
    QImage picture(drawn.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).drawImage(0, 0, drawn);
    return picture;
}

// The boxes of the connected shapes ImageMagick finds in the black of a picture.
std::vector<QRect> shapesOf(const QString& file)
{
    const auto run = TestEnvironment::run(QStringLiteral("convert"),
        {file, "-define", "connected-components:verbose=true", "-connected-components", "8", "null:"});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    static const QRegularExpression object(QStringLiteral(R"(^\s*\d+: (\d+)x(\d+)\+(\d+)\+(\d+) .* gray\(0\)$)"));
    std::vector<QRect> shapes;
    for (const QString& line : QString::fromLatin1(run.out).split(u'\n')) {
        if (const QRegularExpressionMatch m = object.match(line); m.hasMatch())
            shapes.emplace_back(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
                                m.captured(2).toInt());
    }
    return shapes;
}

// How many shapes have their centres between two columns, and the box round them.
std::pair<int, QRect> shapesBetween(const std::vector<QRect>& shapes, double left, double right)
{
    int count = 0;
    QRect box;
    for (const QRect& shape : shapes) {
        if (shape.center().x() >= left && shape.center().x() < right) {
            ++count;
            box = box.united(shape);
        }
    }
    return {count, box};
}

std::string caseName(const ::testing::TestParamInfo<CaptionCase>& info)
{
    return QStringLiteral("%1_%2mils_%3").arg(info.param.symbology->title).arg(info.param.mils).arg(info.index)
        .remove(u'-').toStdString();
}

class UpcEanCaption : public ::testing::TestWithParam<CaptionCase> {};

}  // namespace

TEST_P(UpcEanCaption, EveryDigitShowsUnderItsOwnHalfOfTheBarsInsideThePicture)
{
    const CaptionCase& c = GetParam();
    const Symbology& symbology = *c.symbology;
    QTemporaryDir dir;
    const QImage picture = pictureOf(c);
    ASSERT_FALSE(picture.isNull());
    const QString file = dir.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(picture.save(file));
    EXPECT_EQ(zbar(file).toStdString(), symbology.zbar);

    // The caption's red ink alone, and the bars' black columns.
    QImage ink(picture.size(), QImage::Format_Grayscale8);
    int barsLeft = picture.width(), barsRight = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            const bool red = qRed(pixel) >= 128 && qGreen(pixel) < 128 && qBlue(pixel) < 128;
            ink.scanLine(y)[x] = red ? 0 : 255;
            if (qRed(pixel) < 128)
                barsLeft = std::min(barsLeft, x), barsRight = std::max(barsRight, x);
        }
    }
    const double module = c.mils * kDpi / 1000.0;
    ASSERT_NEAR(barsRight + 1 - barsLeft, symbology.modules * module, 2);
    ASSERT_TRUE(ink.save(dir.filePath(QStringLiteral("ink.png"))));
    const std::vector<QRect> shapes = shapesOf(dir.filePath(QStringLiteral("ink.png")));

    int digits = int(symbology.leftDigit) + int(symbology.rightDigit);
    for (const Group& group : symbology.groups)
        digits += group.digits;
    EXPECT_EQ(int(shapes.size()), digits) << "a shape a digit";
    for (const QRect& shape : shapes)
        EXPECT_TRUE(picture.rect().adjusted(1, 1, -1, -1).contains(shape)) << "cut off at " << shape.x();

    double leastRoomLeft = 1e9;
    int height = 0;
    for (const Group& group : symbology.groups) {
        SCOPED_TRACE(group.first);
        const double left = barsLeft + group.first * module;
        const double right = barsLeft + group.end * module;
        const auto [count, box] = shapesBetween(shapes, left, right);
        EXPECT_EQ(count, group.digits);
        EXPECT_GE(box.left(), left - kEdgePixels);
        EXPECT_LE(box.right() + 1, right + kEdgePixels);
        EXPECT_NEAR((box.left() + box.right() + 1) / 2.0, (left + right) / 2, kEdgePixels) << "centred";
        if (c.fullSize) {
            EXPECT_NEAR(box.height(), kDigitHeightEm * c.fontSize * kDpi / 72, 2 * kEdgePixels);
        }
        if (height) {
            EXPECT_NEAR(box.height(), height, 2 * kEdgePixels) << "digits of one size";
        }
        height = box.height();
        leastRoomLeft = std::min(leastRoomLeft, right - left - box.width());
    }
    if (!c.fullSize) {
        EXPECT_NEAR(leastRoomLeft, 0, 2 * kEdgePixels) << "the widest group as wide as its modules";
    }
    // The side digits stand clear of the bars, as tall as the others.
    const auto [leftCount, leftBox] = shapesBetween(shapes, 0, barsLeft);
    EXPECT_EQ(leftCount, int(symbology.leftDigit));
    const auto [rightCount, rightBox] = shapesBetween(shapes, barsRight + 1, picture.width());
    EXPECT_EQ(rightCount, int(symbology.rightDigit));
    EXPECT_TRUE(leftBox.isNull() || leftBox.right() < barsLeft);
    EXPECT_TRUE(rightBox.isNull() || rightBox.left() > barsRight);
    for (const QRect& side : {leftBox, rightBox}) {
        if (!side.isNull()) {
            EXPECT_NEAR(side.height(), height, 2 * kEdgePixels);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BarWidthsAndFonts, UpcEanCaption, ::testing::ValuesIn(kCases), caseName);
