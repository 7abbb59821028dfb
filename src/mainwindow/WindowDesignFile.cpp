#include "mainwindow/WindowDesignFile.h"

#include <QMainWindow>

#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/WindowSetup.h"
#include "platform/DialogPresenter.h"
#include "views/inspector/PropertyInspector.h"
#include "views/inspector/WaitingSheets.h"

WindowDesignFile::WindowDesignFile(SKTWindowController& controller)
    : m_controller(controller)
    , m_file(controller.document(), controller.Front_card_Prop, controller.Back_card_Prop, *this)
{
    const LiveModePanels& panels = controller.liveModes();
    m_file.excel_cb_value = panels.excel_cb_value;
    m_file.dynamic_ctrl_list_front = panels.dynamic_ctrl_list_front;
    m_file.dynamic_ctrl_list_back = panels.dynamic_ctrl_list_back;
}

void WindowDesignFile::keepPanelLists()
{
    LiveModePanels& panels = m_controller.liveModes();
    panels.excel_cb_value = m_file.excel_cb_value;
    panels.dynamic_ctrl_list_front = m_file.dynamic_ctrl_list_front;
    panels.dynamic_ctrl_list_back = m_file.dynamic_ctrl_list_back;
}

void WindowDesignFile::Save_Group_Mode_List_Details_In_XL_Data_List()
{
    m_controller.liveModes().Save_Group_Mode_List_Details_In_XL_Data_List();
}

void WindowDesignFile::Group_Project_Saved()
{
    m_controller.liveModes().writeProjectWorkbook();
}

void WindowDesignFile::New_Project_Setting_Reset(bool full, const std::function<void()>& resetDesign)
{
    const NotDrawOnlyPropChangeGuard guard;
    Reset_Window_For_New_Project(m_controller, full);
    resetDesign();
    keepPanelLists();
    m_controller.sideCommands().Select_front_side();
    m_controller.Set_Log_Name_In_Title();
}

void WindowDesignFile::Set_Log_Name_In_Title()
{
    m_controller.Set_Log_Name_In_Title();
}

void WindowDesignFile::Set_Card_Sides(int index)
{
    m_controller.inspector().cardPanel().showSides(index);
}

void WindowDesignFile::Show_Loaded_Design()
{
    keepPanelLists();
    m_controller.Image_Control_Counter_Check();
    // Designs saved before their card was sized keep the default canvas.
    QSizeF cardSize = m_controller.Front_card_Prop.Card_Size();
    if (cardSize.isEmpty())
        cardSize = SKTDocument::canvasSize(true, QSizeF());
    m_controller.SetDocumentCanvasSize(cardSize);
    m_controller.inspector().sizePanel().Show_Card_Size(cardSize);
    m_controller.Set_Log_Name_In_Title();
    m_controller.selectArrowTool();
    m_controller.Refresh_Canvas();
    m_controller.Show_Hide_Main_Window(true);
    // Visitor and group designs come back with their panels; other designs hide them.
    m_controller.liveModes().After_Design_Load();
}

int Open_Log_File(SKTWindowController& controller)
{
    FilePanelRequest request;
    request.parent = controller.window();
    request.caption = QStringLiteral("Open Design");
    request.filter = QStringLiteral("Design (*.did);;All (*)");
    const QString path = dialogPresenter().openFile(request);
    if (path.isEmpty())
        return 0;
    Show_Create_Modeless();
    const int loaded = WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true);
    // A group project comes back with its records in the panels and the group list.
    if (loaded == 1)
        Load_Group_Mode_After_log_reading(controller);
    Hide_Destroy_Modeless();
    return loaded;
}
