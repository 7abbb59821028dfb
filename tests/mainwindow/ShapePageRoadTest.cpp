// A shape of an opened design changed through its page on the main window: the fill kind, the
// dashes and the width of its border, each taken back by Undo; then a place and a width typed on
// the arrange page. An element typed off the card is brought back alone, as the guide tells.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMainWindow>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "mainwindow/SnapshotUndo.h"
#include "mainwindow/WindowDesignFile.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"
#include "support/CanvasMouse.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/FieldTyping.h"

namespace {

class ShapePageRoadTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0, live_mode_list_value_change = false;
        Measument_Unit_Is = last_unit_val = kUnitMillimetre;
        controller.showWindow();
        QApplication::setActiveWindow(controller.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.window()));
    }

    // Saves a design of these front elements on a card of the standard size and opens it as a
    // user does.
    void openDesignOf(const GraphicList& elements)
    {
        const QString design = scratch.filePath(QStringLiteral("badge.did"));
        QList<int> places;
        for (int i = 0; i < elements.size(); ++i)
            places << i;
        document.insertGraphicsOnSide(SKTDocument::FrontSide, elements, places);
        for (Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop})
            side->setCard_Size(QSizeF(242.65, 153.07));
        ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(design, false, QStringLiteral("L")));
        dialogs.queueOpenFile(design);
        messages.queueAnswers({1});  // no saving of the design made above
        action("Open_Btn_Clicked").trigger();
        ASSERT_EQ(document.graphics().size(), elements.size());
    }
    // The shape as the front side now holds it: an Undo puts new elements in place.
    GraphicPtr shape() const { return document.graphics().first(); }
    void clickShape() { canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), {50, 35}, {50, 35}); }
    void type(const char* field, const QString& text)
    {
        auto& spin = control<QAbstractSpinBox>(field);
        spin.setFocus();
        typeAndEnter(spin, text);
    }
};

TEST_F(ShapePageRoadTest, AShapeChangedOnItsPageIsTakenBackByUndoAndTypedFieldsPlaceAndSizeIt)
{
    const GraphicPtr made = SKTGraphic::create(GraphicKind::Shape);
    made->Set_Shape_Type(QStringLiteral("RR"));
    made->setBounds(QRectF(20, 20, 60, 30));
    made->_strokeWidth = 1.5;
    ASSERT_NO_FATAL_FAILURE(openDesignOf({made}));
    const QByteArray opened = shape()->archiveDigest();

    clickShape();
    ASSERT_EQ(inspector().sett_tab().tabText(0), "General");
    EXPECT_EQ(control<QSpinBox>("shape_bor_Stepper").value(), 1);
    control<QRadioButton>("Shape_gradient_fill_rd").click();
    EXPECT_EQ(shape()->_fill_type, "G");
    EXPECT_EQ(shape()->_strokeWidth, 1.5) << "the width was left alone";
    choose("shape_border_style", 1);
    EXPECT_EQ(shape()->_stroke_border_type, "DA");
    type("shape_bor_Stepper", QStringLiteral("3"));
    EXPECT_EQ(shape()->_strokeWidth, 3);

    action("Undo_btn").trigger();
    EXPECT_EQ(shape()->_strokeWidth, 1.5);
    EXPECT_EQ(shape()->_stroke_border_type, "DA");
    action("Undo_btn").trigger();
    action("Undo_btn").trigger();
    EXPECT_EQ(shape()->archiveDigest(), opened);
    EXPECT_FALSE(action("Undo_btn").isEnabled());

    clickShape();
    ASSERT_TRUE(inspector().showPage(QStringLiteral("aligmnt_tab")));
    EXPECT_EQ(control<QDoubleSpinBox>("frame_main_pic_X_pos").value(), 20);
    type("frame_main_pic_X_pos", QStringLiteral("36"));
    EXPECT_EQ(shape()->xPosition(), 36);
    type("frame_main_pic_width", QStringLiteral("25.4"));
    EXPECT_NEAR(shape()->width(), 72, 1e-4);
    action("Undo_btn").trigger();
    EXPECT_EQ(shape()->bounds(), QRectF(36, 20, 60, 30));
}

// Select All, then a Ctrl+click inside each element that shows takes it out of the selection, so
// Center on Card moves only the element typed off the card.
TEST_F(ShapePageRoadTest, AnElementTypedOffTheCardIsCentredAloneAfterTheOthersAreClickedOutOfSelectAll)
{
    GraphicList made;
    for (const QRectF& box : {QRectF(20, 20, 60, 30), QRectF(150, 90, 60, 30), QRectF(20, 90, 70, 20)}) {
        made << SKTGraphic::create(box.height() == 20 ? GraphicKind::Text : GraphicKind::Shape);
        made.last()->setBounds(box);
    }
    made.last()->Set_text_value(QStringLiteral("Lost"));
    ASSERT_NO_FATAL_FAILURE(openDesignOf(made));
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    // The two shapes that stay on the card and their places, then the text to lose.
    GraphicList shown = document.graphics();
    const auto text = std::find_if(shown.cbegin(), shown.cend(),
                                   [](const GraphicPtr& element) { return element->kind() == GraphicKind::Text; });
    ASSERT_NE(text, shown.cend());
    const GraphicPtr lost = *text;
    shown.removeOne(lost);
    QList<QRectF> places;
    for (const GraphicPtr& element : shown)
        places << element->bounds();

    canvas_mouse::drag(canvas, lost->bounds().center(), lost->bounds().center());
    ASSERT_TRUE(inspector().showPage(QStringLiteral("aligmnt_tab")));
    type("frame_main_pic_X_pos", QStringLiteral("400"));
    type("frame_main_pic_Y_pos", QStringLiteral("300"));
    ASSERT_EQ(lost->bounds(), QRectF(400, 300, 70, 20)) << "wholly off the card";

    action("Select_All_menu").trigger();
    ASSERT_EQ(canvas.selectedGraphics().size(), 3);
    const double zoom = canvas.zoomFactor();
    for (const QRectF& place : places)
        QTest::mouseClick(&canvas, Qt::LeftButton, Qt::ControlModifier, (place.center() * zoom).toPoint());
    ASSERT_EQ(canvas.selectedGraphics().size(), 1);
    ASSERT_EQ(canvas.selectedGraphics().first().get(), lost.get());
    EXPECT_EQ(control<QDoubleSpinBox>("frame_main_pic_X_pos").value(), 400) << "the inspector shows the lost text";

    action("align_center_btn").trigger();
    EXPECT_EQ(lost->bounds().center(), canvas.viewBounds().center());
    EXPECT_EQ(lost->bounds().size(), QSizeF(70, 20));
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(shown[i]->bounds(), places[i]) << "element " << i << " kept its place";
}

}  // namespace
