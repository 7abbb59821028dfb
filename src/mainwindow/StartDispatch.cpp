#include "mainwindow/StartDispatch.h"

#include <QMainWindow>
#include <algorithm>
#include <cmath>

#include "canvas/helpers/StringHelpers.h"
#include "canvas/model/CardBackgroundPicture.h"
#include "canvas/model/Card_Property.h"
#include "data/Data_From_Excel.h"
#include "inspector/InspectorGlobals.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartChooser.h"
#include "mainwindow/StartWindows.h"
#include "mainwindow/WindowDesignFile.h"
#include "mainwindow/designfile/DesignFileController.h"
#include "platform/DialogPresenter.h"

namespace {

const QString kBorderStyleCodes[] = {QStringLiteral("S"), QStringLiteral("DA"), QStringLiteral("DO"),
                                     QStringLiteral("DD"), QStringLiteral("DDD")};

// Empties the loaded data table; its columns stay.
void Clear_Delete_Excel_table_rows()
{
    Data_From_Excel& table = Loaded_Data_Table();
    table.ListData.clear();
    Excel_table_rows = 0;
}

// Runs the template window and loads the template chosen there; 1 when loaded. The inspector's
// orientation, category and size list would follow the window's choice here; the template's own
// card settings are what the design keeps.
int Open_And_Read_Template(SKTWindowController& controller)
{
    Template_Wizard_Fields fields;
    // A cancelled window leaves no path: reading it would report a corrupt file nobody chose.
    if (startWindows().Open_Template_Window(controller.window(), fields) != 1)
        return 0;
    return WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(Selected_Template_Path,
                                                                           QStringLiteral("T"), false);
}

int Start_From_Template(SKTWindowController& controller)
{
    if (Open_And_Read_Template(controller) != 1)
        return 0;
    // The profile fields, the visitor panel and the size fields come with their windows.
    controller.Set_Log_Name_In_Title();
    return 1;
}

int Start_Visitor_Mode(SKTWindowController& controller)
{
    // Visitor captions, side panels and the default photo control come with the visitor panels.
    const int result = Open_And_Read_Template(controller);
    // The template's own mode letter does not count: this run is a visitor run.
    Start_Card_Option = QStringLiteral("V");
    if (result != 1)
        return 0;
    controller.Set_Log_Name_In_Title();
    return 1;
}

QString Card_Shape_Code()
{
    if (Card_Shape == 0)
        return QStringLiteral("R");
    return Card_Shape == 1 ? QStringLiteral("RR") : QStringLiteral("E");
}

QString Card_Fill_Kind(const Card_Wizard_Fields& wizard)
{
    if (wizard.Card_gradient_fill_rd)
        return QStringLiteral("G");
    if (wizard.Card_Style_fill_rd)
        return QStringLiteral("H");
    return wizard.Card_Image_fill_rd ? QStringLiteral("I") : QStringLiteral("S");
}

QColor With_Alpha(QColor colour, float alpha)
{
    colour.setAlphaF(alpha);
    return colour;
}

qint32 Whole_Degrees(double value)
{
    return std::isfinite(value) ? qint32(std::clamp(std::trunc(value), -360.0, 360.0)) : 0;
}

// The card panel's write of one side, from the wizard's choices instead of the panel's controls.
void Write_Card_Wizard_Choices(Card_Property& side, const Card_Wizard_Fields& wizard, const QString& sideName,
                               QSizeF size)
{
    side.setCard_Side(CARD_SIDE_STR);
    side.setCard_Side_Name(sideName);
    side.setCard_Shape(Card_Shape_Code());
    const QString name = Trim_Str(wizard.card_name);
    side.setCard_Name(name.isEmpty() ? default_file_name : name);
    side.setCard_Location(QPointF(0, 0));
    side.setCard_Size(size);
    side.setCard_Create_Mode(QStringLiteral("W"));

    side.setCard_border_chk(wizard.Card_border_chk);
    if (wizard.Card_border_chk) {
        side.setCard_bordr_clr(wizard.Card_bordr_clr);
        side.setCard_bor_Stepper(wizard.Card_bor_Stepper);
    }
    if (wizard.Card_border_style >= 0 && wizard.Card_border_style < int(std::size(kBorderStyleCodes)))
        side.setCard_border_style(kBorderStyleCodes[wizard.Card_border_style]);

    const float alpha = Card_Wizard_Opacity_Percent(wizard.Card_alpha_Stepper) / 100.0f;
    const QString kind = Card_Fill_Kind(wizard);
    side.setCard_fill_chk(true);
    side.setCard_fill_clr(With_Alpha(wizard.Card_fill_clr, alpha));
    side.setCard_fill_style(kind);
    side.setCard_fill_Grd_1_clr(wizard.Card_fill_Grd_1_clr);
    side.setCard_fill_Grd_2_clr(wizard.Card_fill_Grd_2_clr);
    side.setCard_grad_Stepper(Whole_Degrees(wizard.Card_grad_Stepper));
    side.setCard_hatch_bk_clr(With_Alpha(wizard.Card_hatch_bk_clr, alpha));
    if (kind == QLatin1String("H")) {
        // The hatch list shows the pattern pictures by name, in this order.
        const QStringList hatches =
            Get_Files_Array_At_Path(Resource_Path + QStringLiteral("/Fill_Style_Image"), true);
        side.setCard_hatch_style(hatches.value(wizard.Card_hatch_style));
    }
    side.setCard_BG_Image_Path(wizard.Card_Image_path);
    side.setCard_alpha_Stepper(alpha);
}


// The size list, orientation and category of the inspector follow the wizard once the inspector
// exists; the size itself is applied here.
void Apply_Card_Wizard_Choices(SKTWindowController& controller, const Card_Wizard_Fields& wizard)
{
    CARD_SIDE_STR = wizard.Sides_ComboBox == 0 ? QStringLiteral("2") : QStringLiteral("1");
    const QSizeF size(MM_to_Points_Convert(float(wizard.width_Stepper)),
                      MM_to_Points_Convert(float(wizard.height_Stepper)));
    controller.SetDocumentCanvasSize(size);
    Write_Card_Wizard_Choices(controller.Back_card_Prop, wizard, QStringLiteral("B"), size);
    Write_Card_Wizard_Choices(controller.Front_card_Prop, wizard, QStringLiteral("F"), size);
    Card_Front_Or_Back = 0;
    if (Card_Fill_Kind(wizard) == QLatin1String("I")) {
        Set_Card_Background_Picture(controller.Front_card_Prop, wizard.Card_Image_path);
        Set_Card_Background_Picture(controller.Back_card_Prop, wizard.Card_Image_path);
    }
    controller.Refresh_Canvas();
}

int Start_With_Card_Wizard(SKTWindowController& controller)
{
    controller.New_Project_Setting_Reset(true);
    Card_Wizard_Fields wizard;
    if (startWindows().Card_Wizard_Open_Wnd(controller.window(), wizard) != 1)
        return 0;
    Selected_Template_Path.clear();
    Apply_Card_Wizard_Choices(controller, wizard);
    // The profile fields and the visitor panel come with their windows.
    controller.Set_Log_Name_In_Title();
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

int Card_Wizard_Opacity_Percent(double stepper)
{
    if (!std::isfinite(stepper))
        return 100;
    const double percent = stepper <= 1.0 ? stepper * 100.0 : stepper;
    // The small addition keeps fractions such as 0.29 from showing one per cent less.
    return int(std::floor(std::clamp(percent, 0.0, 100.0) + 0.001));
}

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
