#include "platform/PropertyList.h"

#include "platform/AtomicFile.h"
#include "platform/BinaryPropertyList.h"
#include "platform/PropertyListWalk.h"
#include "platform/RegularFile.h"
#include "platform/Utf8Text.h"
#include "platform/XmlPropertyList.h"

#include <QDateTime>
#include <QFile>
#include <QMetaType>
#include <QTimeZone>

#include <plist/plist.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

// ---- What a binary list takes once read -------------------------------------------------------
// A binary list names an object by its index and may name it from any number of places; libplist
// makes a copy of the object for every reference, and the conversion a QVariant (for a text, a
// UTF-16 copy) of every copy, so a file of a hundred bytes can stand for gigabytes. Every reference
// is counted at that full size, as glibc hands out blocks and libplist 2.2 and Qt 6 lay out their
// values, and a list that would outgrow its budget is refused before libplist sees it.
namespace ReadCost {

// A block as glibc's malloc hands it out: 8 bytes of header, in steps of 16, 32 at least.
constexpr quint64 heapBlock(quint64 bytes)
{
    return std::max<quint64>(32, (bytes + 8 + 15) / 16 * 16);
}
// libplist's node (48 bytes) with its value (24), and a container's list of children (24).
constexpr quint64 kNode = heapBlock(48) + heapBlock(24);
constexpr quint64 kChildren = heapBlock(24);
// The QVariant of an array item; a dictionary entry's tree node, key and value.
constexpr quint64 kArraySlot = 32;
constexpr quint64 kDictionarySlot = heapBlock(32 + 24 + 32);
// A QString of `units` UTF-16 units (Qt sizes one made from UTF-8 by its bytes), a QByteArray, and
// the shared part of a QVariantList or QVariantMap.
constexpr quint64 text(quint64 units) { return heapBlock(16 + 2 * (units + 1)); }
constexpr quint64 bytes(quint64 count) { return heapBlock(16 + count + 1); }
constexpr quint64 kContainer = heapBlock(64);

// Up to a megabyte, the tree stays within 160 MB, so that opening a design (the program, the tree
// and what the design makes of it) stays below 256 MB; larger files may grow in proportion, up to
// what a 32-bit count holds.
constexpr quint64 kBudgetFloor = 96ULL << 20;
constexpr quint64 kBudgetPerInputByte = 64;
constexpr quint64 kBudgetCeiling = 3ULL << 30;
constexpr quint64 budgetFor(quint64 inputBytes)
{
    return std::min(kBudgetFloor + kBudgetPerInputByte * inputBytes, kBudgetCeiling);
}

}  // namespace ReadCost

bool setError(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// ---- Limits checked on the raw bytes, because libplist recurses without bound ----------------

// Walks the object graph of a binary list (trailer, offset table, container references) without
// recursion: rejects cycles, nesting deeper than kMaxDepth, trees whose expanded size is too big
// and texts holding a NUL character (keys that libplist cannot hand out among them).
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
        quint64 cost = 0;
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
    static bool isText(const Object& object) { return object.kind == 0x5 || object.kind == 0x6 || object.kind == 0x7; }
    bool payloadInside(const Object& object) const;
    // Of a text whose payload lies inside the objects.
    bool holdsNul(const Object& text) const;
    // One copy of the object itself, read and converted, without what it contains.
    quint64 ownCost(const Object& object) const;
    // What holding one more item costs its container.
    static quint64 slotCost(const Frame& frame, bool key)
    {
        return frame.object.kind == 0xd ? (key ? 0 : ReadCost::kDictionarySlot) : ReadCost::kArraySlot;
    }

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

bool BinaryListCheck::payloadInside(const Object& object) const
{
    return object.dataAt <= m_objectsEnd && object.count <= m_objectsEnd - object.dataAt;
}

// libplist aborts (an assertion) when it hands out a dictionary key holding a NUL character, cuts
// an ASCII text short at one and passes one in a UTF-16 text on, where no writer can store it.
bool BinaryListCheck::holdsNul(const Object& text) const
{
    const uchar* begin = m_data + text.dataAt;
    if (text.kind != 0x6)
        return std::find(begin, begin + text.count, uchar(0)) != begin + text.count;
    for (quint64 i = 0; i + 1 < text.count; i += 2) {
        if (begin[i] == 0 && begin[i + 1] == 0)
            return true;
    }
    return false;
}

quint64 BinaryListCheck::ownCost(const Object& object) const
{
    using namespace ReadCost;
    // A payload longer than the file is refused by libplist; the bound keeps the sums in range.
    const quint64 count = std::min(object.count, m_size);
    switch (object.kind) {
    case 0x4: return kNode + heapBlock(count) + bytes(count);
    case 0x5:
    case 0x7: return kNode + heapBlock(count + 1) + text(count);
    // UTF-16: libplist's UTF-8 copy takes four bytes a unit, and each unit is up to three in UTF-8.
    case 0x6: return kNode + heapBlock(4 * (count / 2 + 1)) + text(3 * (count / 2));
    case 0xa:
    case 0xc:
    case 0xd: return kNode + kChildren + kContainer;
    default: return kNode;
    }
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
    // A subtree's cost is kept up to the budget and one more, which fits 32 bits.
    const quint64 budget = ReadCost::budgetFor(m_size);
    std::vector<quint32> costs(m_objectCount, 0);
    const auto tooDeep = [error] {
        return setError(error, QStringLiteral("The property list is nested too deeply."));
    };
    // Checked at every step, so that shared objects cannot make the walk itself long.
    const auto grow = [error, budget](Frame& frame, quint64 cost) {
        frame.cost = std::min(frame.cost + cost, budget + 1);
        return frame.cost <= budget
            || setError(error, QStringLiteral("The property list is too large: read, it would take more than %1 MB.")
                                   .arg(budget >> 20));
    };

    // Texts are refused as in XML lists: a NUL cannot be written back.
    const auto nulText = [error] {
        return setError(error, QStringLiteral("The property list holds a NUL character."));
    };
    Object rootObject;
    if (!readObject(root, &rootObject))
        return malformed();
    if (isText(rootObject) && payloadInside(rootObject) && holdsNul(rootObject))
        return nulText();
    if (!rootObject.container)
        return true;
    std::vector<Frame> stack{Frame{root, rootObject, 0, ownCost(rootObject)}};
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
                if (!grow(stack.back(), done.cost + slotCost(stack.back(), false)))
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
            if (!readObject(child, &object) || (key && (!isText(object) || !payloadInside(object))))
                return malformed();
            if (isText(object) && payloadInside(object) && holdsNul(object))
                return nulText();
        }
        if (state[child] == Done) {
            if (stack.size() + heights[child] > size_t(PropertyList::kMaxDepth))
                return tooDeep();
            frame.height = std::max(frame.height, heights[child]);
            if (!grow(frame, costs[child] + slotCost(frame, key)))
                return false;
            continue;
        }
        if (!object.container) {
            state[child] = Done;
            costs[child] = quint32(std::min(ownCost(object), budget + 1));
            if (!grow(frame, costs[child] + slotCost(frame, key)))
                return false;
            continue;
        }
        if (stack.size() >= size_t(PropertyList::kMaxDepth))
            return tooDeep();
        state[child] = Visiting;
        stack.push_back(Frame{child, object, 0, ownCost(object)});
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
        map.insert(textFromUtf8(key ? key : ""), std::move(*item));
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
        return QVariant(textFromUtf8(QByteArrayView(text, text ? qsizetype(length) : 0)));
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
        const qint64 msecs = (PropertyListWalk::kPlistEpochSeconds + seconds) * 1000 + microseconds / 1000;
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

// Why bytes are no property list whatever they hold: none, or too many.
std::optional<QString> sizeRefusal(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("The property list is empty.");
    if (bytes.size() > PropertyList::kMaxInputBytes)
        return QStringLiteral("The property list is too large.");
    return std::nullopt;
}

bool isXml(const QByteArray& bytes)
{
    return plist_is_binary(bytes.constData(), uint32_t(bytes.size())) == 0;
}

std::optional<QVariant> binaryValue(const QByteArray& bytes, QString* error)
{
    if (!BinaryListCheck(bytes).run(error))
        return std::nullopt;
    plist_t root = nullptr;
    plist_from_bin(bytes.constData(), uint32_t(bytes.size()), &root);
    PlistPtr owner(root);
    if (!root) {
        setError(error, QStringLiteral("Malformed binary property list."));
        return std::nullopt;
    }
    return toVariant(root, 0, error);
}

}  // namespace

std::optional<QVariant> PropertyList::fromData(const QByteArray& bytes, QString* error, TextDictionaries dictionaries)
{
    if (const std::optional<QString> refusal = sizeRefusal(bytes)) {
        setError(error, *refusal);
        return std::nullopt;
    }
    if (isXml(bytes))
        return readXmlPropertyList(bytes, kMaxDepth, error, dictionaries);
    return binaryValue(bytes, error);
}

std::optional<QVariant> PropertyList::readFile(const QString& path, QString* error, TextDictionaries dictionaries)
{
    return PropertyListRead(path, dictionaries).checked(error);
}

PropertyListRead::PropertyListRead(const QString& path, PropertyList::TextDictionaries dictionaries)
{
    const std::optional<QByteArray> bytes = readRegularFile(path, PropertyList::kMaxInputBytes, &m_error);
    if (!bytes)
        return;
    if (const std::optional<QString> refusal = sizeRefusal(*bytes))
        m_error = *refusal;
    else if (isXml(*bytes))
        m_xml = std::make_unique<XmlPropertyListRead>(*bytes, PropertyList::kMaxDepth, dictionaries);
    else
        m_value = binaryValue(*bytes, &m_error);
}

PropertyListRead::~PropertyListRead() = default;

const std::optional<QVariant>& PropertyListRead::parsed() const
{
    return m_xml ? m_xml->parsed() : m_value;
}

std::optional<QVariant> PropertyListRead::checked(QString* error)
{
    if (m_xml)
        return m_xml->checked(error);
    if (!m_value)
        setError(error, m_error);
    return m_value;
}

bool PropertyListRead::readAgain() const
{
    return m_xml && m_xml->readAgain();
}

QByteArray PropertyList::toData(const QVariant& value, Format format, QString* error)
{
    // Both forms are written straight from the values, without libplist (see XmlPropertyList.h
    // and BinaryPropertyList.h).
    return format == Format::Xml ? xmlPropertyListData(value, error) : binaryPropertyListData(value, error);
}

bool PropertyList::writeFile(const QString& path, const QVariant& value, Format format, QString* error)
{
    const QByteArray bytes = toData(value, format, error);
    return !bytes.isEmpty() && writeFileAtomically(path, bytes, error);
}
