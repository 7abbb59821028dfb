#include "model/CardFontArchive.h"

void encodeCardFont(KeyedArchiver& archiver, const QString& key, const CardFont& font)
{
    if (!font.isNull())
        archiver.encodeFont(key, font.name(), font.size, font.style);
}

CardFont decodeCardFont(const KeyedUnarchiver& unarchiver, const QString& key)
{
    const auto font = unarchiver.decodeFont(key);
    if (!font)
        return CardFont{};
    const QString suffix = u' ' + font->style;
    if (!font->style.isEmpty() && font->name.size() > suffix.size() && font->name.endsWith(suffix))
        return CardFont{font->name.chopped(suffix.size()), font->pointSize, font->style};
    return CardFont{font->name, font->pointSize};
}
