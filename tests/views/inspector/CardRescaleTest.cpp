// Resizing the card: the rescale of both sides, the template variant of the other orientation
// and the choice between them.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

#include "model/TestCardHost.h"
#include "platform/Units.h"
#include "support/TestEnvironment.h"
#include "views/inspector/CardRescale.h"

namespace {

// Records the elements shown in the inspector, in the order their bounds were set.
class RecordingCardHost : public TestCardHost {
public:
    QList<const SKTGraphic*> placed;
    void Set_Control_Pos_And_Size(SKTGraphic& graphic) override { placed.append(&graphic); }
};

GraphicPtr element(GraphicKind kind, const QRectF& bounds, bool locked = false)
{
    GraphicPtr graphic = SKTGraphic::create(kind);
    graphic->_bounds = bounds;
    graphic->ctrl_is_locked = locked;
    return graphic;
}

void expectBounds(const GraphicPtr& graphic, const QRectF& expected, double tolerance = 0.01)
{
    const QRectF b = graphic->bounds();
    EXPECT_NEAR(b.x(), expected.x(), tolerance);
    EXPECT_NEAR(b.y(), expected.y(), tolerance);
    EXPECT_NEAR(b.width(), expected.width(), tolerance);
    EXPECT_NEAR(b.height(), expected.height(), tolerance);
}

const float kCardWidth = unitToPoints(85.6f, kUnitMillimetre);
const float kCardHeight = unitToPoints(54.0f, kUnitMillimetre);

}  // namespace

using CardRescaleTest = WithCardHost<RecordingCardHost>;

// A landscape CR80 turned to portrait (pw about -36.92 %, ph about 58.52 %), then a taller card.
TEST_F(CardRescaleTest, PortraitTurnOrATallerCardMovesAndScalesEachKind)
{
    const GraphicPtr shape = element(GraphicKind::Shape, {100, 50, 60, 30});
    const GraphicPtr lockedShape = element(GraphicKind::Shape, {100, 50, 60, 30}, true);
    const GraphicPtr text = element(GraphicKind::Text, {100, 50, 60, 18});
    const GraphicPtr barcode = element(GraphicKind::Barcode, {100, 50, 60, 30});
    Set_Control_Location_Size_IF_Card_Size_Change({shape, text}, {barcode, lockedShape}, kCardWidth, kCardHeight,
                                                  kCardHeight, kCardWidth, true);
    expectBounds(shape, {63.08, 79.26, 37.85, 47.56});
    expectBounds(lockedShape, {63.08, 79.26, 37.85, 47.56});
    expectBounds(text, {63.08, 79.26, 50, 28.53});
    expectBounds(barcode, {63.08, 79.26, 60, 30});
    EXPECT_EQ(host.placed, (QList<const SKTGraphic*>{shape.get(), text.get(), barcode.get(), lockedShape.get()}));

    // The height alone (ph about 10.80 %, pw 0): only the vertical changes.
    const GraphicPtr taller = element(GraphicKind::Shape, {100, 50, 60, 30});
    Set_Control_Location_Size_IF_Card_Size_Change({taller}, {}, 254.88f, 153.36f, 254.88f, 169.92f, true);
    expectBounds(taller, {100, 55.40, 60, 33.24}, 0.005);
}

// A barcode keeps its symbol's size on either side, and its box goes with it.
TEST_F(CardRescaleTest, ABarcodesBoxMovesWithItOnBothSides)
{
    const GraphicPtr front = element(GraphicKind::Barcode, {100, 50, 60, 30});
    const GraphicPtr back = element(GraphicKind::Barcode, {20, 100, 60, 30});
    Set_Control_Location_Size_IF_Card_Size_Change({front}, {back}, kCardWidth, kCardHeight, kCardHeight, kCardWidth,
                                                  true);
    expectBounds(front, {63.08, 79.26, 60, 30});
    expectBounds(back, {12.62, 158.52, 60, 30});
    EXPECT_EQ(front->bar_image_ctrl_bounds, front->bounds());
    EXPECT_EQ(back->bar_image_ctrl_bounds, back->bounds());
}

TEST_F(CardRescaleTest, UnchangedOrUnusableSizesMoveNothing)
{
    const GraphicPtr shape = element(GraphicKind::Shape, {100, 50, 60, 30});
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float w = kCardWidth, h = kCardHeight;
    const std::vector<std::array<float, 4>> cases{
        {w, h, w, h}, {0, 0, w, h}, {w, 0, w, h}, {-5, h, w, h}, {nan, h, w, h}, {w, inf, w, h},
        {1e-42f, h, w, h},  // a denormal old width overflows the percentage
        {w, h, 0, h}, {w, h, w, nan},
    };
    for (const auto& [ow, oh, nw, nh] : cases) {
        Set_Control_Location_Size_IF_Card_Size_Change({shape}, {}, ow, oh, nw, nh, true);
        EXPECT_EQ(shape->bounds(), QRectF(100, 50, 60, 30)) << ow << " " << oh << " " << nw << " " << nh;
    }
    EXPECT_TRUE(host.placed.isEmpty());
}

// Python's double precision as the reference for our single-precision arithmetic.
TEST_F(CardRescaleTest, SinglePrecisionStaysNearADoubleRecomputation)
{
    const QList<GraphicKind> kinds{GraphicKind::Shape, GraphicKind::Text, GraphicKind::Barcode, GraphicKind::Image};
    GraphicList side;
    QJsonArray input;
    for (int i = 0; i < 120; ++i) {
        const QRectF bounds(i * 7.3, 600 - i * 4.9, 3 + i * 2.1, 1 + i * 1.7);
        side.append(element(kinds[i % kinds.size()], bounds));
        input.append(QJsonArray{side.last()->className(), bounds.x(), bounds.y(), bounds.width(), bounds.height()});
    }
    Set_Control_Location_Size_IF_Card_Size_Change(side, {}, 243.0f, 153.0f, 612.5f, 97.25f, true);

    QTemporaryDir folder;
    QFile elements(folder.filePath(QStringLiteral("elements.json")));
    ASSERT_TRUE(elements.open(QIODevice::WriteOnly));
    elements.write(QJsonDocument(input).toJson());
    elements.close();
    const TestEnvironment::ProcessResult result = TestEnvironment::runPython(QStringLiteral(R"(
import json, sys
pw, ph = (612.5 - 243) * 100 / 243, (97.25 - 153) * 100 / 153
out = []
for kind, x, y, w, h in json.load(open(sys.argv[1])):
    if kind != "SKTBarcode":
        w, h = w + w * pw / 100, h + h * ph / 100
    if kind == "SKTText":
        w, h = max(w, 50.0), max(h, 20.0)
    out.append([x + x * pw / 100, y + y * ph / 100, w, h])
print(json.dumps(out))
)"), {elements.fileName()});
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    const QJsonArray expected = QJsonDocument::fromJson(result.out).array();
    ASSERT_EQ(expected.size(), side.size());
    for (int i = 0; i < side.size(); ++i) {
        const QJsonArray b = expected[i].toArray();
        expectBounds(side[i], QRectF(b[0].toDouble(), b[1].toDouble(), b[2].toDouble(), b[3].toDouble()), 1e-3);
    }
}

class TemplateVariantTest : public ::testing::Test {
protected:
    QString file(const QString& relative)
    {
        QFile made(dir.filePath(relative));
        EXPECT_TRUE(made.open(QIODevice::WriteOnly)) << relative.toStdString();
        return made.fileName();
    }
    void folder(const QString& relative) { EXPECT_TRUE(QDir(dir.path()).mkpath(relative)); }
    QString variant(const QString& path, const char* from = "Horizontal", const char* to = "Vertical")
    {
        return templateVariantPath(path, QString::fromLatin1(from), QString::fromLatin1(to));
    }
    QTemporaryDir dir;
};

TEST_F(TemplateVariantTest, FindsTheOtherOrientationWhateverItsCase)
{
    const QString horizontal = file(QStringLiteral("Staff (h).zvt"));
    const QString vertical = file(QStringLiteral("STAFF (V).zvt"));
    EXPECT_EQ(variant(horizontal), vertical);
    EXPECT_EQ(variant(vertical, "Vertical", "Horizontal"), horizontal);
    EXPECT_EQ(variant(horizontal, "Horizontal", "Custom"), QString());
    EXPECT_EQ(variant(horizontal, "Vertical", "Horizontal"), QString());
}

TEST_F(TemplateVariantTest, MissingVariantsAndFoldersGiveNothing)
{
    EXPECT_EQ(variant(file(QStringLiteral("Visitor (h).zvt"))), QString());
    EXPECT_EQ(variant(file(QStringLiteral("Plain.zvt"))), QString());
    folder(QStringLiteral("Guest (v).zvt"));  // a folder with the variant's name is no template
    EXPECT_EQ(variant(file(QStringLiteral("Guest (h).zvt"))), QString());
}

// Only the file's name changes, even where its folder carries the mark too.
TEST_F(TemplateVariantTest, FolderNamedLikeTheFileIsLeftAlone)
{
    folder(QStringLiteral("Badge (H)"));
    folder(QStringLiteral("Badge (V)"));
    const QString horizontal = file(QStringLiteral("Badge (H)/Badge (H).zvt"));
    file(QStringLiteral("Badge (V)/Badge (V).zvt"));
    EXPECT_EQ(variant(horizontal), QString());
    const QString vertical = file(QStringLiteral("Badge (H)/badge (v).zvt"));
    EXPECT_EQ(variant(horizontal), vertical);
}

TEST_F(TemplateVariantTest, SwapOnlyForAnUntouchedUnsavedTemplateDesign)
{
    const QString horizontal = file(QStringLiteral("Card (h).zvt"));
    const QString vertical = file(QStringLiteral("Card (v).zvt"));
    const CardSizeChoice landscape{QStringLiteral("Horizontal"), QStringLiteral("Card"), 0};
    const CardSizeChoice portrait{QStringLiteral("Vertical"), QStringLiteral("Card"), 0};
    const DesignFacts fresh{false, {}, QStringLiteral("T"), horizontal};

    const CardSizeChange swap = cardSizeChangeFor(landscape, portrait, fresh);
    EXPECT_TRUE(swap.rescale);
    EXPECT_EQ(swap.templateVariant, vertical);
    EXPECT_FALSE(cardSizeChangeFor(landscape, landscape, fresh).rescale);
    EXPECT_FALSE(cardSizeChangeFor(landscape, {QStringLiteral("Custom"), QStringLiteral("Card"), 0}, fresh).rescale);

    DesignFacts edited = fresh, saved = fresh, group = fresh;
    edited.editedSinceStart = true;
    saved.projectFileName = QStringLiteral("/tmp/card.did");
    group.startOption = QStringLiteral("G");
    for (const DesignFacts& design : {edited, saved, group}) {
        const CardSizeChange change = cardSizeChangeFor(landscape, portrait, design);
        EXPECT_TRUE(change.rescale);
        EXPECT_EQ(change.templateVariant, QString());
    }
    const CardSizeChange otherRow = cardSizeChangeFor(landscape, {QStringLiteral("Horizontal"), QStringLiteral("Card"), 3}, fresh);
    EXPECT_TRUE(otherRow.rescale);
    EXPECT_EQ(otherRow.templateVariant, QString());
}
