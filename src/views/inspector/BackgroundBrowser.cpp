#include "views/inspector/BackgroundBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "platform/AppContext.h"
#include "platform/StringHelpers.h"
#include "views/inspector/BrowserMove.h"
#include "views/inspector/ThumbnailLoader.h"

namespace {

const QString kDragFormat = QStringLiteral("application/x-zova-background-items");

QIcon placeholderIcon(const QSize& box)
{
    QPixmap picture(box);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(176, 176, 176), 1));
    painter.setBrush(QColor(236, 236, 236));
    painter.drawRoundedRect(QRectF(picture.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    return QIcon(picture);
}

}  // namespace

BackgroundBrowser::BackgroundBrowser(QObject* parent)
    : QAbstractListModel(parent), m_loader(new ThumbnailLoader(kThumbnailBox, this)),
      m_placeholder(placeholderIcon(kThumbnailBox))
{
    connect(m_loader, &ThumbnailLoader::thumbnailReady, this, &BackgroundBrowser::keepThumbnail);
}

void BackgroundBrowser::Load_and_fill_backgrounds()
{
    Load_and_fill_backgrounds(QDir(Resource_Path).filePath(QStringLiteral("Background")));
}

void BackgroundBrowser::Load_and_fill_backgrounds(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    beginResetModel();
    m_images.clear();
    endResetModel();
    // Only regular files: a pipe or a device named like a picture would hang whoever reads it.
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        const QString extension = entry.suffix().toLower();
        if (entry.isFile() && (extension == QLatin1String("png") || extension == QLatin1String("jpg")))
            addImageWithPath(entry.filePath(), entry.fileName(), entry.fileName());
    }
}

void BackgroundBrowser::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_images.size(), m_images.size());
    m_images.append(MyImageObject(trimmed, imageName, image_UID));
    endInsertRows();
}

void BackgroundBrowser::moveItemsAtIndexes(const QList<int>& indexes, int toIndex)
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

void BackgroundBrowser::imageBrowserSelectionDidChange(const QModelIndexList& selected)
{
    if (selected.isEmpty())
        return;
    const QModelIndex first = *std::min_element(selected.begin(), selected.end(),
        [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    if (!checkIndex(first, CheckIndexOption::IndexIsValid))
        return;
    m_selected_image = m_images.at(first.row()).valueForKey(QStringLiteral("path")).toString();
    Q_EMIT backgroundChosen(m_selected_image);
}

int BackgroundBrowser::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_images.size());
}

QVariant BackgroundBrowser::data(const QModelIndex& index, int role) const
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
    case Qt::ToolTipRole:
        return item.name();
    default:
        return QVariant();
    }
}

Qt::ItemFlags BackgroundBrowser::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

QStringList BackgroundBrowser::mimeTypes() const
{
    return {kDragFormat};
}

QMimeData* BackgroundBrowser::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(kDragFormat, QByteArray());
    return data;
}

void BackgroundBrowser::keepThumbnail(const QString& path, const QImage& image)
{
    m_thumbnails.insert(path, image.isNull() ? m_placeholder : QIcon(QPixmap::fromImage(image)));
    for (int row = 0; row < m_images.size(); ++row)
        if (m_images.at(row).path() == path)
            Q_EMIT dataChanged(index(row), index(row), {Qt::DecorationRole});
}
