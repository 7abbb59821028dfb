// The writing half of SpreadsheetWriter.
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "data/SpreadsheetWriter.h"
#include "data/SpreadsheetXml.h"
#include "platform/AppContext.h"
#include "platform/AppFolders.h"
#include "platform/Log.h"

using namespace SpreadsheetXml;

namespace {

const char* const kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const kRelationshipsNamespace = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr int kMaxNumberDigits = 15;  // what a spreadsheet number keeps exactly

// Whether a text is written as a number: plain C-locale decimal form that a spreadsheet shows
// back unchanged. Leading zeros ("007"), a "+", trailing fraction zeros, exponents, more than 15
// digits and negative zero stay text, so nobody's ID or phone number is altered.
bool isNumberText(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    const bool negative = n > 0 && text[0] == u'-';
    if (negative)
        ++i;
    auto isDigit = [&](qsizetype at) { return at < n && text[at] >= u'0' && text[at] <= u'9'; };
    const qsizetype integerStart = i;
    while (isDigit(i))
        ++i;
    const qsizetype integerLength = i - integerStart;
    if (integerLength == 0 || (integerLength > 1 && text[integerStart] == u'0'))
        return false;
    if (i < n && text[i] == u'.') {
        const qsizetype fractionStart = ++i;
        while (isDigit(i))
            ++i;
        if (i == fractionStart || text[i - 1] == u'0')
            return false;
    }
    if (i != n)
        return false;
    int significant = 0;
    bool leading = true;
    for (qsizetype at = integerStart; at < n; ++at) {
        if (text[at] == u'.' || (leading && text[at] == u'0'))
            continue;
        leading = false;
        ++significant;
    }
    return significant <= kMaxNumberDigits && !(negative && significant == 0);
}

void setText(pugi::xml_node node, const QString& text) { node.text().set(xmlText(text).c_str()); }

QString resourceFolder() { return Resource_Path.isEmpty() ? AppFolders::resourceFolder() : Resource_Path; }

bool hasRows(const SheetRows& rows)
{
    if (!rows.isEmpty() && !rows.first().isEmpty())
        return true;
    Show_NSLog_Message(QStringLiteral("No rows to write: the first row sets the column count"));
    return false;
}

// Names a spreadsheet takes for a sheet: 1 to 31 characters, none of []:*?/\, no quote at
// either end.
bool isSheetName(const QString& name)
{
    static const QString refused = QStringLiteral("[]:*?/\\");
    if (name.isEmpty() || name.size() > 31 || name.startsWith(u'\'') || name.endsWith(u'\''))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) { return refused.contains(c); });
}

// The template's one sheet takes the name.
bool nameFirstSheet(const QString& workbookPart, const QString& name)
{
    pugi::xml_document document;
    if (!loadPart(document, workbookPart, true))
        return false;
    pugi::xml_node sheet = child(child(document.document_element(), "sheets"), "sheet");
    if (!sheet)
        return false;
    sheet.attribute("name").set_value(xmlText(name).c_str());
    return savePart(document, workbookPart);
}

}  // namespace

QString SpreadsheetWriter::firstSheetName(const QString& workbook)
{
    if (!QFileInfo(workbook).isFile() || !workbook.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return QString();
    // Only the list of sheets is wanted: no cell, no shared text is read for it.
    if (!sharedInstance()->unpackAfresh(workbook, UnpackedParts::Read))
        return QString();
    return Read_Sheet_Name().value(0);
}

bool SpreadsheetWriter::WriteWorkbook(const QString& target, const SheetRows& rows, bool hasTitleRow,
                                      const QString& sheetName)
{
    if (!hasRows(rows))
        return false;
    SpreadsheetWriter* writer = sharedInstance();
    writer->data = rows;
    const QString templatePath = resourceFolder() + QStringLiteral("/Template.xlsx");
    if (!QFileInfo::exists(templatePath) || !writer->unpackAfresh(templatePath, UnpackedParts::All)) {
        Show_NSLog_Message(QStringLiteral("The workbook template %1 cannot be read").arg(templatePath));
        return false;
    }
    const QString xl = writer->tmpDir + QStringLiteral("/xl");
    if (!QDir().mkpath(xl + QStringLiteral("/worksheets"))) {
        Show_NSLog_Message(QStringLiteral("Cannot make the folder %1/worksheets").arg(xl));
        return false;
    }
    if (!writer->WriteWorksheetData(xl + QStringLiteral("/worksheets/sheet1.xml"))
        || !writer->WriteSharedStringsXML(xl + QStringLiteral("/sharedStrings.xml")))
        return false;
    if (isSheetName(sheetName) && !nameFirstSheet(xl + QStringLiteral("/workbook.xml"), sheetName))
        return false;
    return writer->packTreeInto(target, {QStringLiteral("[Content_Types].xml")});
}

bool SpreadsheetWriter::WriteWorksheetData(const QString& path)
{
    if (!hasRows(data))
        return false;
    const int columns = int(data.first().size());
    sharedStrings.clear();

    pugi::xml_document document;
    declare(document);
    pugi::xml_node worksheet = document.append_child("worksheet");
    worksheet.append_attribute("xmlns") = kMainNamespace;
    worksheet.append_attribute("xmlns:r") = kRelationshipsNamespace;
    worksheet.append_attribute("xmlns:mc") = "http://schemas.openxmlformats.org/markup-compatibility/2006";
    worksheet.append_attribute("xmlns:x14ac") = "http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac";
    worksheet.append_attribute("mc:Ignorable") = "x14ac";

    const std::string lastCell = (ColumnIndexToName(columns) + QString::number(data.size())).toStdString();
    worksheet.append_child("dimension").append_attribute("ref") = ("A1:" + lastCell).c_str();
    pugi::xml_node sheetView = worksheet.append_child("sheetViews").append_child("sheetView");
    sheetView.append_attribute("tabSelected") = "1";
    sheetView.append_attribute("workbookViewId") = "0";
    pugi::xml_node selection = sheetView.append_child("selection");
    selection.append_attribute("activeCell") = lastCell.c_str();
    selection.append_attribute("sqref") = lastCell.c_str();
    pugi::xml_node format = worksheet.append_child("sheetFormatPr");
    format.append_attribute("baseColWidth") = "10";
    format.append_attribute("defaultRowHeight") = "15";
    format.append_attribute("x14ac:dyDescent") = "0";

    pugi::xml_node sheetData = worksheet.append_child("sheetData");
    const std::string spans = "1:" + std::to_string(columns);
    std::vector<std::string> columnNames;
    for (int r = 0; r < data.size(); ++r) {
        const QStringList& values = data.at(r);
        const std::string rowNumber = std::to_string(r + 1);
        pugi::xml_node row = sheetData.append_child("row");
        row.append_attribute("r") = rowNumber.c_str();
        row.append_attribute("spans") = spans.c_str();
        while (columnNames.size() < size_t(values.size()))
            columnNames.push_back(ColumnIndexToName(int(columnNames.size()) + 1).toStdString());
        for (int c = 0; c < values.size(); ++c) {
            const QString& value = values.at(c);
            pugi::xml_node cell = row.append_child("c");
            cell.append_attribute("r") = (columnNames[size_t(c)] + rowNumber).c_str();
            if (isNumberText(value)) {
                setText(cell.append_child("v"), value);
            } else {
                cell.append_attribute("t") = "s";
                sharedStrings.append(value);
                cell.append_child("v").text().set(std::to_string(sharedStrings.size() - 1).c_str());
            }
        }
    }

    pugi::xml_node margins = worksheet.append_child("pageMargins");
    for (const auto& [name, value] : {std::pair{"left", "0.75"}, {"right", "0.75"}, {"top", "1"}, {"bottom", "0.5"},
                                      {"header", "0.5"}, {"footer", "0.5"}})
        margins.append_attribute(name) = value;
    pugi::xml_node extension = worksheet.append_child("extLst").append_child("ext");
    extension.append_attribute("xmlns:mx") = "http://schemas.microsoft.com/office/mac/excel/2008/main";
    extension.append_attribute("uri") = "{64002731-A6B0-56B0-2670-7721B7C09600}";
    pugi::xml_node layout = extension.append_child("mx:PLV");
    layout.append_attribute("Mode") = "0";
    layout.append_attribute("OnePage") = "0";
    layout.append_attribute("WScale") = "0";
    return savePart(document, path);
}

bool SpreadsheetWriter::WriteSharedStringsXML(const QString& path)
{
    pugi::xml_document document;
    declare(document);
    pugi::xml_node sst = document.append_child("sst");
    sst.append_attribute("xmlns") = kMainNamespace;
    if (!sharedStrings.isEmpty()) {
        const std::string count = std::to_string(sharedStrings.size());
        sst.append_attribute("count") = count.c_str();
        sst.append_attribute("uniqueCount") = count.c_str();
    }
    for (const QString& text : sharedStrings) {
        pugi::xml_node t = sst.append_child("si").append_child("t");
        // Readers may drop blanks at either end unless told to keep them.
        if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
            t.append_attribute("xml:space") = "preserve";
        setText(t, text);
    }
    return savePart(document, path);
}

bool SpreadsheetWriter::WriteWorkbookXML(const QString& path, const QString& sheetName)
{
    pugi::xml_document document;
    declare(document);
    pugi::xml_node workbook = document.append_child("workbook");
    workbook.append_attribute("xml:space") = "preserve";
    workbook.append_attribute("xmlns") = kMainNamespace;
    workbook.append_attribute("xmlns:r") = kRelationshipsNamespace;
    workbook.append_child("sheets").append_child("sheet").append_attribute("name") = xmlText(sheetName).c_str();
    return savePart(document, path);
}

bool SpreadsheetWriter::WriteWorksheetXML2004(const QString& path, const SheetRows& rows)
{
    if (!hasRows(rows))
        return false;
    pugi::xml_document document;
    declare(document);
    pugi::xml_node workbook = document.append_child("Workbook");
    workbook.append_attribute("xmlns") = "urn:schemas-microsoft-com:office:spreadsheet";
    workbook.append_attribute("xmlns:o") = "urn:schemas-microsoft-com:office:office";
    workbook.append_attribute("xmlns:x") = "urn:schemas-microsoft-com:office:excel";
    workbook.append_attribute("xmlns:ss") = "urn:schemas-microsoft-com:office:spreadsheet";
    workbook.append_attribute("xmlns:html") = "http://www.w3.org/TR/REC-html40";
    pugi::xml_node worksheet = workbook.append_child("Worksheet");
    worksheet.append_attribute("ss:Name") = "Notes";
    pugi::xml_node table = worksheet.append_child("Table");
    table.append_attribute("ss:ExpandedColumnCount") = std::to_string(rows.first().size()).c_str();
    table.append_attribute("ss:ExpandedRowCount") = std::to_string(rows.size()).c_str();
    for (const QStringList& values : rows) {
        pugi::xml_node row = table.append_child("Row");
        for (const QString& value : values) {
            pugi::xml_node cellData = row.append_child("Cell").append_child("Data");
            cellData.append_attribute("ss:Type") = isNumberText(value) ? "Number" : "String";
            setText(cellData, value);
        }
    }
    return savePart(document, path);
}

bool SpreadsheetWriter::WriteODS(const QString& target, const SheetRows& rows, bool hasTitleRow)
{
    if (!hasRows(rows))
        return false;
    SpreadsheetWriter* writer = sharedInstance();
    writer->data = rows;
    const QString templatePath = resourceFolder() + QStringLiteral("/Template.ods");
    if (!QFileInfo::exists(templatePath) || !writer->unpackAfresh(templatePath, UnpackedParts::All)) {
        Show_NSLog_Message(QStringLiteral("The spreadsheet template %1 cannot be read").arg(templatePath));
        return false;
    }
    if (!writer->WriteODSData(writer->tmpDir + QStringLiteral("/content.xml")))
        return false;
    // Readers recognise the package by its first entry.
    return writer->packTreeInto(target, {QStringLiteral("mimetype")});
}

bool SpreadsheetWriter::WriteODSData(const QString& path)
{
    if (!hasRows(data))
        return false;
    pugi::xml_document document;
    declare(document);
    pugi::xml_node content = document.append_child("office:document-content");
    for (const auto& [prefix, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"xmlns:office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
             {"xmlns:style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
             {"xmlns:text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
             {"xmlns:table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
             {"xmlns:fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
             {"xmlns:svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"}})
        content.append_attribute(prefix) = name;
    content.append_attribute("office:version") = "1.2";
    content.append_child("office:scripts");

    pugi::xml_node fonts = content.append_child("office:font-face-decls");
    for (const char* font : {"Arial", "Arial Unicode MS", "Tahoma"}) {
        pugi::xml_node face = fonts.append_child("style:font-face");
        face.append_attribute("style:name") = font;
        face.append_attribute("svg:font-family") = font;
    }
    pugi::xml_node styles = content.append_child("office:automatic-styles");
    auto addStyle = [&](const char* name, const char* family, const char* properties) {
        pugi::xml_node style = styles.append_child("style:style");
        style.append_attribute("style:name") = name;
        style.append_attribute("style:family") = family;
        return style.append_child(properties);
    };
    addStyle("co1", "table-column", "style:table-column-properties").append_attribute("style:column-width") = "2.258cm";
    pugi::xml_node rowStyle = addStyle("ro1", "table-row", "style:table-row-properties");
    rowStyle.append_attribute("style:row-height") = "0.427cm";
    rowStyle.append_attribute("style:use-optimal-row-height") = "true";
    pugi::xml_node tableStyle = addStyle("ta1", "table", "style:table-properties");
    tableStyle.append_attribute("table:display") = "true";
    tableStyle.append_attribute("style:writing-mode") = "lr-tb";
    styles.last_child().append_attribute("style:master-page-name") = "Default";

    pugi::xml_node table = content.append_child("office:body").append_child("office:spreadsheet").append_child("table:table");
    table.append_attribute("table:name") = "Sheet1";
    table.append_attribute("table:style-name") = "ta1";
    pugi::xml_node column = table.append_child("table:table-column");
    column.append_attribute("table:style-name") = "co1";
    column.append_attribute("table:number-columns-repeated") = std::to_string(data.first().size()).c_str();
    column.append_attribute("table:default-cell-style-name") = "Default";
    for (const QStringList& values : data) {
        pugi::xml_node row = table.append_child("table:table-row");
        row.append_attribute("table:style-name") = "ro1";
        for (const QString& value : values) {
            pugi::xml_node cell = row.append_child("table:table-cell");
            cell.append_attribute("office:value-type") = "string";
            setText(cell.append_child("text:p"), value);
        }
    }
    return savePart(document, path);
}
