#include "designfile/DesignFileItems.h"

#include <QMetaType>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <utility>

#include "model/PictureFile.h"
#include "platform/Log.h"

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

QImage decodeStoredPicture(const QByteArray& bytes)
{
    static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.isEmpty())
        return QImage();
    if (!bytes.startsWith(pngSignature)) {
        Show_NSLog_Message(QStringLiteral("A stored barcode picture is not PNG data; it is made again."));
        return QImage();
    }
    QImage picture = readPictureData(bytes);
    if (picture.isNull())
        Show_NSLog_Message(QStringLiteral("A stored barcode picture could not be decoded; it is made again."));
    return picture;
}

QImage StoredPictures::decode(const QByteArray& bytes)
{
    const auto known = m_decoded.constFind(bytes);
    if (known != m_decoded.cend())
        return *known;
    // A PNG's size stands in its header, the first chunk after the signature.
    const auto headerNumber = [&bytes](qsizetype at) {
        return bytes.size() >= at + 4 ? qint64(qFromBigEndian<quint32>(bytes.constData() + at)) : 0;
    };
    const qint64 pictureBytes = headerNumber(16) * headerNumber(20) * 4;
    if (m_bytes + pictureBytes > kBudgetBytes) {
        if (!std::exchange(m_toldOfBudget, true))
            Show_NSLog_Message(QStringLiteral("The stored barcode pictures pass %1 MB; the rest are made again.")
                                   .arg(kBudgetBytes >> 20));
        return QImage();
    }
    const QImage picture = decodeStoredPicture(bytes);
    m_bytes += picture.sizeInBytes();
    m_decoded.insert(bytes, picture);
    return picture;
}
