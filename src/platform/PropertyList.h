#pragma once
// Property lists (XML and binary; binary ones read through libplist), as Qt values:
// dict <-> QVariantMap, array <-> QVariantList, string <-> QString, integer <-> qint64,
// real <-> double, boolean <-> bool, data <-> QByteArray, date <-> QDateTime.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class PropertyList {
public:
    enum class Format { Xml, Binary };
    // How an XML list gives a dictionary whose values are all texts: as QVariantMap, or as
    // QMap<QString, QString>, which spares a QVariant a value in tables of thousands of rows. An
    // empty dictionary, and every dictionary of a binary list, is a QVariantMap either way.
    enum class TextDictionaries { AsVariantMaps, AsTextMaps };

    // Parses XML or binary property-list bytes. Malformed, oversized or hostile input gives
    // nullopt and a reason in *error; it never crashes.
    static std::optional<QVariant> fromData(const QByteArray& bytes, QString* error = nullptr,
                                            TextDictionaries dictionaries = TextDictionaries::AsVariantMaps);
    static std::optional<QVariant> readFile(const QString& path, QString* error = nullptr,
                                            TextDictionaries dictionaries = TextDictionaries::AsVariantMaps);

    // Serialises a value tree; values of other types are an error (empty result, reason in *error).
    static QByteArray toData(const QVariant& value, Format format, QString* error = nullptr);
    // Atomic write (the old file stays whole when the write fails).
    static bool writeFile(const QString& path, const QVariant& value, Format format,
                          QString* error = nullptr);

    // Limits applied while reading untrusted bytes.
    static constexpr qint64 kMaxInputBytes = 512LL * 1024 * 1024;
    static constexpr int kMaxDepth = 64;
};

class XmlPropertyListRead;

// A property-list file read as PropertyList::readFile reads it, while the markup of an XML list of
// a megabyte or more is still checked beside the parse: parsed() is the value as parsed, which its
// reader may work on meanwhile (none where the parse gave none); checked(), called once, waits for
// the check and gives what readFile gives: the value parsed, or, where readAgain() says so, the
// value read again without the references the check left out, or none with the reason in *error.
class PropertyListRead {
public:
    explicit PropertyListRead(const QString& path,
                              PropertyList::TextDictionaries dictionaries = PropertyList::TextDictionaries::AsVariantMaps);
    PropertyListRead(const PropertyListRead&) = delete;
    PropertyListRead& operator=(const PropertyListRead&) = delete;
    ~PropertyListRead();

    const std::optional<QVariant>& parsed() const;
    std::optional<QVariant> checked(QString* error = nullptr);
    bool readAgain() const;

private:
    std::unique_ptr<XmlPropertyListRead> m_xml;
    std::optional<QVariant> m_value;  // a binary list's
    QString m_error;
};
