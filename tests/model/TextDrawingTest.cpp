// Text elements: case, measuring as drawn, kerning, height tracking.
#include "model/SKTDocument.h"
#include "model/SKTText.h"
#include "model/drawing/TextLayout.h"
#include "CardPictures.h"
#include "TestCardHost.h"

namespace {

// The ink of a text drawn at 4 pixels a point, in pixels.
QRect inkOf(SKTText& text, QSizeF points = {200, 200}) { return inkRect(drawn(text, points, 4), 100); }

std::shared_ptr<SKTText> makeText(const QString& value, const QRectF& bounds, double size = 12)
{
    auto text = std::make_shared<SKTText>();
    text->Text_Value = value;
    text->_bounds = bounds;
    text->textStyle.text_ctrl_font = CardFont{"DejaVu Sans", size};
    text->textStyle.txt_clr = Qt::black;
    text->ctrl_is_visible = true, text->textStyle.Drawing_Shadow = false;
    text->textStyle.text_alignmnet = 0, text->textStyle.text_alignmnet_Vert = 0;
    return text;
}

using TextDrawing = WithCardHost<>;

}  // namespace

TEST(TextCase, CodesTransformTheWholeTextAndCapitalisingWorksOnWhiteSpaceDelimitedWords)
{
    struct Case { QString in; int code; QString out; };
    for (const Case& c : {Case{" jean-luc\tPICARD\n(the cAPTAIN)", 3, " Jean-luc\tPicard\n(the Captain)"},
                          Case{"straße", 1, "STRASSE"}, Case{"ÉCOLE Mixte", 2, "école mixte"}, Case{"As Typed", 7, "As Typed"}})
        EXPECT_EQ(textWithCase(c.in, c.code), c.out) << c.in.toStdString() << " " << c.code;

    SKTText text;
    text.Text_Value = QString(" \n\tmARY ann\u200B \n");
    text.textStyle.text_transfrom_case = 3;
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
        text->textStyle.text_transfrom_case = c.textCase, text->textStyle.text_kerning = c.kerning;
        text->setHeightToMatchContents();
        EXPECT_GT(text->height(), 2 * c.size) << c.value.toStdString();  // wrapped, in its own font
        const QRect top = inkOf(*text);
        text->textStyle.text_alignmnet_Vert = 1;
        EXPECT_NEAR(inkOf(*text).top(), top.top(), 1) << c.value.toStdString();
        EXPECT_LE(top.right() + 1, 4 * (text->bounds().right() + 0.3));
    }

    // Middle alignment centres the wrapped block, not its first line.
    auto wrapped = makeText("word word word word word word", QRectF(10, 10, 100, 100));
    wrapped->textStyle.text_alignmnet_Vert = 2;
    EXPECT_NEAR(inkOf(*wrapped, {120, 120}).center().y(), 4 * 60, 4 * 3);
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
        text->textStyle.text_kerning = kerning;
        return inkOf(*text, {200, 40}).width();
    };
    EXPECT_NEAR(inkWidth(5) - inkWidth(0), 4 * 3 * 5, 4 * 1.0);
}

// Text taller than its box is drawn whole, below, above or around the box by its vertical
// alignment; only the layout of a text reaching far past anything the device shows stops early.
TEST_F(TextDrawing, OverflowingTextIsDrawnWholeByItsVerticalAlignment)
{
    const QString tenLines = QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
    const QRectF box(20, 150, 100, 14);
    const double lines = makeText(tenLines, box)->naturalSize().height();  // the whole block
    struct Case { int vertical; double inkTop, inkBottom; };  // points, of the whole block
    for (const Case& c : {Case{0, box.top(), box.top() + lines}, Case{1, box.bottom() - lines, box.bottom()},
                          Case{2, box.center().y() - lines / 2, box.center().y() + lines / 2}}) {
        auto text = makeText(tenLines, box);
        text->textStyle.text_alignmnet_Vert = c.vertical;
        const QRect ink = inkOf(*text, {200, 320});
        EXPECT_NEAR(ink.top() / 4.0, c.inkTop, 6) << "vertical alignment " << c.vertical;
        EXPECT_NEAR(ink.bottom() / 4.0, c.inkBottom, 6) << "vertical alignment " << c.vertical;
    }

    // A text whose lines would run a thousand cards down stops where no device reaches.
    auto endless = makeText(QStringLiteral("line\n").repeated(200000), QRectF(10, 10, 100, 14), 2);
    EXPECT_EQ(inkOf(*endless, {120, 60}).bottom() / 4, 59);
}
