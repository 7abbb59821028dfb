#include "designfile/DesignFileItems.h"

#include <QMetaType>
#include <QtConcurrent/QtConcurrentMap>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "model/PictureFile.h"
#include "platform/Log.h"
#include "platform/PictureReading.h"

namespace {

bool isDroppedForXml(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

// Each number finite and in the range (a range holds no infinity, and NaN compares false).
bool allWithin(NumberBounds::Range range, std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [range](double v) { return range.contains(v); });
}

}  // namespace

QString xmlSafeText(const QString& text, int* dropped)
{
    const auto needsWork = [](QChar c) { return c == u'\r' || isDroppedForXml(c.unicode()); };
    if (std::none_of(text.cbegin(), text.cend(), needsWork))
        return text;
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\r')
            safe.append(QChar(kCarriageReturnStandIn));
        else if (!isDroppedForXml(c.unicode()))
            safe.append(c);
        else if (dropped)
            ++*dropped;
    }
    return safe;
}

void ItemWriter::text(const QString& value)
{
    m_items.append(xmlSafeText(value, &m_dropped));
}

const QVariant& ItemReader::next(const char* what)
{
    if (m_index >= m_items.size())
        fail(QStringLiteral("The file ends where %1 was expected.").arg(QLatin1String(what)));
    return m_items.at(m_index++);
}

void ItemReader::fail(const QString& reason) const
{
    throw DesignFileError{fileIndex(), reason};
}

QString ItemReader::text()
{
    const QVariant& item = next("a text item");
    if (item.typeId() != QMetaType::QString) {
        --m_index;
        fail(QStringLiteral("A text item was expected."));
    }
    return item.toString();
}

qint32 ItemReader::integerIn(NumberBounds::Range range)
{
    const qint32 value = integer();
    if (!range.contains(value)) {
        --m_index;
        fail(QStringLiteral("The number %1 lies outside %2 to %3.").arg(value).arg(qint64(range.low)).arg(qint64(range.high)));
    }
    return value;
}

CardFont ItemReader::font()
{
    const auto font = Convert_String_to_Font(text());
    if (!font) {
        --m_index;
        fail(QStringLiteral("A font item needs a name and a size separated by \"::::\"."));
    }
    return *font;
}

QPointF ItemReader::point(NumberBounds::Range range)
{
    const auto point = pointFromText(text());
    if (!point || !allWithin(range, {point->x(), point->y()})) {
        --m_index;
        fail(QStringLiteral("A point item is malformed or out of range."));
    }
    return *point;
}

QSizeF ItemReader::size(NumberBounds::Range range)
{
    const auto size = sizeFromText(text());
    if (!size || !allWithin(range, {size->width(), size->height()})) {
        --m_index;
        fail(QStringLiteral("A size item is malformed or out of range."));
    }
    return *size;
}

QRectF ItemReader::rect(NumberBounds::Range range)
{
    const auto rect = rectFromText(text());
    if (!rect || !allWithin(range, {rect->x(), rect->y(), rect->width(), rect->height()})) {
        --m_index;
        fail(QStringLiteral("A rectangle item is malformed or out of range."));
    }
    return *rect;
}

QByteArray ItemReader::data()
{
    const QVariant& item = next("a data item");
    if (item.typeId() != QMetaType::QByteArray) {
        --m_index;
        fail(QStringLiteral("A data item was expected."));
    }
    return item.toByteArray();
}

QVariantList ItemReader::list()
{
    const QVariant& item = next("an array");
    if (item.typeId() != QMetaType::QVariantList) {
        --m_index;
        fail(QStringLiteral("An array was expected."));
    }
    return item.toList();
}

QVariant ItemReader::raw()
{
    return next("an item");
}

namespace {

const QByteArray& pngSignature()
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    return signature;
}

// What a header past any picture stored bytes may give counts as: past every budget, and small
// enough that sums and doublings of it stay in range.
constexpr qint64 kImplausibleHeaderBytes = std::numeric_limits<qint64>::max() / 8;

// The decoded size a PNG's header gives, the first chunk after the signature. A side past what
// stored bytes may give is implausible: 2147483647 x 2147483647 x 4 is no size.
qint64 headerBytes(const QByteArray& bytes)
{
    const auto headerNumber = [&bytes](qsizetype at) {
        return bytes.size() >= at + 4 ? qint64(qFromBigEndian<quint32>(bytes.constData() + at)) : 0;
    };
    const qint64 width = headerNumber(16), height = headerNumber(20);
    if (width > kMaxStoredPictureSide || height > kMaxStoredPictureSide)
        return kImplausibleHeaderBytes;
    return width * height * 4;
}

// No format Qt decodes a PNG to takes more than eight bytes a pixel.
constexpr qint64 kMostBytesPerHeaderByte = 2;

}  // namespace

void StoredPictures::request(const QByteArray& bytes, const GraphicPtr& element)
{
    auto known = m_index.constFind(bytes);
    if (known == m_index.cend()) {
        known = m_index.insert(bytes, qsizetype(m_pictures.size()));
        m_pictures.push_back(Picture{bytes, headerBytes(bytes), QImage()});
    }
    m_requests.emplace_back(element, *known);
}

void StoredPictures::giveRequested()
{
    for (qsizetype first = 0; first < qsizetype(m_pictures.size());)
        first = decodeWave(first);
    for (const auto& [element, picture] : m_requests)
        element->_barcode_image = BarcodePicture::fromStoredImage(m_pictures[size_t(picture)].image);
    m_requests.clear();
}

// Decodes, side by side, the pictures from `first` on that the budget holds whatever the others
// decode to; returns the first picture left for the next wave. Which pictures are kept is decided
// in file order by the sizes decoded, as one by one.
qsizetype StoredPictures::decodeWave(qsizetype first)
{
    qsizetype end = first;
    for (qint64 most = m_bytes; end < qsizetype(m_pictures.size()); ++end) {
        const Picture& picture = m_pictures[size_t(end)];
        if (most + picture.headerBytes > kBudgetBytes)
            break;
        most += picture.headerBytes * kMostBytesPerHeaderByte;
    }
    if (end == first) {  // past the budget whatever the wave would decode
        keepWithinBudget(m_pictures[size_t(first)]);
        return first + 1;
    }
    std::vector<Picture*> wave;
    for (qsizetype i = first; i < end; ++i)
        wave.push_back(&m_pictures[size_t(i)]);
    QtConcurrent::blockingMap(wave, [](Picture* picture) {
        if (picture->bytes.startsWith(pngSignature()))
            picture->image = readPictureData(picture->bytes);
    });
    for (Picture* picture : wave)
        keepWithinBudget(*picture);
    return end;
}

void StoredPictures::keepWithinBudget(Picture& picture)
{
    if (m_bytes + picture.headerBytes > kBudgetBytes) {
        picture.image = QImage();
        if (!std::exchange(m_toldOfBudget, true))
            Show_NSLog_Message(QStringLiteral("The stored barcode pictures pass %1 MB; the rest are made again.")
                                   .arg(kBudgetBytes >> 20));
        return;
    }
    if (picture.bytes.isEmpty())
        return;
    if (!picture.bytes.startsWith(pngSignature()))
        Show_NSLog_Message(QStringLiteral("A stored barcode picture is not PNG data; it is made again."));
    else if (picture.image.isNull())
        Show_NSLog_Message(QStringLiteral("A stored barcode picture could not be decoded; it is made again."));
    m_bytes += picture.image.sizeInBytes();
}
