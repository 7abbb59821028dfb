// Element archives and clipboard data come from other programs and older files: damaged or hostile
// bytes must never crash the reader. A fixed-seed loop mutates valid inputs and feeds them to the
// readers under AddressSanitizer and UBSan.
#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <zlib.h>

#include "canvas/model/SKTError.h"
#include "canvas/model/SKTGraphicKinds.h"
#include "platform/PropertyList.h"

namespace {

std::mt19937 rng(20240611);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }
QByteArray randomBytes(int count)
{
    QByteArray bytes;
    while (count-- > 0)
        bytes.append(char(below(256)));
    return bytes;
}

QImage smallPicture(QColor color)
{
    QImage image(12, 9, QImage::Format_ARGB32);
    image.fill(color);
    image.setPixelColor(3, 4, QColor(10, 20, 30, 40));
    return image;
}

// A PNG whose header claims the given size, with a header checksum that makes the decoder believe it.
QByteArray pngClaimingSize(quint32 width, quint32 height)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    smallPicture(Qt::green).save(&buffer, "PNG");
    qToBigEndian(width, png.data() + 16);  // after the signature, the chunk length and "IHDR"
    qToBigEndian(height, png.data() + 20);
    qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 4 + 13)), png.data() + 29);
    return png;
}

// Wrong-typed, huge or non-finite values, random bytes and pictures claiming a huge size.
QVariant hostileValue()
{
    static const QVariantList values = {
        QStringLiteral("wrong type"), qint64(1) << 40, std::numeric_limits<qint64>::min(), std::nan(""),
        std::numeric_limits<double>::infinity(), -1e308, QVariantList{1, "two", QByteArray("3")},
        QVariantMap{{"x", 1e300}, {"y", -1}}, pngClaimingSize(100000, 100000), pngClaimingSize(0x7fffffff, 1), true};
    return below(12) == 0 ? QVariant(randomBytes(below(64))) : values[below(values.size())];
}

// One byte-level damage: bit flips, truncation, inserted bytes or a splice with other data.
QByteArray damage(QByteArray data, const QByteArray& other, int how)
{
    switch (how) {
    case 0:
        for (int flips = 1 + below(8); flips > 0 && !data.isEmpty(); --flips) {
            const int at = below(data.size());
            data[at] = char(data[at] ^ (1 << below(8)));
        }
        return data;
    case 1: return data.left(below(data.size()));
    case 2: return data.insert(below(data.size() + 1), randomBytes(1 + below(16)));
    default: return data.left(below(data.size() + 1)) + other.mid(below(other.size() + 1));
    }
}

// Hostile values under the archive's own keys, removed keys and wrong or hostile class names.
QByteArray damageStructure(const QByteArray& archive)
{
    const auto parsed = PropertyList::fromData(archive);
    if (!parsed || parsed->typeId() != QMetaType::QVariantMap)
        return archive;
    QVariantMap map = parsed->toMap();
    const QStringList keys = map.keys();
    const QStringList classes = {"SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTBarcode", "SKTSignature", "NSObject"};
    for (int changes = 1 + below(6); changes > 0; --changes) {
        const QString key = keys.value(below(keys.size()));
        switch (below(4)) {
        case 0: map.remove(key); break;
        case 1: map.insert("$class", hostileValue()); break;
        case 2: map.insert("$class", classes.value(below(classes.size()))); break;
        default: map.insert(key, hostileValue()); break;
        }
    }
    return PropertyList::toData(map, PropertyList::Format::Binary);
}

// Uses a decoded element the way the program would, so that damaged values get exercised too.
void exercise(const GraphicPtr& g)
{
    if (g)
        (void)g->archivedData(), g->copy(), g->properties(), g->fillColor(), g->strokeColor(), g->Text_contents();
}

}  // namespace

TEST(ArchiveMutation, DamagedArchivesAndClipboardDataNeverCrash)
{
    GraphicList graphics;
    for (GraphicKind kind : {GraphicKind::Text, GraphicKind::Line, GraphicKind::Shape, GraphicKind::Image,
                             GraphicKind::Barcode, GraphicKind::Signature}) {
        GraphicPtr g = SKTGraphic::create(kind);
        g->_bounds = QRectF(10, 20, 60, 40); g->control_ID = g->Text_Value = g->_Text_contents = "Value";
        g->_contents = g->_barcode_image = smallPicture(Qt::red); g->_contents_with_settings = smallPicture(Qt::blue);
        g->Set_Data_source_type(2);
        graphics.append(g);
    }
    const QVariantList archives = SKTGraphic::propertiesWithGraphics(graphics);
    const QByteArray clipboard = SKTGraphic::pasteboardDataWithGraphics(graphics);
    ASSERT_EQ(SKTGraphic::graphicsWithPasteboardData(clipboard, nullptr).size(), graphics.size());

    int decodedArchives = 0, refusedClipboards = 0;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray archive = archives[below(archives.size())].toByteArray();
        const QByteArray other = archives[below(archives.size())].toByteArray();
        QByteArray mutatedArchive, mutatedClipboard;
        if (const int how = below(5); how < 4) {
            mutatedArchive = damage(archive, other, how);
            mutatedClipboard = damage(clipboard, archive, how);
        } else {
            mutatedArchive = damageStructure(archive);
            QVariantList items = archives;  // damaged, hostile or bit-flipped items in a readable list
            for (int changes = 1 + below(4); changes > 0; --changes) {
                QVariant& item = items[below(items.size())];
                const int kind = below(3);
                item = kind == 0 ? QVariant(damageStructure(item.toByteArray()))
                                 : kind == 1 ? hostileValue() : QVariant(damage(item.toByteArray(), {}, 0));
            }
            mutatedClipboard = PropertyList::toData(items, PropertyList::Format::Binary);
        }

        const GraphicPtr decoded = SKTGraphic::fromArchivedData(mutatedArchive);
        decodedArchives += decoded ? 1 : 0;
        exercise(decoded);

        std::optional<SKTError> error;
        const GraphicList pasted = SKTGraphic::graphicsWithPasteboardData(mutatedClipboard, &error);
        const auto root = PropertyList::fromData(mutatedClipboard);
        EXPECT_EQ(error.has_value(), !(root && root->typeId() == QMetaType::QVariantList)) << "iteration " << i;
        if (error) {
            EXPECT_EQ(error->code, 2);
            EXPECT_TRUE(pasted.isEmpty());
            ++refusedClipboards;
        }
        for (const GraphicPtr& g : pasted)
            exercise(g);

        // Bytes that are no property list at all are always refused.
        std::optional<SKTError> noiseError;
        EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(randomBytes(below(200)), &noiseError).isEmpty());
        EXPECT_TRUE(noiseError.has_value() && noiseError->code == 2) << "iteration " << i;
    }
    EXPECT_GT(decodedArchives, 0);  // the loop reached both the decoding and the refusing paths
    EXPECT_GT(refusedClipboards, 0);
}
