#pragma once
// The inspector over a stand-in main window whose front canvas is a real SKTGraphicView: elements
// put on the front side, selected there and shown by the dispatch. The canvas reads the position
// fields as the main window's canvas host does, and counts the snapshots it takes itself.
#include <QColorDialog>
#include <QComboBox>
#include <gtest/gtest.h>

#include "FakeInspectorWindow.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/canvas/CanvasHost.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/InspectorView.h"
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

    GraphicPtr add(GraphicKind kind, const QRectF& bounds, bool locked = false, const QString& shape = QStringLiteral("R"))
    {
        GraphicPtr graphic = SKTGraphic::create(kind);
        graphic->Set_Shape_Type(shape);
        graphic->setBounds(bounds);
        graphic->ctrl_is_locked = locked;
        window.document.insertGraphicsOnSide(SKTDocument::FrontSide, {graphic}, {int(window.document.graphics().size())});
        return graphic;
    }
    // Selects them on the front canvas and shows the first; the counts start afresh.
    void selectAndShow(const GraphicList& graphics)
    {
        QList<int> indexes;
        for (const GraphicPtr& graphic : graphics)
            indexes << int(window.document.graphics().indexOf(graphic));
        inspector.Show_RHS_Properties(nullptr);
        window.frontView.changeSelectionIndexes(indexes);
        inspector.Show_RHS_Properties(graphics.first().get());
        window.refreshes = window.snapshots = canvasHost.snapshots = 0;
    }

    template <typename Control>
    Control& control(const char* name)
    {
        auto* found = view.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    void choose(const char* combo, int index)
    {
        control<QComboBox>(combo).setCurrentIndex(index);
        Q_EMIT control<QComboBox>(combo).activated(index);
    }
    void pickColour(const char* well, const QColor& colour)
    {
        dialogs.queueHook([colour](QDialog& dialog) {
            static_cast<QColorDialog&>(dialog).setCurrentColor(colour);
            dialog.setResult(QDialog::Accepted);
        });
        control<ColorWell>(well).click();
    }

    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    FieldReadingCanvasHost canvasHost;
    FakeInspectorWindow window;
    InspectorView view;
    PropertyInspector inspector{view, window};
};
