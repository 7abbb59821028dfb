#include "mainwindow/WindowSetup.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMimeData>

#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/PropertyInspector.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "views/dialogs/Send_Modeless.h"

namespace {

const QColor kWindowBackground(241, 244, 250);

// The controller made the user folder; the resource folder is only read, so it must merely exist.
bool Check_Folders()
{
    return QFileInfo(Created_Resource_Path).isDir() && QFileInfo(Resource_Path).isDir();
}

void Set_Camera_Folder(SKTWindowController& controller)
{
    Camera_Folder_Path = Read_Camera_Folder_Path(controller.camera_path_file);
    Create_Camera_Path_File(controller.camera_path_file, Camera_Folder_Path);
    Camera_Capture_Image = QDir(Camera_Folder_Path).filePath(QStringLiteral("zova_user_save.png"));
}

// Another program's clipboard content is not ours to drop.
void Clear_Our_Clipboard_Content()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    if (data && data->hasFormat(SKTGraphicViewPasteboardType))
        clipboard->clear();
}

}  // namespace

SetupOutcome awakeFromNib(SKTWindowController& controller)
{
    QMainWindow& window = *controller.window();
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kWindowBackground);
    window.setPalette(palette);

    if (!Check_Folders()) {
        Show_MessageBox(QString::fromLatin1(kCannotAccessDataMessage));
        return SetupOutcome::FoldersUnusable;
    }
    controller.send_modls_wnd = &Send_Modeless::defaultInstance();
    Get_Email_Details();
    Data_Folder_Path = QDir(Created_Resource_Path).filePath(QStringLiteral("DataSet"));
    Camera_Capture_Count = 1;
    Set_Camera_Folder(controller);
    Measument_Unit_Is = 2;
    last_unit_val = 2;
    // The canvases open with their rulers shown.
    controller.sideCommands().Show_Hide_Ruler_ChkBox();

    controller.SetDocumentCanvasSize(SKTDocument::canvasSize(true, QSizeF()));
    controller.inspector().setUpControls(Get_Hatch_Style_Names());
    controller.selectArrowTool();
    controller.showWindow();
    return New_Project(controller) ? SetupOutcome::Started : SetupOutcome::Cancelled;
}

void Reset_Window_For_New_Project(SKTWindowController& controller, bool full)
{
    controller.Image_Ctrl_Counter = 0;
    Clear_Our_Clipboard_Content();
    Check_Path_And_Create_Files();
    ControllerCanvasHost& host = controller.canvasHostOfWindow();
    host.snapshotUndo().Undo_Redo_Clear();
    for (const char* tool : {"text_tool_btn", "image_tool_btn", "image_library_tool_btn"}) {
        if (auto* action = controller.window()->findChild<QAction*>(QString::fromLatin1(tool)))
            action->setEnabled(true);
    }
    controller.windowLayout().grid().setAlwaysShown(false);
    host.dropSelection(SKTDocument::FrontSide);
    host.dropSelection(SKTDocument::BackSide);
    controller.Show_Hide_Main_Window(false);
    controller.Set_Canvas_to_100_percent();
    controller.last_ctrl_X = controller.last_ctrl_Y = 10.0f;
    if (full) {
        Fill_User_Profile = false;
        // The captions outlive the resets of one design only: a profile confirmed for the next
        // one must not print those of the design before it.
        for (User_Profile_Class* profile :
             {&controller.Front_user_profile, &controller.Back_user_profile, &controller.TEMP_user_profile})
            profile->Clear_Captions();
        controller.Front_user_profile.Reset_All_Values();
        controller.Back_user_profile.Reset_All_Values();
    }
    controller.main_photo_ds_batch = false;
    controller.Main_Photo_image = QImage();
    controller.inspector().cardPanel().resetForNewProject();
    controller.inspector().imagePanel().resetForNewProject(controller.NO_Image_Path);
}
