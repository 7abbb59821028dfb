#pragma once
// The items of an image browser: picture files as a list model for an icon view, with thumbnails
// read off the GUI thread and kept for the next time. The inspector's background page and the
// picture library show their pictures through it. Choosing an item reports its picture; a file
// that holds no picture shows as broken and is never chosen.
#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QSet>
#include <QString>

#include "photos/MyImageObject.h"

class ThumbnailLoader;

class ImageBrowserModel : public QAbstractListModel {
    Q_OBJECT
public:
    // Thumbnails for card backgrounds: a CR80 card's proportions.
    static constexpr QSize kCardThumbnailBox{120, 76};

    // Thumbnails are read to fit within thumbnailBox.
    explicit ImageBrowserModel(QSize thumbnailBox = kCardThumbnailBox, QObject* parent = nullptr);
    explicit ImageBrowserModel(QObject* parent) : ImageBrowserModel(kCardThumbnailBox, parent) {}

    QSize thumbnailBox() const;
    const QList<MyImageObject>& images() const { return m_images; }
    // The path of the picture last chosen; empty until one is, and again when it proves broken.
    const QString& selected_image() const { return m_selected_image; }
    // Whether items carry their file name without its extension as display text.
    void setShowsTitles(bool shows) { m_showsTitles = shows; }
    bool showsTitles() const { return m_showsTitles; }
    // Whether the item's file is known to hold no picture (known once its thumbnail was read).
    bool isBroken(int row) const;

    void clear();
    // Fills the list from Resource_Path/"Background".
    void Load_and_fill_backgrounds();
    // Fills the list from a folder: its regular files whose extension is png or jpg (any case),
    // one level, in natural order of their titles. A missing folder or a plain file leaves the
    // list as it was.
    void fillFromFolder(const QString& folder);
    // Appends an item with the trimmed path; a path that trims to nothing adds nothing.
    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);
    // Reorders as orderAfterMove says; selections and other persistent indexes follow their items.
    void moveItemsAtIndexes(const QList<int>& indexes, int toIndex);
    // The first selected item (the lowest row) becomes selected_image and is reported through
    // imageChosen; a broken one clears selected_image instead. No selection does nothing.
    void imageBrowserSelectionDidChange(const QModelIndexList& selected);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The thumbnail as decoration (a placeholder until it is read, a broken picture for a file
    // that holds none), the name as tool tip, and the title when titles are shown.
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    // Dragged items carry only a format of our own, so no other program takes anything from a drag.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

Q_SIGNALS:
    // The user chose a picture.
    void imageChosen(const QString& path);
    // A picture proved broken; the view moves its selection off it.
    void imageBroken(int row);

private:
    void keepThumbnail(const QString& path, const QImage& image);

    QList<MyImageObject> m_images;
    QString m_selected_image;
    bool m_showsTitles = false;
    ThumbnailLoader* m_loader;
    QHash<QString, QIcon> m_thumbnails;
    QSet<QString> m_broken;
    QIcon m_placeholder;
    QIcon m_brokenIcon;
};
