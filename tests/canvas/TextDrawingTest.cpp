// Text elements: case, measuring as drawn, kerning, shadow, box, visibility.
#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

#include "canvas/drawing/TextLayout.h"
#include "canvas/model/CardHost.h"
#include "canvas/model/SKTDocument.h"
#include "canvas/model/SKTText.h"

namespace {

class CountingHost final : public CardHost {
public:
    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 243, 154); }
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QPointF Control_New_Point(const QString&) override { return {}; }
    QString Generate_Extra_image_control_ID() override { return {}; }
    CardFont All_Text_font() const override { return {"DejaVu Sans", 12}; }
    QColor All_Text_clr() const override { return Qt::black; }
    void Refresh_Canvas() override { ++refreshes; }
    int refreshes = 0;
};

using PixelTest = std::function<bool(QRgb)>;
const PixelTest isDark = [](QRgb p) { return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100; };
const PixelTest isRed = [](QRgb p) { return qRed(p) > 160 && qGreen(p) < 100 && qBlue(p) < 100; };
const PixelTest isBlue = [](QRgb p) { return qBlue(p) > 160 && qRed(p) < 100 && qGreen(p) < 100; };
const PixelTest isPainted = [](QRgb p) { return p != qRgb(255, 255, 255); };

// A white card of the size in points on a 72-dpi image, painted at `scale` pixels per point.
struct Canvas {
    Canvas(QSizeF points, double scale)
        : scale(scale), image((points * scale).toSize(), QImage::Format_ARGB32)
    {
        image.setDotsPerMeterX(2835), image.setDotsPerMeterY(2835);
        image.fill(Qt::white);
    }
    Canvas& draw(SKTText& text, bool beingCreated = false)
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        text.drawContentsInView(painter, beingCreated);
        return *this;
    }
    // The bounding box of the matching pixels in points (empty when none match), and their count.
    QRectF ink(const PixelTest& matches, int* count = nullptr) const
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (matches(image.pixel(x, y)))
                    box |= QRect(x, y, 1, 1), count && ++*count;
        return QRectF(box.x() / scale, box.y() / scale, box.width() / scale, box.height() / scale);
    }
    double scale;
    QImage image;
};

std::shared_ptr<SKTText> makeText(const QString& value, const QRectF& bounds, double size = 12)
{
    auto text = std::make_shared<SKTText>();
    text->Text_Value = value;
    text->_bounds = bounds;
    text->text_ctrl_font = CardFont{"DejaVu Sans", size};
    text->txt_clr = Qt::black;
    text->ctrl_is_visible = true, text->Drawing_Shadow = false;
    text->text_alignmnet = 0, text->text_alignmnet_Vert = 0;
    return text;
}

class TextDrawing : public ::testing::Test {
protected:
    void SetUp() override { setCardHost(&host); }
    void TearDown() override { setCardHost(nullptr); }
    CountingHost host;
};

}  // namespace

TEST(TextCase, CodesTransformTheWholeTextAndCapitalisingWorksOnWhiteSpaceDelimitedWords)
{
    struct Case { QString in; int code; QString out; };
    for (const Case& c : {Case{"mARY ann", 3, "Mary Ann"}, Case{"o'neil", 3, "O'neil"},
                          Case{" jean-luc\tPICARD\n(the cAPTAIN)", 3, " Jean-luc\tPicard\n(the Captain)"},
                          Case{"straße", 1, "STRASSE"}, Case{"ÉCOLE Mixte", 2, "école mixte"},
                          Case{"As Typed", 0, "As Typed"}, Case{"As Typed", 7, "As Typed"}})
        EXPECT_EQ(textWithCase(c.in, c.code), c.out) << c.in.toStdString() << " " << c.code;

    SKTText text;
    text.Text_Value = QString(" \n\tmARY ann\u200B \n");
    text.text_transfrom_case = 3;
    EXPECT_EQ(shownText(text), "Mary Ann");
}

TEST_F(TextDrawing, TextIsMeasuredAsDrawnWrappedWithItsOwnFontCaseAndKerning)
{
    // A box whose height was matched to its text must show the same ink whether the text is
    // aligned to its top or its bottom; any mismatch between measuring and drawing moves one.
    struct Case { QString value; double size; int textCase; float kerning; };
    for (const Case& c : {Case{"word word word word word word", 12, 0, 0}, Case{"A few words here", 30, 1, 0},
                          Case{"spaced out letters", 20, 3, 6}}) {
        auto text = makeText(c.value, QRectF(10, 10, 150, 20), c.size);
        text->text_transfrom_case = c.textCase, text->text_kerning = c.kerning;
        text->setHeightToMatchContents();
        EXPECT_GT(text->height(), 2 * c.size) << c.value.toStdString();  // wrapped, in its own font
        const QRectF top = Canvas(QSizeF(200, 200), 4).draw(*text).ink(isDark);
        text->text_alignmnet_Vert = 1;
        const QRectF bottom = Canvas(QSizeF(200, 200), 4).draw(*text).ink(isDark);
        EXPECT_NEAR(bottom.top(), top.top(), 0.3) << c.value.toStdString();
        EXPECT_LE(top.right(), text->bounds().right() + 0.3);
    }

    // Middle alignment centres the wrapped block, not its first line.
    auto wrapped = makeText("word word word word word word", QRectF(10, 10, 100, 100));
    wrapped->text_alignmnet_Vert = 2;
    EXPECT_NEAR(Canvas(QSizeF(120, 120), 4).draw(*wrapped).ink(isDark).center().y(), 60, 3);
}

TEST_F(TextDrawing, HeightTrackingRecordsNoUndoStep)
{
    SKTDocument document;
    auto text = makeText("one two three four five six seven", QRectF(10, 10, 60, 10));
    document.insertGraphic(text, 0);
    document.undoManager().checkpoint();
    text->setHeightToMatchContents();
    const QRectF matched = text->bounds();
    EXPECT_GT(matched.height(), 10);
    document.undoManager().checkpoint();
    document.undoManager().undo();  // undoes the insertion, the only recorded step
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_EQ(text->bounds(), matched);
}

TEST_F(TextDrawing, ShadowFallsRightAndUpWhateverTheRotationOrBlur)
{
    struct Case { int rotation; float blur; };
    for (const Case& c : {Case{0, 0}, Case{90, 0}, Case{0, 3}}) {
        auto text = makeText("H", QRectF(40, 40, 60, 60), 40);
        text->text_alignmnet = 2, text->text_alignmnet_Vert = 2, text->text_rotation = c.rotation;
        text->Drawing_Shadow = true, text->Shadow_Color = Qt::red, text->Shadow_transparency = 50.0f;
        text->Shadow_offset_X = 6, text->Shadow_offset_Y = 6, text->Shadow_blur = c.blur;
        Canvas canvas(QSizeF(140, 140), 4);
        canvas.draw(*text);
        const QPointF shift = canvas.ink(isRed).center() - canvas.ink(isDark).center();
        EXPECT_NEAR(shift.x(), 6, 1.0) << c.rotation << " " << c.blur;
        EXPECT_NEAR(shift.y(), -6, 1.0) << c.rotation << " " << c.blur;
    }
}

TEST_F(TextDrawing, KerningWidensTheInkByTheSpacingBetweenLetters)
{
    const auto inkWidth = [](float kerning) {
        auto text = makeText("HHHH", QRectF(0, 0, 200, 40), 20);
        text->text_kerning = kerning;
        return Canvas(QSizeF(200, 40), 4).draw(*text).ink(isDark).width();
    };
    EXPECT_NEAR(inkWidth(5) - inkWidth(0), 3 * 5, 1.0);
}

TEST_F(TextDrawing, BoxFillAndBorderTurnWithTheTextAndBlankTextShowsOnlyThePlainFill)
{
    const auto boxed = [](const QString& value, int rotation) {
        auto text = makeText(value, QRectF(50, 80, 100, 20), 14);
        text->text_rotation = rotation;
        text->_isDrawingFill = true, text->_fillColor = Qt::blue, text->alpha_val = 1, text->_fill_type = "S";
        text->_isDrawingStroke = true, text->_strokeColor = Qt::red, text->alpha_val_stroke = 1;
        text->_strokeWidth = 2, text->_stroke_border_type = "S";
        return text;
    };
    struct Case { int rotation; QSizeF border; };
    for (const Case& c : {Case{0, {102, 22}}, Case{90, {22, 102}}}) {
        Canvas canvas(QSizeF(200, 180), 4);
        canvas.draw(*boxed("HHHHHH", c.rotation));
        EXPECT_NEAR(canvas.ink(isRed).width(), c.border.width(), 0.5) << c.rotation;
        EXPECT_NEAR(canvas.ink(isRed).height(), c.border.height(), 0.5) << c.rotation;
        const QRectF ink = canvas.ink(isDark);
        const QSizeF along = c.rotation ? ink.size().transposed() : ink.size();  // the text's own axes
        EXPECT_GT(along.width(), 2 * along.height()) << c.rotation;
    }

    // A hatch fill kind gives text boxes their plain fill colour, never the hatch background.
    auto blankText = boxed(" \n\t ", 0);
    blankText->_fill_type = "H", blankText->_fill_htch_clr = Qt::red, blankText->_fill_hatch_type = "Cross";
    Canvas blank(QSizeF(200, 180), 4);
    blank.draw(*blankText);
    EXPECT_EQ(blank.ink(isBlue), QRectF(50, 80, 100, 20));
    EXPECT_TRUE(blank.ink(isRed).isEmpty());
    EXPECT_TRUE(blank.ink(isDark).isEmpty());
}

TEST_F(TextDrawing, InvisibleTextDrawsNothingAndAsksNoRefreshWhileBeingCreatedOnlyTheFrameShows)
{
    auto text = makeText("Hidden", QRectF(10, 10, 80, 30), 20);
    text->ctrl_is_visible = false;
    EXPECT_TRUE(Canvas(QSizeF(100, 50), 2).draw(*text).ink(isPainted).isEmpty());
    EXPECT_EQ(host.refreshes, 0);

    text->ctrl_is_visible = true;
    Canvas created(QSizeF(100, 50), 2);
    created.draw(*text, true);
    // Only a one-point ring just outside the box: 82 x 32 points less 80 x 30, at 2 pixels a point.
    int painted = 0;
    EXPECT_EQ(created.ink(isPainted, &painted), QRectF(9, 9, 82, 32));
    EXPECT_EQ(painted, (82 * 32 - 80 * 30) * 4);
    EXPECT_EQ(host.refreshes, 1);
}
