#include "barcodes/pdf417/Pdf417Symbol.h"

#include "barcodes/pdf417/Pdf417View.h"

std::optional<ModuleGrid> pdf417ModuleGrid(const QString& value, int errorLevel, int columns, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<ModuleGrid> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (value.isEmpty())
        return fail(QStringLiteral("There is no value to encode."));
    if (!isPdf417ErrorLevel(errorLevel))
        return fail(QStringLiteral("The PDF417 error level must be from 0 to 8."));
    pdf417::_pdf417param p;
    pdf417Encode(p, pdf417TextBytes(value), errorLevel, columns);
    if (p.error == pdf417::PDF417_ERROR_TEXT_TOO_BIG)
        return fail(QStringLiteral("The value is too long for PDF417."));
    if (p.error != pdf417::PDF417_ERROR_SUCCESS)
        return fail(QStringLiteral("PDF417 could not encode the value (error %1).").arg(p.error));
    return pdf417Modules(p);
}
