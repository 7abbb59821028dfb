// Every road the guide lists as an edit is one Undo step of its own on the real main window: the
// edit, then an arrow key; Undo shows the edit's result, Undo again the card before it, and two
// Redos come back through both.
#include <QTest>

#include "MainWindowFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/SnapshotUndo.h"
#include "views/inspector/FieldTyping.h"

namespace {

const QRectF kLeft(20, 40, 60, 30);
const QRectF kRight(120, 70, 40, 40);

class UndoEachEditRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        controller.inspector().setUpControls({});
        controller.showWindow();
    }
    SKTGraphicView& canvas() const { return *controller.editedGraphicView(); }
    // Two rectangles, nothing selected, and the history starting from them as after an Open.
    void startOver()
    {
        GraphicList elements;
        for (const QRectF& bounds : {kLeft, kRight}) {
            GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
            shape->Set_Shape_Type(QStringLiteral("R"));
            shape->setBounds(bounds);
            elements.append(shape);
        }
        canvas().replaceGraphics(elements);
        canvas().changeSelectionIndexes({});
        controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History();
    }
    // The front side as Undo compares it: every element's every value, in order.
    UndoSnapshot shown() const { return SnapshotUndo::snapshotOf(document.graphics()); }
    void click(QPointF at) { canvas_mouse::drag(canvas(), at, at); }
    void trigger(const char* name) { action(QLatin1String(name)).trigger(); }
};

struct Road {
    const char* name;
    std::function<void()> edit;
};

}  // namespace

TEST_F(UndoEachEditRoad, EachEditIsOneUndoStepWhateverFollowsIt)
{
    const QList<Road> roads{
        {"resize by a handle",
         [this] {
             click(kLeft.center());
             canvas_mouse::drag(canvas(), kLeft.bottomRight(), kLeft.bottomRight() + QPointF(25, 15));
         }},
        {"move by dragging", [this] { canvas_mouse::drag(canvas(), kLeft.center(), kLeft.center() + QPointF(9, 4)); }},
        {"arrow key", [this] { click(kRight.center()), QTest::keyClick(&canvas(), Qt::Key_Down); }},
        {"new element", [this] { trigger("star_tool_btn"); }},
        {"paste", [this] { click(kLeft.center()), trigger("Copy_btn"), trigger("Paste_btn"); }},
        {"paste from the canvas menu",
         [this] { click(kLeft.center()), canvas().performMenuAction(QStringLiteral("copy:")), canvas().performMenuAction(QStringLiteral("paste:")); }},
        {"cut", [this] { click(kRight.center()), trigger("Cut_btn"); }},
        {"delete", [this] { click(kLeft.center()), trigger("Delete_btn"); }},
        {"bring to front", [this] { click(kRight.center()), trigger("Begin_Front_btn"); }},
        {"lock", [this] { click(kRight.center()), trigger("Lock_btn"); }},
        {"align left edges", [this] { canvas().selectAll(), trigger("align_left_btn"); }},
        {"arrange page's X", [this] {
             click(kLeft.center());
             enterOnPage(inspector(), control<QAbstractSpinBox>("frame_main_pic_X_pos"), QStringLiteral("44"));
         }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        startOver();
        const UndoSnapshot before = shown();
        road.edit();
        const UndoSnapshot edited = shown();
        ASSERT_NE(edited, before) << "the road changed the card";
        canvas().selectAll();
        QTest::keyClick(&canvas(), Qt::Key_Right);
        const UndoSnapshot moved = shown();
        ASSERT_NE(moved, edited) << "the arrow key moved an element";

        const QList<std::pair<const char*, UndoSnapshot>> steps{
            {"Undo_btn", edited}, {"Undo_btn", before}, {"Redo_btn", edited}, {"Redo_btn", moved}};
        for (const auto& [command, expected] : steps) {
            trigger(command);
            EXPECT_EQ(shown(), expected) << "after " << command;
        }
        EXPECT_FALSE(action(QStringLiteral("Redo_btn")).isEnabled());
    }
}
