#include "platform/FreeFileName.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString joined(const QString& folder, const QString& base, const QString& extension)
{
    return folder + base + u'.' + extension;
}

}  // namespace

bool cardFileExists(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return true;
    const QString folder = path.left(path.size() - info.fileName().size());
    const QString base = info.completeBaseName();
    const QString extension = info.suffix();
    return QFileInfo::exists(joined(folder, base, extension.toLower())) ||
           QFileInfo::exists(joined(folder, base, extension.toUpper()));
}

QString nextFreeNumberedName(const QString& name, const std::function<bool(const QString&)>& taken)
{
    // Only a trailing number is the counter: "a (2) b" is a name of its own.
    static const QRegularExpression numbered(QStringLiteral("^(.*) \\((\\d+)\\)$"));
    const QRegularExpressionMatch match = numbered.match(name);
    QString stem = name;
    qint64 k = 1;
    if (match.hasMatch() && match.captured(2).toLongLong() > 0) {
        stem = match.captured(1).trimmed();
        k = match.captured(2).toLongLong() + 1;
    }
    for (;; ++k) {
        // One arg() call, so that a "%1" in the stem stays text.
        const QString candidate = QStringLiteral("%1 (%2)").arg(stem, QString::number(k));
        if (!taken(candidate))
            return candidate;
    }
}

QString Check_Exist_Path_and_Create_New(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = path.left(path.size() - info.fileName().size());
    const QString extension = info.suffix().toLower();
    const QString base = info.completeBaseName();
    const QString first = joined(folder, base, extension);
    if (!cardFileExists(first))
        return first;
    return joined(folder,
                  nextFreeNumberedName(base, [&](const QString& name) { return cardFileExists(joined(folder, name, extension)); }),
                  extension);
}
