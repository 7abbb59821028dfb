#include "mainwindow/LiveModePanels.h"

#include <cmath>

#include "mainwindow/SKTWindowController.h"
#include "model/profiles/ClearPlacement.h"
#include "render/SKTRenderingView.h"
#include "views/canvas/SKTGraphicView.h"

// Where new fields of a live-mode side go: clear of the design where the card has room, their
// texts in the ink that reads on what lies under them.

namespace {

constexpr double kGap = 4;
// Below six points a text no longer reads; a picture may go smaller.
constexpr double kSmallestText = 0.5;
constexpr double kSmallestPicture = 0.2;

QSizeF sizeToPlace(const SKTGraphic& element)
{
    const QSizeF size = element.bounds().size();
    if (!size.isEmpty())
        return size;
    return element.kind() == GraphicKind::Text ? QSizeF(70, 20) : QSizeF(60, 75);
}

// The corners of the elements in a block, from its top-left, at full size: side by side, or one
// under the other.
QList<QPointF> arranged(const GraphicList& field, bool stacked, QSizeF* block)
{
    QList<QPointF> corners;
    QPointF at(0, 0);
    *block = QSizeF(0, 0);
    for (const GraphicPtr& element : field) {
        const QSizeF size = sizeToPlace(*element);
        corners << at;
        *block = stacked ? QSizeF(std::max(block->width(), size.width()), at.y() + size.height())
                         : QSizeF(at.x() + size.width(), std::max(block->height(), size.height()));
        (stacked ? at.ry() : at.rx()) += (stacked ? size.height() : size.width()) + kGap;
    }
    return corners;
}

}  // namespace

void LiveModePanels::placeClearOfDesign(int side, const GraphicList& field, QPointF wanted)
{
    GraphicList others = view(side).graphics();
    bool picture = false;
    for (const GraphicPtr& element : field) {
        others.removeAll(element);
        picture = picture || element->kind() != GraphicKind::Text;
    }
    const QSizeF card = (side == 1 ? m_controller.Back_card_Prop : m_controller.Front_card_Prop).Card_Size();
    // A caption and its value side by side, or the value under its caption where that fits better.
    QSizeF block;
    QList<QPointF> corners = arranged(field, false, &block);
    ClearPlace place = clearPlaceFor(card, others, block, wanted, picture ? kSmallestPicture : kSmallestText);
    if (field.size() > 1 && place.covers != ClearPlace::Covers::Nothing) {
        QSizeF stackedBlock;
        const QList<QPointF> stacked = arranged(field, true, &stackedBlock);
        const ClearPlace under = clearPlaceFor(card, others, stackedBlock, wanted, kSmallestText);
        if (under.betterThan(place))
            place = under, corners = stacked;
    }
    const QImage ground =
        SKTRenderingView::image_From_Card_Graphics(others, side == 1 ? CardSide::Back : CardSide::Front).toImage(72);
    for (qsizetype i = 0; i < field.size(); ++i) {
        SKTGraphic& element = *field.at(i);
        const QRectF box(place.box.topLeft() + corners.at(i) * place.scale, sizeToPlace(element) * place.scale);
        element.setBounds(box);
        if (element.kind() != GraphicKind::Text)
            continue;
        CardFont& font = element.textStyle.text_ctrl_font;
        font.size = std::round(font.size * place.scale * 2) / 2;
        element.textStyle.txt_clr = inkReadableOn(ground.copy(box.toAlignedRect()));
    }
}
