#include "views/wizards/TemplateBrowser.h"

#include <QComboBox>
#include <QListView>
#include <QPainter>
#include <QPixmap>

#include "platform/StringHelpers.h"
#include "views/inspector/ComboSelection.h"
#include "views/browser/ThumbnailLoader.h"

namespace {

QIcon placeholderIcon(const QSize& box)
{
    QPixmap picture(box);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(176, 176, 176), 1));
    painter.setBrush(QColor(236, 236, 236));
    painter.drawRoundedRect(QRectF(picture.rect()).adjusted(12.5, 30.5, -12.5, -30.5), 6, 6);
    return QIcon(picture);
}

// The preview centred in the thumbnail box with a thin edge, so that white cards stand out from the
// view and every name lines up below its picture whatever the card's orientation.
QIcon framedThumbnail(const QImage& preview, const QSize& box)
{
    QPixmap picture(box);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QSize fitted = preview.size().scaled(box - QSize(2, 2), Qt::KeepAspectRatio);
    const QRect place(QPoint((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2), fitted);
    painter.drawImage(place, preview);
    painter.setPen(QPen(QColor(0, 0, 0, 70), 1));
    painter.drawRect(QRectF(place).adjusted(-0.5, -0.5, 0.5, 0.5));
    return QIcon(picture);
}

// File names are lower case; the window shows them as titles ("classic blue (h)": "Classic blue (h)").
QString shownName(const QString& name)
{
    return name.isEmpty() ? name : name.left(1).toUpper() + name.mid(1);
}

}  // namespace

TemplateBrowser::TemplateBrowser(TemplateCatalog catalog, bool visitorMode, QObject* parent)
    : QAbstractListModel(parent), m_catalog(std::move(catalog)), m_categories(m_catalog.categories(visitorMode)),
      m_loader(new ThumbnailLoader(kThumbnailBox, this)), m_placeholder(placeholderIcon(kThumbnailBox))
{
    if (visitorMode && m_categories.contains(TemplateCatalog::kVisitorCategory)) {
        m_categories.removeOne(TemplateCatalog::kVisitorCategory);
        m_categories.prepend(TemplateCatalog::kVisitorCategory);
    }
    connect(m_loader, &ThumbnailLoader::thumbnailReady, this, &TemplateBrowser::keepThumbnail);
    Show_Category(m_categories.value(0));
}

void TemplateBrowser::attach(QComboBox& categories, QListView& view)
{
    fillComboQuietly(categories, m_categories, m_categories.isEmpty() ? -1 : 0);
    connect(&categories, &QComboBox::activated, this,
            [this, &categories] { Show_Category(categories.currentText()); });
    m_view = &view;
    view.setViewMode(QListView::IconMode);
    view.setMovement(QListView::Static);
    view.setResizeMode(QListView::Adjust);
    view.setWordWrap(true);
    view.setIconSize(kThumbnailBox);
    view.setGridSize(kThumbnailBox + QSize(24, 44));
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setModel(this);
    connect(view.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { setChosenRow(current.isValid() ? current.row() : -1); });
    // Picking a template is the window's first step: the arrow keys choose one at once.
    view.setFocus();
}

void TemplateBrowser::Show_Category(const QString& category)
{
    beginResetModel();
    m_entries.clear();
    m_chosenRow = -1;
    endResetModel();
    for (const TemplateEntry& entry : m_catalog.templates(category))
        addImageWithPath(entry.previewPath, entry.name, entry.didPath);
}

void TemplateBrowser::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    const QString design = Trim_Str(image_UID);
    if (design.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_entries.size()), int(m_entries.size()));
    m_entries.append({imageName, design, Trim_Str(path)});
    endInsertRows();
}

std::optional<TemplateEntry> TemplateBrowser::chosenTemplate() const
{
    if (m_chosenRow < 0 || m_chosenRow >= m_entries.size())
        return std::nullopt;
    return m_entries.at(m_chosenRow);
}

void TemplateBrowser::chooseRow(int row)
{
    if (m_view)
        m_view->setCurrentIndex(index(row));
    else
        setChosenRow(row);
}

void TemplateBrowser::setChosenRow(int row)
{
    m_chosenRow = row;
    if (const std::optional<TemplateEntry> entry = chosenTemplate())
        Q_EMIT templateChosen(*entry);
}

int TemplateBrowser::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant TemplateBrowser::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const TemplateEntry& entry = m_entries.at(index.row());
    switch (role) {
    case Qt::DecorationRole: {
        if (entry.previewPath.isEmpty())
            return m_placeholder;
        // Read when first shown, so only the previews in sight cost anything.
        const auto thumbnail = m_thumbnails.constFind(entry.previewPath);
        if (thumbnail != m_thumbnails.constEnd())
            return *thumbnail;
        m_loader->request(entry.previewPath);
        return m_placeholder;
    }
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return shownName(entry.name);
    default:
        return QVariant();
    }
}

void TemplateBrowser::keepThumbnail(const QString& path, const QImage& image)
{
    m_thumbnails.insert(path, image.isNull() ? m_placeholder : framedThumbnail(image, kThumbnailBox));
    for (int row = 0; row < m_entries.size(); ++row)
        if (m_entries.at(row).previewPath == path)
            Q_EMIT dataChanged(index(row), index(row), {Qt::DecorationRole});
}
