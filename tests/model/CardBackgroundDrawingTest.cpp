// Card base and overlay: pixel probes on 72-dpi pictures of a 100 x 60 point card.
#include "CardPictures.h"
#include "TestCardHost.h"
#include "model/drawing/CardBackgroundDrawing.h"
#include "platform/AppContext.h"
#include "support/TestEnvironment.h"

namespace {

const QRectF kCard(0, 0, 100, 60);
constexpr QRgb kUnpainted = 0xff00ff;

QImage paintCard(double scale, const std::function<void(QPainter&)>& paint)
{
    return paintedAt72Dpi(kCard.size(), scale, paint, QColor::fromRgb(kUnpainted));
}

QImage baseAndOverlay(const Card_Property& side, int shape, double scale)
{
    return paintCard(scale, [&](QPainter& p) {
        drawCardBase(p, side, shape, kCard);
        drawCardOverlay(p, side, shape, kCard);
    });
}

Card_Property filled(const QString& style, const std::function<void(Card_Property&)>& more = {})
{
    Card_Property side;
    side.setCard_fill_chk(true), side.setCard_fill_style(style), side.setCard_fill_clr(Qt::blue);
    side.setCard_hatch_bk_clr(Qt::green), side.setCard_fill_Grd_1_clr(Qt::red), side.setCard_fill_Grd_2_clr(Qt::blue);
    side.setCard_alpha_Stepper(0.5f);
    if (more)
        more(side);
    return side;
}

QImage solid(QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(colour);
    return picture;
}

class CardBackgroundDrawing : public WithCardHost<> {
protected:
    void SetUp() override { WithCardHost::SetUp(), host.card = kCard, Resource_Path = TestEnvironment::resourceDir(); }
    void TearDown() override
    {
        Resource_Path = savedResourcePath;
        WithCardHost::TearDown();
    }
    const QString savedResourcePath = Resource_Path;
};

TEST_F(CardBackgroundDrawing, EachFillKindPaintsTheCard)
{
    QImage halves = solid({10, 10}, Qt::red);  // tiles as 10 x 10 points: red left, blue right
    QPainter(&halves).fillRect(5, 0, 5, 10, Qt::blue);
    halves.setDotsPerMeterX(2835), halves.setDotsPerMeterY(2835);  // 72 dpi: a pixel a point
    struct Probe { QPointF at; QRgb colour; };
    struct Case { const char* name; Card_Property side; QList<Probe> probes; };
    const QList<Case> cases = {
        {"solid", filled("S"), {{{50, 30}, 0x0000ff}}},
        {"unknown style", filled("Q"), {{{50, 30}, 0x0000ff}}},
        {"gradient", filled("G"), {{{1, 30}, 0xfd0002}, {{99, 30}, 0x0200fd}}},
        {"hatch", filled("H", [](auto& s) { s.setCard_hatch_style("Horizontal"); }), {{{5, 12}, 0x00ff00}, {{5, 16}, 0}}},
        {"missing hatch", filled("H", [](auto& s) { s.setCard_hatch_style("NoSuchPattern"); }), {{{5, 16}, 0x00ff00}}},
        {"stretched at half opacity", filled("I", [](auto& s) { s.setCard_BG_Image(solid({4, 4}, Qt::black)); }),
         {{{1, 1}, 0x808080}, {{99, 59}, 0x808080}}},
        {"tiled, opacity ignored", filled("I", [&](auto& s) { s.setCard_BG_Image(halves), s.setCard_BG_Image_Layout("Tile"); }),
         {{{2, 2}, 0xff0000}, {{7, 2}, 0x0000ff}, {{12, 52}, 0xff0000}}},
        {"no picture", filled("I"), {{{50, 30}, 0xffffff}}},
        {"fill off", filled("S", [](auto& s) { s.setCard_fill_chk(false); }), {{{50, 30}, 0xffffff}}},
    };
    for (const Case& c : cases) {
        QImage image;
        EXPECT_NO_THROW(image = baseAndOverlay(c.side, 0, 2));
        for (const Probe& p : c.probes)
            EXPECT_TRUE(nearColour(rgbAt(image, 2, p.at), p.colour, 6))
                << c.name << " at " << p.at.x() << "," << p.at.y() << ": " << std::hex << rgbAt(image, 2, p.at);
    }
}

TEST_F(CardBackgroundDrawing, WatermarkIsCentredAtItsPlaceWithItsOpacityAndAWrappedTextEndsOnTheCard)
{
    struct Case { int alignment; QString text; double fromPt; double toPt; };
    for (const Case& c : {Case{0, "WWW", 0, 20}, Case{1, "WWW", 20, 40}, Case{2, "WWW", 40, 60}, Case{5, "WWW", 0, 20},
                          Case{2, "WATERMARK WATERMARK", 25, 60}}) {
        Card_Property side;
        side.setWatermark_Used(true), side.setWatermark_Text(c.text), side.setWatermark_Font(CardFont{"DejaVu Sans", 12});
        side.setWatermark_Color(Qt::black), side.setWatermark_Transp(0.5f), side.setWatermark_Alignment(c.alignment);
        const QImage image = baseAndOverlay(side, 0, 4);
        const QRect ink = inkRect(image, 255);
        const std::string name = std::to_string(c.alignment) + " " + c.text.toStdString();
        EXPECT_GE(ink.top() / 4.0, c.fromPt) << name;
        EXPECT_LE(ink.bottom() / 4.0, c.toPt) << name;
        EXPECT_NEAR(ink.center().x() / 4.0, 50, 1) << name;
        EXPECT_TRUE(inkRect(image, 124).isEmpty() && !inkRect(image, 131).isEmpty()) << name << ": the darkest is half black";
    }
}

TEST_F(CardBackgroundDrawing, BorderDashesShowOnlyTheirInnerHalfAndUnknownStylesAreSolid)
{
    constexpr double scale = 10;
    struct Case { const char* style; QList<int> points; };
    for (const Case& c : {Case{"DA", {8, 2, 8, 2, 8}}, Case{"XYZ", {100}}}) {
        Card_Property side;
        side.setCard_border_chk(true), side.setCard_bor_Stepper(2), side.setCard_border_style(QString::fromLatin1(c.style));
        const QImage image = baseAndOverlay(side, 0, scale);
        EXPECT_TRUE(dashesAlongRow(image, 5, scale, c.points)) << c.style << " along the top edge";
        EXPECT_EQ(std::tuple(rgbAt(image, scale, {50, 0.5}), rgbAt(image, scale, {50, 1.5})), std::tuple(0u, 0xffffffu))
            << c.style;
    }
}

// Qt's zero-width pen is a one-pixel hairline; a card border of width 0 is none, on any outline,
// dashed or not, at screen and print scales.
TEST_F(CardBackgroundDrawing, ABorderOfWidthZeroDrawsNothing)
{
    for (const char* style : {"S", "DA"})
        for (const int shape : {0, 1, 2})
            for (const double scale : {1.0, 600.0 / 72}) {
                Card_Property side;
                side.setCard_bor_Stepper(0), side.setCard_border_style(QString::fromLatin1(style));
                const QImage without = baseAndOverlay(side, shape, scale);
                side.setCard_border_chk(true);
                EXPECT_EQ(baseAndOverlay(side, shape, scale), without) << style << " shape " << shape << " scale " << scale;
            }
}

}  // namespace
