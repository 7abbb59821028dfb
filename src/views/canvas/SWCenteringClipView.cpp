#include "views/canvas/SWCenteringClipView.h"

#include <QChildEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "model/drawing/ImageBlur.h"
#include "model/drawing/CardBackgroundDrawing.h"
#include "views/inspector/InspectorGlobals.h"

namespace {

// The shadow falls right and down of the card.
constexpr QPoint kShadowOffset(3, 3);
constexpr double kShadowBlurRadius = 15.0;

} // namespace

SWCenteringClipView::SWCenteringClipView(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SWCenteringClipView::setFactor(double factor)
{
    if (factor == m_factor)
        return;
    m_factor = factor;
    update();
}

int SWCenteringClipView::centredOrigin(int document, int clip)
{
    return static_cast<int>(std::round(static_cast<float>(document - clip) / 2.0f));
}

QPoint SWCenteringClipView::origin() const
{
    return m_document ? -m_document->pos() : QPoint();
}

QPoint SWCenteringClipView::constrainScrollPoint(QPoint proposed) const
{
    if (!m_document)
        return proposed;
    const auto constrainAxis = [](int proposedOrigin, int document, int clip) {
        if (clip > document)
            return centredOrigin(document, clip);
        return std::clamp(proposedOrigin, 0, document - clip);
    };
    const QSize d = m_document->size();
    return {constrainAxis(proposed.x(), d.width(), width()),
            constrainAxis(proposed.y(), d.height(), height())};
}

void SWCenteringClipView::centerDocument()
{
    if (!m_document)
        return;
    // Axes on which the document is at least as large keep the scroll area's origin.
    QPoint target = origin();
    const QSize d = m_document->size();
    if (width() > d.width())
        target.setX(centredOrigin(d.width(), width()));
    if (height() > d.height())
        target.setY(centredOrigin(d.height(), height()));
    if (target != origin())
        m_document->move(-target);
}

void SWCenteringClipView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    centerDocument();
}

void SWCenteringClipView::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        adoptDocument(static_cast<QWidget*>(event->child()));
}

void SWCenteringClipView::adoptDocument(QWidget* document)
{
    if (m_document)
        m_document->removeEventFilter(this);
    m_document = document;
    m_document->installEventFilter(this);
    centerDocument();
    update();
}

bool SWCenteringClipView::eventFilter(QObject* watched, QEvent* event)
{
    // The scroll area places the document on every scroll and resize; centring follows it.
    if (watched == m_document && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        centerDocument();
        update();
        Q_EMIT documentPlaced();
    }
    return QWidget::eventFilter(watched, event);
}

QPainterPath SWCenteringClipView::cardOutline(double insetPixels) const
{
    // The outline is made in card points so that rounded corners grow with the zoom.
    const QSizeF card = QSizeF(m_document->size()) / m_factor;
    const double inset = insetPixels / m_factor;
    QTransform toClip;
    toClip.translate(m_document->x(), m_document->y());
    toClip.scale(m_factor, m_factor);
    return toClip.map(cardShapePath(QRectF(QPointF(), card).adjusted(inset, inset, -inset, -inset), Card_Shape));
}

const QImage& SWCenteringClipView::cardShadow(const QPainterPath& outline)
{
    const QPainterPath local = outline.translated(-outline.boundingRect().topLeft());
    if (!m_shadow.isNull() && local == m_shadowOutline)
        return m_shadow;
    const int margin = static_cast<int>(std::ceil(kShadowBlurRadius));
    const QSize size = local.boundingRect().size().toSize() + QSize(2 * margin, 2 * margin);
    m_shadow = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_shadow.fill(Qt::transparent);
    {
        QPainter painter(&m_shadow);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(local.translated(margin, margin), Qt::black);
    }
    gaussianBlur(m_shadow, kShadowBlurRadius / 2.0);
    m_shadowOutline = local;
    return m_shadow;
}

void SWCenteringClipView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Lighter at the top, darker at the bottom.
    QLinearGradient gradient(rect().topLeft(), rect().bottomLeft());
    gradient.setColorAt(0.0, QColor::fromRgbF(0.88f, 0.88f, 0.88f));
    gradient.setColorAt(1.0, QColor::fromRgbF(0.78f, 0.78f, 0.78f));
    painter.fillRect(rect(), gradient);

    if (!m_document || m_document->size().isEmpty())
        return;
    const QPainterPath outline = cardOutline();
    const int margin = static_cast<int>(std::ceil(kShadowBlurRadius));
    const QPoint shadowAt = outline.boundingRect().topLeft().toPoint() + kShadowOffset
                            - QPoint(margin, margin);
    painter.drawImage(shadowAt, cardShadow(outline));
    // The white stays two pixels inside the outline, enough on a diagonal too: the canvas smooths
    // the card's edge against what lies outside the card, as output smooths it against the paper,
    // not against white.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(cardOutline(2.0), Qt::white);
}
