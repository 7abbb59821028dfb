// The sheet list of SpreadsheetWriter: the sheet parts, the names the workbook gives them and the
// part each name points to.
#include <QDir>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <functional>

#include "data/SpreadsheetWriter.h"
#include "data/SpreadsheetXml.h"
#include "data/XmlPieceReader.h"
#include "platform/StringHelpers.h"

using namespace SpreadsheetXml;

namespace {

using Step = XmlPieceReader::Step;
using PieceResult = XmlPieceReader::Result;

// No archive holds more parts than the unpack takes, so no list names more sheets or links.
constexpr qsizetype kMaxListed = 10'000;

const QString kWorkbookPart = QStringLiteral("xl/workbook.xml");
const QString kRelationshipsPart = QStringLiteral("xl/_rels/workbook.xml.rels");
const QString kWorksheetsFolder = QStringLiteral("xl/worksheets/");

struct NamedSheet {
    QString name;
    QString relationship;  // its r:id
};

struct Relationship {
    QString type;
    QString target;
};

// The elements named `item` inside the root named `root`, in document order, each handed to take.
PieceResult readList(const QString& path, std::string_view root, std::string_view list, std::string_view item,
                     const std::function<void(const pugi::xml_node&)>& take)
{
    qsizetype taken = 0;
    const auto decide = [&](const XmlPieceReader::Path& entered, std::string_view name) {
        if (entered.empty())
            return name == root ? Step::Enter : Step::Stop;
        if (entered.size() == 1 && !list.empty())
            return name == list ? Step::Enter : Step::Skip;
        return name == item ? Step::Take : Step::Skip;
    };
    const auto visit = [&](const pugi::xml_node& element) {
        take(element);
        return ++taken < kMaxListed;
    };
    return XmlPieceReader::read(path, BlankText::Keep, decide, visit);
}

PieceResult readSheetNames(const QString& tmpDir, QList<NamedSheet>* sheets)
{
    return readList(tmpDir + QLatin1Char('/') + kWorkbookPart, "workbook", "sheets", "sheet",
                    [&](const pugi::xml_node& sheet) {
                        sheets->append({attributeNamed(sheet, "name"), attributeNamed(sheet, "id")});
                    });
}

PieceResult readRelationships(const QString& tmpDir, QHash<QString, Relationship>* links)
{
    return readList(tmpDir + QLatin1Char('/') + kRelationshipsPart, "Relationships", {}, "Relationship",
                    [&](const pugi::xml_node& link) {
                        links->insert(attributeNamed(link, "Id"),
                                      {attributeNamed(link, "Type"), attributeNamed(link, "Target")});
                    });
}

// The sheet part (of `parts`) a relationship's target names: relative to the workbook's folder,
// or from the package's root with a leading "/". Empty for any other target.
QString targetPart(const QString& target, const QStringList& parts)
{
    const QString path = QDir::cleanPath(target.startsWith(QLatin1Char('/')) ? target.mid(1)
                                                                             : QStringLiteral("xl/") + target);
    if (!path.startsWith(kWorksheetsFolder, Qt::CaseInsensitive) || !path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        return {};
    const QString name = path.mid(kWorksheetsFolder.size()).chopped(4);
    const auto found = std::find_if(parts.cbegin(), parts.cend(), [&](const QString& part) {
        return part.compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == parts.cend() ? QString() : *found;
}

}  // namespace

QStringList SpreadsheetWriter::Sheet_File_Names()
{
    QStringList names;
    const QFileInfoList parts =
        QDir(sharedInstance()->tmpDir + QLatin1Char('/') + kWorksheetsFolder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& part : parts) {
        if (part.suffix().toLower() == QLatin1String("xml"))
            names.append(part.completeBaseName());
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int numberA = Trailing_Number(a);
        const int numberB = Trailing_Number(b);
        if (numberA != numberB)
            return numberA < numberB;
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QStringList SpreadsheetWriter::Read_Sheet_Name()
{
    SpreadsheetWriter* reader = sharedInstance();
    QList<NamedSheet> sheets;
    if (reader->refusedWhole || readSheetNames(reader->tmpDir, &sheets) == PieceResult::Declares)
        return {};
    QStringList names;
    for (const NamedSheet& sheet : sheets)
        names.append(sheet.name);
    return names;
}

QList<SpreadsheetWriter::SheetItem> SpreadsheetWriter::Sheet_List()
{
    SpreadsheetWriter* reader = sharedInstance();
    if (!reader->sheetList)
        reader->sheetList = reader->listSheets();
    return *reader->sheetList;
}

QList<SpreadsheetWriter::SheetItem> SpreadsheetWriter::listSheets()
{
    if (refusedWhole)
        return {};
    const QStringList parts = Sheet_File_Names();
    QList<SheetItem> byFileName;
    for (const QString& part : parts)
        byFileName.append({part, part});

    QList<NamedSheet> sheets;
    QHash<QString, Relationship> links;
    const PieceResult namesRead = readSheetNames(tmpDir, &sheets);
    const PieceResult linksRead = namesRead == PieceResult::Declares ? namesRead : readRelationships(tmpDir, &links);
    if (namesRead == PieceResult::Declares || linksRead == PieceResult::Declares) {
        refuseWhole(documentTypeRefusal(namesRead == PieceResult::Declares ? kWorkbookPart : kRelationshipsPart));
        return {};
    }
    if (namesRead != PieceResult::Read || linksRead != PieceResult::Read)
        return byFileName;
    // A name is shown only over the part it points to, and only when every part has its name:
    // otherwise some sheet could not be reached.
    QList<SheetItem> named;
    QSet<QString> partsNamed;
    for (const NamedSheet& sheet : sheets) {
        const auto link = links.constFind(sheet.relationship);
        if (link == links.cend())
            return byFileName;
        // Chart and dialog sheets hold no rows.
        if (!link->type.endsWith(QLatin1String("/worksheet")))
            continue;
        const QString part = targetPart(link->target, parts);
        if (part.isEmpty() || partsNamed.contains(part))
            return byFileName;
        partsNamed.insert(part);
        named.append({sheet.name, part});
    }
    return partsNamed.size() == parts.size() ? named : byFileName;
}
