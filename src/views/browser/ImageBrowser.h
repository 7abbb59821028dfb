#pragma once
// An image browser: thumbnails in a grid that the user may reorder by dragging and zoom; a click
// chooses a picture. Once a picture is chosen, some picture stays selected. The inspector's
// background page and the picture library both show their pictures in it.
#include <QListView>

class ImageBrowserModel;

class ImageBrowser : public QListView {
    Q_OBJECT
public:
    explicit ImageBrowser(ImageBrowserModel* browser, QWidget* parent = nullptr);

    // Where a drop at a viewport point puts the dragged items: before the item under it, after it
    // on its right half, and at the end on empty space.
    int dropRowAt(const QPoint& point) const;
    // Thumbnails from a quarter of the model's box at 0 to the whole box at 1 (held within 0..1).
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    // Selects the first item not known to be broken, alone; nothing when there is none.
    void selectFirstUsable();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    // Reorders for drags out of this view; drops from anywhere else are refused.
    void dropEvent(QDropEvent* event) override;

private:
    ImageBrowserModel* m_browser;
    double m_zoom = 1.0;
};
