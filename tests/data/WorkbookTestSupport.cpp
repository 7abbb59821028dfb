#include "data/WorkbookTestSupport.h"

#include <QCoreApplication>

#include "data/SSZipArchive.h"
#include "support/TestEnvironment.h"

namespace WorkbookTestSupport {

bool makeArchive(const QString& path, const QMap<QString, QByteArray>& parts)
{
    SSZipArchive archive(path);
    if (!archive.open())
        return false;
    for (auto part = parts.cbegin(); part != parts.cend(); ++part)
        archive.writeData(part.value(), part.key());
    return archive.close();
}

QByteArray sheetXml(const QString& dimension, const QString& rowsXml)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                 "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">");
    if (!dimension.isEmpty())
        xml += QStringLiteral("<dimension ref=\"%1\"/>").arg(dimension);
    xml += QStringLiteral("<sheetData>%1</sheetData></worksheet>").arg(rowsXml);
    return xml.toUtf8();
}

QByteArray sharedStringsXml(const QString& itemsXml)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                          "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">%1</sst>")
        .arg(itemsXml)
        .toUtf8();
}

QString probePath() { return QCoreApplication::applicationDirPath() + QStringLiteral("/workbook-probe"); }

QList<QStringList> probeDump(const QString& path, int sheet)
{
    const auto result = TestEnvironment::run(probePath(), {QStringLiteral("dump"), path, QString::number(sheet)});
    QList<QStringList> rows;
    if (result.exitCode != 0)
        return rows;
    for (const QString& line : QString::fromUtf8(result.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows.append(line.split(QLatin1Char('\t')));
    return rows;
}

}  // namespace WorkbookTestSupport
