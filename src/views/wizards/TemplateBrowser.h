#pragma once
// The template browser shared by the template window and the group-mode wizard: a category
// chooser over an icon view of the category's templates, each shown by its preview and name.
#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <optional>

#include "designfile/TemplateCatalog.h"

class QComboBox;
class QListView;
class ThumbnailLoader;

class TemplateBrowser : public QAbstractListModel {
    Q_OBJECT
public:
    // Room for a card preview in either orientation.
    static constexpr QSize kThumbnailBox{150, 150};

    // In a visitor run the visitor category is offered and shown first.
    TemplateBrowser(TemplateCatalog catalog, bool visitorMode, QObject* parent = nullptr);

    // Fills the combo with the categories and makes the view an icon view of this model; the
    // combo's choice shows that category, a click in the view chooses a template.
    void attach(QComboBox& categories, QListView& view);

    const QStringList& categories() const { return m_categories; }
    // Shows the templates of that category; the choice is cleared.
    void Show_Category(const QString& category);
    // Adds an item: the preview's path, the name shown and the design file as identifier. An item
    // without a design file is not added.
    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);

    const QList<TemplateEntry>& entries() const { return m_entries; }
    // The template the user chose in the view; none until one is chosen.
    std::optional<TemplateEntry> chosenTemplate() const;
    // Chooses the template of that row in the attached view (or alone when none is attached).
    void chooseRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The preview as decoration (a placeholder until it is read), the name as text and tool tip.
    QVariant data(const QModelIndex& index, int role) const override;

Q_SIGNALS:
    void templateChosen(const TemplateEntry& entry);

private:
    void keepThumbnail(const QString& path, const QImage& image);
    void setChosenRow(int row);

    TemplateCatalog m_catalog;
    QStringList m_categories;
    QList<TemplateEntry> m_entries;
    int m_chosenRow = -1;
    QListView* m_view = nullptr;
    ThumbnailLoader* m_loader;
    QHash<QString, QIcon> m_thumbnails;
    QIcon m_placeholder;
};
