#pragma once
// Elements, series folders and tables for the output tests, and readers of the files output
// writes, run from Debian's paths.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <QString>
#include <QStringList>

#include "data/Data_From_Excel.h"
#include "model/SKTGraphic.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace OutputTest {

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// An element of the kind bound to a series (source 1) or to a column (source 2).
inline GraphicPtr seriesBound(GraphicKind kind, const QString& series)
{
    GraphicPtr element = SKTGraphic::create(kind);
    element->data_source_type = 1;
    element->batch_list_name = series;
    element->batch_list_index = 0;
    return element;
}

inline GraphicPtr columnBound(GraphicKind kind, int column)
{
    GraphicPtr element = SKTGraphic::create(kind);
    element->data_source_type = 2;
    element->excel_binding = true;
    element->excel_col_indx = column;
    return element;
}

// A table of rows, each a list of cells ("Column1", "Column2", ...).
inline void fillTable(Data_From_Excel& table, const QList<QStringList>& rows)
{
    table.ListData.clear();
    for (const QStringList& cells : rows)
        table.Create_List_By_Array(cells, int(cells.size()));
}

inline const QString kZxingReader = QStringLiteral("/usr/bin/ZXingReader");
inline const QString kPdfImages = QStringLiteral("/usr/bin/pdfimages");
inline const QString kPdfToPpm = QStringLiteral("/usr/bin/pdftoppm");
inline const QString kIdentify = QStringLiteral("/usr/bin/identify");

// The first of the tools that is not installed; empty when all are.
inline QString missingTool(const QStringList& tools)
{
    for (const QString& tool : tools) {
        if (!QFileInfo(tool).isExecutable())
            return tool;
    }
    return QString();
}

// What reading a PDF page's pictures and barcodes takes.
inline QString missingBarcodePageTool()
{
    return missingTool({kPdfImages, kPdfToPpm, kIdentify, kZxingReader});
}

// "<format> <text>" of every symbol ZXingReader finds in a picture file, sorted.
inline QStringList zxingReadings(const QString& file)
{
    const TestEnvironment::ProcessResult run = TestEnvironment::run(kZxingReader, {QStringLiteral("-noscale"), file});
    QStringList readings;
    QString text;
    for (const QByteArray& line : run.out.split('\n')) {
        if (line.startsWith("Text:"))
            text = QString::fromUtf8(line.mid(5)).trimmed().remove(u'"');
        else if (line.startsWith("Format:"))
            readings.append(QString::fromUtf8(line.mid(7)).trimmed() + u' ' + text);
    }
    readings.sort();
    return readings;
}

// The text ZXingReader reads from a picture file; empty when it reads none.
inline QString zxingText(const QString& file)
{
    const QStringList readings = zxingReadings(file);
    return readings.isEmpty() ? QString() : readings.first().section(u' ', 1, -1);
}

// A picture stored in a PDF, as pdfimages lists it.
struct PdfPicture {
    int number = 0;   // pdfimages' count, which names the file it extracts
    QString type;     // image, smask, ...
    QSize pixels;
    QString encoding; // image (Flate), jpeg, ...
    QString interpolated;
};

inline QList<PdfPicture> pdfPictures(const QString& pdf)
{
    QList<PdfPicture> pictures;
    const TestEnvironment::ProcessResult run = TestEnvironment::run(kPdfImages, {QStringLiteral("-list"), pdf});
    for (const QByteArray& line : run.out.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        bool numbered = false;
        const int number = f.value(1).toInt(&numbered);
        if (f.size() < 10 || !numbered || f[0] == "page")
            continue;
        pictures.append({number, QString::fromLatin1(f[2]), QSize(f[3].toInt(), f[4].toInt()), QString::fromLatin1(f[8]),
                         QString::fromLatin1(f[9])});
    }
    return pictures;
}

}  // namespace OutputTest
