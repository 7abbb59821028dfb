// Text elements: case, measuring as drawn, kerning, height tracking.
#include <QImage>
#include <QPainter>

#include "canvas/drawing/TextLayout.h"
#include "CanvasCommandFixture.h"
#include "canvas/model/SKTText.h"

namespace {


// A white card of the size in points on a 72-dpi image, painted at `scale` pixels per point.
struct Canvas {
    Canvas(QSizeF points, double scale)
        : scale(scale), image((points * scale).toSize(), QImage::Format_ARGB32)
    {
        image.setDotsPerMeterX(2835), image.setDotsPerMeterY(2835);
        image.fill(Qt::white);
    }
    Canvas& draw(SKTText& text)
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        text.drawContentsInView(painter, false);
        return *this;
    }
    // The bounding box of the dark pixels in points (empty when none are).
    QRectF ink() const
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    box |= QRect(x, y, 1, 1);
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
    SteppingCardHost host;
};

}  // namespace

TEST(TextCase, CodesTransformTheWholeTextAndCapitalisingWorksOnWhiteSpaceDelimitedWords)
{
    struct Case { QString in; int code; QString out; };
    for (const Case& c : {Case{" jean-luc\tPICARD\n(the cAPTAIN)", 3, " Jean-luc\tPicard\n(the Captain)"},
                          Case{"straße", 1, "STRASSE"}, Case{"ÉCOLE Mixte", 2, "école mixte"}, Case{"As Typed", 7, "As Typed"}})
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
        const QRectF top = Canvas(QSizeF(200, 200), 4).draw(*text).ink();
        text->text_alignmnet_Vert = 1;
        const QRectF bottom = Canvas(QSizeF(200, 200), 4).draw(*text).ink();
        EXPECT_NEAR(bottom.top(), top.top(), 0.3) << c.value.toStdString();
        EXPECT_LE(top.right(), text->bounds().right() + 0.3);
    }

    // Middle alignment centres the wrapped block, not its first line.
    auto wrapped = makeText("word word word word word word", QRectF(10, 10, 100, 100));
    wrapped->text_alignmnet_Vert = 2;
    EXPECT_NEAR(Canvas(QSizeF(120, 120), 4).draw(*wrapped).ink().center().y(), 60, 3);
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

TEST_F(TextDrawing, KerningWidensTheInkByTheSpacingBetweenLetters)
{
    const auto inkWidth = [](float kerning) {
        auto text = makeText("HHHH", QRectF(0, 0, 200, 40), 20);
        text->text_kerning = kerning;
        return Canvas(QSizeF(200, 40), 4).draw(*text).ink().width();
    };
    EXPECT_NEAR(inkWidth(5) - inkWidth(0), 3 * 5, 1.0);
}
