// Test-support program for the workbook reader and writer.
//   workbook-probe dump FILE.xlsx [SHEET]   header and rows as the loaded data table holds them
//   workbook-probe sheets FILE.xlsx         the sheet list as the import windows show it
//   workbook-probe write OUT.xlsx           tab-separated rows on standard input, titles first
// Values are tab-separated, one row a line; a tab, line end or backslash inside a value is
// written \t, \n, \r or \\.
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include "ProbeSupport.h"
#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "platform/StringHelpers.h"

namespace {

QString unescaped(const QString& value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text.append(value[i]);
            continue;
        }
        const QChar next = value[++i];
        text.append(next == u't' ? QChar(u'\t') : next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next);
    }
    return text;
}

// Fills the loaded data table the way the import does with every column ticked and the first
// row taken as the titles.
int dump(const QString& path, int sheet)
{
    Excel_Sheet_Number = sheet;
    SpreadsheetWriter::ReadWorkbook(path, true);
    const SheetRows header = SpreadsheetWriter::ReadData_only_column();
    const SheetRows rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    if (header.isEmpty() || rows.isEmpty())
        return complain(1, QStringLiteral("no rows"));
    Data_From_Excel* table = Data_From_Excel::defaultInstance();
    const int columns = int(header.first().size());
    QString tooLarge;
    if (!table->Fill_From_Sheet(rows, 1, leadingPositions(columns), &tooLarge))
        return complain(1, tooLarge);
    for (int k = 1; k <= columns; ++k) {
        const QString title = Trim_Str(header.first().at(k - 1));
        table->ColList.addColumn(Column_Key_For_Index(k), title.isEmpty() ? Untitled_Column_Title(k) : title);
    }

    QTextStream out(stdout);
    QStringList titles = table->ColList.titles();
    titles.removeFirst();
    for (QString& title : titles)
        title = escapedControls(title);
    out << titles.join(QLatin1Char('\t')) << '\n';
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList values;
        for (int k = 1; k <= columns; ++k)
            values.append(escapedControls(table->Get_Item_Text(r, k).value_or(QString())));
        out << values.join(QLatin1Char('\t')) << '\n';
    }
    return 0;
}

// Each item of the sheet list as the import windows show it, with the first cell (A1 of the
// header row) the item reads: "name<TAB>part<TAB>first cell", one item a line.
int sheets(const QString& path)
{
    SpreadsheetWriter::ReadWorkbook(path, true);
    const QList<SpreadsheetWriter::SheetItem> items = SpreadsheetWriter::Sheet_List();
    if (items.isEmpty())
        return complain(1, QStringLiteral("no sheets %1").arg(SpreadsheetWriter::sharedInstance()->readRefusal));
    QTextStream out(stdout);
    for (int n = 1; n <= items.size(); ++n) {
        Excel_Sheet_Number = n;
        const SheetRows header = SpreadsheetWriter::ReadData_only_column();
        const QString first = header.isEmpty() ? QString() : header.first().value(0);
        out << escapedControls(items.at(n - 1).name) << '\t' << items.at(n - 1).part << '\t' << escapedControls(first)
            << '\n';
    }
    return 0;
}

int write(const QString& path)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 1;
    SheetRows rows;
    for (const QByteArray& line : input.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        QStringList values;
        for (const QString& value : QString::fromUtf8(line).split(QLatin1Char('\t')))
            values.append(unescaped(value));
        rows.append(values);
    }
    return SpreadsheetWriter::WriteWorkbook(path, rows, false) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() >= 3 && arguments[1] == QLatin1String("dump"))
        return dump(arguments[2], arguments.size() > 3 ? arguments[3].toInt() : 1);
    if (arguments.size() == 3 && arguments[1] == QLatin1String("sheets"))
        return sheets(arguments[2]);
    if (arguments.size() == 3 && arguments[1] == QLatin1String("write"))
        return write(arguments[2]);
    return complain(2, QStringLiteral("usage: workbook-probe dump FILE.xlsx [SHEET] | sheets FILE.xlsx | write OUT.xlsx"));
}
