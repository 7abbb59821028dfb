#include "mainwindow/StartDispatch.h"

#include <QMainWindow>
#include <algorithm>
#include <cmath>

#include "data/Data_From_Excel.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartChooser.h"
#include "mainwindow/StartWindows.h"
#include "mainwindow/WindowDesignFile.h"
#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
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

int Start_From_Template(SKTWindowController& controller)
{
    Template_Wizard_Fields fields;
    if (Open_And_Read_Template(controller, fields) != 1)
        return 0;
    // A profile confirmed in the wizard's profile window goes onto both sides; the visitor panel
    // comes with its window.
    ProfileCommands(controller).Fill_User_profile_Details();
    controller.Set_Log_Name_In_Title();
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
    return 1;
}

int Start_Visitor_Mode(SKTWindowController& controller)
{
    // Visitor captions, side panels and the default photo control come with the visitor panels.
    Template_Wizard_Fields fields;
    const int result = Open_And_Read_Template(controller, fields);
    // The template's own mode letter does not count: this run is a visitor run.
    Start_Card_Option = QStringLiteral("V");
    if (result != 1)
        return 0;
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
    ProfileCommands(controller).Fill_User_profile_Details();
    controller.Set_Log_Name_In_Title();
    controller.inspector().sizePanel().Apply_Size_Clicked();
    return 1;
}

int Start_Group_Mode(SKTWindowController& controller)
{
    // The visitor and group controls are reset by the group panels, which are not built yet.
    if (startWindows().Group_Mode_Wizard_Open_Wnd(controller) != 1)
        return 0;
    Load_Group_Mode_After_log_reading(controller);
    controller.Set_Log_Name_In_Title();
    return 1;
}

int Start_From_Design_File(SKTWindowController& controller)
{
    // Hiding the visitor panel outside modes "V" and "G" comes with the visitor panel.
    return Open_Log_File(controller);
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
    Selected_Template_Path.clear();
    // The group list, its column bindings and the side panels' values come with the group panels.
    controller.Show_Hide_Main_Window(true);
    controller.canvasHostOfWindow().Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
}

bool Open_Start_Window(SKTWindowController& controller)
{
    // A loop rather than a call to itself: a failed start shows the chooser exactly once more.
    for (;;) {
        // The side label and the visitor layout are switched off by the panels that own them.
        StartChooser chooser(controller.window());
        if (dialogPresenter().runModal(chooser) != QDialog::Accepted) {
            Start_Card_Option.clear();
            return false;
        }
        // A new start binds no spreadsheet; the general captions come back with the profile panels.
        Excel_Source_Path.clear();
        Clear_Delete_Excel_table_rows();
        bool designFileStart = false;
        if (Dispatch_Start_Option(controller, designFileStart) == 1) {
            Show_Started_Design(controller, designFileStart);
            return true;
        }
    }
}
