// The roads the views' tests run through stand-ins for the main window, run once through the real
// window: the canvas menu's window commands and its Undo and Redo validation, the card page's
// sides and library background, Align to Grid, a shape's opacity, the profile dialog's picture
// types, the invitation's elements and a visitor field's text clicked on the canvas.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>

#include "MainWindowFixture.h"
#include "VisitorDeskFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/TemplateCommands.h"
#include "platform/AppContext.h"
#include "support/CanvasMouse.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/mail/Send_Mail.h"
#include "views/output/ExportSheet.h"
#include "views/photos/PhotoWindows.h"
#include "views/photos/PictureLibraryWindow.h"
#include "views/print/Print_Wnd.h"
#include "views/print/StandInPrinters.h"
#include "views/visitors/VisitorPassDesign.h"

namespace {

// The library as a user who picks one picture answers it.
class OnePictureLibrary : public PictureLibraryWindow {
public:
    int Open_Library_Window(const QString&) override { return 1; }
    QString selected_image() const override { return picture; }
    QString picture;
};

class WindowSeamsRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(openSampleDesign());
        controller.showWindow();
        library.picture = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("backdrop.png"), Qt::darkCyan);
        setPhotoWindows(nullptr, &library, nullptr);
    }
    void TearDown() override
    {
        setPhotoWindows(nullptr, nullptr, nullptr);
        MainWindowFixture::TearDown();
    }
    SKTGraphicView& front() const { return *controller.graphicView(SKTDocument::FrontSide); }
    GraphicPtr addShape(const QRectF& bounds)
    {
        GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
        shape->setBounds(bounds);
        shape->ctrl_is_visible = true;
        document.addInGraphics(shape);
        return shape;
    }
    void select(const GraphicList& elements)
    {
        QList<int> indexes;
        for (const GraphicPtr& element : elements)
            indexes << int(front().graphics().indexOf(element));
        front().changeSelectionIndexes(indexes);
        front()._Selected_Graphic = elements.last();
        controller.canvasHostOfWindow().Show_RHS_Properties(elements.last().get());
    }
    // The canvas menu's item for the action, as the menu shows it.
    QAction* menuItem(QMenu& menu, const QString& name) const
    {
        for (QAction* item : menu.actions())
            if (item->data().toString() == name)
                return item;
        return nullptr;
    }

    OnePictureLibrary library;
};

}  // namespace

// Each window command of the canvas menu opens the window's own (the card's pages, the library,
// the export sheet, the template name, the mail and the print windows).
TEST_F(WindowSeamsRoad, TheCanvasMenusWindowCommandsOpenTheWindowsOwn)
{
    StandInPrinters printers;
    const struct {
        const char* action;
        const char* opens;  // the dialog's class, or nothing
    } commands[] = {
        {"export_id_card:", "ExportSheet"},   {"export_as_template:", "Export_Template"},
        {"mail_id_card:", "Send_Mail"},       {"print_id_card:", "Print_Wnd"},
        {"card_properties:", ""},             {"select_card:", ""},
    };
    const GraphicPtr shape = addShape(QRectF(40, 40, 30, 20));
    for (const auto& command : commands) {
        SCOPED_TRACE(command.action);
        select({shape});
        QString opened;
        dialogs.queueHook([&opened](QDialog& dialog) { opened = QLatin1String(dialog.metaObject()->className()); });
        const std::unique_ptr<QMenu> menu = front().makeContextMenu();
        QAction* item = menuItem(*menu, QLatin1String(command.action));
        ASSERT_NE(item, nullptr);
        item->trigger();
        dialogs.clearHooks();
        EXPECT_EQ(opened, QLatin1String(command.opens));
        if (!*command.opens)
            EXPECT_TRUE(InspectorView::isCardPage(inspector().sett_tab().currentWidget()));
    }
    EXPECT_EQ(controller.Front_card_Prop.Card_BG_Image_Path(), library.picture);

    // Undo and Redo on the canvas are what the window's own commands are.
    QAction undo, redo;
    undo.setData(QStringLiteral("undo:"));
    redo.setData(QStringLiteral("redo:"));
    for (int step = 0; step < 2; ++step) {
        EXPECT_EQ(front().validateMenuItem(undo), action(QStringLiteral("Undo_btn")).isEnabled());
        EXPECT_EQ(front().validateMenuItem(redo), action(QStringLiteral("Redo_btn")).isEnabled());
        action(QStringLiteral("Undo_btn")).trigger();
    }
    EXPECT_TRUE(action(QStringLiteral("Redo_btn")).isEnabled());
}

// The card page: a one-sided card edited on its back goes back to the front, and the library's
// picture becomes the side's background.
TEST_F(WindowSeamsRoad, TheCardPageTurnsToTheFrontAndTakesTheLibrarysBackground)
{
    controller.sideCommands().Select_back_side();
    ASSERT_EQ(Card_Front_Or_Back, 1);
    auto& sides = control<QComboBox>("Sides_ComboBox");
    sides.setCurrentIndex(1);
    Q_EMIT sides.activated(1);
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(controller.windowLayout().currentSide(), SKTDocument::FrontSide);
    EXPECT_FALSE(action(QStringLiteral("Back_Side_btn")).isEnabled());
    EXPECT_FALSE(controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs"))->isTabEnabled(SKTDocument::BackSide));

    if (!control<QCheckBox>("Card_fill_chk").isChecked())
        control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_Image_fill_rd").click();
    control<QPushButton>("Card_Image_Library_Btn").click();
    EXPECT_EQ(controller.Front_card_Prop.Card_BG_Image_Path(), library.picture);
}

// Align to Grid asks for the grid the window shows, and a shape's opacity hides the handles a
// moment on the canvas.
TEST_F(WindowSeamsRoad, AlignToGridFollowsTheWindowsGridAndOpacityHidesTheHandles)
{
    const GraphicPtr shape = addShape(QRectF(31, 11, 40, 20));
    select({shape});
    controller.windowLayout().grid().setAlwaysShown(false);
    control<QPushButton>("Align_To_Grid_btn").click();
    EXPECT_EQ(messages.texts().last(), "\nPlease use grid option first.");
    EXPECT_EQ(shape->bounds(), QRectF(31, 11, 40, 20));
    controller.windowLayout().grid().setAlwaysShown(true);
    control<QPushButton>("Align_To_Grid_btn").click();
    EXPECT_EQ(shape->bounds(), QRectF(27, 9, 45, 18));

    control<QSpinBox>("shape_alpha_Stepper").setValue(40);
    EXPECT_FLOAT_EQ(shape->alpha_val, 0.4f);
    EXPECT_TRUE(front().isHidingHandles());
}

// The profile dialog's photo offers the window's picture types; the invitation's elements go onto
// the window's front canvas, each picture with its own file.
TEST_F(WindowSeamsRoad, TheProfilesPictureTypesAndTheInvitationsElementsAreTheWindows)
{
    dialogs.offeredFilters.clear();  // the design's own Open
    dialogs.queueHook([](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("browse_pic_btn"))->click(); });
    action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
    EXPECT_EQ(dialogs.offeredFilters, QStringList{pictureFileFilter(controller.Allowd_Image_fileTypes)});
    EXPECT_TRUE(dialogs.offeredFilters.join(u' ').contains(QStringLiteral("*.tiff")));

    Invite_Title = QStringLiteral("Summer Party");
    Invite_Frame_Pic_IMG = library.picture;
    ProfileCommands(controller).Fill_Party_Invidation_Details();
    Invite_Title.clear();
    Invite_Frame_Pic_IMG.clear();
    ASSERT_NE(front().Selcect_Ctrl_With_ID(QStringLiteral("PARTY_TITLE")), nullptr);
    EXPECT_EQ(front().Selcect_Ctrl_With_ID(QStringLiteral("PARTY_TITLE"))->Text_Value, "Summer Party");
    ASSERT_NE(front().Selcect_Ctrl_With_ID(QStringLiteral("PARTY_IMAGE")), nullptr);
    EXPECT_EQ(front().Selcect_Ctrl_With_ID(QStringLiteral("PARTY_IMAGE"))->_file_path, library.picture);
}

namespace {

class VisitorFieldOnCanvas : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openDeskPass());
    }
};

}  // namespace

// The visitor's name clicked on the card takes the typing to its field in the panel; a locked one
// leaves its field closed.
TEST_F(VisitorFieldOnCanvas, ANameClickedOnTheCardTakesTheTypingToItsField)
{
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    const GraphicPtr name = canvas.Selcect_Ctrl_With_ID(QStringLiteral("Fup_Name"));
    ASSERT_NE(name, nullptr);
    canvas_mouse::drag(canvas, name->bounds().center(), name->bounds().center());
    EXPECT_EQ(controller.window()->focusWidget(), front().textBox(QStringLiteral("Fup_Name")));
    EXPECT_TRUE(front().textBox(QStringLiteral("Fup_Name"))->isEnabled());

    name->ctrl_is_locked = true;
    canvas_mouse::drag(canvas, name->bounds().center(), name->bounds().center());
    EXPECT_FALSE(front().textBox(QStringLiteral("Fup_Name"))->isEnabled());
    EXPECT_FALSE(front().checkBox(QStringLiteral("Fup_Name"))->isEnabled());
}
