#pragma once
// The inspector over a stand-in main window whose front canvas is a real SKTGraphicView: elements
// put on the front side, selected there and shown by the dispatch. The canvas reads the position
// fields as the main window's canvas host does, and counts the snapshots it takes itself. Messages
// and dialogs are scripted.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "FakeInspectorWindow.h"
#include "FieldTyping.h"
#include "InspectorControls.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/canvas/CanvasHost.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/PropertyInspector.h"

class FieldReadingCanvasHost : public CanvasHostStandIn {
public:
    const PositionFields* fields = nullptr;
    int snapshots = 0;
    float Frame_Field_Value(FrameField field) const override { return fields->Frame_Field_Value(field); }
    void Insert_In_Undo_Redo() override { ++snapshots; }
};

class ElementPanelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Not_Draw_Only_Prop_Change = false, Start_Card_Option = QStringLiteral("L");
        Measument_Unit_Is = last_unit_val = kUnitMillimetre;
        canvasHost.fields = &inspector.positionFields();
        setCanvasHost(&canvasHost);
        window.frontView.setGrid(&window.canvasGrid);
        inspector.setUpControls({QStringLiteral("Cross"), QStringLiteral("Dots"), QStringLiteral("Horizontal_Lines")});
    }
    void TearDown() override
    {
        setCanvasHost(nullptr);
        Not_Draw_Only_Prop_Change = false, Start_Card_Option = QStringLiteral("T");
        Measument_Unit_Is = last_unit_val = kUnitMillimetre;
    }

    // Puts the elements on the front side after those already there, in their order.
    void put(const GraphicList& graphics)
    {
        QList<int> indexes;
        for (int i = 0; i < int(graphics.size()); ++i)
            indexes << int(window.document.graphics().size()) + i;
        window.document.insertGraphicsOnSide(SKTDocument::FrontSide, graphics, indexes);
    }
    GraphicPtr add(GraphicKind kind, const QRectF& bounds = QRectF(), bool locked = false,
                   const QString& shape = QStringLiteral("R"))
    {
        GraphicPtr graphic = SKTGraphic::create(kind);
        graphic->Set_Shape_Type(shape);
        graphic->setBounds(bounds);
        graphic->ctrl_is_locked = locked;
        put({graphic});
        return graphic;
    }
    // Selects them on the front canvas and shows the first, as a click on it does; the counts
    // start afresh.
    void selectAndShow(const GraphicList& graphics)
    {
        QList<int> indexes;
        for (const GraphicPtr& graphic : graphics)
            indexes << int(window.document.graphics().indexOf(graphic));
        inspector.Show_RHS_Properties(nullptr);
        window.frontView.changeSelectionIndexes(indexes);
        window.frontView._Selected_Graphic = graphics.first();
        inspector.Show_RHS_Properties(graphics.first().get());
        window.refreshes = window.snapshots = canvasHost.snapshots = 0;
    }
    // Puts the elements on the front side and selects the first `selected` of them (all by default).
    void placeAndShow(const GraphicList& graphics, qsizetype selected = -1)
    {
        put(graphics);
        selectAndShow(selected < 0 ? graphics : graphics.first(selected));
    }
    // The inspector as the active window, for typing and balloons.
    void showView()
    {
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    template <typename Control>
    Control& control(const char* name)
    {
        return inspectorControl<Control>(view, name);
    }
    void choose(const char* combo, int index) { chooseItem(control<QComboBox>(combo), index); }
    void pickColour(const char* well, const QColor& colour) { ::pickColour(dialogs, control<ColorWell>(well), colour); }
    // Types over the named field on its page and presses Enter; the balloon shown.
    QString enter(const char* name, const QString& text) { return enterOnPage(view, control<QAbstractSpinBox>(name), text); }

    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    FieldReadingCanvasHost canvasHost;
    FakeInspectorWindow window;
    InspectorView view;
    PropertyInspector inspector{view, window};
};
