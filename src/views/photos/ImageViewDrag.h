#pragma once
// How every image view of the program answers a drag that enters it: a drag of a file URL
// whose source offers Qt::MoveAction (what Qt makes of the generic operation other desktops
// offer) and a copy is answered with a copy, and the URL is attached to the view as its file URL
// (what originalImage reads to size a PDF); any other drag is refused and attaches nothing. A view
// that takes the dropped file as its picture is told of the drop.
#include <QObject>
#include <QUrl>
#include <functional>

class QMimeData;
class QWidget;

class ImageViewDrag : public QObject {
public:
    // The file URL dropped on a view, told once the drop has ended.
    using Dropped = std::function<void(const QUrl&)>;
    // Makes the view take drags; the answer lives as the view's child. Without dropped, the view
    // keeps its picture when a drag it let in is dropped.
    static void install(QWidget& view, Dropped dropped = {});
    // The URL attached to the view, empty when none.
    static QUrl fileURL(const QWidget& view);
    static void setFileURL(QWidget& view, const QUrl& url);
    // The answer to a drag entering the view: Qt::CopyAction with the URL attached, or
    // Qt::IgnoreAction.
    static Qt::DropAction draggingEntered(QWidget& view, const QMimeData& data, Qt::DropActions offered);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ImageViewDrag(QObject* parent, Dropped dropped) : QObject(parent), m_dropped(std::move(dropped)) {}

    Dropped m_dropped;
};
