#pragma once
// A canvas bound to a fresh document with hosts that record what the canvas asks of the main
// window: the fixture of the editing, clipboard and creation tests.
#include <QRectF>
#include <QStringList>
#include <gtest/gtest.h>

#include "canvas/model/CardHost.h"
#include "canvas/model/SKTDocument.h"
#include "canvas/model/SKTGraphicKinds.h"
#include "canvas/view/CanvasHost.h"
#include "canvas/view/SKTGraphicView.h"
#include "mainwindow/MainWindowGlobals.h"
#include "support/ScriptedMessagePresenter.h"

class RecordingCanvasHost : public CanvasHostStandIn {
public:
    int snapshots = 0;
    int buttonStates = 0;
    int pasteButtonUpdates = 0;
    int batchUpdates = 0;
    QList<SKTGraphic*> shownProperties;
    std::optional<bool> naturalAndFitEnabled;
    bool fillUserProfile = false;
    int excelColumn = -1;
    float frameValues[4] = {0, 0, 0, 0};

    void Show_RHS_Properties(SKTGraphic* graphic) override { shownProperties.append(graphic); }
    void Insert_In_Undo_Redo() override { ++snapshots; }
    void Undo_Redo_Button_state() override { ++buttonStates; }
    void Set_Paste_Button_Status() override { ++pasteButtonUpdates; }
    void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) override { naturalAndFitEnabled = enabled; }
    bool Fill_User_Profile() const override { return fillUserProfile; }
    int Get_Excel_Coulmn_Index_According_ID(const QString&) const override { return excelColumn; }
    void Set_Graphics_array_Batch_To_Current_Side() override { ++batchUpdates; }
    float Frame_Field_Value(FrameField field) const override { return frameValues[int(field)]; }
};

// A 243 x 154 point card whose new-element places step by 20 points from (10, 10), the same for
// every test.
class SteppingCardHost : public CardHost {
public:
    QList<QPointF> placesGiven;

    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 243, 154); }
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QPointF Control_New_Point(const QString&) override
    {
        const double step = 20.0 * double(placesGiven.size() + 1);
        placesGiven.append(QPointF(10 + step, 10 + step));
        return placesGiven.last();
    }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic%1").arg(++pictureIds); }
    CardFont All_Text_font() const override { return CardFont{QStringLiteral("DejaVu Sans"), 12}; }
    QColor All_Text_clr() const override { return Qt::black; }

private:
    int pictureIds = 0;
};

class CanvasCommandFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        setCanvasHost(&host);
        setCardHost(&cardHost_);
        Start_Card_Option = QStringLiteral("T");
        Card_Front_Or_Back = 0;
        Library_Selected_Image.clear();
        view.setList(&document, SKTDocument::FrontSide);
        view.resize(243, 154);
    }

    void TearDown() override
    {
        view.setList(nullptr, SKTDocument::FrontSide);
        setCanvasHost(nullptr);
        setCardHost(nullptr);
        Start_Card_Option = QStringLiteral("T");
        Card_Front_Or_Back = 0;
    }

    // A rectangle shape appended at the bottom of the view's list.
    GraphicPtr addShape(const QRectF& bounds, bool locked = false) { return add(GraphicKind::Shape, bounds, locked); }

    // An element of the kind appended at the bottom of the view's list.
    GraphicPtr add(GraphicKind kind, const QRectF& bounds, bool locked = false)
    {
        GraphicPtr graphic = SKTGraphic::create(kind);
        if (kind == GraphicKind::Shape)
            graphic->Set_Shape_Type(QStringLiteral("R"));
        graphic->setBounds(bounds);
        graphic->ctrl_is_locked = locked;
        view.insertGraphics({graphic}, {int(view.graphics().size())});
        return graphic;
    }

    QStringList messages() const { return presenter.texts(); }

    RecordingCanvasHost host;
    SteppingCardHost cardHost_;
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter scopedPresenter{presenter};
    SKTDocument document;
    SKTGraphicView view;
};
