#pragma once
// A workbook made by openpyxl whose tabs are not in the order of its sheet parts: "Codes" is
// stored as sheet1.xml and "Staff" as sheet2.xml, and Staff's tab is moved first the way a
// spreadsheet program stores a moved tab (the workbook's list changes, the parts keep their
// names). With a chart, a chart sheet "Chart" follows.
#include <QString>

#include "support/TestEnvironment.h"

namespace MovedTabWorkbook {

inline const char* const kScript = R"(
import io, re, sys, zipfile, openpyxl
from openpyxl.chart import BarChart, Reference
wb = openpyxl.Workbook()
codes = wb.active
codes.title = 'Codes'
codes.append(['Code'])
codes.append(['007'])
staff = wb.create_sheet('Staff')
staff.append(['Name', 'Photo'])
staff.append(['Ann', 'ann.png'])
if sys.argv[2] == 'chart':
    chart = BarChart()
    chart.add_data(Reference(codes, min_col=1, min_row=1, max_row=2))
    wb.create_chartsheet('Chart').add_chart(chart)
made = io.BytesIO()
wb.save(made)
made = zipfile.ZipFile(made)
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as out:
    for item in made.infolist():
        data = made.read(item)
        if item.filename == 'xl/workbook.xml':
            sheets = re.findall(rb'<sheet [^>]*/>', data)
            data = data.replace(sheets[0] + sheets[1], sheets[1] + sheets[0])
        out.writestr(item, data)
)";

// Writes the workbook to path; false when Python could not.
inline bool make(const QString& path, bool withChart = false)
{
    return TestEnvironment::runPython(QString::fromLatin1(kScript), {path, withChart ? "chart" : "plain"}).exitCode == 0;
}

// Each worksheet as openpyxl reads it, in its tab order: "title<TAB>A1", one a line.
inline QString openpyxlSheets(const QString& path)
{
    return QString::fromUtf8(TestEnvironment::runPython("import sys, openpyxl\n"
                                                        "for ws in openpyxl.load_workbook(sys.argv[1]).worksheets:\n"
                                                        "    print(ws.title + '\\t' + str(ws['A1'].value))\n",
                                                        {path})
                                 .out);
}

}  // namespace MovedTabWorkbook
