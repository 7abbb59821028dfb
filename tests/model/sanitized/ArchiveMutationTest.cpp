// Element archives and clipboard data come from other programs and older files: damaged or hostile
// bytes must never crash the reader. A fixed-seed loop mutates valid inputs and feeds them to the
// readers under AddressSanitizer and UBSan.
#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <zlib.h>

#include "model/SKTError.h"
#include "model/SKTGraphicKinds.h"
#include "platform/PropertyList.h"

namespace {

std::mt19937 rng(20240611);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }
QByteArray randomBytes(int count)
{
    QByteArray bytes(count, '\0');
    std::generate(bytes.begin(), bytes.end(), [] { return char(below(256)); });
    return bytes;
}

const uchar kPixels[12 * 9 * 4] = {};
const QImage kPicture(kPixels, 12, 9, QImage::Format_ARGB32);

// A PNG whose header claims the given size, with a header checksum that makes the decoder believe it.
QByteArray pngClaimingSize(quint32 width, quint32 height)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    kPicture.save(&buffer, "PNG");
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

// One damage: bit flips, truncation, inserted bytes, a splice with other data, or (how 4) removed
// keys, hostile or wrong class names and hostile values under the archive's own keys.
QByteArray damage(QByteArray data, const QByteArray& other, int how)
{
    for (int flips = 1 + below(8); how == 0 && flips > 0 && !data.isEmpty(); --flips)
        data[below(data.size())] ^= char(1 << below(8));
    if (how == 1)
        return data.left(below(data.size()));
    if (how == 2)
        return data.insert(below(data.size() + 1), randomBytes(1 + below(16)));
    if (how == 3)
        return data.left(below(data.size() + 1)) + other.mid(below(other.size() + 1));
    if (how != 4)
        return data;
    QVariantMap map = PropertyList::fromData(data).value_or(QVariant()).toMap();
    const QStringList classes = {"SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTBarcode", "SKTSignature", "NSObject"};
    for (int changes = 1 + below(6); changes > 0; --changes) {
        const QString key = map.keys().value(below(map.size()));
        const int change = below(4);
        if (change == 0)
            map.remove(key);
        else
            map.insert(change == 3 ? key : QString("$class"), change == 2 ? QVariant(classes.value(below(7))) : hostileValue());
    }
    return PropertyList::toData(map, PropertyList::Format::Binary);
}

}  // namespace

TEST(ArchiveMutation, DamagedArchivesAndClipboardDataNeverCrash)
{
    GraphicList graphics;
    for (int kind = 0; kind < 6; ++kind) {
        GraphicPtr g = SKTGraphic::create(GraphicKind(kind));
        g->_bounds = QRectF(10, 20, 60, 40); g->control_ID = g->Text_Value = g->_Text_contents = "Value";
        g->_contents = g->_contents_with_settings = kPicture;
        g->_barcode_image = kPicture;
        g->Set_Data_source_type(2);
        graphics.append(g);
    }
    const QVariantList archives = SKTGraphic::propertiesWithGraphics(graphics);
    const QByteArray clipboard = SKTGraphic::pasteboardDataWithGraphics(graphics);
    ASSERT_EQ(SKTGraphic::graphicsWithPasteboardData(clipboard, "L", nullptr).size(), graphics.size());

    int decodedArchives = 0, refusedClipboards = 0;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray archive = archives[below(archives.size())].toByteArray();
        const int how = below(5);
        const QByteArray mutatedArchive = damage(archive, archives[below(archives.size())].toByteArray(), how);
        QVariantList items = archives;  // hostile, bit-flipped or structurally damaged items in a readable list
        for (int changes = 1 + below(4); how == 4 && changes > 0; --changes) {
            QVariant& item = items[below(items.size())];
            item = below(3) == 0 ? hostileValue() : QVariant(damage(item.toByteArray(), {}, 4 * below(2)));
        }
        const QByteArray mutatedClipboard =
            how == 4 ? PropertyList::toData(items, PropertyList::Format::Binary) : damage(clipboard, archive, how);
        const GraphicPtr decoded = SKTGraphic::fromArchivedData(mutatedArchive);
        decodedArchives += decoded ? 1 : 0;

        std::optional<SKTError> error;
        const GraphicList pasted = SKTGraphic::graphicsWithPasteboardData(mutatedClipboard, "L", &error);
        const auto root = PropertyList::fromData(mutatedClipboard);
        EXPECT_EQ(error.has_value(), !(root && root->typeId() == QMetaType::QVariantList)) << "iteration " << i;
        EXPECT_TRUE(!error || (error->code == 2 && pasted.isEmpty()));
        refusedClipboards += error ? 1 : 0;
        for (const GraphicPtr& g : pasted + GraphicList{decoded})  // used the way the program would
            if (g)
                (void)g->archivedData(), g->copy(), g->properties(), g->fillColor(), g->strokeColor(), g->Text_contents();
    }
    EXPECT_GT(decodedArchives, 0);  // the loop reached both the decoding and the refusing paths
    EXPECT_GT(refusedClipboards, 0);
}
