#include "views/barcodes/Pdf417ViewWidget.h"

#include <QBuffer>
#include <QDataStream>
#include <QDebug>
#include <QDrag>
#include <QDragEnterEvent>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QTextEdit>

#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/MessagePresenter.h"

namespace {

constexpr QDataStream::Version kArchiveVersion = QDataStream::Qt_6_0;
const QString kTiffType = QStringLiteral("image/tiff");

}  // namespace

Pdf417ViewWidget::Pdf417ViewWidget(QWidget* parent) : QWidget(parent)
{
    setAcceptDrops(true);
    m_drawer.setErrorLevel(2);
    _drawEmptyString();
}

void Pdf417ViewWidget::_drawEmptyString()
{
    m_drawer.drawWithText(QString());
    update();
}

int Pdf417ViewWidget::drawWithText(const QString& text, double dpi)
{
    if (!size().isEmpty())
        m_drawer.setFrameSize(QSizeF(size()));
    const int state = m_drawer.drawWithText(text, dpi);
    update();
    return state;
}

void Pdf417ViewWidget::toggleTargetState()
{
    m_isDragTarget = !m_isDragTarget;
    qDebug("TargetState set to %d", int(m_isDragTarget));
}

void Pdf417ViewWidget::toggleSourceState()
{
    m_isDragSource = !m_isDragSource;
    qDebug("SourceState set to %d", int(m_isDragSource));
}

void Pdf417ViewWidget::draw()
{
    if (!m_inString) {
        Show_NSLog_Message(QStringLiteral("ERROR! inString must respond to -(NSString*)string method"));
        return;
    }
    drawWithText(m_inString->toPlainText());
}

void Pdf417ViewWidget::drawRect(QPainter& painter) const
{
    const QRectF bounds = rect();
    switch (m_drawer.imageState()) {
    case pdf417View::ImageReady:
        painter.drawImage(bounds, m_drawer.getImage());
        break;
    case pdf417View::ImageEmpty:
        painter.fillRect(bounds, Qt::lightGray);
        break;
    default:
        painter.fillRect(bounds, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(bounds, Qt::TextWordWrap, kPdf417DrawingProblem);
        break;
    }
    if (m_dragSessionInProgress) {
        painter.setPen(QPen(Qt::red, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void Pdf417ViewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawRect(painter);
}

// ---- Drag source ----------------------------------------------------------------------------------

Qt::DropActions Pdf417ViewWidget::draggingSourceOperationMask() const
{
    return m_isDragSource ? Qt::CopyAction : Qt::IgnoreAction;
}

QMimeData* Pdf417ViewWidget::pictureDragData() const
{
    QByteArray tiff;
    QBuffer buffer(&tiff);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(m_drawer.getImage()))
        Show_NSLog_Message(QStringLiteral("The barcode picture could not be offered: %1").arg(writer.errorString()));
    auto* data = new QMimeData;
    data->setData(kTiffType, tiff);
    return data;
}

void Pdf417ViewWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->modifiers().testFlag(Qt::AltModifier) || !m_isDragSource || m_drawer.getImage().isNull()) {
        QWidget::mousePressEvent(event);
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(pictureDragData());
    drag->setPixmap(QPixmap::fromImage(m_drawer.getImage().scaled(size())));
    drag->setHotSpot(event->position().toPoint());
    drag->exec(draggingSourceOperationMask());
}

// ---- Drop target ----------------------------------------------------------------------------------

Qt::DropAction Pdf417ViewWidget::draggingEntered(const QMimeData& data, Qt::DropActions sourceMask)
{
    if (!m_isDragTarget || !data.hasText())
        return Qt::IgnoreAction;
    m_dragSessionInProgress = true;
    update();
    return sourceMask.testFlag(Qt::CopyAction) ? Qt::CopyAction : Qt::IgnoreAction;
}

void Pdf417ViewWidget::draggingExited()
{
    m_dragSessionInProgress = false;
    update();
}

void Pdf417ViewWidget::concludeDragOperation()
{
    draggingExited();
}

bool Pdf417ViewWidget::performDragOperation(const QMimeData& data)
{
    return takeValueFromPasteboard(data, QStringLiteral("drop"));
}

bool Pdf417ViewWidget::takeValueFromPasteboard(const QMimeData& data, const QString& operationName)
{
    if (!data.hasText()) {
        presentMessageBox(MessageBoxRequest{.text = kUnableToPerformOperation.arg(operationName),
                                            .buttons = {QStringLiteral("OK")},
                                            .title = kPasteAlertTitle});
        return false;
    }
    return drawWithText(data.text()) == pdf417View::ImageReady;
}

void Pdf417ViewWidget::dragEnterEvent(QDragEnterEvent* event)
{
    const Qt::DropAction action = draggingEntered(*event->mimeData(), event->possibleActions());
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void Pdf417ViewWidget::dragLeaveEvent(QDragLeaveEvent*)
{
    draggingExited();
}

void Pdf417ViewWidget::dropEvent(QDropEvent* event)
{
    const bool done = performDragOperation(*event->mimeData());
    concludeDragOperation();
    if (done)
        event->acceptProposedAction();
    else
        event->ignore();
}

// ---- Archive --------------------------------------------------------------------------------------

QByteArray Pdf417ViewWidget::archived() const
{
    QImage picture = m_drawer.getImage();
    if (picture.isNull()) {
        picture = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
    }
    // The picture goes as PNG bytes with their length, so that a cut archive is seen as cut.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    QByteArray archive;
    QDataStream out(&archive, QIODevice::WriteOnly);
    out.setVersion(kArchiveVersion);
    out << qint32(m_drawer.getErrorLevel()) << qint8(m_isDragTarget) << qint8(m_isDragSource)
        << qint32(m_drawer.imageState()) << png;
    return archive;
}

bool Pdf417ViewWidget::unarchive(const QByteArray& archive)
{
    QDataStream in(archive);
    in.setVersion(kArchiveVersion);
    qint32 errorLevel = 0, imageState = 0;
    qint8 target = 0, source = 0;
    QByteArray png;
    in >> errorLevel >> target >> source >> imageState >> png;
    if (in.status() != QDataStream::Ok || !in.atEnd() || !isPdf417ErrorLevel(errorLevel))
        return false;
    QBuffer buffer(&png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    const QImage picture = reader.read();
    if (picture.isNull() || !m_drawer.restore(imageState, picture))
        return false;
    Show_NSLog_Message(QStringLiteral("unarchiving pdf417View"));
    m_drawer.setErrorLevel(errorLevel);
    m_isDragTarget = target != 0;
    m_isDragSource = source != 0;
    m_dragSessionInProgress = false;
    setAcceptDrops(true);
    update();
    return true;
}
