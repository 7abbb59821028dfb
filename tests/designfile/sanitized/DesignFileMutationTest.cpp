// Design files come from users: damaged or hostile files must be refused or loaded safely, never
// crash. A fixed-seed loop damages real design files (XML and binary), reads them, writes again and
// draws what was accepted, under AddressSanitizer and UBSan.
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "platform/PropertyList.h"
#include "render/CardImage.h"

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

}  // namespace

TEST(DesignFileMutation, DamagedDesignFilesAreRefusedOrLoadedSafely)
{
    QTemporaryDir dir;
    const QByteArray full = designFileData(DesignSamples::fullDesign(DesignSamples::samplePicture(dir.path())));
    const QList<QByteArray> files = {full, designFileData(DesignState()),
                                     PropertyList::toData(itemsOf(full), PropertyList::Format::Binary)};
    for (const QByteArray& file : files)
        ASSERT_TRUE(designStateFromItems(itemsOf(file), nullptr));

    int accepted = 0, refused = 0;
    for (int i = 0; i < 1500; ++i) {
        const QByteArray& source = files[below(files.size())];
        const QVariantList items = below(2) == 0 ? itemsOf(damageBytes(source, files[below(files.size())]))
                                                 : damageItems(itemsOf(source));
        DesignFileError error;
        const std::optional<DesignState> state = designStateFromItems(items, &error);
        if (!state) {
            EXPECT_GE(error.itemIndex, 0) << "iteration " << i;
            EXPECT_FALSE(error.reason.isEmpty()) << "iteration " << i;
            ++refused;
            continue;
        }
        ++accepted;
        // What was accepted writes out again and reads back.
        const QByteArray again = designFileData(*state);
        ASSERT_FALSE(again.isEmpty()) << "iteration " << i;
        EXPECT_TRUE(designStateFromItems(itemsOf(again), nullptr)) << "iteration " << i;
        for (const GraphicPtr& element : state->frontElements + state->backElements)
            (void)element->archivedData();
        // Bounded numbers draw in moments, whatever the file held.
        const CardScene scene{state->frontElements, state->front, 0, QRectF(0, 0, 243, 154)};
        EXPECT_FALSE(rasterAt(scene.card.size(), 72, [&](QPainter& p) { drawCardScene(p, scene); }).isNull());
    }
    EXPECT_GT(accepted, 50);
    EXPECT_GT(refused, 50);
}
