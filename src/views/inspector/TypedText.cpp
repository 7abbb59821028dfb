#include "views/inspector/TypedText.h"

QString withoutPlaceholder(const QString& text)
{
    QString kept = text;
    kept.remove(kTextPlaceholder, Qt::CaseSensitive);
    return kept;
}

QString cutToTypedTextLimit(const QString& text)
{
    if (text.size() <= kTypedTextLimit)
        return text;
    // The last unit kept must not be the first half of a pair.
    const bool splitsPair = text.at(kTypedTextLimit - 1).isHighSurrogate();
    return text.left(splitsPair ? kTypedTextLimit - 1 : kTypedTextLimit);
}

QString typedTextCutMessage()
{
    return QStringLiteral("A text holds at most %1 characters; the rest was left out.").arg(kTypedTextLimit);
}
