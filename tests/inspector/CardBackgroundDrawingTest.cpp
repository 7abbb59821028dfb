// Card base and overlay: pixel probes on 72-dpi pictures of a 100 x 60 point card.
#include <gtest/gtest.h>
#include <QPainter>
#include <functional>

#include "canvas/model/CardHost.h"
#include "canvas/model/Card_Property.h"
#include "inspector/CardBackgroundDrawing.h"
#include "inspector/InspectorGlobals.h"
#include "mainwindow/MainWindowGlobals.h"
#include "support/TestEnvironment.h"

namespace {

const QRectF kCard(0, 0, 100, 60);
constexpr QRgb kUnpainted = 0xff00ff;

class SidesHost final : public CardHost {
public:
    QRectF frontCanvasBounds() const override { return kCard; }
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QPointF Control_New_Point(const QString&) override { return {}; }
    QString Generate_Extra_image_control_ID() override { return {}; }
    CardFont All_Text_font() const override { return {}; }
    QColor All_Text_clr() const override { return {}; }
    const Card_Property& cardProperty(int side) const override { return side == 0 ? front : back; }
    Card_Property front, back;
};

QImage paintCard(double scale, const std::function<void(QPainter&)>& draw)
{
    QImage image(qCeil(kCard.width() * scale), qCeil(kCard.height() * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(QColor::fromRgb(kUnpainted));
    QPainter painter(&image);
    painter.scale(scale, scale);
    draw(painter);
    return image;
}

QImage baseAndOverlay(const Card_Property& side, int shape, double scale)
{
    return paintCard(scale, [&](QPainter& p) {
        drawCardBase(p, side, shape, kCard);
        drawCardOverlay(p, side, shape, kCard);
    });
}

QRgb at(const QImage& image, double scale, QPointF point)
{
    return image.pixel(int(point.x() * scale), int(point.y() * scale)) & 0xffffff;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

Card_Property filled(const QString& style, const std::function<void(Card_Property&)>& more = {})
{
    Card_Property side;
    side.setCard_fill_chk(true);
    side.setCard_fill_style(style);
    side.setCard_fill_clr(Qt::blue);
    side.setCard_hatch_bk_clr(Qt::green);
    side.setCard_fill_Grd_1_clr(Qt::red);
    side.setCard_fill_Grd_2_clr(Qt::blue);
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

class CardBackgroundDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        setCardHost(&host);
        Resource_Path = TestEnvironment::resourceDir();
    }
    void TearDown() override
    {
        std::tie(Resource_Path, Card_Shape, Card_Front_Or_Back) = saved;
        setCardHost(nullptr);
    }
    SidesHost host;
    const std::tuple<QString, int, int> saved{Resource_Path, Card_Shape, Card_Front_Or_Back};
};

TEST_F(CardBackgroundDrawing, EachFillKindPaintsTheCard)
{
    QImage halves = solid({10, 10}, Qt::red);  // tiles as 10 x 10 points: red left, blue right
    QPainter(&halves).fillRect(5, 0, 5, 10, Qt::blue);
    struct Probe { QPointF at; QRgb colour; };
    struct Case { const char* name; Card_Property side; QList<Probe> probes; };
    const QList<Case> cases = {
        {"solid", filled("S"), {{{50, 30}, 0x0000ff}}},
        {"unknown style", filled("Q"), {{{50, 30}, 0x0000ff}}},
        {"gradient", filled("G"), {{{1, 30}, 0xfd0002}, {{99, 30}, 0x0200fd}}},
        {"hatch", filled("H", [](auto& s) { s.setCard_hatch_style("Horizontal"); }), {{{5, 12}, 0x00ff00}, {{5, 16}, 0}}},
        {"missing hatch", filled("H", [](auto& s) { s.setCard_hatch_style("NoSuchPattern"); }), {{{5, 16}, 0x00ff00}}},
        {"refused hatch", filled("H", [](auto& s) { s.setCard_hatch_style("../Fill_Style_Image/Horizontal"); }),
         {{{5, 16}, 0x00ff00}}},
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
            EXPECT_TRUE(near(at(image, 2, p.at), p.colour, 6))
                << c.name << " at " << p.at.x() << "," << p.at.y() << ": " << std::hex << at(image, 2, p.at);
    }
}

TEST_F(CardBackgroundDrawing, RoundedAndEllipseCardsLeaveTheOutsideUnpaintedAndClipLaterDrawing)
{
    host.back = filled("S", [](auto& s) { s.setCard_fill_chk(false); });
    Card_Front_Or_Back = 1;
    struct Case { int shape; QRgb corner; };
    for (const Case& c : {Case{0, 0xff0000}, Case{1, kUnpainted}, Case{2, kUnpainted}, Case{3, 0xff0000}}) {
        Card_Shape = c.shape;
        const QImage card = paintCard(2, [](QPainter& p) { Card_Base_Drawing(p); });
        EXPECT_EQ(std::tuple(at(card, 2, {50, 30}), at(card, 2, {0.5, 0.5})),
                  std::tuple(0xffffffu, c.corner == kUnpainted ? kUnpainted : 0xffffffu)) << c.shape;
        const QImage covered = paintCard(2, [](QPainter& p) {
            Card_Base_Drawing(p);
            p.fillRect(kCard, Qt::red);  // an element over the whole card
        });
        EXPECT_EQ(std::tuple(at(covered, 2, {0.5, 0.5}), at(covered, 2, {50, 0.5})), std::tuple(c.corner, 0xff0000u))
            << c.shape;
    }
}

TEST_F(CardBackgroundDrawing, WatermarkIsCentredAtItsPlaceWithItsOpacityAndAWrappedTextEndsOnTheCard)
{
    struct Case { int alignment; QString text; double fromPt; double toPt; };
    for (const Case& c : {Case{0, "WWW", 0, 20}, Case{1, "WWW", 20, 40}, Case{2, "WWW", 40, 60}, Case{5, "WWW", 0, 20},
                          Case{2, "WATERMARK WATERMARK", 25, 60}}) {
        Card_Property side;
        side.setWatermark_Used(true);
        side.setWatermark_Text(c.text);
        side.setWatermark_Font(CardFont{"DejaVu Sans", 12});
        side.setWatermark_Color(Qt::black);
        side.setWatermark_Transp(0.5f);
        side.setWatermark_Alignment(c.alignment);
        const QImage image = baseAndOverlay(side, 0, 4);
        QRect ink;
        QRgb darkest = 0xffffff;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QRgb pixel = image.pixel(x, y) & 0xffffff; pixel != 0xffffff)
                    ink |= QRect(x, y, 1, 1), darkest = std::min(darkest, pixel);
        const std::string name = std::to_string(c.alignment) + " " + c.text.toStdString();
        EXPECT_GE(ink.top() / 4.0, c.fromPt) << name;
        EXPECT_LE(ink.bottom() / 4.0, c.toPt) << name;
        EXPECT_NEAR(ink.center().x() / 4.0, 50, 1) << name;
        EXPECT_TRUE(near(darkest, 0x7f7f7f, 3)) << name;
    }
}

TEST_F(CardBackgroundDrawing, BorderDashesShowOnlyTheirInnerHalfAndUnknownStylesAreSolid)
{
    constexpr double scale = 10;
    struct Case { const char* style; QList<int> points; };
    for (const Case& c : {Case{"DA", {8, 2, 8, 2, 8}}, Case{"XYZ", {100}}}) {
        Card_Property side;
        side.setCard_border_chk(true);
        side.setCard_bor_Stepper(2);
        side.setCard_border_style(QString::fromLatin1(c.style));
        const QImage image = baseAndOverlay(side, 0, scale);
        QList<int> runs{0};  // along the top edge, inked first
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, 5) & 0xffffff) == 0 ? runs.size() % 2 == 0 : runs.size() % 2 == 1)
                runs.append(0);
            ++runs.last();
        }
        ASSERT_GE(runs.size(), c.points.size()) << c.style;
        for (qsizetype i = 0; i < c.points.size(); ++i)
            EXPECT_NEAR(runs[i], c.points[i] * scale, 1) << c.style << " run " << i;
        EXPECT_EQ(std::tuple(at(image, scale, {50, 0.5}), at(image, scale, {50, 1.5})), std::tuple(0u, 0xffffffu))
            << c.style;
    }
}

}  // namespace
