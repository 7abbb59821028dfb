#pragma once
// The background browser's items: the stock card backgrounds of the resource folder as a list
// model for an icon view, with thumbnails read off the GUI thread. Choosing an item reports its
// picture, which the owner makes the front side's background.
#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

#include "photos/MyImageObject.h"

class ThumbnailLoader;

class BackgroundBrowser : public QAbstractListModel {
    Q_OBJECT
public:
    // Largest thumbnail: a CR80 card's proportions.
    static constexpr QSize kThumbnailBox{120, 76};

    explicit BackgroundBrowser(QObject* parent = nullptr);

    const QList<MyImageObject>& images() const { return m_images; }
    // The path of the picture last chosen; empty until one is.
    const QString& selected_image() const { return m_selected_image; }

    // Fills the list from Resource_Path/"Background".
    void Load_and_fill_backgrounds();
    // Fills the list from a folder: its regular files whose extension is png or jpg (any case),
    // one level, in name order. A missing folder or a plain file leaves the list as it was.
    void Load_and_fill_backgrounds(const QString& folder);
    // Appends an item with the trimmed path; a path that trims to nothing adds nothing.
    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);
    // Reorders as orderAfterMove says; selections and other persistent indexes follow their items.
    void moveItemsAtIndexes(const QList<int>& indexes, int toIndex);
    // The first selected item (the lowest row) becomes selected_image and is reported through
    // backgroundChosen; no selection does nothing.
    void imageBrowserSelectionDidChange(const QModelIndexList& selected);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The thumbnail as decoration (a placeholder until it is read, or for a file that holds no
    // picture) and the name as tool tip; no caption.
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    // Dragged items carry only a format of our own, so no other program takes anything from a drag.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

Q_SIGNALS:
    // The user chose a picture.
    void backgroundChosen(const QString& path);

private:
    void keepThumbnail(const QString& path, const QImage& image);

    QList<MyImageObject> m_images;
    QString m_selected_image;
    ThumbnailLoader* m_loader;
    QHash<QString, QIcon> m_thumbnails;
    QIcon m_placeholder;
};
