#include "render/DocumentPrintOperation.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>

#include "model/SKTDocument.h"

DocumentPrintOperation::DocumentPrintOperation(SKTRenderingView view, QPageLayout printInfo, QVariantMap printSettings)
    : m_view(std::move(view)), m_printInfo(std::move(printInfo)), m_printSettings(std::move(printSettings))
{
}

bool DocumentPrintOperation::runOperation(QPagedPaintDevice& device) const
{
    device.setPageLayout(m_printInfo);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    const QSizeF room = m_printInfo.paintRect(QPageLayout::Point).size();
    const QSizeF card = m_view.frame().size();
    painter.translate((room.width() - card.width()) / 2, (room.height() - card.height()) / 2);
    painter.translate(-m_view.frame().topLeft());
    m_view.drawRect(painter);
    return painter.end();
}

DocumentPrintOperation printOperationWithSettings(const SKTDocument& document, const QString& projectFileName,
                                                  const QPageLayout& printInfo, const QVariantMap& settings)
{
    const QString title =
        projectFileName.isEmpty() ? document.displayName(projectFileName) : QFileInfo(projectFileName).completeBaseName();
    const QRectF frame(QPointF(0, 0), SKTDocument::canvasSize(true, QSizeF()));
    return DocumentPrintOperation(SKTRenderingView(frame, document.graphics(), CardSide::Front, title), printInfo,
                                  settings);
}
