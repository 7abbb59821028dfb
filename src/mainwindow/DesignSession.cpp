#include "mainwindow/DesignSession.h"

#include <QAction>
#include <QMainWindow>
#include <utility>

#include "data/Data_From_Excel.h"
#include "designfile/DesignFingerprint.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/AppContext.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

// Menu items that act on the open design, beside the tool and command bars.
constexpr const char* kDesignMenuItems[] = {
    "Close_Document_Clicked", "Save_Btn_Clicked", "SaveAs_Btn_Clicked", "Export_As_Template_Clicked",
    "Export_Button",          "Print_Button",     "Mail_Button",        "Select_All_menu",
};

}  // namespace

DesignSession::DesignSession(SKTWindowController& controller) : QObject(&controller), m_controller(controller)
{
    m_check.setSingleShot(true);
    m_check.setInterval(0);
    connect(&m_check, &QTimer::timeout, this, &DesignSession::updateModifiedMark);
}

void DesignSession::started()
{
    m_open = true;
    setDesignCommandsEnabled(true);
    ControllerCanvasHost& host = m_controller.canvasHostOfWindow();
    host.snapshotUndo().Restart_Undo_History();
    // The selection commands as the opened design's selection allows; paste by the clipboard.
    m_controller.inspector().Set_Standard_Buttons_For_Selection();
    host.Set_Same_Size_Buttons_Enabled(false);
    m_controller.editedGraphicView()->setFocus();
    saved();
    if (std::exchange(m_editedOnStart, false)) {
        m_savedFingerprint.clear();
        updateModifiedMark();
    }
}

void DesignSession::startWithEdit(const std::function<void()>& edit)
{
    const QByteArray before = currentFingerprint();
    edit();
    m_editedOnStart = m_editedOnStart || currentFingerprint() != before;
}

void DesignSession::closed()
{
    m_open = false;
    m_editedOnStart = false;
    setDesignCommandsEnabled(false);
    m_check.stop();
    m_controller.window()->setWindowModified(false);
}

void DesignSession::saved()
{
    m_savedFingerprint = currentFingerprint();
    m_check.stop();
    m_controller.window()->setWindowModified(false);
}

bool DesignSession::hasUnsavedChanges() const
{
    return m_open && currentFingerprint() != m_savedFingerprint;
}

void DesignSession::showWithoutChange(const std::function<void()>& step)
{
    const bool unchanged = !hasUnsavedChanges();
    step();
    if (unchanged)
        saved();
}

void DesignSession::scheduleCheck()
{
    if (m_open)
        m_check.start();
}

QByteArray DesignSession::currentFingerprint() const
{
    // Compared as the canvases show the sides (see SnapshotUndoWindow::settleDrawnValues).
    for (int side : {0, 1})
        m_controller.canvasHostOfWindow().settleDrawnValues(side);
    return Design_Fingerprint(m_controller.document(), m_controller.Front_card_Prop, m_controller.Back_card_Prop,
                              CARD_SIDE_STR, Loaded_Data_Table());
}

void DesignSession::updateModifiedMark()
{
    m_controller.window()->setWindowModified(hasUnsavedChanges());
}

void DesignSession::setDesignCommandsEnabled(bool enabled)
{
    QList<QAction*> actions = m_controller.windowLayout().designCommands();
    for (const char* name : kDesignMenuItems) {
        if (auto* item = m_controller.window()->findChild<QAction*>(QLatin1String(name)))
            actions.append(item);
    }
    for (QAction* action : actions)
        action->setEnabled(enabled);
    syncCopyDesignCommand();
    m_controller.windowLayout().syncGridButton();
}

void DesignSession::syncCopyDesignCommand()
{
    if (auto* copy = m_controller.window()->findChild<QAction*>(QStringLiteral("Copy_Card_Design_btn")))
        copy->setEnabled(m_open && CARD_SIDE_STR == QLatin1String("2"));
}
