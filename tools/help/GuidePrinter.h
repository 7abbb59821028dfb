#pragma once
// The user guide from Markdown to an A4 PDF.
#include <QHash>
#include <QImage>
#include <QString>

// Prints the Markdown with its pictures, found in `pictures` by the names the Markdown gives
// them. The file is replaced whole or not at all; false, with the reason in *error, when a
// picture is missing or the file cannot be written.
bool printGuide(const QString& markdown, const QHash<QString, QImage>& pictures, const QString& pdfPath,
                QString* error);
