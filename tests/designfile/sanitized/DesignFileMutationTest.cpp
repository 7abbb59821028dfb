// Design files come from users: damaged or hostile files must be refused or loaded safely, never
// crash. A fixed-seed loop damages real design files (XML and binary), reads them, writes again and
// draws what was accepted, under AddressSanitizer and UBSan. Binary lists also get references
// pointed at other objects (shared, cyclic or of the wrong kind), XML texts are cut into pieces by
// comments and CDATA (which must read as before), and whatever is accepted saves, opens and saves
// again to the same bytes.
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "platform/PropertyList.h"
#include "render/CardImage.h"
#include "designfile/StoredPictureDesigns.h"
#include "support/TestEnvironment.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

std::mt19937 rng(20261206);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }

QByteArray randomBytes(int count)
{
    QByteArray bytes(count, '\0');
    std::generate(bytes.begin(), bytes.end(), [] { return char(below(256)); });
    return bytes;
}

// The root array of property-list bytes; an empty list when they are none.
QVariantList itemsOf(const QByteArray& data) { return PropertyList::fromData(data).value_or(QVariant()).toList(); }

// Texts that are numbers, rectangles, fonts and counts at their limits, and values of every other type.
QVariant hostileValue()
{
    static const QVariantList values = {
        "", "Y", "-1", "-2147483649", "2147483647", "99999999999", "nan", "inf", "1e39", "-1e30", "1000",
        "{{nan, 0}, {1, 1}}",
        "{{0, 0}, {1e308, 1e308}}", "{{-99999, 5}, {99999, 0}}", "{1e5, 1e5}", "{-0, 14400}", "::::", "X::::1e300",
        "1:1:1", "ZOVAMACIDCARD", "../../etc/passwd", "/.app/Contents/Resources/../../x", QString(70000, u'\u00e9'),
        qint64(1) << 40, 2.5, true, QVariantList{}, QVariantList{"T"}, QVariantList{"B", "{{0,0},{1,1}}"},
        QVariantMap{{"Column1", 1}}, QVariantMap{{"", ""}}, QByteArray("\x89PNG\r\n\x1a\nnot really"),
    };
    return below(10) == 0 ? QVariant(randomBytes(below(40))) : values[below(values.size())];
}

// Replaces, removes or duplicates items of the root, or replaces or cuts off items of one nested array.
QVariantList damageItems(QVariantList items)
{
    for (int changes = 1 + below(4); changes > 0 && !items.isEmpty(); --changes) {
        const int at = below(items.size());
        QVariantList inner = items[at].toList();
        if (items[at].typeId() == QMetaType::QVariantList && below(2) == 0) {
            if (!inner.isEmpty())
                inner[below(inner.size())] = hostileValue();
            items[at] = below(4) == 0 ? inner.mid(0, below(inner.size() + 1)) : inner;
        } else if (below(5) == 0) {
            items.removeAt(at);
        } else if (below(8) == 0) {
            items.insert(at, QVariant(items[at]));
        } else {
            items[at] = hostileValue();
        }
    }
    return items;
}

// Bit flips, truncation, inserted bytes or a splice of two files.
QByteArray damageBytes(QByteArray data, const QByteArray& other)
{
    switch (below(4)) {
    case 0:
        for (int flips = 1 + below(8); flips > 0 && !data.isEmpty(); --flips)
            data[below(data.size())] ^= char(1 << below(8));
        return data;
    case 1: return data.left(below(data.size()));
    case 2: return data.insert(below(data.size() + 1), randomBytes(1 + below(16)));
    default: return data.left(below(data.size() + 1)) + other.mid(below(other.size() + 1));
    }
}

// A binary list's trailer and offset table, enough to find its objects' references.
struct BinaryLayout {
    int offsetSize = 0, refSize = 0;
    quint64 objects = 0, tableAt = 0;
};

quint64 bigEndian(const QByteArray& data, qsizetype at, int width)
{
    quint64 value = 0;
    for (int i = 0; i < width; ++i)
        value = value << 8 | uchar(data[at + i]);
    return value;
}

// Points references of random arrays and dictionaries at random objects: objects shared by many
// places, containers holding themselves, keys and values of the wrong kind.
QByteArray shareReferences(QByteArray data)
{
    const qsizetype trailer = data.size() - 32;
    const BinaryLayout layout{uchar(data[trailer + 6]), uchar(data[trailer + 7]), bigEndian(data, trailer + 8, 8),
                              bigEndian(data, trailer + 24, 8)};
    for (int changes = 1 + below(6); changes > 0; --changes) {
        const quint64 object = quint64(below(int(layout.objects)));
        const qsizetype at = qsizetype(bigEndian(data, qsizetype(layout.tableAt + object * layout.offsetSize), layout.offsetSize));
        const uchar marker = uchar(data[at]);
        if ((marker >> 4) != 0xa && (marker >> 4) != 0xd)
            continue;
        qsizetype refs = at + 1;
        quint64 count = marker & 0x0f;
        if (count == 0x0f) {
            const int width = 1 << (uchar(data[refs]) & 0x0f);
            count = bigEndian(data, refs + 1, width);
            refs += 1 + width;
        }
        count *= (marker >> 4) == 0xd ? 2 : 1;
        const quint64 target = quint64(below(int(layout.objects)));
        // One reference, or every one: a single object standing for all the items.
        const bool all = below(3) == 0;
        for (quint64 n = all ? 0 : quint64(below(int(count))); n < count; n += all ? 1 : count) {
            for (int i = 0; i < layout.refSize; ++i)
                data[refs + qsizetype(n) * layout.refSize + i] = char(target >> (8 * (layout.refSize - 1 - i)));
        }
    }
    return data;
}

// The texts of an XML list cut into pieces: an empty comment between two characters, or a
// character in a CDATA section. The list reads as before.
QByteArray cutIntoPieces(const QByteArray& xml)
{
    QByteArray out;
    qsizetype from = 0;
    for (qsizetype open = xml.indexOf("<string>"); open >= 0; open = xml.indexOf("<string>", from)) {
        const qsizetype start = open + 8, end = xml.indexOf("</string>", start);
        out += xml.mid(from, start - from);
        from = end;
        for (qsizetype i = start; i < end; ++i) {
            // A reference, or a character of all its UTF-8 bytes, stays whole.
            qsizetype last = xml[i] == '&' ? xml.indexOf(';', i) : i;
            while (xml[i] != '&' && last + 1 < end && (uchar(xml[last + 1]) & 0xC0) == 0x80)
                ++last;
            const QByteArray character = xml.mid(i, last - i + 1);
            i = last;
            if (character.startsWith('&') || below(3) != 0)
                out += character;
            else if (below(2) == 0)
                out += "<!---->" + character;
            else
                out += "<![CDATA[" + character + "]]>";
        }
    }
    return out + xml.mid(from);
}

}  // namespace

// The loop runs in slices of their own seeds, so that the slices run side by side.
constexpr int kSlices = 4;
constexpr int kRoundsPerSlice = 375;

class DesignFileMutation : public testing::TestWithParam<int> {};

TEST_P(DesignFileMutation, DamagedDesignFilesAreRefusedOrLoadedSafely)
{
    rng.seed(20261206 + GetParam());
    QTemporaryDir dir;
    const QByteArray full = designFileData(DesignSamples::fullDesign(DesignSamples::samplePicture(dir.path())));
    // plistlib writes every object once and refers to it from each place it stands.
    const QString fullPath = dir.filePath(QStringLiteral("full.did"));
    ASSERT_TRUE(writeDesignFile(fullPath, designStateFromItems(itemsOf(full), nullptr).value()));
    const auto plistlib = TestEnvironment::runPython(
        QStringLiteral("import plistlib, sys\n"
                       "sys.stdout.buffer.write(plistlib.dumps(plistlib.load(open(sys.argv[1], 'rb')), fmt=plistlib.FMT_BINARY))"),
        {fullPath});
    ASSERT_EQ(plistlib.exitCode, 0) << plistlib.err.toStdString();
    const QList<QByteArray> binaries = {PropertyList::toData(itemsOf(full), PropertyList::Format::Binary), plistlib.out};
    const QList<QByteArray> files = QList<QByteArray>{full, designFileData(DesignState())} + binaries;
    for (const QByteArray& file : files)
        ASSERT_TRUE(designStateFromItems(itemsOf(file), nullptr));

    int accepted = 0, refused = 0;
    for (int i = 0; i < kRoundsPerSlice; ++i) {
        const QByteArray& source = files[below(files.size())];
        QVariantList items;
        switch (below(6)) {
        case 0:
        case 1: items = itemsOf(damageBytes(source, files[below(files.size())])); break;
        case 2: items = itemsOf(shareReferences(binaries[below(binaries.size())])); break;
        case 3: {
            const QByteArray pieces = cutIntoPieces(full);
            ASSERT_EQ(itemsOf(pieces), itemsOf(full)) << "iteration " << i;
            items = damageItems(itemsOf(pieces));
            break;
        }
        default: items = damageItems(itemsOf(source));
        }
        DesignFileError error;
        const std::optional<DesignState> state = designStateFromItems(items, &error);
        if (!state) {
            EXPECT_GE(error.itemIndex, 0) << "iteration " << i;
            EXPECT_FALSE(error.reason.isEmpty()) << "iteration " << i;
            ++refused;
            continue;
        }
        ++accepted;
        // What was accepted writes out again, reads back, and writes the same bytes once more.
        const QByteArray again = designFileData(*state);
        ASSERT_FALSE(again.isEmpty()) << "iteration " << i;
        const std::optional<DesignState> reopened = designStateFromItems(itemsOf(again), nullptr);
        ASSERT_TRUE(reopened) << "iteration " << i;
        EXPECT_EQ(designFileData(*reopened), again) << "iteration " << i;
        for (const GraphicPtr& element : state->frontElements + state->backElements)
            (void)element->archivedData();
        // Bounded numbers draw in moments, whatever the file held.
        const CardScene scene{state->frontElements, state->front, 0, QRectF(0, 0, 243, 154)};
        EXPECT_FALSE(rasterAt(scene.card.size(), 72, [&](QPainter& p) { drawCardScene(p, scene); }).isNull());
    }
    EXPECT_GT(accepted, 12);
    EXPECT_GT(refused, 12);
}

INSTANTIATE_TEST_SUITE_P(Slices, DesignFileMutation, testing::Range(0, kSlices));

// A stored picture whose header overflows any size (2147483647 x 2147483647 pixels of four bytes)
// counts as past the budget before anything is decoded: the pictures after it are decoded within
// the budget, not all at once.
TEST(StoredPictureBounds, AnOverflowingHeaderIsPastTheBudgetAndThePicturesAfterItStayWithinIt)
{
    QTemporaryDir dir;
    const QString path = designWithStoredPictures(
        dir.path(), QStringLiteral("barcodes([png_file(2147483647, 2147483647, 6, 8, False, bytes(4))] + [png(4000, s) for s in range(8)])"));
    readWithinBounds(QStringLiteral("a design storing an overflowing picture and eight of 4000 x 4000"), [&] {
        const std::optional<DesignState> state = readDesignFile(path, nullptr);
        ASSERT_TRUE(state);
        ASSERT_EQ(state->frontElements.size(), 9);
        // Only the first 64 MB picture fits the budget.
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(state->frontElements[i]->_barcode_image.isNull(), i != 1) << i;
    });
}
