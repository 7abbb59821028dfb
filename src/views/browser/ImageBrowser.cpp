#include "views/browser/ImageBrowser.h"

#include <QDropEvent>
#include <algorithm>

#include "views/browser/ImageBrowserModel.h"

namespace {

// Room round each thumbnail in the grid, and below it for a title.
constexpr int kGridMargin = 14;
constexpr int kTitleHeight = 34;  // two lines
// Titled cells are at least this wide, so that most names fit on their lines.
constexpr int kTitledWidth = 180;

}  // namespace

ImageBrowser::ImageBrowser(ImageBrowserModel* browser, QWidget* parent) : QListView(parent), m_browser(browser)
{
    setViewMode(IconMode);
    setMovement(Snap);
    setResizeMode(Adjust);
    setSelectionMode(SingleSelection);
    setDragDropMode(InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(NoEditTriggers);
    // Long titles wrap onto a second line, at a word or anywhere, and only then are cut short.
    setWordWrap(true);
    setTextElideMode(Qt::ElideMiddle);
    setModel(browser);
    setZoom(1.0);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_browser->imageBrowserSelectionDidChange(selectionModel()->selectedIndexes()); });
    // A picture found broken while selected is let go.
    connect(browser, &ImageBrowserModel::imageBroken, this, [this](int row) {
        selectionModel()->select(model()->index(row, 0), QItemSelectionModel::Deselect);
    });
}

int ImageBrowser::dropRowAt(const QPoint& point) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return model()->rowCount();
    return point.x() < visualRect(index).center().x() ? index.row() : index.row() + 1;
}

void ImageBrowser::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.0, 1.0);
    const QSize box = m_browser->thumbnailBox();
    const QSize icon = box * (0.25 + 0.75 * m_zoom);
    setIconSize(icon);
    // The titles of the picture library sit below the thumbnails; the backgrounds have none.
    QSize cell = icon + QSize(kGridMargin, kGridMargin);
    if (m_browser->showsTitles())
        cell = QSize(std::max(cell.width(), kTitledWidth), cell.height() + kTitleHeight);
    setGridSize(cell);
}

void ImageBrowser::selectFirstUsable()
{
    for (int row = 0; row < m_browser->rowCount(); ++row) {
        if (m_browser->isBroken(row))
            continue;
        const QModelIndex index = m_browser->index(row);
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        setCurrentIndex(index);
        scrollTo(index);
        return;
    }
}

QItemSelectionModel::SelectionFlags ImageBrowser::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    // A click on empty space or a control-click on the chosen picture would leave none selected.
    const bool keepsSelection = index.isValid() && !selectionModel()->isSelected(index);
    if (selectionModel()->hasSelection() && !keepsSelection
        && (command & (QItemSelectionModel::Clear | QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ImageBrowser::dragMoveEvent(QDragMoveEvent* event)
{
    QListView::dragMoveEvent(event);
    // The icon view takes a drop only on empty space or on an item that takes drops; a reorder
    // may end anywhere in the view.
    if (event->source() == this)
        event->accept();
}

void ImageBrowser::dropEvent(QDropEvent* event)
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
