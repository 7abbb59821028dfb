#pragma once
// Small workbooks built in the tests, and the workbook probe's output read back.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace WorkbookTestSupport {

// A workbook holding exactly these parts (names as in the archive).
bool makeArchive(const QString& path, const QMap<QString, QByteArray>& parts);
// A sheet part with the given dimension ("" for none) around the rows' XML.
QByteArray sheetXml(const QString& dimension, const QString& rowsXml);
// A shared-strings part around the items' XML.
QByteArray sharedStringsXml(const QString& itemsXml);
// Runs "workbook-probe dump path sheet" and splits its lines and tabs; empty on failure.
QList<QStringList> probeDump(const QString& path, int sheet = 1);
QString probePath();

}  // namespace WorkbookTestSupport
