#include "mainwindow/ControllerInspectorLink.h"

#include <QAction>
#include <QMainWindow>
#include <QTabBar>

#include "views/canvas/SKTGraphicView.h"
#include "mainwindow/CardSizePresets.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/StartWindows.h"
#include "mainwindow/ToolCommands.h"
#include "mainwindow/WindowDesignFile.h"

int ControllerInspectorLink::sideInForce() const
{
    return Card_Front_Or_Back == 1 ? 1 : 0;
}

GraphicList ControllerInspectorLink::selectedGraphics() const
{
    return m_controller.editedGraphicView()->selectedGraphics();
}

void ControllerInspectorLink::Clear_Control_Selection()
{
    m_controller.editedGraphicView()->Clear_Control_Selection();
}

void ControllerInspectorLink::selectArrowTool()
{
    m_controller.selectArrowTool();
}

void ControllerInspectorLink::Enable_Standard_Button_For_Control()
{
    m_controller.canvasHostOfWindow().Enable_Standard_Button_For_Control();
}

void ControllerInspectorLink::Enable_Standard_Button_For_Unlock()
{
    m_controller.canvasHostOfWindow().Enable_Standard_Button_For_Unlock();
}

void ControllerInspectorLink::Disable_Standard_Button_For_Lock()
{
    m_controller.canvasHostOfWindow().Disable_Standard_Button_For_Lock();
}

void ControllerInspectorLink::Disable_Standard_Button_For_Card()
{
    m_controller.canvasHostOfWindow().Disable_Standard_Button_For_Card();
}

void ControllerInspectorLink::Set_Natural_And_Fit_Buttons_Enabled(bool enabled)
{
    m_controller.canvasHostOfWindow().Set_Natural_And_Fit_Buttons_Enabled(enabled);
}

Card_Property& ControllerInspectorLink::cardRecord(int side)
{
    return side == 0 ? m_controller.Front_card_Prop : m_controller.Back_card_Prop;
}

GraphicList ControllerInspectorLink::graphicsOfSide(int side) const
{
    return side == 0 ? m_controller.Get_Front_Controls_Array() : m_controller.Get_Back_Controls_Array();
}

QRectF ControllerInspectorLink::frontCanvasBounds() const
{
    return m_controller.frontCanvasBounds();
}

void ControllerInspectorLink::Refresh_Canvas()
{
    m_controller.Refresh_Canvas();
}

void ControllerInspectorLink::Set_Log_Name_In_Title()
{
    m_controller.Set_Log_Name_In_Title();
}

void ControllerInspectorLink::Select_front_side()
{
    m_controller.sideCommands().Select_front_side();
}

void ControllerInspectorLink::setBackSideCommandsEnabled(bool enabled)
{
    QMainWindow& window = *m_controller.window();
    if (auto* action = window.findChild<QAction*>(QStringLiteral("Back_Side_btn")))
        action->setEnabled(enabled);
    if (auto* sides = window.findChild<QTabBar*>(QStringLiteral("side_tabs")))
        sides->setTabEnabled(SKTDocument::BackSide, enabled);
    // CARD_SIDE_STR already holds the sides; the copy also waits for a design to be open.
    m_controller.designSession().syncCopyDesignCommand();
}

QStringList ControllerInspectorLink::Allowd_Image_fileTypes() const
{
    return m_controller.Allowd_Image_fileTypes;
}

int ControllerInspectorLink::Open_Image_Library_Window(const QString& purpose)
{
    return ::Open_Image_Library_Window(purpose);
}

QString ControllerInspectorLink::lib_window_sel_file() const
{
    return ::lib_window_sel_file;
}

void ControllerInspectorLink::Set_Canvas_to_100_percent()
{
    m_controller.Set_Canvas_to_100_percent();
}

void ControllerInspectorLink::applyCanvasSize(QSizeF points)
{
    m_controller.SetDocumentCanvasSize(points);
}

bool ControllerInspectorLink::hasEditsSinceStart() const
{
    return m_controller.canvasHostOfWindow().snapshotUndo().hasEditsSinceStart();
}

void ControllerInspectorLink::Restart_Undo_History_After_Resize()
{
    m_controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History_After_Resize();
}

QString ControllerInspectorLink::Project_File_Name() const
{
    return ::Project_File_Name;
}

QString ControllerInspectorLink::Selected_Template_Path() const
{
    return ::Selected_Template_Path;
}

int ControllerInspectorLink::readTemplate(const QString& path)
{
    return WindowDesignFile(m_controller).file().Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("T"), false);
}

QSizeF ControllerInspectorLink::Get_My_card_Size(const QString& category, const QString& orientation, int row) const
{
    return ::Get_My_card_Size(category, orientation, row);
}

QStringList ControllerInspectorLink::pvc_card_arry() const
{
    return m_controller.pvc_card_arry;
}

QStringList ControllerInspectorLink::paper_card_arry() const
{
    return m_controller.paper_card_arry;
}

void ControllerInspectorLink::Insert_In_Undo_Redo()
{
    m_controller.canvasHostOfWindow().Insert_In_Undo_Redo();
}

void ControllerInspectorLink::Record_Typing_In_Undo_Redo(bool continuesRun)
{
    m_controller.canvasHostOfWindow().snapshotUndo().Record_Typing(continuesRun);
}

GraphicPtr ControllerInspectorLink::Get_Selected_Graphic() const
{
    return m_controller.Get_Selected_Graphic();
}

SKTGraphicView& ControllerInspectorLink::editedCanvas() const
{
    return *m_controller.editedGraphicView();
}

SKTGraphicView& ControllerInspectorLink::frontCanvas() const
{
    return *m_controller.graphicView(SKTDocument::FrontSide);
}

SKTGrid& ControllerInspectorLink::grid() const
{
    return m_controller.windowLayout().grid();
}

void ControllerInspectorLink::Set_User_Image_Control(int side, const QString& path, const QImage& picture,
                                                     const QString& ctrlId)
{
    m_controller.canvasHostOfWindow().Set_User_Image_Control(side, path, picture, ctrlId);
}

void ControllerInspectorLink::pictureOfElementChanged(int side, const QString& path, const QImage& picture,
                                                      const QString& ctrlId)
{
    m_controller.liveModes().pictureOfElementChanged(side, path, picture, ctrlId);
}

void ControllerInspectorLink::panelFieldFollowsBarcode(int side, const SKTGraphic& barcode)
{
    m_controller.liveModes().panelFieldFollowsBarcode(side, barcode);
}
