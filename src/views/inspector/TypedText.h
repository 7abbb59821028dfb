#pragma once
// What the text editor hands to the selected texts while the user types: the placeholder a new
// text carries goes as soon as anything is typed, and a text holds at most 250 UTF-16 units.
#include <QString>

inline constexpr qsizetype kTypedTextLimit = 250;
inline const QString kTextPlaceholder = QStringLiteral("Text here");

// The text without any "Text here" (the case counts).
QString withoutPlaceholder(const QString& text);
// The text's first 250 UTF-16 units, one fewer where the 250th begins a surrogate pair, so that
// no character is cut in two.
QString cutToTypedTextLimit(const QString& text);
// What the editor says when it cuts a text.
QString typedTextCutMessage();
