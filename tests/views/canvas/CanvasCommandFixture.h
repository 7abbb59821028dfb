#pragma once
// A shown canvas bound to a fresh document on a 243 x 154 point card, with hosts that record what
// the canvas asks of the main window, and mouse helpers in card points.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

#include "model/SKTDocument.h"
#include "model/SKTGraphicKinds.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "mainwindow/MainWindowGlobals.h"
#include "support/ScriptedMessagePresenter.h"
#include "model/TestCardHost.h"

class RecordingCanvasHost : public CanvasHostStandIn {
public:
    int snapshots = 0, barcodeWindows = 0;
    QList<SKTGraphic*> shown;
    std::optional<bool> naturalAndFitEnabled;

    void Show_RHS_Properties(SKTGraphic* graphic) override { shown.append(graphic); }
    void Insert_In_Undo_Redo() override { ++snapshots; }
    void Open_Barcode_Window() override { ++barcodeWindows; }
    void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) override { naturalAndFitEnabled = enabled; }
};

// New-element places step by 20 points from (10, 10).
class SteppingCardHost : public TestCardHost {
public:
    QList<QPointF> placesGiven;

    QPointF Control_New_Point(const QString&) override
    {
        const double step = 20.0 * double(placesGiven.size() + 1);
        return placesGiven.emplaceBack(10 + step, 10 + step);
    }
};

class CanvasCommandFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        setCanvasHost(&host);
        setCardHost(&cardHost_);
        Start_Card_Option = QStringLiteral("T");
        Card_Front_Or_Back = 0;
        QGuiApplication::clipboard()->clear();
        view.setList(&document, SKTDocument::FrontSide);
        view.resize(243, 154);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void TearDown() override
    {
        view.setList(nullptr, SKTDocument::FrontSide);
        setCanvasHost(nullptr);
        setCardHost(nullptr);
    }

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
    GraphicPtr addShape(const QRectF& bounds, bool locked = false) { return add(GraphicKind::Shape, bounds, locked); }

    QPoint at(QPointF card) const { return (card * view.zoomFactor()).toPoint(); }
    void press(QPointF card, Qt::KeyboardModifiers keys = {}) { QTest::mousePress(&view, Qt::LeftButton, keys, at(card)); }
    void release(QPointF card, Qt::KeyboardModifiers keys = {}) { QTest::mouseRelease(&view, Qt::LeftButton, keys, at(card)); }
    void moveTo(QPointF card) { QTest::mouseMove(&view, at(card)); }
    void click(QPointF card, Qt::KeyboardModifiers keys = {}) { press(card, keys), release(card, keys); }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers keys = {})
    {
        press(from, keys);
        moveTo((from + to) / 2);
        moveTo(to);
        release(to, keys);
    }
    void useGrid(bool constraining) { grid_.setConstraining(constraining), view.setGrid(&grid_); }

    RecordingCanvasHost host;
    SteppingCardHost cardHost_;
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter scopedPresenter{presenter};
    SKTDocument document;
    SKTGrid grid_;
    SKTGraphicView view;
};
