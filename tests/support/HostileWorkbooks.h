#pragma once
// Small workbooks shaped to make a reader hold far more than their size: made at test time with
// Python's zipfile, so no large file lives in the tree.
#include <QString>
#include <QStringList>

#include "support/TestEnvironment.h"

namespace HostileWorkbooks {

// A far cell (XFD) on each of 1,220 rows, the dimension saying as much: about 13 KB.
inline const QString kFarCell = QStringLiteral("far");
// 1,220 rows of two cells, the first row's second one far (XFD) and the dimension as wide: about
// 11 KB.
inline const QString kWideSheet = QStringLiteral("wide");
// 750,000 rows of one cell each: about 50 KB, 19.5 MB of sheet.
inline const QString kOneCellRows = QStringLiteral("rows");
// A million shared strings, the sheet naming only the first ("first") and the last ("last"):
// about 40 KB, 17 MB of strings.
inline const QString kUnusedStrings = QStringLiteral("strings");
// Eight million shared strings packed into about 330 KB: 136 MB of strings.
inline const QString kPackedStrings = QStringLiteral("packed");
// A sheet declaring a 3.9 MB entity that a hundred cells of one row name, after 12 MB of columns
// that pass the expansion's ratio to the part: about 30 KB, 390 MB of text.
inline const QString kEntities = QStringLiteral("entities");
// 5,000 rows of a thousand cells naming shared string 0, and incompressible filler that makes the
// archive's allowance 155 MB: about 960 KB, 105 MB of sheet.
inline const QString kSharedCells = QStringLiteral("cells");
inline const QStringList kAll{kFarCell, kWideSheet, kOneCellRows, kUnusedStrings, kPackedStrings, kEntities, kSharedCells};

inline const char* const kScript = R"(
import sys, zipfile
shape, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target, 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    if shape == 'far':
        rows = ''.join(f'<row r="{r}"><c r="A{r}"><v>{r}</v></c><c r="XFD{r}"><v>x</v></c></row>' for r in range(1, 1221))
        z.writestr('xl/worksheets/sheet1.xml', f'<worksheet><dimension ref="A1:XFD1220"/><sheetData>{rows}</sheetData></worksheet>')
    elif shape == 'wide':
        rows = '<row r="1"><c r="A1"><v>1</v></c><c r="XFD1"><v>far</v></c></row>' + ''.join(
            f'<row r="{r}"><c r="A{r}"><v>{r}</v></c><c r="C{r}"><v>c</v></c></row>' for r in range(2, 1221))
        z.writestr('xl/worksheets/sheet1.xml', f'<worksheet><dimension ref="A1:XFD1220"/><sheetData>{rows}</sheetData></worksheet>')
    elif shape == 'rows':
        with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as f:
            f.write(b'<worksheet><sheetData>')
            for _ in range(75):
                f.write(b'<row><c><v>7</v></c></row>' * 10000)
            f.write(b'</sheetData></worksheet>')
    elif shape == 'entities':
        with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as f:
            f.write(b'<!DOCTYPE worksheet [<!ENTITY e "' + b'x' * 3900000 + b'">]><worksheet><cols>')
            f.write(b'<col/>' * 2000000 + b'</cols><sheetData><row>' + b'<c><v>&e;</v></c>' * 100 + b'</row></sheetData></worksheet>')
    elif shape == 'cells':
        import random
        z.writestr(zipfile.ZipInfo('xl/media/filler.bin'), random.Random(1).randbytes(700000))
        z.writestr('xl/sharedStrings.xml', '<sst><si><t>x</t></si></sst>')
        with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as f:
            f.write(b'<worksheet><sheetData>')
            for _ in range(5000):
                f.write(b'<row>' + b'<c t="s"><v>0</v></c>' * 1000 + b'</row>')
            f.write(b'</sheetData></worksheet>')
    else:
        items = 1000000 if shape == 'strings' else 8000000
        with z.open('xl/sharedStrings.xml', 'w', force_zip64=True) as f:
            f.write(b'<sst><si><t>first</t></si>')
            for _ in range((items - 2) // 100000):
                f.write(b'<si><t>x</t></si>' * 100000)
            f.write(b'<si><t>x</t></si>' * ((items - 2) % 100000) + b'<si><t>last</t></si></sst>')
        z.writestr('xl/worksheets/sheet1.xml', '<worksheet><sheetData><row><c r="A1" t="s"><v>0</v></c>'
                   f'<c r="B1" t="s"><v>{items - 1}</v></c></row></sheetData></worksheet>')
)";

// Writes the workbook of that shape to path; false when Python could not.
inline bool make(const QString& shape, const QString& path)
{
    return TestEnvironment::runPython(QString::fromLatin1(kScript), {shape, path}).exitCode == 0;
}

}  // namespace HostileWorkbooks
