#include "designfile/TemplateCatalog.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "platform/AppContext.h"

namespace {

const QDir::SortFlags kNameOrder = QDir::Name | QDir::IgnoreCase;

// The designs of a folder and the pictures beside them, from one listing of the folder: a user
// folder of thousands of files is read once, not once a design. Regular files only: a pipe
// named like a design would hang whoever reads it.
QList<TemplateEntry> designsIn(const QString& folder)
{
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, kNameOrder);
    // A design's picture has its base name and "png" in any case; the first in name order wins.
    QHash<QString, QString> previews;
    for (const QFileInfo& entry : files) {
        if (entry.isFile() && entry.suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0
            && !previews.contains(entry.completeBaseName()))
            previews.insert(entry.completeBaseName(), entry.filePath());
    }
    QList<TemplateEntry> designs;
    for (const QFileInfo& entry : files) {
        if (entry.isFile() && entry.suffix().compare(QLatin1String("did"), Qt::CaseInsensitive) == 0)
            designs.append({entry.completeBaseName(), entry.filePath(), previews.value(entry.completeBaseName())});
    }
    return designs;
}

QString capitalised(const QString& folderName)
{
    return folderName.isEmpty() ? folderName : folderName.left(1).toUpper() + folderName.mid(1);
}

}  // namespace

TemplateCatalog::TemplateCatalog(QString shippedFolder, QString userFolder)
    : m_shippedFolder(std::move(shippedFolder)), m_userFolder(std::move(userFolder))
{
}

TemplateCatalog TemplateCatalog::installed()
{
    return TemplateCatalog(QDir(Resource_Path).filePath(QStringLiteral("Templates")),
                           QDir(Created_Resource_Path).filePath(QStringLiteral("Templates/User")));
}

QStringList TemplateCatalog::categories(bool visitorMode) const
{
    QStringList shown;
    for (const QString& folder : QDir(m_shippedFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, kNameOrder)) {
        const QString category = capitalised(folder);
        if (category == kUserCategory || designsIn(QDir(m_shippedFolder).filePath(folder)).isEmpty())
            continue;
        if (category.compare(kVisitorCategory, Qt::CaseInsensitive) == 0 && !visitorMode)
            continue;
        shown.append(category);
    }
    shown.append(kUserCategory);
    return shown;
}

QString TemplateCatalog::folderOf(const QString& category) const
{
    if (category == kUserCategory)
        return m_userFolder;
    // Shipped folder names are lower case, as the orientation twins are looked up in lower case.
    return QDir(m_shippedFolder).filePath(category.toLower());
}

QList<TemplateEntry> TemplateCatalog::templates(const QString& category) const
{
    if (category.isEmpty() || category.contains(QLatin1Char('/')) || category.startsWith(QLatin1Char('.')))
        return {};
    return designsIn(folderOf(category));
}
