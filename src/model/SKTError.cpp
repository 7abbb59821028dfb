#include "model/SKTError.h"

#include <QCoreApplication>

namespace {

// The "SKTError" string table: a translation when one is installed, the fallback otherwise.
QString lookUp(const QString& key, const QString& fallback)
{
    const QByteArray keyBytes = key.toUtf8();
    const QString text = QCoreApplication::translate("SKTError", keyBytes.constData());
    return text == key ? fallback : text;
}

}  // namespace

SKTError SKTErrorWithCode(int code)
{
    SKTError error;
    error.domain = SKTErrorDomain;
    error.code = code;
    error.localizedDescription = lookUp(
        QStringLiteral("description%1").arg(code),
        QStringLiteral("The card designer could not complete the operation because an unknown "
                       "error occurred."));
    error.localizedFailureReason =
        lookUp(QStringLiteral("failureReason%1").arg(code), QStringLiteral("An unknown error occurred."));
    return error;
}
