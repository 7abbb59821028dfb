#include "mainwindow/WindowDesignFile.h"

#include <QMainWindow>

#include "mainwindow/SKTWindowController.h"
#include "platform/DialogPresenter.h"

WindowDesignFile::WindowDesignFile(SKTWindowController& controller)
    : DesignFileController(controller.document(), controller.Front_card_Prop, controller.Back_card_Prop)
    , m_controller(controller)
{
}

void WindowDesignFile::Set_Log_Name_In_Title()
{
    m_controller.updateWindowTitle();
}

void WindowDesignFile::Show_Loaded_Design()
{
    m_controller.updateWindowTitle();
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
    return WindowDesignFile(controller).Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true);
}
