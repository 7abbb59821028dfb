#pragma once
// The markup of an XML property list checked before pugixml parses it, as Python's plistlib reads
// it: by expat, the parser plistlib reads with, which refuses what XML refuses (a NUL or another
// control, bytes that are not the document's encoding, "&" alone, a reference to no character,
// "<" in an attribute, "--" in a comment, a misplaced declaration or DOCTYPE, an undeclared entity
// in a document without an external DTD), and, as plistlib does, any entity declaration. Under an
// external DTD (the standard property-list DOCTYPE) an undeclared entity might be declared there;
// such a reference is left out of the text, as plistlib leaves it out. One departure: the controls
// below U+0020 other than NUL, which XML refuses, are read in the text of a string or a key, raw
// or as references (&#1;): the list writer (as libplist's) writes a text's controls as they are,
// and lists have long held them. Anywhere else (between elements, in a tag or an attribute, in a
// comment or an instruction) they are refused, as plistlib refuses them.
#include <QByteArray>
#include <QString>
#include <optional>

// The bytes to parse: the same bytes, or a copy without the references left out. utf8Given says
// the bytes are UTF-8 whatever their declaration says (they were converted from UTF-16 or -32).
// None, with the reason in *why, when the markup is refused.
std::optional<QByteArray> scannedPropertyListMarkup(const QByteArray& bytes, bool utf8Given, QString* why);
