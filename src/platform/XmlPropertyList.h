#pragma once
// Reading XML property lists in one pass: pugixml parses the document without recursion and
// the values are taken straight from its tree. Profiles of opening large design files showed
// the time going into parsing the XML twice (once to check the nesting, once in libplist) and
// into a second tree of libplist nodes.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>

// The value of an XML property list: dictionaries as QVariantMap, arrays as QVariantList,
// integers as qint64, reals as double, dates as UTC QDateTime, data as QByteArray. None, with
// the reason in *error, for a document that is not a property list, nests containers deeper
// than maxDepth, or holds a NUL character.
std::optional<QVariant> readXmlPropertyList(const QByteArray& bytes, int maxDepth, QString* error);
