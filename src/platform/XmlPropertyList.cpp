#include "platform/XmlPropertyList.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QStringDecoder>
#include <QtConcurrent/QtConcurrentMap>
#include <QTimeZone>
#include <QVariantList>
#include <QVariantMap>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <future>
#include <initializer_list>
#include <span>
#include <string_view>
#include <pugixml.hpp>

#include "platform/Utf8Text.h"
#include "platform/XmlDeclaredEncoding.h"
#include "platform/XmlMarkupScan.h"

namespace {

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// The leading number of a text, as libplist read integers and reals: the rest is ignored, and a
// text without one counts as 0.
template <typename T>
T leadingNumber(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
        ++text;
    if (*text == '+')
        ++text;
    T value{};
    std::from_chars(text, text + std::strlen(text), value);
    return value;
}

qint64 integerValue(const char* text)
{
    // Lists store integers as 64 bits; those beyond the signed range come back negative.
    const char* digits = text;
    while (*digits == ' ' || *digits == '\t' || *digits == '\n' || *digits == '\r')
        ++digits;
    return *digits == '-' ? leadingNumber<qint64>(text) : qint64(leadingNumber<quint64>(text));
}

using TextMap = QMap<QString, QString>;

class Converter {
public:
    Converter(int maxDepth, bool textMaps, QString* error) : m_maxDepth(maxDepth), m_textMaps(textMaps), m_error(error)
    {
    }

    std::optional<QVariant> value(const pugi::xml_node& node, int depth)
    {
        const char* name = node.name();
        if (std::strcmp(name, "dict") == 0 || std::strcmp(name, "array") == 0) {
            if (depth >= m_maxDepth) {
                fail(m_error, QStringLiteral("The property list is nested too deeply."));
                return std::nullopt;
            }
            return name[0] == 'd' ? dictionary(node, depth) : array(node, depth);
        }
        std::optional<QByteArray> content = text(node);
        if (!content)
            return std::nullopt;
        if (std::strcmp(name, "string") == 0)
            return QVariant(textFromUtf8(*content));
        if (std::strcmp(name, "integer") == 0)
            return QVariant(integerValue(content->constData()));
        if (std::strcmp(name, "real") == 0)
            return QVariant(leadingNumber<double>(content->constData()));
        if (std::strcmp(name, "true") == 0 || std::strcmp(name, "false") == 0)
            return QVariant(name[0] == 't');
        if (std::strcmp(name, "data") == 0)
            return QVariant(QByteArray::fromBase64(*content));
        if (std::strcmp(name, "date") == 0)
            return date(*content);
        fail(m_error, QStringLiteral("Unsupported <%1> in the property list.").arg(QString::fromUtf8(name).left(40)));
        return std::nullopt;
    }

private:
    std::optional<QVariant> array(const pugi::xml_node& node, int depth)
    {
        QList<pugi::xml_node> items;
        for (pugi::xml_node item = node.first_child(); item; item = item.next_sibling()) {
            if (item.type() == pugi::node_element)
                items.append(item);
        }
        if (items.size() >= kItemsPerPart * 2)
            return convertInParts(items, depth);
        return convertItems(items, depth);
    }

    std::optional<QVariant> convertItems(std::span<const pugi::xml_node> items, int depth)
    {
        QVariantList list;
        list.reserve(qsizetype(items.size()));
        for (const pugi::xml_node& item : items) {
            std::optional<QVariant> converted = value(item, depth + 1);
            if (!converted)
                return std::nullopt;
            list.append(std::move(*converted));
        }
        return QVariant(list);
    }

    // A long array (a table's rows) is converted in parts on the pool's threads, each part by a
    // converter of its own; the document is only read meanwhile.
    std::optional<QVariant> convertInParts(const QList<pugi::xml_node>& items, int depth)
    {
        QList<std::span<const pugi::xml_node>> parts;
        for (qsizetype first = 0; first < items.size(); first += kItemsPerPart)
            parts.append(std::span<const pugi::xml_node>(items.constData(), size_t(items.size()))
                             .subspan(size_t(first), size_t(std::min(kItemsPerPart, items.size() - first))));
        struct Part {
            std::optional<QVariant> list;
            QString error;
        };
        const QList<Part> converted = QtConcurrent::blockingMapped(parts, [this, depth](std::span<const pugi::xml_node> part) {
            Part result;
            result.list = Converter(m_maxDepth, m_textMaps, &result.error).convertItems(part, depth);
            return result;
        });
        QVariantList list;
        list.reserve(items.size());
        for (const Part& part : converted) {
            if (!part.list) {
                fail(m_error, part.error);
                return std::nullopt;
            }
            list.append(part.list->toList());
        }
        return QVariant(list);
    }

    static constexpr qsizetype kItemsPerPart = 1024;

    std::optional<QVariant> dictionary(const pugi::xml_node& node, int depth)
    {
        QVariantMap map;
        // Values go here while they are all texts, when such dictionaries are asked for so.
        TextMap texts;
        bool allTexts = m_textMaps;
        pugi::xml_node item = node.first_child();
        const auto nextElement = [&item] {
            while (item && item.type() != pugi::node_element)
                item = item.next_sibling();
        };
        for (nextElement(); item; nextElement()) {
            if (std::strcmp(item.name(), "key") != 0)
                return malformed();
            const std::optional<QByteArray> keyText = text(item);
            item = item.next_sibling();
            nextElement();
            if (!keyText || !item)
                return malformed();
            if (allTexts && std::strcmp(item.name(), "string") != 0) {
                allTexts = false;
                map = variantMap(texts);
            }
            if (allTexts) {
                std::optional<QByteArray> content = text(item);
                if (!content)
                    return std::nullopt;
                texts.insert(texts.cend(), key(*keyText), textFromUtf8(*content));
            } else {
                std::optional<QVariant> converted = value(item, depth + 1);
                if (!converted)
                    return std::nullopt;
                // Writers list keys in order, so the end is nearly always the place.
                map.insert(map.cend(), key(*keyText), std::move(*converted));
            }
            item = item.next_sibling();
        }
        return allTexts && !texts.isEmpty() ? QVariant::fromValue(texts) : QVariant(map);
    }

    static QVariantMap variantMap(const TextMap& texts)
    {
        QVariantMap map;
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            map.insert(map.cend(), it.key(), it.value());
        return map;
    }

    // The text of a value: its first piece is kept in the element itself, further pieces (after a
    // comment, or in CDATA sections) follow as children, and even pieces of white space belong to
    // it. An element inside a value is malformed. A single piece (the common case) is not copied:
    // it stays valid as long as the document. A text may come in a million pieces: each is
    // appended once.
    std::optional<QByteArray> text(const pugi::xml_node& node)
    {
        const char* first = node.value();
        QByteArray joined = QByteArray::fromRawData(first, qsizetype(std::strlen(first)));
        for (pugi::xml_node part = node.first_child(); part; part = part.next_sibling()) {
            if (part.type() == pugi::node_element)
                return malformedText();
            if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata)
                joined.append(part.value());
        }
        return joined;
    }

    std::optional<QVariant> date(const QByteArray& content)
    {
        QDateTime when = QDateTime::fromString(QString::fromLatin1(content.trimmed()), Qt::ISODate);
        if (!when.isValid())
            return malformed();
        return QVariant(when.toTimeZone(QTimeZone::utc()));
    }

    // Tables repeat the same keys in every row: one string each.
    QString key(const QByteArray& text)
    {
        const auto found = m_keys.constFind(text);
        if (found != m_keys.cend())
            return *found;
        return *m_keys.insert(QByteArray(text.constData(), text.size()), textFromUtf8(text));
    }

    std::optional<QVariant> malformed()
    {
        fail(m_error, QStringLiteral("Malformed XML property list."));
        return std::nullopt;
    }
    std::optional<QByteArray> malformedText()
    {
        malformed();
        return std::nullopt;
    }

    int m_maxDepth;
    bool m_textMaps;
    QString* m_error;
    QHash<QByteArray, QString> m_keys;
};


bool isBlank(const char* text)
{
    return std::all_of(text, text + std::strlen(text), [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// The only element among the children, with nothing but white space beside it; none otherwise,
// for a second document after the first, say.
pugi::xml_node onlyElement(const pugi::xml_node& parent)
{
    if (!isBlank(parent.value()))
        return {};
    pugi::xml_node found;
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        const bool text = child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata;
        if ((child.type() == pugi::node_element && found) || (text && !isBlank(child.value())))
            return {};
        if (child.type() == pugi::node_element)
            found = child;
    }
    return found;
}

// Whether a "<" followed by one of the openings (all beginning with the same character) comes at
// or after `from`. A '<' begins every tag, so the search is for the opening's first character,
// which is rare: searching for "<!--" stopped at every tag and took half the parse's time.
bool holdsTagOpening(std::string_view text, size_t from, std::initializer_list<std::string_view> openings)
{
    if (from >= text.size())
        return false;
    const char first = openings.begin()->front();
    for (size_t at = text.find(first, from + 1); at != text.npos; at = text.find(first, at + 1)) {
        const std::string_view rest = text.substr(at);
        if (text[at - 1] == '<'
            && std::any_of(openings.begin(), openings.end(), [rest](std::string_view o) { return rest.starts_with(o); }))
            return true;
    }
    return false;
}

std::optional<QVariant> parsedPropertyList(const QByteArray& bytes, pugi::xml_encoding encoding, int maxDepth,
                                           PropertyList::TextDictionaries dictionaries, QString* error)
{
    pugi::xml_document document;
    // Line ends inside texts stay as they are (CR LF, a lone CR), as libplist's own reader and
    // writer keep them, where plistlib makes each one LF. A value's first piece of text is kept in
    // its element, which saves a node for every value. Text beside the root is kept (as a
    // fragment's) only to be refused.
    constexpr unsigned kOptions = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_embed_pcdata
        | pugi::parse_fragment;
    // Pieces of white space between comments, CDATA sections or processing instructions belong to
    // the text. Keeping all white space costs a node for every indent, so only documents that hold
    // such things keep it; others keep a value's text when it is all white space.
    const std::string_view text(bytes.constData(), size_t(bytes.size()));
    const size_t declarationEnd = text.starts_with("<?xml") || text.starts_with("\xef\xbb\xbf<?xml") ? text.find("?>") : 0;
    const bool inPieces = holdsTagOpening(text, 0, {"!--", "![CDATA["}) || holdsTagOpening(text, declarationEnd, {"?"});
    const unsigned options = kOptions | (inPieces ? pugi::parse_ws_pcdata : pugi::parse_ws_pcdata_single);
    const pugi::xml_parse_result parsed = document.load_buffer(bytes.constData(), size_t(bytes.size()), options, encoding);
    if (!parsed) {
        fail(error, QStringLiteral("Malformed XML property list: %1 (byte %2)")
                        .arg(QString::fromUtf8(parsed.description()))
                        .arg(parsed.offset));
        return std::nullopt;
    }
    pugi::xml_node root = onlyElement(document);
    if (root && std::strcmp(root.name(), "plist") == 0)
        root = onlyElement(root);
    if (!root) {
        fail(error, QStringLiteral("Malformed XML property list: it does not hold exactly one value."));
        return std::nullopt;
    }
    return Converter(maxDepth, dictionaries == PropertyList::TextDictionaries::AsTextMaps, error).value(root, 0);
}

// A document's bytes as the UTF-8 they stand for, and how pugixml is to take them.
struct Utf8Document {
    QByteArray bytes;
    pugi::xml_encoding encoding = pugi::encoding_auto;
};

// None, with the reason in *error, for bytes that are no text in the encoding they carry or declare.
std::optional<Utf8Document> utf8Document(const QByteArray& bytes, QString* error)
{
    // Some writers save UTF-16 or UTF-32, which holds NUL bytes: read as the UTF-8 it stands for.
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(bytes, u'<');
    if (!encoding || *encoding == QStringConverter::Utf8) {
        // A single-byte encoding the declaration names is read as the UTF-8 it stands for.
        const DeclaredEncoding declared = readDeclaredEncoding(bytes);
        if (declared.kind == DeclaredEncoding::Kind::Refused) {
            fail(error, QStringLiteral("Malformed XML property list: %1.").arg(declared.why));
            return std::nullopt;
        }
        if (declared.kind == DeclaredEncoding::Kind::Decoded)
            return Utf8Document{declared.utf8, pugi::encoding_utf8};
        return Utf8Document{bytes, pugi::encoding_auto};
    }
    QStringDecoder decoder(*encoding);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        fail(error, QStringLiteral("The property list is not valid %1.").arg(QString::fromLatin1(QStringConverter::nameForEncoding(*encoding))));
        return std::nullopt;
    }
    return Utf8Document{text.toUtf8(), pugi::encoding_utf8};
}

}  // namespace

struct XmlPropertyListRead::Reading {
    QByteArray bytes;  // as UTF-8 or as their declaration says
    pugi::xml_encoding encoding = pugi::encoding_auto;
    int maxDepth = 0;
    PropertyList::TextDictionaries dictionaries = PropertyList::TextDictionaries::AsVariantMaps;
    std::optional<QString> refused;  // bytes that are no text
    QString why;                     // the check's reason
    std::future<std::optional<QByteArray>> scanning;
    std::optional<QVariant> parsed;
    QString parseError;
    bool readAgain = false;
};

XmlPropertyListRead::XmlPropertyListRead(const QByteArray& bytes, int maxDepth, PropertyList::TextDictionaries dictionaries)
    : m(std::make_unique<Reading>())
{
    m->maxDepth = maxDepth;
    m->dictionaries = dictionaries;
    QString refusal;
    std::optional<Utf8Document> document = utf8Document(bytes, &refusal);
    if (!document) {
        m->refused = refusal;
        return;
    }
    m->bytes = std::move(document->bytes);
    m->encoding = document->encoding;
    // pugixml keeps as text what XML refuses (a NUL, "&" alone, references to no character) and
    // takes the number of a character reference modulo 2^32, which may make it a NUL: the markup
    // is checked as plistlib checks it. A large list is checked beside the parse, which takes as
    // long, on a thread of its own (the pool's may all be decoding the document's pictures).
    constexpr qsizetype kCheckedBesideBytes = qsizetype(1) << 20;
    Reading* const reading = m.get();
    m->scanning = std::async(m->bytes.size() >= kCheckedBesideBytes ? std::launch::async : std::launch::deferred,
                             [reading, utf8Given = m->encoding == pugi::encoding_utf8] {
                                 return scannedPropertyListMarkup(reading->bytes, utf8Given, &reading->why);
                             });
    m->parsed = parsedPropertyList(m->bytes, m->encoding, maxDepth, dictionaries, &m->parseError);
}

// The check still running is waited for (the future of std::async waits as it goes).
XmlPropertyListRead::~XmlPropertyListRead() = default;

const std::optional<QVariant>& XmlPropertyListRead::parsed() const
{
    return m->parsed;
}

std::optional<QVariant> XmlPropertyListRead::checked(QString* error)
{
    if (m->refused) {
        fail(error, *m->refused);
        return std::nullopt;
    }
    const std::optional<QByteArray> scanned = m->scanning.get();
    if (!scanned) {
        fail(error, QStringLiteral("Malformed XML property list: %1.").arg(m->why));
        return std::nullopt;
    }
    // References the check left out of the text, which the parse kept: read again without them.
    if (scanned->size() != m->bytes.size()) {
        m->readAgain = true;
        m->parsed = parsedPropertyList(*scanned, m->encoding, m->maxDepth, m->dictionaries, &m->parseError);
    }
    if (!m->parsed)
        fail(error, m->parseError);
    return m->parsed;
}

bool XmlPropertyListRead::readAgain() const
{
    return m->readAgain;
}

std::optional<QVariant> readXmlPropertyList(const QByteArray& bytes, int maxDepth, QString* error,
                                            PropertyList::TextDictionaries dictionaries)
{
    return XmlPropertyListRead(bytes, maxDepth, dictionaries).checked(error);
}
