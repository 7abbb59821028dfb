#include "mainwindow/OutputCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>

#include "mainwindow/CardExport.h"
#include "mainwindow/CardPrint.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/ToolCommands.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "mail/Preferences.h"
#include "output/RecordRun.h"
#include "platform/MessageBoxes.h"
#include "views/mail/PreferencesWindow.h"
#include "views/mail/Send_Mail.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/inspector/PropertyInspector.h"
#include "views/photos/CroppingTool.h"
#include "views/photos/PhotoWindows.h"
#include "views/series/BatchWizard.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/print/PrinterCatalog.h"
#include "views/series/SeriesMakerWindows.h"

namespace {

struct MenuCommand {
    const char* name;
    const char* title;
    void (*command)(SKTWindowController&);
};

// The series-making windows know the series the design uses and check the paths chosen in them.
SeriesWindowLinks seriesLinks(SKTWindowController& controller)
{
    return seriesMakerLinks(
        [&controller](const QString& name) { return Check_Batch_File_In_Use_Validation(name, controller.document()); },
        &Check_And_Validate_File_Path);
}

}  // namespace

void Set_Front_Back_Value_To_Print_Export_Mail(SKTWindowController& controller)
{
    const int side = Card_Front_Or_Back;
    controller.designBackup.Create_Design_Backup_Array(controller.document());
    if (Start_Card_Option != QLatin1String("G"))
        return;
    // Both sides of a group card are one person: the side not shown may still hold the record
    // chosen before, so it takes the chosen one too (and redraws itself).
    Card_Front_Or_Back = side == 1 ? 0 : 1;
    controller.liveModes().Assign_value_to_card_in_group_mode_list_selection();
    Card_Front_Or_Back = side;
}

void Set_Graphic_Array_According_Side(SKTWindowController& controller)
{
    Card_Value_In_Process = false;
    if (Start_Card_Option != QLatin1String("G"))
        return;
    if (Card_Front_Or_Back == 1)
        controller.sideCommands().Select_back_side();
    else
        controller.sideCommands().Select_front_side();
}

void Select_first_row_value_for_design(SKTWindowController& controller)
{
    const SeriesStore store;
    SKTDocument& design = controller.document();
    RecordRun run(design, store, Loaded_Data_Table(), CARD_SIDE_STR == QLatin1String("2"));
    // The first record goes onto both sides whole, or the design stays as it is and says why.
    QString refusal;
    const GraphicList front = run.recordOnCopies(0, CardSide::Front, &refusal);
    const GraphicList back = refusal.isEmpty() ? run.recordOnCopies(0, CardSide::Back, &refusal) : GraphicList();
    Card_Value_In_Process = false;
    if (!refusal.isEmpty()) {
        Show_MessageBox(QStringLiteral("The first record cannot be shown on the card.\n\n%1").arg(refusal));
        return;
    }
    for (SKTGraphicView* view : {controller.graphicView(SKTDocument::FrontSide), controller.graphicView(SKTDocument::BackSide)})
        view->dropSelection();
    // Record values on the canvas are no edit of the design's to undo.
    const bool recording = design.undoManager().isUndoRegistrationEnabled();
    design.Enable_Disable_Undo_Registraion(false);
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, front);
    design.replaceGraphicsOnSide(SKTDocument::BackSide, back);
    design.Enable_Disable_Undo_Registraion(recording);
    if (Start_Card_Option == QLatin1String("G"))
        controller.liveModes().Select_Excel_First_Row();
    controller.Refresh_Canvas();
}

void Export_Button(SKTWindowController& controller)
{
    Run_Card_Export(controller);
}

void Print_Button(SKTWindowController& controller)
{
    if (printerCatalog().printerNames().isEmpty()) {
        Show_MessageBox(kNoPrinterMessage);
        return;
    }
    const int side = Card_Front_Or_Back;
    Set_Front_Back_Value_To_Print_Export_Mail(controller);
    Run_Card_Print(controller);
    controller.designBackup.Create_Card_Design_Again(controller.document());
    Card_Front_Or_Back = side;
    Set_Graphic_Array_According_Side(controller);
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    controller.Refresh_Canvas();
}

void Mail_Button(SKTWindowController& controller)
{
    const int side = Card_Front_Or_Back;
    Set_Front_Back_Value_To_Print_Export_Mail(controller);
    Card_Value_In_Process = true;
    const SeriesStore store;
    // A group card shows its chosen record, whose own address a card sent without data goes to.
    const int shownRecord = Start_Card_Option == QLatin1String("G") ? controller.liveModes().recordShown() : -1;
    Send_Mail::defaultInstance().Open_Wnd(controller.document(), store, Loaded_Data_Table(),
                                          CARD_SIDE_STR == QLatin1String("2"), shownRecord);
    controller.designBackup.Create_Card_Design_Again(controller.document());
    Card_Front_Or_Back = side;
    Set_Graphic_Array_According_Side(controller);
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    controller.Refresh_Canvas();
}

void Mail_Settings_Button(SKTWindowController&)
{
    PreferencesWindow::defaultInstance().Open_Wnd(Preferences::sharedInstance());
}

void Batch_Series_Button(SKTWindowController& controller)
{
    BatchWizard& manager = BatchWizard::defaultInstance();
    manager.seriesInUse = [&controller](const QString& name) {
        return Check_Batch_File_In_Use_Validation(name, controller.document());
    };
    manager.importWizard = [&controller](int required, int insert) {
        Open_Import_Wizard(seriesLinks(controller), {required, insert}, controller.window());
    };
    manager.generator = [&controller](int required, int insert) {
        Open_Series_Generator(seriesLinks(controller), {required, insert}, controller.window());
    };
    manager.Open_Wnd();
    controller.inspector().dataSourcePanel().Refresh_All_Series_Combobox();
}

void Import_Wizard_Button(SKTWindowController& controller)
{
    Open_Import_Wizard(seriesLinks(controller), {1, 0}, controller.window());
    controller.inspector().dataSourcePanel().Refresh_All_Series_Combobox();
}

void Create_Series_Button(SKTWindowController& controller)
{
    Open_Series_Generator(seriesLinks(controller), {1, 0}, controller.window());
    controller.inspector().dataSourcePanel().Refresh_All_Series_Combobox();
}

void Cropping_Tool_Clicked(SKTWindowController& controller)
{
    croppingTool().Open_Crop_Wnd();
    // A run over a series may have made or rewritten one, whatever the tool answered.
    controller.inspector().dataSourcePanel().Refresh_All_Series_Combobox();
}

void User_Profile_Button_Clicked(SKTWindowController& controller)
{
    if (!controller.liveModes().typingSettledBeforeProfile())
        return;
    const bool back = Card_Front_Or_Back == 1;
    if (controller.profileWindows().Open_User_Profile_Window(true, back ? QStringLiteral("B") : QStringLiteral("F"),
                                                             CARD_SIDE_STR) == 1) {
        ProfileCommands profiles(controller);
        if (back)
            profiles.Fill_User_profile_info_back_side();
        else
            profiles.Fill_User_profile_info_front_side();
        // The panel names whom the card now shows; a group card stays on the record chosen in the
        // list, whatever the profile held.
        controller.liveModes().panelFollowsCard(back ? 1 : 0);
        controller.selectArrowTool();
    }
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    controller.Refresh_Canvas();
}

void Card_Prop_Clicked(SKTWindowController& controller)
{
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
}

void Card_Bckgrnd_Clicked(SKTWindowController& controller)
{
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    if (Open_Image_Library_Window(QStringLiteral("B")) != 1)
        return;
    controller.inspector().cardPanel().setBackgroundPicture(Card_Front_Or_Back == 1 ? 1 : 0, lib_window_sel_file);
    controller.Refresh_Canvas();
    controller.windowLayout().inspectorView().showPage(QStringLiteral("card_bkgd_tab"));
}

void Connect_Output_Commands(SKTWindowController& controller)
{
    static const MenuCommand commands[] = {
        {"Export_Button", "Export Cards…", &Export_Button},
        {"Print_Button", "Print…", &Print_Button},
        {"Mail_Button", "Mail Cards…", &Mail_Button},
        {"Mail_Settings_Button", "Mail Settings…", &Mail_Settings_Button},
        {nullptr, nullptr, nullptr},
        {"Batch_Series_Button", "Series…", &Batch_Series_Button},
        {"Create_Series_Button", "Create a Series…", &Create_Series_Button},
        {"Import_Wizard_Button", "Import Data…", &Import_Wizard_Button},
        {"Cropping_Tool_Clicked", "Crop a Photo…", &Cropping_Tool_Clicked},
        {"User_Profile_Button_Clicked", "Card Holder Profile…", &User_Profile_Button_Clicked},
    };
    QMenu* file = controller.windowLayout().menu("file_menu");
    // Before the separator that precedes Quit.
    QAction* before = file->actions().value(file->actions().size() - 2);
    file->insertSeparator(before);
    for (const MenuCommand& command : commands) {
        if (!command.name) {
            file->insertSeparator(before);
            continue;
        }
        auto* action = new QAction(QString::fromUtf8(command.title), file);
        action->setObjectName(QLatin1String(command.name));
        file->insertAction(before, action);
        QObject::connect(action, &QAction::triggered, &controller,
                         [&controller, run = command.command] { run(controller); });
    }
}
