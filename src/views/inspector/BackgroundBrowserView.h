#pragma once
// The background browser as an icon view: thumbnails in a grid that the user may reorder by
// dragging; a click chooses a picture. Once a picture is chosen, some picture stays selected.
#include <QListView>

class BackgroundBrowser;

class BackgroundBrowserView : public QListView {
    Q_OBJECT
public:
    explicit BackgroundBrowserView(BackgroundBrowser* browser, QWidget* parent = nullptr);

    // Where a drop at a viewport point puts the dragged items: before the item under it, after it
    // on its right half, and at the end on empty space.
    int dropRowAt(const QPoint& point) const;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    // Reorders for drags out of this view; drops from anywhere else are refused.
    void dropEvent(QDropEvent* event) override;

private:
    BackgroundBrowser* m_browser;
};
