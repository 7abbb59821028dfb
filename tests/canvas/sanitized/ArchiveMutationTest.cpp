// Element archives and clipboard data come from other programs and older files: damaged or hostile
// bytes must never crash the reader. A fixed-seed loop mutates valid inputs and feeds them to the
// readers under AddressSanitizer and UBSan.
#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <zlib.h>

#include "canvas/model/SKTError.h"
#include "canvas/model/SKTGraphicKinds.h"
#include "platform/PropertyList.h"

namespace {

constexpr int kIterations = 3000;
constexpr std::mt19937::result_type kSeed = 20240611;

QImage smallPicture(QColor color)
{
    QImage image(12, 9, QImage::Format_ARGB32);
    image.fill(color);
    image.setPixelColor(3, 4, QColor(10, 20, 30, 40));
    return image;
}

GraphicList sampleGraphics()
{
    GraphicList graphics;
    for (GraphicKind kind : {GraphicKind::Text, GraphicKind::Line, GraphicKind::Shape,
                             GraphicKind::Image, GraphicKind::Barcode, GraphicKind::Signature}) {
        GraphicPtr g = SKTGraphic::create(kind);
        g->_bounds = QRectF(10, 20, 60, 40);
        g->control_ID = "Fup_Name";
        g->Text_Value = "Value";
        g->_Text_contents = "Value";
        g->_contents = smallPicture(Qt::red);
        g->_contents_with_settings = smallPicture(Qt::blue);
        g->_barcode_image = smallPicture(Qt::black);
        g->Set_Data_source_type(2);
        graphics.append(g);
    }
    return graphics;
}

// A PNG whose header claims a picture of the given size, with a valid header checksum so that
// the decoder believes it.
QByteArray pngClaimingSize(quint32 width, quint32 height)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    smallPicture(Qt::green).save(&buffer, "PNG");
    // Signature (8), chunk length (4), "IHDR" (4), then width and height.
    constexpr int kIhdrType = 12, kWidth = 16, kIhdrData = 13, kCrc = kWidth + kIhdrData;
    qToBigEndian(width, png.data() + kWidth);
    qToBigEndian(height, png.data() + kWidth + 4);
    const auto crc = static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(png.constData() + kIhdrType), 4 + kIhdrData));
    qToBigEndian(crc, png.data() + kCrc);
    return png;
}

class Mutator {
public:
    explicit Mutator(std::mt19937& random) : random_(random) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(random_); }

    QByteArray flipBits(QByteArray data)
    {
        for (int flips = 1 + below(8); flips > 0 && !data.isEmpty(); --flips) {
            const int at = below(data.size());
            data[at] = char(data[at] ^ (1 << below(8)));
        }
        return data;
    }
    QByteArray truncate(const QByteArray& data) { return data.left(below(data.size())); }
    QByteArray insertBytes(QByteArray data)
    {
        QByteArray bytes;
        for (int n = 1 + below(16); n > 0; --n)
            bytes.append(char(below(256)));
        data.insert(below(data.size() + 1), bytes);
        return data;
    }
    QByteArray splice(const QByteArray& a, const QByteArray& b)
    {
        return a.left(below(a.size() + 1)) + b.mid(below(b.size() + 1));
    }
    QByteArray noise()
    {
        QByteArray bytes;
        for (int n = below(200); n > 0; --n)
            bytes.append(char(below(256)));
        return bytes;
    }

    QVariant hostileValue()
    {
        switch (below(12)) {
        case 0: return QStringLiteral("wrong type");
        case 1: return qint64(1) << 40;
        case 2: return std::numeric_limits<qint64>::min();
        case 3: return std::nan("");
        case 4: return std::numeric_limits<double>::infinity();
        case 5: return -1e308;
        case 6: return QVariantList{1, "two", QByteArray("3")};
        case 7: return QVariantMap{{"x", 1e300}, {"y", -1}};
        case 8: return QByteArray(below(64), char(below(256)));
        case 9: return pngClaimingSize(100000, 100000);
        case 10: return pngClaimingSize(0x7fffffff, 1);
        default: return true;
        }
    }

    // Wrong-typed, huge or missing values under the archive's own keys.
    QByteArray mutateArchiveStructure(const QByteArray& archive)
    {
        const auto parsed = PropertyList::fromData(archive);
        if (!parsed || parsed->typeId() != QMetaType::QVariantMap)
            return archive;
        QVariantMap map = parsed->toMap();
        const QStringList keys = map.keys();
        for (int changes = 1 + below(6); changes > 0; --changes) {
            const QString key = keys.value(below(keys.size()));
            switch (below(4)) {
            case 0: map.remove(key); break;
            case 1: map.insert("$class", hostileValue()); break;
            case 2:
                map.insert("$class", QStringList{"SKTText", "SKTLine", "Shape_Control", "SKTImage",
                                                 "SKTBarcode", "SKTSignature", "NSObject"}
                                         .value(below(7)));
                break;
            default: map.insert(key, hostileValue()); break;
            }
        }
        return PropertyList::toData(map, PropertyList::Format::Binary);
    }

    QByteArray mutateClipboardStructure(const QVariantList& items)
    {
        QVariantList mutated = items;
        for (int changes = 1 + below(4); changes > 0 && !mutated.isEmpty(); --changes) {
            const int at = below(mutated.size());
            switch (below(3)) {
            case 0: mutated[at] = mutateArchiveStructure(mutated[at].toByteArray()); break;
            case 1: mutated[at] = hostileValue(); break;
            default: mutated[at] = flipBits(mutated[at].toByteArray()); break;
            }
        }
        return PropertyList::toData(mutated, PropertyList::Format::Binary);
    }

private:
    std::mt19937& random_;
};

// Uses a decoded element the way the program would, so that damaged values get exercised too.
void exercise(const GraphicPtr& g)
{
    if (!g)
        return;
    (void)g->archivedData();
    (void)g->copy();
    (void)g->properties();
    (void)g->fillColor();
    (void)g->strokeColor();
    (void)g->Text_contents();
}

}  // namespace

TEST(ArchiveMutation, DamagedArchivesAndClipboardDataNeverCrash)
{
    const GraphicList graphics = sampleGraphics();
    const QVariantList archives = SKTGraphic::propertiesWithGraphics(graphics);
    const QByteArray clipboard = SKTGraphic::pasteboardDataWithGraphics(graphics);
    ASSERT_EQ(SKTGraphic::graphicsWithPasteboardData(clipboard, nullptr).size(), graphics.size());

    std::mt19937 random(kSeed);
    Mutator mutator(random);
    int decodedArchives = 0;
    int refusedClipboards = 0;
    for (int i = 0; i < kIterations; ++i) {
        const QByteArray archive = archives[mutator.below(archives.size())].toByteArray();
        const QByteArray other = archives[mutator.below(archives.size())].toByteArray();
        QByteArray mutatedArchive;
        QByteArray mutatedClipboard;
        switch (mutator.below(5)) {
        case 0:
            mutatedArchive = mutator.flipBits(archive);
            mutatedClipboard = mutator.flipBits(clipboard);
            break;
        case 1:
            mutatedArchive = mutator.truncate(archive);
            mutatedClipboard = mutator.truncate(clipboard);
            break;
        case 2:
            mutatedArchive = mutator.insertBytes(archive);
            mutatedClipboard = mutator.insertBytes(clipboard);
            break;
        case 3:
            mutatedArchive = mutator.splice(archive, other);
            mutatedClipboard = mutator.splice(clipboard, archive);
            break;
        default:
            mutatedArchive = mutator.mutateArchiveStructure(archive);
            mutatedClipboard = mutator.mutateClipboardStructure(archives);
            break;
        }

        const GraphicPtr decoded = SKTGraphic::fromArchivedData(mutatedArchive);
        decodedArchives += decoded ? 1 : 0;
        exercise(decoded);

        std::optional<SKTError> error;
        const GraphicList pasted = SKTGraphic::graphicsWithPasteboardData(mutatedClipboard, &error);
        const auto root = PropertyList::fromData(mutatedClipboard);
        const bool readable = root && root->typeId() == QMetaType::QVariantList;
        EXPECT_EQ(error.has_value(), !readable) << "iteration " << i;
        if (error) {
            EXPECT_EQ(error->code, 2);
            EXPECT_TRUE(pasted.isEmpty());
            ++refusedClipboards;
        }
        for (const GraphicPtr& g : pasted)
            exercise(g);

        // Bytes that are no property list at all are always refused.
        std::optional<SKTError> noiseError;
        EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(mutator.noise(), &noiseError).isEmpty());
        EXPECT_TRUE(noiseError.has_value() && noiseError->code == 2) << "iteration " << i;
    }
    // The loop reached both the decoding and the refusing paths.
    EXPECT_GT(decodedArchives, 0);
    EXPECT_GT(refusedClipboards, 0);
}
