#include "views/photos/ImageViewDrag.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

const char* const kFileUrlProperty = "fileURL";

}  // namespace

void ImageViewDrag::install(QWidget& view, Dropped dropped)
{
    view.setAcceptDrops(true);
    view.installEventFilter(new ImageViewDrag(&view, std::move(dropped)));
}

QUrl ImageViewDrag::fileURL(const QWidget& view)
{
    return view.property(kFileUrlProperty).toUrl();
}

void ImageViewDrag::setFileURL(QWidget& view, const QUrl& url)
{
    view.setProperty(kFileUrlProperty, url);
}

Qt::DropAction ImageViewDrag::draggingEntered(QWidget& view, const QMimeData& data, Qt::DropActions offered)
{
    // The answer is a copy, which the source must allow as well.
    const bool generic = (offered & Qt::MoveAction) && (offered & Qt::CopyAction);
    if (!data.hasUrls() || data.urls().isEmpty() || !generic)
        return Qt::IgnoreAction;
    setFileURL(view, data.urls().constFirst());
    return Qt::CopyAction;
}

bool ImageViewDrag::eventFilter(QObject* watched, QEvent* event)
{
    auto* view = qobject_cast<QWidget*>(watched);
    if (!view)
        return false;
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        const Qt::DropAction answer = draggingEntered(*view, *drag->mimeData(), drag->possibleActions());
        if (answer == Qt::IgnoreAction) {
            drag->ignore();
        } else {
            drag->setDropAction(answer);
            drag->accept();
        }
        return true;
    }
    if (event->type() == QEvent::DragMove || event->type() == QEvent::Drop) {
        // A drag that was let in ends as the copy it was answered with.
        auto* drop = static_cast<QDropEvent*>(event);
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
        // Told after the drop, so that the source is not kept waiting on what the view asks.
        if (event->type() == QEvent::Drop && m_dropped && !urls.isEmpty())
            QMetaObject::invokeMethod(this, [this, url = urls.constFirst()] { m_dropped(url); }, Qt::QueuedConnection);
        return true;
    }
    return false;
}
