#include "views/inspector/BackgroundBrowserView.h"

#include <QDropEvent>

#include "views/inspector/BackgroundBrowser.h"

BackgroundBrowserView::BackgroundBrowserView(BackgroundBrowser* browser, QWidget* parent)
    : QListView(parent), m_browser(browser)
{
    setViewMode(IconMode);
    setMovement(Snap);
    setResizeMode(Adjust);
    setIconSize(BackgroundBrowser::kThumbnailBox);
    setGridSize(BackgroundBrowser::kThumbnailBox + QSize(14, 14));
    setSelectionMode(SingleSelection);
    setDragDropMode(InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(NoEditTriggers);
    setModel(browser);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_browser->imageBrowserSelectionDidChange(selectionModel()->selectedIndexes()); });
}

int BackgroundBrowserView::dropRowAt(const QPoint& point) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return model()->rowCount();
    return point.x() < visualRect(index).center().x() ? index.row() : index.row() + 1;
}

QItemSelectionModel::SelectionFlags BackgroundBrowserView::selectionCommand(const QModelIndex& index,
                                                                           const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    // A click on empty space or a control-click on the chosen picture would leave none selected.
    const bool keepsSelection = index.isValid() && !selectionModel()->isSelected(index);
    if (selectionModel()->hasSelection() && !keepsSelection
        && (command & (QItemSelectionModel::Clear | QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void BackgroundBrowserView::dragMoveEvent(QDragMoveEvent* event)
{
    QListView::dragMoveEvent(event);
    // The icon view takes a drop only on empty space or on an item that takes drops; a reorder
    // may end anywhere in the view.
    if (event->source() == this)
        event->accept();
}

void BackgroundBrowserView::dropEvent(QDropEvent* event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    m_browser->moveItemsAtIndexes(rows, dropRowAt(event->position().toPoint()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}
