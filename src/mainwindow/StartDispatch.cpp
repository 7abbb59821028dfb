#include "mainwindow/StartDispatch.h"

#include <QMainWindow>
#include <algorithm>
#include <cmath>

#include "data/Data_From_Excel.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartChooser.h"
#include "mainwindow/StartWindows.h"
#include "mainwindow/WindowDesignFile.h"
#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
#include "model/profiles/ProfileCaptions.h"
#include "platform/DialogPresenter.h"
#include "platform/StringHelpers.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/PropertyInspector.h"

namespace {

// Empties the loaded data table; its columns stay.
void Clear_Delete_Excel_table_rows()
{
    Data_From_Excel& table = Loaded_Data_Table();
    table.ListData.clear();
    Excel_table_rows = 0;
}

// Runs the template window and loads the template chosen there; 1 when loaded. The size page
// takes the window's orientation, category and size row (also left in fields) first, so that
// applying the size then turns the template to the chosen orientation.
int Open_And_Read_Template(SKTWindowController& controller, Template_Wizard_Fields& fields)
{
    // A cancelled window leaves no path: reading it would report a corrupt file nobody chose.
    if (startWindows().Open_Template_Window(controller.window(), fields) != 1)
        return 0;
    {
        const NotDrawOnlyPropChangeGuard filling;
        controller.inspector().sizePanel().showSizeChoice(fields.Preset_ComboBox, fields.Category_ComboBox,
                                                          fields.ColList);
    }
    return WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(Selected_Template_Path,
                                                                                   QStringLiteral("T"), false);
}

// The template read, the card takes the size chosen in the template window.
void Apply_Size_Chosen_In_Window(SKTWindowController& controller, const Template_Wizard_Fields& fields)
{
    {
        // Applying the size writes the card pages into the card: they must show the template's
        // border, fill and watermark, not those of the design before it.
        const NotDrawOnlyPropChangeGuard filling;
        controller.inspector().cardPanel().loadCardPages(Card_Front_Or_Back);
    }
    // The size fields hold the template's own size: a size chosen in the window is applied as
    // that preset, or the list would name a size the card does not have.
    CardSizePanel& size = controller.inspector().sizePanel();
    if (fields.ColList >= 0 && !size.IS_Custom_Card_Option_Selected())
        size.Change_Value_According_List_Selection(fields.ColList);
    else
        size.Apply_Size_Clicked();
}

// The profile confirmed in a start window is the user's first edit of the new design.
void Fill_Profile_Of_Start_Windows(SKTWindowController& controller)
{
    controller.designSession().startWithEdit([&controller] { ProfileCommands(controller).Fill_User_profile_Details(); });
}

int Start_From_Template(SKTWindowController& controller)
{
    Template_Wizard_Fields fields;
    if (Open_And_Read_Template(controller, fields) != 1)
        return 0;
    // A profile confirmed in the wizard's profile window goes onto both sides; the visitor panel
    // comes with its window.
    Fill_Profile_Of_Start_Windows(controller);
    controller.Set_Log_Name_In_Title();
    Apply_Size_Chosen_In_Window(controller, fields);
    return 1;
}

int Start_Visitor_Mode(SKTWindowController& controller)
{
    LiveModePanels& panels = controller.liveModes();
    panels.Reset_All_Visitor_Grp_Mode_Ctrl();
    Template_Wizard_Fields fields;
    const int result = Open_And_Read_Template(controller, fields);
    // The template's own mode letter does not count: this run is a visitor run.
    Start_Card_Option = QStringLiteral("V");
    if (result != 1)
        return 0;
    // A profile confirmed in the template window goes onto the pass first, so that the panels,
    // which show the pass, show it too.
    Fill_Profile_Of_Start_Windows(controller);
    // The pass takes the size chosen in the window before the panels show it, as a template does.
    Apply_Size_Chosen_In_Window(controller, fields);
    panels.Start_Visitor_Panels();
    controller.Set_Log_Name_In_Title();
    return 1;
}

int Start_With_Card_Wizard(SKTWindowController& controller)
{
    controller.New_Project_Setting_Reset(true);
    Card_Wizard_Fields wizard;
    if (startWindows().Card_Wizard_Open_Wnd(controller, wizard) != 1)
        return 0;
    Selected_Template_Path.clear();
    controller.inspector().Apply_Card_Wizard_Choices(wizard);
    // A profile confirmed in the wizard's profile window goes onto both sides; the visitor panel
    // comes with its window.
    Fill_Profile_Of_Start_Windows(controller);
    controller.Set_Log_Name_In_Title();
    controller.inspector().sizePanel().Apply_Size_Clicked();
    return 1;
}

int Start_Group_Mode(SKTWindowController& controller)
{
    controller.liveModes().Reset_All_Visitor_Grp_Mode_Ctrl();
    if (startWindows().Group_Mode_Wizard_Open_Wnd(controller) != 1)
        return 0;
    Load_Group_Mode_After_log_reading(controller);
    controller.Set_Log_Name_In_Title();
    return 1;
}

int Start_From_Design_File(SKTWindowController& controller)
{
    const int result = Open_Log_File(controller);
    if (!isVisitorOrGroupMode())
        controller.liveModes().Hide_Visitor_panel();
    return result;
}

// 1 when the chosen start made a design to work on.
int Dispatch_Start_Option(SKTWindowController& controller, bool& designFileStart)
{
    designFileStart = false;
    if (Start_Card_Option == QLatin1String("T"))
        return Start_From_Template(controller);
    if (Start_Card_Option == QLatin1String("W"))
        return Start_With_Card_Wizard(controller);
    if (Start_Card_Option == QLatin1String("L")) {
        designFileStart = true;
        return Start_From_Design_File(controller);
    }
    if (Start_Card_Option == QLatin1String("V"))
        return Start_Visitor_Mode(controller);
    if (Start_Card_Option == QLatin1String("G"))
        return Start_Group_Mode(controller);
    return 0;
}

void Show_Started_Design(SKTWindowController& controller, bool designFileStart)
{
    controller.selectArrowTool();
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    // An opened design file has already shown the canvas area as its load left it.
    if (!designFileStart)
        controller.Show_Hide_Main_Window(true);
    // Every road starts its undo history with the design as it now stands, unchanged.
    controller.designSession().started();
}

}  // namespace

void Load_Group_Mode_After_log_reading(SKTWindowController& controller)
{
    if (Start_Card_Option != QLatin1String("G"))
        return;
    curr_msg_count_str = QStringLiteral("Loading excel file");
    Selected_Template_Path.clear();
    LiveModePanels& panels = controller.liveModes();
    panels.Set_Group_Mode_List_Setting_After_Loading(Project_File_Name, QStringLiteral("U"));
    curr_msg_count_str = QStringLiteral("Loading excel data");
    panels.change_Visitor_Side_View(0);
    controller.Show_Hide_Main_Window(true);
    panels.Show_Hide_Profile_Panel_Live_Mode(true);
    // Both sides show the first record from the start, so showing the other side changes nothing.
    panels.Set_GP_mode_Value_From_Excel(QStringLiteral("B"), 0);
    panels.Set_GP_mode_Value_From_Excel(QStringLiteral("F"), 0);
    controller.canvasHostOfWindow().Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
}

bool Open_Start_Window(SKTWindowController& controller)
{
    // A loop rather than a call to itself: a failed start shows the chooser exactly once more.
    for (;;) {
        controller.liveModes().Show_Hide_Profile_Panel_Live_Mode(false);
        StartChooser chooser(controller.window());
        if (dialogPresenter().runModal(chooser) != QDialog::Accepted) {
            Start_Card_Option.clear();
            return false;
        }
        // A new start binds no spreadsheet and shows the general captions.
        Title_For_Gen_ID_Card();
        Excel_Source_Path.clear();
        Clear_Delete_Excel_table_rows();
        bool designFileStart = false;
        if (Dispatch_Start_Option(controller, designFileStart) == 1) {
            Show_Started_Design(controller, designFileStart);
            return true;
        }
    }
}
