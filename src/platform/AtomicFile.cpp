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
    // QSaveFile buffers small writes, and commit() in Qt 6.4 does not notice a failed final flush:
    // flush first, so a full disk never renames a cut-off file over the good one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, QStringLiteral("Cannot write"), path, reason);
    }
    if (!file.commit())
        return fail(error, QStringLiteral("Cannot save"), path, file.errorString());
    return true;
}
