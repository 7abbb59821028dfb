// The main window's card base: the side being edited, with the outline the window chose.
#include "mainwindow/CardSideDrawing.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/CardPictures.h"
#include "model/TestCardHost.h"
#include "views/inspector/InspectorGlobals.h"

namespace {

const QRectF kCard(0, 0, 100, 60);
constexpr QRgb kUnpainted = 0xff00ff;

QImage paintCard(double scale, const std::function<void(QPainter&)>& paint)
{
    return paintedAt72Dpi(kCard.size(), scale, paint, QColor::fromRgb(kUnpainted));
}

class CardSideDrawing : public WithCardHost<> {
protected:
    void SetUp() override { WithCardHost::SetUp(), host.card = kCard; }
    void TearDown() override
    {
        std::tie(Card_Shape, Card_Front_Or_Back) = saved;
        WithCardHost::TearDown();
    }
    const std::tuple<int, int> saved{Card_Shape, Card_Front_Or_Back};
};

TEST_F(CardSideDrawing, RoundedAndEllipseCardsLeaveTheOutsideUnpaintedAndClipLaterDrawing)
{
    host.back.setCard_fill_chk(false);
    host.front.setCard_fill_chk(true), host.front.setCard_fill_style("S"), host.front.setCard_fill_clr(Qt::blue);
    Card_Front_Or_Back = 1;
    struct Case { int shape; QRgb corner; };
    for (const Case& c : {Case{0, 0xff0000}, Case{1, kUnpainted}, Case{2, kUnpainted}, Case{3, 0xff0000}}) {
        Card_Shape = c.shape;
        const QImage card = paintCard(2, [](QPainter& p) { Card_Base_Drawing(p); });
        EXPECT_EQ(std::tuple(rgbAt(card, 2, {50, 30}), rgbAt(card, 2, {0.5, 0.5})),
                  std::tuple(0xffffffu, c.corner == kUnpainted ? kUnpainted : 0xffffffu)) << c.shape;
        const QImage covered = paintCard(2, [](QPainter& p) {
            Card_Base_Drawing(p);
            p.fillRect(kCard, Qt::red);  // an element over the whole card
        });
        EXPECT_EQ(std::tuple(rgbAt(covered, 2, {0.5, 0.5}), rgbAt(covered, 2, {50, 0.5})), std::tuple(c.corner, 0xff0000u))
            << c.shape;
    }
}

}  // namespace
