#pragma once
// Reading XML property lists in one pass: pugixml parses the document without recursion and
// the values are taken straight from its tree. Profiles of opening large design files showed
// the time going into parsing the XML twice (once to check the nesting, once in libplist) and
// into a second tree of libplist nodes.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

#include "platform/PropertyList.h"

// The value of an XML property list: dictionaries as QVariantMap, arrays as QVariantList,
// integers as qint64, reals as double, dates as UTC QDateTime, data as QByteArray; texts exactly as
// written, a leading U+FEFF included. UTF-16 and UTF-32 documents are read too, and single-byte
// encodings a declaration names (see XmlDeclaredEncoding.h). None, with the reason in *error, for a
// document that is not one property list, nests containers deeper than maxDepth, or whose markup
// XML refuses (see XmlMarkupScan.h).
// The markup is read as Python's plistlib reads it, but for two things kept on purpose, as libplist
// keeps them and the writer writes them: line ends in texts stay as written (CR LF, a lone CR),
// where plistlib, as XML asks, makes each one LF; and controls below U+0020 in the text of a string
// or a key are read, raw or as references (&#1;), where plistlib refuses them.
// Dictionaries of texts come back as `dictionaries` asks.
std::optional<QVariant> readXmlPropertyList(
    const QByteArray& bytes, int maxDepth, QString* error,
    PropertyList::TextDictionaries dictionaries = PropertyList::TextDictionaries::AsVariantMaps);

// An XML property list read as readXmlPropertyList reads it, while the markup of a list of a
// megabyte or more is still checked beside the parse: parsed() is the value as parsed, there at
// once, which its reader may work on meanwhile; checked(), called once, waits for the check and
// gives what readXmlPropertyList gives: the value parsed, or, where readAgain() says so, the value
// read again without the references the check left out, or none with the reason in *error.
class XmlPropertyListRead {
public:
    XmlPropertyListRead(const QByteArray& bytes, int maxDepth, PropertyList::TextDictionaries dictionaries);
    XmlPropertyListRead(const XmlPropertyListRead&) = delete;
    XmlPropertyListRead& operator=(const XmlPropertyListRead&) = delete;
    ~XmlPropertyListRead();

    const std::optional<QVariant>& parsed() const;
    std::optional<QVariant> checked(QString* error);
    bool readAgain() const;

private:
    struct Reading;
    std::unique_ptr<Reading> m;
};

// The XML property-list bytes of a value tree, written in one pass; empty, with the reason in
// *error, for a value a list cannot hold (see PropertyListWalk).
QByteArray xmlPropertyListData(const QVariant& value, QString* error);
