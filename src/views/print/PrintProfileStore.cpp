#include "views/print/PrintProfileStore.h"

#include <QDir>
#include <QFileInfo>

#include "platform/FileHelpers.h"
#include "platform/PropertyList.h"
#include "platform/StringHelpers.h"

const QString PrintProfileStore::kDefaultName = QStringLiteral("Default");

namespace {

const QString kExtension = QStringLiteral("zvp");

}  // namespace

QList<PrintProfileEntry> PrintProfileStore::list() const
{
    QList<PrintProfileEntry> entries;
    if (m_folder.isEmpty())
        return entries;
    const QDir folder(m_folder);
    const QFileInfoList files = folder.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        if (file.suffix().compare(kExtension, Qt::CaseInsensitive) != 0)
            continue;
        const QString name = Trim_Str(file.completeBaseName());
        if (!name.isEmpty())
            entries.append({name, file.fileName()});
    }
    return entries;
}

QString PrintProfileStore::pathOf(const PrintProfileEntry& entry) const
{
    return QDir(m_folder).filePath(entry.fileName);
}

PrintProfileEntry PrintProfileStore::entryFor(const QString& name) const
{
    for (const PrintProfileEntry& entry : list()) {
        if (entry.name == name)
            return entry;
    }
    return {name, name + u'.' + kExtension};
}

std::optional<QStringList> PrintProfileStore::read(const PrintProfileEntry& entry, QString* error) const
{
    const std::optional<QVariant> root = PropertyList::readFile(pathOf(entry), error);
    if (!root)
        return std::nullopt;
    if (root->typeId() != QMetaType::QVariantList) {
        if (error)
            *error = QStringLiteral("%1 holds no list of settings").arg(entry.fileName);
        return std::nullopt;
    }
    const QVariantList values = root->toList();
    if (values.size() < kItems) {
        if (error)
            *error = QStringLiteral("%1 holds %2 settings of %3").arg(entry.fileName).arg(values.size()).arg(kItems);
        return std::nullopt;
    }
    QStringList items;
    for (int i = 0; i < kItems; ++i) {
        if (values[i].typeId() != QMetaType::QString) {
            if (error)
                *error = QStringLiteral("Setting %1 of %2 is not a text").arg(i).arg(entry.fileName);
            return std::nullopt;
        }
        items.append(values[i].toString());
    }
    return items;
}

bool PrintProfileStore::write(const PrintProfileEntry& entry, const QStringList& items, QString* error) const
{
    if (m_folder.isEmpty()) {
        if (error)
            *error = QStringLiteral("the print profile folder is missing");
        return false;
    }
    QVariantList values;
    for (const QString& item : items)
        values.append(item);
    return PropertyList::writeFile(pathOf(entry), values, PropertyList::Format::Xml, error);
}

void PrintProfileStore::remove(const PrintProfileEntry& entry) const
{
    Delete_File(pathOf(entry));
}
