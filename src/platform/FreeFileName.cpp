#include "platform/FreeFileName.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString joined(const QString& folder, const QString& base, const QString& extension)
{
    return folder + base + u'.' + extension;
}

// The decimal number one above the digits given, however many there are: "199" gives "200".
QString nextNumber(QString digits)
{
    qsizetype i = digits.size() - 1;
    for (; i >= 0 && digits[i] == u'9'; --i)
        digits[i] = u'0';
    if (i < 0)
        digits.prepend(u'1');
    else
        digits[i] = QChar(digits[i].unicode() + 1);
    return digits;
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
    // Only a trailing number is the counter: "a (2) b" is a name of its own. The number is counted
    // in its digits, so no length overflows, and a name may hold line breaks.
    static const QRegularExpression numbered(QStringLiteral("\\A(.*) \\(0*([1-9][0-9]*)\\)\\z"),
                                             QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = numbered.match(name);
    QString stem = name;
    QString k = QStringLiteral("1");
    if (match.hasMatch()) {
        stem = match.captured(1).trimmed();
        k = nextNumber(match.captured(2));
    }
    for (;; k = nextNumber(k)) {
        // One arg() call, so that a "%1" in the stem stays text.
        const QString candidate = QStringLiteral("%1 (%2)").arg(stem, k);
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
