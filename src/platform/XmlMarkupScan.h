#pragma once
// The markup of an XML property list checked before pugixml parses it, as strictly as an XML
// parser reads it (Python's plistlib, expat): pugixml keeps as plain text much that XML refuses.
// Refused are a NUL, an entity declaration, a reference that is not one ("&" alone, "&#65"
// without ";", "&#X41;"), a reference to NUL or to no character ("&#0;", "&#xD800;", "&#xFFFE;"), an
// undeclared entity in a document without an external DTD, and "]]>" outside a CDATA section.
// Under an external DTD (the standard property-list DOCTYPE) an undeclared entity might be
// declared there; such a reference is skipped, as XML parsers that do not read the DTD skip it.
// References to the controls below U+0020 are kept, which XML refuses: lists have long held them.
#include <QByteArray>
#include <QString>
#include <optional>

// The bytes to parse: the same bytes, or a copy without the skipped references. None, with the
// reason in *why, when the markup is refused.
std::optional<QByteArray> scannedPropertyListMarkup(const QByteArray& bytes, QString* why);
