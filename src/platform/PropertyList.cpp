#include "platform/PropertyList.h"

#include "platform/AtomicFile.h"
#include "platform/XmlPropertyList.h"

#include <QDateTime>
#include <QFile>
#include <QMetaType>
#include <QTimeZone>

#include <plist/plist.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <memory>
#include <vector>

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

// libplist reads and writes XML reals with strtod/printf, which follow the C library's locale
// (Qt sets it to the user's): under a comma locale "2.25" would read as 2. Numbers in files are
// C locale, so the calling thread runs libplist in the C locale.
class CLocaleScope {
public:
    CLocaleScope()
    {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        if (cLocale)
            m_previous = uselocale(cLocale);
    }
    ~CLocaleScope()
    {
        if (m_previous)
            uselocale(m_previous);
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous = locale_t(nullptr);
};

// Seconds between the Unix epoch and the property-list epoch, 2001-01-01 00:00:00 UTC.
constexpr qint64 kPlistEpochSeconds = 978307200;

// A shared object in a binary list is copied once per reference when parsed, so a small file can
// stand for an enormous tree. The estimated size of the parsed tree (per node plus payload bytes)
// is bounded before libplist sees the bytes.
constexpr quint64 kNodeCost = 64;
constexpr quint64 kMaxTreeCost = 2ULL * PropertyList::kMaxInputBytes;

bool setError(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// ---- Limits checked on the raw bytes, because libplist recurses without bound ----------------

// Walks the object graph of a binary list (trailer, offset table, container references) without
// recursion: rejects cycles, nesting deeper than kMaxDepth, trees whose expanded size is too big
// and dictionary keys that libplist cannot hand out.
class BinaryListCheck {
public:
    explicit BinaryListCheck(const QByteArray& bytes)
        : m_data(reinterpret_cast<const uchar*>(bytes.constData())), m_size(quint64(bytes.size()))
    {
    }

    bool run(QString* error);

private:
    struct Object {
        uchar kind = 0;        // high nibble of the marker byte
        bool container = false;
        quint64 count = 0;     // references (containers) or payload bytes (scalars)
        quint64 dataAt = 0;    // first reference or first payload byte
    };
    struct Frame {
        quint64 index;
        Object object;
        quint64 next = 0;
        quint64 cost = kNodeCost;
        quint8 height = 0;
    };
    enum : quint8 { Unvisited, Visiting, Done };

    bool readUInt(quint64 at, quint64 width, quint64* value) const
    {
        if (width == 0 || width > 8 || at > m_size || width > m_size - at)
            return false;
        quint64 v = 0;
        for (quint64 i = 0; i < width; ++i)
            v = (v << 8) | m_data[at + i];
        *value = v;
        return true;
    }
    bool readObject(quint64 index, Object* object) const;
    bool reference(const Frame& frame, quint64 n, quint64* target) const
    {
        return readUInt(frame.object.dataAt + n * m_refSize, m_refSize, target) && *target < m_objectCount;
    }
    bool isDictionaryKey(const Frame& frame, quint64 n) const
    {
        return frame.object.kind == 0xd && n < frame.object.count / 2;
    }
    bool isSafeKey(const Object& key) const;

    const uchar* m_data;
    quint64 m_size;
    quint64 m_offsetSize = 0;
    quint64 m_refSize = 0;
    quint64 m_objectCount = 0;
    quint64 m_tableAt = 0;
    quint64 m_objectsEnd = 0;
};

bool BinaryListCheck::readObject(quint64 index, Object* object) const
{
    quint64 at = 0;
    if (!readUInt(m_tableAt + index * m_offsetSize, m_offsetSize, &at) || at < 8 || at >= m_objectsEnd)
        return false;
    const uchar marker = m_data[at];
    const uchar kind = marker >> 4;
    quint64 count = marker & 0x0f;
    quint64 next = at + 1;
    const bool sized = kind == 0x4 || kind == 0x5 || kind == 0x6 || kind == 0x7 || kind == 0xa
        || kind == 0xc || kind == 0xd;
    if (sized && count == 0x0f) {
        if (next >= m_objectsEnd || (m_data[next] & 0xf0) != 0x10)
            return false;
        const quint64 width = quint64(1) << (m_data[next] & 0x0f);
        if (!readUInt(next + 1, width, &count))
            return false;
        next += 1 + width;
    }
    object->kind = kind;
    object->container = kind == 0xa || kind == 0xc || kind == 0xd;
    object->count = 0;
    object->dataAt = next;
    if (object->container) {
        const quint64 perEntry = kind == 0xd ? 2 : 1;
        if (count > (m_objectsEnd - std::min(next, m_objectsEnd)) / (perEntry * m_refSize))
            return false;
        object->count = count * perEntry;
    } else if (sized) {
        object->count = kind == 0x6 ? std::min(count, quint64(1) << 62) * 2 : count;
    }
    return true;
}

// libplist aborts (an assertion) when it hands out a dictionary key holding a NUL character.
bool BinaryListCheck::isSafeKey(const Object& key) const
{
    if (key.kind != 0x5 && key.kind != 0x6 && key.kind != 0x7)
        return false;
    if (key.dataAt > m_objectsEnd || key.count > m_objectsEnd - key.dataAt)
        return false;
    const uchar* begin = m_data + key.dataAt;
    if (key.kind != 0x6)
        return std::find(begin, begin + key.count, uchar(0)) == begin + key.count;
    for (quint64 i = 0; i + 1 < key.count; i += 2) {
        if (begin[i] == 0 && begin[i + 1] == 0)
            return false;
    }
    return true;
}

bool BinaryListCheck::run(QString* error)
{
    const auto malformed = [error] {
        return setError(error, QStringLiteral("Malformed binary property list."));
    };
    if (m_size < 8 + 1 + 32)
        return malformed();
    const quint64 trailer = m_size - 32;
    quint64 root = 0;
    m_offsetSize = m_data[trailer + 6];
    m_refSize = m_data[trailer + 7];
    if (!readUInt(trailer + 8, 8, &m_objectCount) || !readUInt(trailer + 16, 8, &root)
        || !readUInt(trailer + 24, 8, &m_tableAt))
        return malformed();
    if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8 || m_objectCount == 0
        || root >= m_objectCount || m_tableAt < 9 || m_tableAt >= trailer
        || m_objectCount > (trailer - m_tableAt) / m_offsetSize)
        return malformed();
    m_objectsEnd = m_tableAt;

    std::vector<quint8> state(m_objectCount, Unvisited);
    std::vector<quint8> heights(m_objectCount, 0);
    std::vector<quint32> costs(m_objectCount, 0);  // at most kMaxTreeCost + 1 + kNodeCost
    const auto tooDeep = [error] {
        return setError(error, QStringLiteral("The property list is nested too deeply."));
    };
    // Checked at every step, so that shared objects cannot make the walk itself long.
    const auto grow = [error](Frame& frame, quint64 cost) {
        frame.cost += cost;
        return frame.cost <= kMaxTreeCost
            || setError(error, QStringLiteral("The property list is too large."));
    };

    Object rootObject;
    if (!readObject(root, &rootObject))
        return malformed();
    if (!rootObject.container)
        return true;
    std::vector<Frame> stack{Frame{root, rootObject}};
    state[root] = Visiting;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.object.count) {
            const Frame done = frame;
            stack.pop_back();
            state[done.index] = Done;
            heights[done.index] = quint8(done.height + 1);
            costs[done.index] = quint32(done.cost);
            if (!stack.empty()) {
                stack.back().height = std::max(stack.back().height, heights[done.index]);
                if (!grow(stack.back(), done.cost))
                    return false;
            }
            continue;
        }
        const bool key = isDictionaryKey(frame, frame.next);
        quint64 child = 0;
        if (!reference(frame, frame.next++, &child))
            return malformed();
        if (state[child] == Visiting)
            return malformed();  // a container that contains itself
        Object object;
        if (state[child] == Unvisited || key) {
            if (!readObject(child, &object) || (key && !isSafeKey(object)))
                return malformed();
        }
        if (state[child] == Done) {
            if (stack.size() + heights[child] > size_t(PropertyList::kMaxDepth))
                return tooDeep();
            frame.height = std::max(frame.height, heights[child]);
            if (!grow(frame, costs[child]))
                return false;
            continue;
        }
        if (!object.container) {
            state[child] = Done;
            costs[child] = quint32(kNodeCost + std::min(object.count, kMaxTreeCost + 1));
            if (!grow(frame, costs[child]))
                return false;
            continue;
        }
        if (stack.size() >= size_t(PropertyList::kMaxDepth))
            return tooDeep();
        state[child] = Visiting;
        stack.push_back(Frame{child, object});
    }
    return true;
}

// ---- libplist nodes -> QVariant ----------------------------------------------------------------

std::optional<QVariant> toVariant(plist_t node, int depth, QString* error);

std::optional<QVariant> arrayToVariant(plist_t node, int depth, QString* error)
{
    QVariantList list;
    list.reserve(plist_array_get_size(node));
    // The iterator walks the items once; libplist 2.2 finds an item by its index by walking the
    // array from its start, which made binary files take quadratic time.
    plist_array_iter iter = nullptr;
    plist_array_new_iter(node, &iter);
    std::unique_ptr<void, decltype(&std::free)> iterOwner(iter, &std::free);
    for (;;) {
        plist_t value = nullptr;
        plist_array_next_item(node, iter, &value);
        if (!value)
            break;
        auto item = toVariant(value, depth + 1, error);
        if (!item)
            return std::nullopt;
        list.append(std::move(*item));
    }
    return QVariant(list);
}

std::optional<QVariant> dictToVariant(plist_t node, int depth, QString* error)
{
    QVariantMap map;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    std::unique_ptr<void, decltype(&std::free)> iterOwner(iter, &std::free);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(node, iter, &key, &value);
        std::unique_ptr<char, decltype(&std::free)> keyOwner(key, &std::free);
        if (!value)
            break;
        auto item = toVariant(value, depth + 1, error);
        if (!item)
            return std::nullopt;
        map.insert(QString::fromUtf8(key ? key : ""), std::move(*item));
    }
    return QVariant(map);
}

std::optional<QVariant> toVariant(plist_t node, int depth, QString* error)
{
    const auto unsupported = [error](const QString& what) -> std::optional<QVariant> {
        setError(error, QStringLiteral("Unsupported %1 in the property list.").arg(what));
        return std::nullopt;
    };
    if (!node)
        return unsupported(QStringLiteral("empty node"));
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return QVariant(value != 0);
    }
    case PLIST_UINT: {
        // libplist 2.2 keeps every integer as 64 bits; signed is how lists store them.
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return QVariant(qint64(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return QVariant(value);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return QVariant(QString::fromUtf8(text, text ? qsizetype(length) : 0));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return QVariant(QByteArray(bytes, bytes ? qsizetype(length) : 0));
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        const qint64 msecs = (kPlistEpochSeconds + seconds) * 1000 + microseconds / 1000;
        return QVariant(QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc()));
    }
    case PLIST_ARRAY:
    case PLIST_DICT:
        if (depth >= PropertyList::kMaxDepth) {
            setError(error, QStringLiteral("The property list is nested too deeply."));
            return std::nullopt;
        }
        return plist_get_node_type(node) == PLIST_ARRAY ? arrayToVariant(node, depth, error)
                                                         : dictToVariant(node, depth, error);
    case PLIST_UID:
        // Our archives are plain dictionaries; object references of other archivers are refused.
        return unsupported(QStringLiteral("UID value"));
    default:
        return unsupported(QStringLiteral("value"));
    }
}

// ---- QVariant -> libplist nodes ----------------------------------------------------------------

PlistPtr toNode(const QVariant& value, int depth, QString* error);

bool hasNul(const QString& text)
{
    return text.contains(QChar(u'\0'));
}

PlistPtr failNode(QString* error, const QString& reason)
{
    setError(error, reason);
    return nullptr;
}

PlistPtr listToNode(const QVariantList& list, int depth, QString* error)
{
    PlistPtr array(plist_new_array());
    for (const QVariant& item : list) {
        PlistPtr node = toNode(item, depth + 1, error);
        if (!node)
            return nullptr;
        plist_array_append_item(array.get(), node.release());
    }
    return array;
}

PlistPtr mapToNode(const QVariantMap& map, int depth, QString* error)
{
    PlistPtr dict(plist_new_dict());
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (hasNul(it.key()))
            return failNode(error, QStringLiteral("A dictionary key contains a NUL character."));
        PlistPtr node = toNode(it.value(), depth + 1, error);
        if (!node)
            return nullptr;
        plist_dict_set_item(dict.get(), it.key().toUtf8().constData(), node.release());
    }
    return dict;
}

PlistPtr dateToNode(const QDateTime& date, QString* error)
{
    if (!date.isValid())
        return failNode(error, QStringLiteral("An invalid date cannot be stored."));
    const qint64 msecs = date.toMSecsSinceEpoch() - kPlistEpochSeconds * 1000;
    qint64 seconds = msecs / 1000;
    qint64 remainder = msecs % 1000;
    if (remainder < 0) {
        --seconds;
        remainder += 1000;
    }
    if (seconds < std::numeric_limits<int32_t>::min() || seconds > std::numeric_limits<int32_t>::max())
        return failNode(error, QStringLiteral("The date %1 is out of range.").arg(date.toString(Qt::ISODate)));
    return PlistPtr(plist_new_date(int32_t(seconds), int32_t(remainder * 1000)));
}

PlistPtr toNode(const QVariant& value, int depth, QString* error)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return PlistPtr(plist_new_bool(value.toBool()));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return PlistPtr(plist_new_uint(uint64_t(value.toLongLong())));
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return failNode(error, QStringLiteral("The integer %1 is too large.").arg(value.toULongLong()));
        return PlistPtr(plist_new_uint(value.toULongLong()));
    case QMetaType::Float:
    case QMetaType::Double:
        return PlistPtr(plist_new_real(value.toDouble()));
    case QMetaType::QString: {
        const QString text = value.toString();
        if (hasNul(text))
            return failNode(error, QStringLiteral("A string contains a NUL character."));
        return PlistPtr(plist_new_string(text.toUtf8().constData()));
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return PlistPtr(plist_new_data(bytes.constData(), uint64_t(bytes.size())));
    }
    case QMetaType::QDateTime:
        return dateToNode(value.toDateTime(), error);
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
        if (depth >= PropertyList::kMaxDepth)
            return failNode(error, QStringLiteral("The value is nested too deeply."));
        return value.typeId() == QMetaType::QVariantList ? listToNode(value.toList(), depth, error)
                                                         : mapToNode(value.toMap(), depth, error);
    default:
        return failNode(error, QStringLiteral("A value of type %1 cannot be stored in a property list.")
                                   .arg(QString::fromLatin1(value.typeName() ? value.typeName() : "invalid")));
    }
}

}  // namespace

std::optional<QVariant> PropertyList::fromData(const QByteArray& bytes, QString* error)
{
    if (bytes.isEmpty()) {
        setError(error, QStringLiteral("The property list is empty."));
        return std::nullopt;
    }
    if (bytes.size() > kMaxInputBytes) {
        setError(error, QStringLiteral("The property list is too large."));
        return std::nullopt;
    }
    if (plist_is_binary(bytes.constData(), uint32_t(bytes.size())) == 0)
        return readXmlPropertyList(bytes, kMaxDepth, error);
    if (!BinaryListCheck(bytes).run(error))
        return std::nullopt;

    plist_t root = nullptr;
    {
        CLocaleScope cLocale;
        plist_from_bin(bytes.constData(), uint32_t(bytes.size()), &root);
    }
    PlistPtr owner(root);
    if (!root) {
        setError(error, QStringLiteral("Malformed binary property list."));
        return std::nullopt;
    }
    return toVariant(root, 0, error);
}

std::optional<QVariant> PropertyList::readFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    if (file.size() > kMaxInputBytes) {
        setError(error, QStringLiteral("\"%1\" is too large to be a property list.").arg(path));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxInputBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return fromData(bytes, error);
}

QByteArray PropertyList::toData(const QVariant& value, Format format, QString* error)
{
    PlistPtr root = toNode(value, 0, error);
    if (!root)
        return {};
    char* out = nullptr;
    uint32_t length = 0;
    QByteArray bytes;
    CLocaleScope cLocale;
    if (format == Format::Xml) {
        plist_to_xml(root.get(), &out, &length);
        bytes = QByteArray(out, out ? qsizetype(length) : 0);
        plist_to_xml_free(out);
    } else {
        plist_to_bin(root.get(), &out, &length);
        bytes = QByteArray(out, out ? qsizetype(length) : 0);
        plist_to_bin_free(out);
    }
    if (bytes.isEmpty())
        setError(error, QStringLiteral("The property list could not be serialised."));
    return bytes;
}

bool PropertyList::writeFile(const QString& path, const QVariant& value, Format format, QString* error)
{
    const QByteArray bytes = toData(value, format, error);
    return !bytes.isEmpty() && writeFileAtomically(path, bytes, error);
}
