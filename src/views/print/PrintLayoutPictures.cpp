#include "views/print/PrintLayoutPictures.h"

#include <QPainter>

namespace {

constexpr QSize kPicture(96, 72);

// A card with its letter, turned half round when it is printed upside down.
void drawCard(QPainter& painter, const QRectF& card, const QString& letter, bool turned, const QColor& colour)
{
    painter.save();
    painter.translate(card.center());
    if (turned)
        painter.rotate(180);
    const QRectF local(-card.width() / 2, -card.height() / 2, card.width(), card.height());
    painter.setPen(QPen(colour.darker(160), 1));
    painter.setBrush(colour);
    painter.drawRoundedRect(local, 3, 3);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(int(card.height() * 0.6));
    painter.setFont(font);
    painter.drawText(local, Qt::AlignCenter, letter);
    painter.restore();
}

}  // namespace

QPixmap layoutPicture(const QString& name)
{
    QPixmap picture(kPicture);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor front(52, 101, 164);
    const QColor back(204, 102, 0);
    const QRectF sheet(4, 4, kPicture.width() - 8, kPicture.height() - 8);
    auto page = [&painter](const QRectF& r) {
        painter.setPen(QPen(Qt::gray, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(r);
    };
    const bool duplex = name == QLatin1String("both_up") || name == QLatin1String("head_up_head_down");
    if (duplex) {
        // Two faces of one sheet: the front on the first, the back on the second.
        const QRectF first(sheet.left(), sheet.top(), sheet.width() / 2 - 3, sheet.height());
        const QRectF second = first.translated(sheet.width() / 2 + 3, 0);
        page(first);
        page(second);
        const QSizeF card(first.width() - 10, 22);
        drawCard(painter, QRectF(first.center() - QPointF(card.width() / 2, card.height() / 2), card), "F", false, front);
        drawCard(painter, QRectF(second.center() - QPointF(card.width() / 2, card.height() / 2), card), "B",
                 name == QLatin1String("head_up_head_down"), back);
        return picture;
    }
    page(sheet);
    const QSizeF card(36, 22);
    const QPointF middle = sheet.center();
    if (name == QLatin1String("up-down-flip") || name == QLatin1String("up-down")) {
        drawCard(painter, QRectF(middle - QPointF(18, 25), card), "F", false, front);
        drawCard(painter, QRectF(middle - QPointF(18, -3), card), "B", name == QLatin1String("up-down-flip"), back);
    } else if (name == QLatin1String("left-rite")) {
        drawCard(painter, QRectF(middle - QPointF(39, 11), card), "F", false, front);
        drawCard(painter, QRectF(middle - QPointF(-3, 11), card), "B", false, back);
    } else if (name.startsWith(QLatin1String("front")) || name.startsWith(QLatin1String("back"))) {
        const bool isFront = name.startsWith(QLatin1String("front"));
        drawCard(painter, QRectF(middle - QPointF(18, 11), card), isFront ? "F" : "B",
                 name.endsWith(QLatin1String("_flip")), isFront ? front : back);
    }
    return picture;
}

QIcon alignmentIcon(int position, bool chosen)
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    if (position < 1 || position > 9)
        return QIcon(picture);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::gray, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 1.5, 21, 21));
    const int row = (position - 1) / 3;
    const int column = (position - 1) % 3;
    painter.setPen(Qt::NoPen);
    painter.setBrush(chosen ? QColor(52, 101, 164) : QColor(180, 180, 180));
    painter.drawRect(QRectF(3 + column * 6.5, 3 + row * 6.5, 5, 5));
    return QIcon(picture);
}
