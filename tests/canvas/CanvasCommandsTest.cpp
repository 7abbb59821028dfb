// The canvas's editing commands: delete, stacking order, alignment, sizing, the inspector's fields,
// the print flag, the refusals for locked elements and the validation of menu items.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "CanvasCommandFixture.h"

namespace {

using Command = void (SKTGraphicView::*)();

class CanvasCommandsTest : public CanvasCommandFixture {
protected:
    bool lockedMessageShown() const
    {
        const QStringList texts = messages();
        return std::any_of(texts.cbegin(), texts.cend(), [](const QString& text) {
            return text.contains(QLatin1String("Selected control is locked."));
        });
    }

    bool validates(const char* action)
    {
        QAction item;
        item.setData(QString::fromLatin1(action));
        const bool answer = view.validateMenuItem(item);
        EXPECT_EQ(answer, item.isEnabled()) << action;
        return answer;
    }
};

TEST_F(CanvasCommandsTest, DeleteRemovesTheSelectionBetweenTwoSnapshots)
{
    const GraphicPtr a = addShape({0, 0, 10, 10});
    addShape({20, 0, 10, 10});
    const GraphicPtr c = addShape({40, 0, 10, 10});
    view.changeSelectionIndexes({1});
    view._Selected_Graphic = view.graphics()[1];

    view.delete_();

    EXPECT_EQ(view.graphics(), (GraphicList{a, c}));
    EXPECT_TRUE(view.selectionIndexes().isEmpty());
    EXPECT_EQ(view._Selected_Graphic, nullptr);
    EXPECT_EQ(host.snapshots, 2);
    ASSERT_FALSE(host.shownProperties.isEmpty());
    EXPECT_EQ(host.shownProperties.last(), nullptr) << "the card's own properties";
}

TEST_F(CanvasCommandsTest, LockedSelectionIsRefusedByDeleteCutAndStacking)
{
    for (Command command : {&SKTGraphicView::delete_, &SKTGraphicView::cut,
                            &SKTGraphicView::bringToFront, &SKTGraphicView::sendToBack}) {
        view.delete_all_control();
        const GraphicPtr free = addShape({0, 0, 10, 10});
        const GraphicPtr locked = addShape({20, 0, 10, 10}, true);
        view.selectAll();
        const int snapshotsBefore = host.snapshots;

        (view.*command)();

        EXPECT_EQ(view.graphics(), (GraphicList{free, locked}));
        EXPECT_EQ(host.snapshots, snapshotsBefore);
    }
    EXPECT_EQ(messages().size(), 4);
    EXPECT_TRUE(lockedMessageShown());
}

TEST_F(CanvasCommandsTest, StackingMovesTheSelectionAsOneBlockInItsOrder)
{
    const GraphicPtr a = addShape({0, 0, 10, 10});
    const GraphicPtr b = addShape({10, 0, 10, 10});
    const GraphicPtr c = addShape({20, 0, 10, 10});
    const GraphicPtr d = addShape({30, 0, 10, 10});

    view.changeSelectionIndexes({1, 3});
    view.bringToFront();
    EXPECT_EQ(view.graphics(), (GraphicList{b, d, a, c}));
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{0, 1}));

    view.changeSelectionIndexes({0, 2});
    view.sendToBack();
    EXPECT_EQ(view.graphics(), (GraphicList{d, c, b, a}));
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{2, 3}));
    EXPECT_EQ(host.buttonStates, 2);
}

struct AlignmentCase {
    const char* name;
    Command command;
    QPointF alone;      // origin of a 40 x 20 element alone on the 243 x 154 card
    QPointF withFirst;  // origin of the second element when the first is at (30, 40, 50, 20)
};

void PrintTo(const AlignmentCase& alignment, std::ostream* out)
{
    *out << alignment.name;
}

class CanvasAlignmentTest : public CanvasCommandsTest,
                            public ::testing::WithParamInterface<AlignmentCase> {};

TEST_P(CanvasAlignmentTest, OneSelectedAlignsToTheCard)
{
    const GraphicPtr g = add(GraphicKind::Barcode, {100, 100, 40, 20});
    view.selectAll();
    (view.*GetParam().command)();
    EXPECT_EQ(g->bounds(), QRectF(GetParam().alone, QSizeF(40, 20)));
    EXPECT_EQ(g->bar_image_ctrl_bounds, g->bounds()) << "a barcode's picture follows";
    EXPECT_EQ(host.buttonStates, 1);
}

TEST_P(CanvasAlignmentTest, SeveralSelectedAlignToTheFirstAndSkipLockedOnes)
{
    const GraphicPtr first = addShape({30, 40, 50, 20});
    const GraphicPtr second = addShape({100, 90, 40, 20});
    const GraphicPtr locked = addShape({5, 5, 40, 20}, true);
    view.selectAll();
    (view.*GetParam().command)();
    EXPECT_EQ(second->bounds(), QRectF(GetParam().withFirst, QSizeF(40, 20)));
    EXPECT_EQ(locked->bounds(), QRectF(5, 5, 40, 20));
    EXPECT_TRUE(messages().isEmpty()) << "locked elements are skipped silently";
}

INSTANTIATE_TEST_SUITE_P(
    EachAlignment, CanvasAlignmentTest,
    ::testing::Values(
        AlignmentCase{"Left", &SKTGraphicView::alignLeftEdges, {0, 100}, {30, 90}},
        AlignmentCase{"Right", &SKTGraphicView::alignRightEdges, {203, 100}, {40, 90}},
        AlignmentCase{"Top", &SKTGraphicView::alignTopEdges, {100, 0}, {100, 40}},
        AlignmentCase{"Bottom", &SKTGraphicView::alignBottomEdges, {100, 134}, {100, 40}},
        // Centring always uses the card, however many are selected.
        AlignmentCase{"HorizontalCentres", &SKTGraphicView::alignHorizontalCenters, {101.5, 100}, {101.5, 90}},
        AlignmentCase{"VerticalCentres", &SKTGraphicView::alignVerticalCenters, {100, 67}, {100, 67}},
        AlignmentCase{"Centre", &SKTGraphicView::alignformCenter, {101.5, 67}, {101.5, 67}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CanvasCommandsTest, AlignWithGridSnapsEveryEdgeOfUnlockedElements)
{
    SKTGrid grid;
    view.setGrid(&grid);
    const GraphicPtr g = addShape({4, 4, 10, 10});
    const GraphicPtr locked = addShape({4, 4, 10, 10}, true);
    view.selectAll();
    view.alignWithGrid();
    EXPECT_EQ(g->bounds(), QRectF(0, 0, 18, 18));
    EXPECT_EQ(locked->bounds(), QRectF(4, 4, 10, 10));
    view.setGrid(nullptr);
}

TEST_F(CanvasCommandsTest, SameWidthAndHeightSkipBarcodesAndLockedElements)
{
    const GraphicPtr first = addShape({0, 0, 60, 30});
    const GraphicPtr shape = addShape({0, 50, 20, 10});
    const GraphicPtr barcode = add(GraphicKind::Barcode, {0, 80, 25, 15});
    const GraphicPtr locked = addShape({0, 100, 5, 5}, true);
    view.selectAll();

    view.makeSameWidth();
    view.makeSameHeight();

    EXPECT_EQ(shape->bounds(), QRectF(0, 50, 60, 30));
    EXPECT_EQ(barcode->bounds(), QRectF(0, 80, 25, 15));
    EXPECT_EQ(locked->bounds(), QRectF(0, 100, 5, 5));
}

TEST_F(CanvasCommandsTest, PositionAndSizeFieldsReachUnlockedElements)
{
    const GraphicPtr shape = addShape({0, 0, 10, 10});
    const GraphicPtr barcode = add(GraphicKind::Barcode, {0, 0, 10, 10});
    const GraphicPtr locked = addShape({0, 0, 10, 10}, true);
    view.selectAll();
    Measument_Unit_Is = 1;  // centimetres
    host.frameValues[int(CanvasHost::FrameField::XPos)] = 12.5f;
    host.frameValues[int(CanvasHost::FrameField::Width)] = 2.54f;

    view.Frame_main_Pic_X_Pos_Changed();
    view.Frame_main_Pic_Wdith_Changed();
    Measument_Unit_Is = 2;

    // Positions are points as typed, sizes come in the display unit.
    EXPECT_DOUBLE_EQ(shape->xPosition(), 12.5);
    EXPECT_NEAR(shape->width(), 72.0, 1e-4);
    EXPECT_DOUBLE_EQ(barcode->xPosition(), 12.5);
    EXPECT_DOUBLE_EQ(barcode->width(), 10.0);
    EXPECT_EQ(locked->bounds(), QRectF(0, 0, 10, 10));
}

TEST_F(CanvasCommandsTest, MenuValidationFollowsSelectionLocksAndClipboard)
{
    QGuiApplication::clipboard()->clear();
    // Nothing selected.
    EXPECT_FALSE(validates("delete:"));
    EXPECT_FALSE(validates("copy:"));
    EXPECT_FALSE(validates("paste:"));
    EXPECT_FALSE(validates("alignLeftEdges:"));
    EXPECT_TRUE(validates("selectAll:"));
    EXPECT_TRUE(validates("card_properties:"));

    // One unlocked element: single-element commands, but no pairwise alignment or unlocking.
    const GraphicPtr g = addShape({0, 0, 30, 10});
    view.selectAll();
    view._Selected_Graphic = g;
    EXPECT_TRUE(validates("cut:"));
    EXPECT_TRUE(validates("lock_ctrl:"));
    EXPECT_FALSE(validates("unlock_ctrl:"));
    EXPECT_FALSE(validates("makeSameWidth:"));
    EXPECT_TRUE(validates("makeNaturalSize:")) << "a 30 x 10 box can be squared";
    EXPECT_FALSE(validates("alignWithGrid:")) << "no grid";

    // Two selected, the current one locked: the editing of the locked one is off.
    addShape({40, 0, 10, 10});
    view.selectAll();
    g->ctrl_is_locked = true;
    EXPECT_FALSE(validates("cut:"));
    EXPECT_FALSE(validates("delete:"));
    EXPECT_FALSE(validates("bringToFront:"));
    EXPECT_FALSE(validates("lock_ctrl:"));
    EXPECT_TRUE(validates("unlock_ctrl:"));
    EXPECT_TRUE(validates("copy:"));
    EXPECT_TRUE(validates("alignTopEdges:"));
    EXPECT_TRUE(validates("makeSameHeight:"));

    // Paste needs copied elements; the window decides on undo.
    g->ctrl_is_locked = false;
    view.copy();
    EXPECT_TRUE(validates("paste:"));
    auto* text = new QMimeData;
    text->setText(QStringLiteral("plain"));
    QGuiApplication::clipboard()->setMimeData(text);
    EXPECT_FALSE(validates("paste:"));
    EXPECT_TRUE(validates("undo:"));

    QAction rulers;
    rulers.setData(QStringLiteral("showOrHideRulers:"));
    EXPECT_TRUE(view.validateMenuItem(rulers));
    EXPECT_EQ(rulers.text(), QStringLiteral("Show Ruler"));
    view.showOrHideRulers();
    view.validateMenuItem(rulers);
    EXPECT_EQ(rulers.text(), QStringLiteral("Hide Ruler"));
}

}  // namespace
