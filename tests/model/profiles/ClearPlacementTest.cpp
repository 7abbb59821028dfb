// Where a field added to a live-mode card lands, on cards laid out by hand: the place asked for
// when it is free, else the nearest free one, smaller where the card has no room at the size, over
// a band rather than over a text, and the least covered place on a card full of texts; and the
// ink that reads on the ground.
#include <gtest/gtest.h>

#include "model/SKTGraphicKinds.h"
#include "model/profiles/ClearPlacement.h"

namespace {

const QSizeF kCard(243, 153);

GraphicPtr placed(GraphicKind kind, const QRectF& box)
{
    GraphicPtr element = SKTGraphic::create(kind);
    element->setBounds(box);
    element->ctrl_is_visible = true;
    return element;
}

double covered(const QRectF& box, const GraphicList& others, bool shapesToo)
{
    double area = 0;
    for (const GraphicPtr& other : others) {
        if (other->kind() == GraphicKind::Shape && !shapesToo)
            continue;
        const QRectF common = box.intersected(other->bounds());
        area += common.isEmpty() ? 0 : common.width() * common.height();
    }
    return area;
}

}  // namespace

TEST(ClearPlacement, AFieldLandsWhereItCoversNothingOrAsLittleAsTheCardAllows)
{
    const GraphicPtr band = placed(GraphicKind::Shape, QRectF(0, 0, 243, 42));
    const GraphicPtr name = placed(GraphicKind::Text, QRectF(80, 50, 150, 20));
    GraphicList fullOfText;
    for (int row = 0; row < 8; ++row)
        fullOfText << placed(GraphicKind::Text, QRectF(0, row * 20, 243, 19));
    const struct {
        const char* card;
        GraphicList others;
        QPointF wanted;
        ClearPlace::Covers covers;
        double scale;
        QPointF at;  // negative: anywhere it covers what `covers` allows
    } cases[] = {
        {"empty", {}, QPointF(30, 60), ClearPlace::Covers::Nothing, 1, QPointF(30, 60)},
        {"name at the place", {name}, QPointF(80, 50), ClearPlace::Covers::Nothing, 1, QPointF(80, 30)},
        {"corner off the card", {}, QPointF(230, 150), ClearPlace::Covers::Nothing, 1, QPointF(89, 129)},
        {"band and name, room below", {band, name}, QPointF(85, 39), ClearPlace::Covers::Nothing, 1, QPointF(-1, -1)},
        {"room at a smaller size", {band, placed(GraphicKind::Text, QRectF(0, 42, 243, 95))}, QPointF(0, 0),
         ClearPlace::Covers::Nothing, 0.6, QPointF(4, 137)},
        {"band over the whole card", {placed(GraphicKind::Shape, QRectF(0, 0, 243, 153)), name}, QPointF(80, 50),
         ClearPlace::Covers::ShapesOnly, 1, QPointF(80, 30)},
        {"full of texts", fullOfText, QPointF(10, 10), ClearPlace::Covers::Content, 0.5, QPointF(-1, -1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.card);
        const ClearPlace place = clearPlaceFor(kCard, c.others, QSizeF(150, 20), c.wanted, 0.5);
        EXPECT_EQ(place.covers, c.covers);
        EXPECT_DOUBLE_EQ(place.scale, c.scale);
        EXPECT_EQ(place.box.size(), QSizeF(150, 20) * c.scale);
        EXPECT_TRUE(QRectF(4, 4, 235, 145).contains(place.box));
        if (c.at.x() >= 0)
            EXPECT_EQ(place.box.topLeft(), c.at);
        if (c.covers != ClearPlace::Covers::Content)
            EXPECT_EQ(covered(place.box, c.others, c.covers == ClearPlace::Covers::Nothing), 0);
    }
    // On a card full of texts the smallest box goes where it covers the least of them.
    const ClearPlace least = clearPlaceFor(kCard, fullOfText, QSizeF(150, 20), QPointF(10, 10), 0.5);
    EXPECT_EQ(covered(least.box, fullOfText, false), 75 * 9);
}

TEST(ClearPlacement, TheInkIsBlackOnALightGroundAndWhiteOnADarkOne)
{
    for (const auto& [ground, ink] : {std::pair{QColor(0x5a, 0x23, 0x00), QColor(Qt::white)},
                                      std::pair{QColor(0xff, 0xf8, 0xf2), QColor(Qt::black)},
                                      std::pair{QColor(0x6c, 0x4a, 0xb6), QColor(Qt::white)},
                                      std::pair{QColor(0xe0, 0x68, 0x1b), QColor(Qt::black)}}) {
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(ground);
        EXPECT_EQ(inkReadableOn(picture), ink) << qPrintable(ground.name());
    }
    EXPECT_EQ(inkReadableOn(QImage()), QColor(Qt::black));
}
