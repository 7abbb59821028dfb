#include "designfile/TemplateCatalog.h"

#include <QDir>
#include <QFileInfo>

#include "platform/AppContext.h"

namespace {

const QDir::SortFlags kNameOrder = QDir::Name | QDir::IgnoreCase;

// Regular files only: a pipe named like a design would hang whoever reads it.
QFileInfoList designFilesIn(const QString& folder)
{
    QFileInfoList designs;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files, kNameOrder)) {
        if (entry.isFile() && entry.suffix().compare(QLatin1String("did"), Qt::CaseInsensitive) == 0)
            designs.append(entry);
    }
    return designs;
}

QString capitalised(const QString& folderName)
{
    return folderName.isEmpty() ? folderName : folderName.left(1).toUpper() + folderName.mid(1);
}

// The picture beside a design with its base name; its extension in any case.
QString previewOf(const QFileInfo& design)
{
    for (const QFileInfo& entry : design.dir().entryInfoList({design.completeBaseName() + QStringLiteral(".*")},
                                                               QDir::Files, kNameOrder)) {
        if (entry.isFile() && entry.suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0
            && entry.completeBaseName() == design.completeBaseName())
            return entry.filePath();
    }
    return {};
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
        if (category == kUserCategory || designFilesIn(QDir(m_shippedFolder).filePath(folder)).isEmpty())
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
    QList<TemplateEntry> entries;
    if (category.isEmpty() || category.contains(QLatin1Char('/')) || category.startsWith(QLatin1Char('.')))
        return entries;
    for (const QFileInfo& design : designFilesIn(folderOf(category)))
        entries.append({design.completeBaseName(), design.filePath(), previewOf(design)});
    return entries;
}
