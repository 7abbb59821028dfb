#include "platform/AtomicFile.h"

#include <QSaveFile>

namespace {
bool fail(QString* error, const QString& what, const QString& path, const QString& reason)
{
    if (error)
        *error = QStringLiteral("%1 \"%2\": %3").arg(what, path, reason);
    return false;
}
}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("Cannot open"), path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, QStringLiteral("Cannot write"), path, reason);
    }
    if (!file.commit())
        return fail(error, QStringLiteral("Cannot save"), path, file.errorString());
    return true;
}
