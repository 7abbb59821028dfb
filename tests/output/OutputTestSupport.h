#pragma once
// Elements, series folders and tables for the output tests.
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The text ZXingReader reads from a picture file; empty when it reads none.
inline QString zxingText(const QString& file)
{
    const TestEnvironment::ProcessResult run =
        TestEnvironment::run(QStringLiteral("ZXingReader"), {QStringLiteral("-noscale"), file});
    for (const QByteArray& line : run.out.split('\n')) {
        if (line.startsWith("Text:"))
            return QString::fromUtf8(line.mid(5)).trimmed().remove(u'"');
    }
    return QString();
}

}  // namespace OutputTest
