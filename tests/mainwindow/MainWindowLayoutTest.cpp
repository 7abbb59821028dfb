// The main window's controls, tools, sides and commands.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QMenu>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "probes/SampleCard.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TestEnvironment.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

class MainWindowLayoutTest : public ::testing::Test {
protected:
    MainWindowLayoutTest() { setCanvasHost(&host); }
    ~MainWindowLayoutTest() override
    {
        setCanvasHost(nullptr);
        Card_Front_Or_Back = 0;
    }

    QAction* action(const char* name) const
    {
        return controller.window()->findChild<QAction*>(QString::fromLatin1(name));
    }

    void fillFront(const GraphicList& graphics) { sample::putOnSide(document, SKTDocument::FrontSide, graphics); }

    CanvasHostStandIn host;
    SKTDocument document;
    SKTWindowController controller{document};
};

// The button a tool bar made for the action.
QAbstractButton* buttonFor(QAction* action)
{
    for (QObject* object : action->associatedObjects()) {
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return button;
    }
    return nullptr;
}

} // namespace

TEST_F(MainWindowLayoutTest, EveryNamedControlExists)
{
    for (const char* name :
         {"Cut_btn", "Copy_btn", "Paste_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn", "Lock_btn",
          "Unlock_btn", "align_left_btn", "align_right_btn", "align_top_btn", "align_bottom_btn",
          "align_center_btn", "align_horzontal_btn", "align_vertical_btn", "Undo_btn", "Redo_btn",
          "Make_same_width_btn", "Make_same_height_btn", "Make_natural_size_btn", "fit_to_label_btn",
          "Align_with_grid_btn"}) {
        QAction* found = action(name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_NE(buttonFor(found), nullptr) << name << " has no button";
    }
    auto* tabs = controller.window()->findChild<QTabWidget*>(QStringLiteral("sett_tab"));
    ASSERT_NE(tabs, nullptr);
    for (const char* page : {"card_info_tab", "card_size_tab", "card_bkgd_tab", "card_brdr_tab"})
        EXPECT_NE(tabs->findChild<QWidget*>(QString::fromLatin1(page)), nullptr) << page;
    for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide, SKTDocument::PreviewSide}) {
        ASSERT_NE(controller.graphicView(side), nullptr);
        EXPECT_EQ(controller.graphicView(side)->side(), side);
        EXPECT_EQ(controller.zoomingScrollView(side)->widget(), controller.graphicView(side));
    }
}

TEST_F(MainWindowLayoutTest, ToolsAreExclusiveAndSetTheHostsTool)
{
    const QList<QAction*> tools = controller.windowLayout().toolGroup()->actions();
    ASSERT_EQ(tools.size(), 16);
    EXPECT_TRUE(action("arrow_tool_btn")->isChecked());
    // A cancelled picture panel keeps the tool chosen.
    ScriptedDialogPresenter panels;
    action("image_tool_btn")->trigger();
    EXPECT_EQ(host.Selected_Control_Tool(), 8);
    EXPECT_EQ(std::count_if(tools.begin(), tools.end(), [](QAction* a) { return a->isChecked(); }), 1);
    EXPECT_TRUE(action("image_tool_btn")->isChecked());

    // A creation puts the arrow back and selects the new element; the tool bar follows.
    fillFront({sample::star(QRectF(10, 10, 30, 30))});
    host.Set_Selected_Control_Tool(0);
    controller.graphicView(SKTDocument::FrontSide)->changeSelectionIndexes({0});
    EXPECT_TRUE(action("arrow_tool_btn")->isChecked());
}

// The icon of the polygon tool shows the four-pointed outline the tool draws: its top middle dips
// in, its corners reach out.
TEST_F(MainWindowLayoutTest, ThePolygonToolsIconShowsWhatTheToolDraws)
{
    const QImage icon = action("polygon_tool_btn")->icon().pixmap(QSize(24, 24), 2.0).toImage();
    const double scale = icon.width() / 24.0;
    const auto inked = [&](double x, double y) { return qAlpha(icon.pixel(int(x * scale), int(y * scale))) > 0; };
    EXPECT_FALSE(inked(12, 5));
    EXPECT_TRUE(inked(4.5, 4.5));
    EXPECT_TRUE(inked(12, 12));
}

TEST_F(MainWindowLayoutTest, StandardKeysReachTheirCommands)
{
    const auto keysOf = [this](const char* name) {
        const QList<QAction*> actions = controller.window()->findChildren<QAction*>();
        const auto found = std::find_if(actions.begin(), actions.end(), [name](QAction* a) {
            return a->objectName() == QLatin1String(name) || a->text().remove(QLatin1Char('&')) == QLatin1String(name);
        });
        return found == actions.end() ? QList<QKeySequence>() : (*found)->shortcuts();
    };
    const QList<std::pair<const char*, const char*>> expected{
        {"Redo_btn", "Ctrl+Shift+Z"}, {"Redo_btn", "Ctrl+Y"},    {"SaveAs_Btn_Clicked", "Ctrl+Shift+S"},
        {"Select_All_menu", "Ctrl+A"}, {"Zoom In", "Ctrl++"},    {"Zoom In", "Ctrl+="},
        {"Zoom Out", "Ctrl+-"},        {"Undo_btn", "Ctrl+Z"},
    };
    for (const auto& [name, key] : expected)
        EXPECT_TRUE(keysOf(name).contains(QKeySequence(QString::fromLatin1(key)))) << name << " " << key;

    fillFront({sample::shape(QStringLiteral("R"), QRectF(10, 10, 40, 30), Qt::red),
               sample::shape(QStringLiteral("C"), QRectF(60, 10, 40, 30), Qt::blue)});
    controller.showWindow();
    controller.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.window()));
    QTest::keyClick(controller.window(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(controller.zoomingScrollView(SKTDocument::FrontSide)->factor(), 1.25);
    QTest::keyClick(controller.window(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(controller.graphicView(SKTDocument::FrontSide)->selectionIndexes(), (QList<int>{0, 1}));
}

TEST_F(MainWindowLayoutTest, SideTabsShowThatSidesCanvasAndChooseTheEditedSide)
{
    auto* sides = controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs"));
    ASSERT_NE(sides, nullptr);
    auto* stack = controller.window()->findChild<QStackedWidget*>(QStringLiteral("side_stack"));
    ASSERT_NE(stack, nullptr);
    sides->setCurrentIndex(1);
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(stack->currentWidget(), controller.zoomingScrollView(SKTDocument::BackSide));
    EXPECT_EQ(controller.windowLayout().currentView(), controller.graphicView(SKTDocument::BackSide));
    // The preview keeps the side commands last acted on.
    sides->setCurrentIndex(2);
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(stack->currentWidget(), controller.zoomingScrollView(SKTDocument::PreviewSide));
    sides->setCurrentIndex(0);
    EXPECT_EQ(Card_Front_Or_Back, 0);
}

TEST_F(MainWindowLayoutTest, DeleteButtonRemovesTheSelectedElementOfTheShownSide)
{
    const GraphicPtr keep = sample::shape(QStringLiteral("R"), QRectF(10, 10, 40, 30), Qt::red);
    const GraphicPtr gone = sample::shape(QStringLiteral("C"), QRectF(60, 10, 40, 30), Qt::blue);
    fillFront({keep, gone});
    document.insertGraphicsOnSide(SKTDocument::BackSide, {sample::shape(QStringLiteral("R"), QRectF(5, 5, 20, 20), Qt::green)}, {0});
    controller.graphicView(SKTDocument::BackSide)->changeSelectionIndexes({0});
    controller.graphicView(SKTDocument::FrontSide)->changeSelectionIndexes({1});

    buttonFor(action("Delete_btn"))->click();
    EXPECT_EQ(document.graphics(), GraphicList{keep});
    EXPECT_EQ(document.graphics_back().size(), 1);
}

// The fill of a selection handle.
const QColor kHandleColour(56, 117, 215);

// Runs on a real X server (ctest runs it under tests/support/with-display.sh); the screen is read back by ImageMagick.
// The ruler check box and the View menu's ruler item show or hide the rulers of all three sides;
// the item says what it will do.
TEST_F(MainWindowLayoutTest, TheRulerCheckBoxAndMenuItemToggleEverySidesRulers)
{
    auto* box = controller.window()->findChild<QCheckBox*>(QStringLiteral("Show_Hide_Ruler_ChkBox"));
    QAction* item = action("showOrHideRulers");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(item, nullptr);
    QMenu* view = controller.windowLayout().menu("view_menu");
    const auto shown = [&] {
        QList<bool> sides;
        for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide, SKTDocument::PreviewSide})
            sides << controller.zoomingScrollView(side)->rulersVisible();
        return sides;
    };
    EXPECT_EQ(shown(), (QList<bool>{false, false, false}));
    box->click();
    EXPECT_EQ(shown(), (QList<bool>{true, true, true}));
    Q_EMIT view->aboutToShow();
    EXPECT_EQ(item->text(), "&Hide Ruler");
    item->trigger();
    EXPECT_EQ(shown(), (QList<bool>{false, false, false}));
    EXPECT_FALSE(box->isChecked());
    Q_EMIT view->aboutToShow();
    EXPECT_EQ(item->text(), "S&how Ruler");
}

// "Snap to Grid" acts on a shown grid only, also once a design is open.
TEST_F(MainWindowLayoutTest, SnapToGridIsEnabledExactlyWhileTheGridIsShown)
{
    QAction* snap = action("Align_with_grid_btn");
    SKTGrid& grid = controller.windowLayout().grid();
    EXPECT_FALSE(grid.isAlwaysShown());
    EXPECT_FALSE(snap->isEnabled());
    controller.designSession().started();
    EXPECT_FALSE(snap->isEnabled());
    grid.setAlwaysShown(true);
    EXPECT_TRUE(snap->isEnabled());
    controller.designSession().started();
    EXPECT_TRUE(snap->isEnabled());
    grid.setAlwaysShown(false);
    EXPECT_FALSE(snap->isEnabled());
}

TEST_F(MainWindowLayoutTest, ScreenshotOfTheWindowWithADesignOpen)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QTemporaryDir scratch;
    fillFront(sample::front(QDir(scratch.path())));
    document.insertGraphicsOnSide(SKTDocument::BackSide, sample::back(), {0, 1});
    controller.graphicView(SKTDocument::FrontSide)->changeSelectionIndexes({0});
    controller.zoomingScrollView(SKTDocument::FrontSide)->setFactor(2.0);
    controller.window()->setGeometry(0, 0, 1280, 800);
    controller.showWindow();
    QTest::qWait(500);

    const QString folder = QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/main-window.png");
    const TestEnvironment::ProcessResult shot = TestEnvironment::run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    ASSERT_EQ(shot.exitCode, 0) << shot.err.constData();
    const QImage screen(file);
    ASSERT_FALSE(screen.isNull());
    // The selected element's handles are drawn in their blue on the front canvas.
    const QWidget* canvas = controller.graphicView(SKTDocument::FrontSide);
    const QRect canvasOnScreen(canvas->mapToGlobal(QPoint(0, 0)), canvas->size());
    int handlePixels = 0;
    for (int y = canvasOnScreen.top(); y < canvasOnScreen.bottom() && y < screen.height(); ++y) {
        for (int x = canvasOnScreen.left(); x < canvasOnScreen.right() && x < screen.width(); ++x)
            handlePixels += screen.pixelColor(x, y) == kHandleColour ? 1 : 0;
    }
    EXPECT_GT(handlePixels, 20);
}
