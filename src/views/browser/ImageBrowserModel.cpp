#include "views/browser/ImageBrowserModel.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "platform/AppContext.h"
#include "platform/StringHelpers.h"
#include "views/browser/BrowserMove.h"
#include "views/browser/ThumbnailLoader.h"

namespace {

const QString kDragFormat = QStringLiteral("application/x-zova-browser-items");

QPixmap emptyCard(const QSize& box)
{
    QPixmap picture(box);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(176, 176, 176), 1));
    painter.setBrush(QColor(236, 236, 236));
    painter.drawRoundedRect(QRectF(picture.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    return picture;
}

// The placeholder crossed out in red.
QIcon brokenIcon(const QSize& box)
{
    QPixmap picture = emptyCard(box);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 40, 40), std::max(2, box.width() / 30), Qt::SolidLine, Qt::RoundCap));
    const QRectF mark = QRectF(picture.rect()).adjusted(box.width() / 4.0, box.height() / 4.0, -box.width() / 4.0,
                                                      -box.height() / 4.0);
    painter.drawLine(mark.topLeft(), mark.bottomRight());
    painter.drawLine(mark.topRight(), mark.bottomLeft());
    return QIcon(picture);
}

}  // namespace

ImageBrowserModel::ImageBrowserModel(QSize thumbnailBox, QObject* parent)
    : QAbstractListModel(parent), m_loader(new ThumbnailLoader(thumbnailBox, this)),
      m_placeholder(emptyCard(thumbnailBox)), m_brokenIcon(brokenIcon(thumbnailBox))
{
    connect(m_loader, &ThumbnailLoader::thumbnailReady, this, &ImageBrowserModel::keepThumbnail);
}

QSize ImageBrowserModel::thumbnailBox() const
{
    return m_loader->box();
}

bool ImageBrowserModel::isBroken(int row) const
{
    return row >= 0 && row < m_images.size() && m_broken.contains(m_images.at(row).path());
}

void ImageBrowserModel::clear()
{
    beginResetModel();
    m_images.clear();
    endResetModel();
}

void ImageBrowserModel::Load_and_fill_backgrounds()
{
    fillFromFolder(QDir(Resource_Path).filePath(QStringLiteral("Background")));
}

void ImageBrowserModel::fillFromFolder(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    // Only regular files: a pipe or a device named like a picture would hang whoever reads it.
    const QDir dir(folder);
    QStringList names;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files)) {
        const QString extension = entry.suffix().toLower();
        if (entry.isFile() && (extension == QLatin1String("png") || extension == QLatin1String("jpg")))
            names.append(entry.fileName());
    }
    // By the title first, so "gold" comes before "gold star".
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const QString titleA = QFileInfo(a).completeBaseName(), titleB = QFileInfo(b).completeBaseName();
        return titleA != titleB ? naturalLess(titleA, titleB) : naturalLess(a, b);
    });
    beginResetModel();
    m_images.clear();
    for (const QString& name : names)
        m_images.append(MyImageObject(dir.filePath(name), name, name));
    endResetModel();
}

void ImageBrowserModel::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_images.size(), m_images.size());
    m_images.append(MyImageObject(trimmed, imageName, image_UID));
    endInsertRows();
}

void ImageBrowserModel::moveItemsAtIndexes(const QList<int>& indexes, int toIndex)
{
    const QList<int> order = orderAfterMove(m_images.size(), indexes, toIndex);
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<MyImageObject> reordered;
    for (int old : order)
        reordered.append(m_images.at(old));
    m_images = reordered;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after.append(this->index(order.indexOf(index.row())));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ImageBrowserModel::imageBrowserSelectionDidChange(const QModelIndexList& selected)
{
    if (selected.isEmpty())
        return;
    const QModelIndex first = *std::min_element(selected.begin(), selected.end(),
        [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    if (!checkIndex(first, CheckIndexOption::IndexIsValid))
        return;
    if (isBroken(first.row())) {
        m_selected_image.clear();
        return;
    }
    m_selected_image = m_images.at(first.row()).valueForKey(QStringLiteral("path")).toString();
    Q_EMIT imageChosen(m_selected_image);
}

int ImageBrowserModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_images.size());
}

QVariant ImageBrowserModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const MyImageObject& item = m_images.at(index.row());
    switch (role) {
    case Qt::DecorationRole: {
        // Read when first shown, so only the pictures in sight cost anything.
        const auto thumbnail = m_thumbnails.constFind(item.path());
        if (thumbnail != m_thumbnails.constEnd())
            return *thumbnail;
        m_loader->request(item.path());
        return m_placeholder;
    }
    case Qt::DisplayRole:
        return m_showsTitles ? QVariant(item.imageTitle()) : QVariant();
    case Qt::ToolTipRole:
        return item.name();
    default:
        return QVariant();
    }
}

Qt::ItemFlags ImageBrowserModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    if (isBroken(index.row()))
        return Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

QStringList ImageBrowserModel::mimeTypes() const
{
    return {kDragFormat};
}

QMimeData* ImageBrowserModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(kDragFormat, QByteArray());
    return data;
}

void ImageBrowserModel::keepThumbnail(const QString& path, const QImage& image)
{
    if (image.isNull())
        m_broken.insert(path);
    else
        m_broken.remove(path);
    m_thumbnails.insert(path, image.isNull() ? m_brokenIcon : QIcon(QPixmap::fromImage(image)));
    if (image.isNull() && m_selected_image == path)
        m_selected_image.clear();
    for (int row = 0; row < m_images.size(); ++row) {
        if (m_images.at(row).path() != path)
            continue;
        Q_EMIT dataChanged(index(row), index(row), {Qt::DecorationRole});
        if (image.isNull())
            Q_EMIT imageBroken(row);
    }
}
