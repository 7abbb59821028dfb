#include "mainwindow/SideCommands.h"

#include <QMainWindow>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <array>

#include "canvas/helpers/MessageBoxes.h"
#include "canvas/view/SKTGrid.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/designfile/DesignFileController.h"

namespace {

constexpr std::array kCardTabNames{"card_info_tab", "card_size_tab", "card_bkgd_tab", "card_brdr_tab"};

bool isCardTab(const QWidget* page)
{
    if (!page)
        return false;
    for (const char* name : kCardTabNames) {
        if (page->objectName() == QLatin1String(name))
            return true;
    }
    return false;
}

SKTDocument::Side otherSide(SKTDocument::Side side)
{
    return side == SKTDocument::FrontSide ? SKTDocument::BackSide : SKTDocument::FrontSide;
}

} // namespace

SideCommands::SideCommands(SKTWindowController& controller)
    : m_controller(controller),
      m_designFile(std::make_unique<DesignFileController>(controller.document(), controller.Front_card_Prop,
                                                          controller.Back_card_Prop))
{
    // The side tabs switch sides too; they must leave the window as the commands do.
    if (auto* tabs = controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs"))) {
        QObject::connect(tabs, &QTabBar::currentChanged, &controller, [this](int index) {
            if (index != SKTDocument::PreviewSide)
                sideChanged();
        });
    }
}

SideCommands::~SideCommands() = default;

void SideCommands::Zoom_In_Toolbar_btn()
{
    m_controller.windowLayout().stepZoom(1);
}

void SideCommands::Zoom_Out_Toolbar_btn()
{
    m_controller.windowLayout().stepZoom(-1);
}

void SideCommands::Select_front_side()
{
    selectSide(SKTDocument::FrontSide);
}

void SideCommands::Select_back_side()
{
    selectSide(SKTDocument::BackSide);
}

void SideCommands::selectSide(SKTDocument::Side side)
{
    MainWindowLayout& layout = m_controller.windowLayout();
    layout.showSide(side);
    // Showing the side that is already shown changes nothing on the tabs.
    Card_Front_Or_Back = side;
    sideChanged();
}

void SideCommands::sideChanged()
{
    QTabWidget* tabs = m_controller.windowLayout().settingsTabs();
    if (!isCardTab(tabs->currentWidget())) {
        if (auto* info = tabs->findChild<QWidget*>(QStringLiteral("card_info_tab")))
            tabs->setCurrentWidget(info);
    }
    m_controller.canvasHostOfWindow().snapshotUndo().Check_Undo_Redo_Btn_Enability();
}

Card_Property& SideCommands::cardProperty(SKTDocument::Side side)
{
    return side == SKTDocument::BackSide ? m_controller.Back_card_Prop : m_controller.Front_card_Prop;
}

void SideCommands::Copy_Card_Design_Clicked()
{
    if (Show_YES_NO_MessageBox(kCopyDesignQuestion) != 1)
        return;
    SKTDocument& document = m_controller.document();
    SKTGrid& grid = m_controller.windowLayout().grid();
    const bool gridShown = grid.isAlwaysShown();
    const auto source = SKTDocument::Side(Card_Front_Or_Back.load());
    const auto target = otherSide(source);
    const GraphicList targetBefore = document.graphicsOfSide(target);
    const Card_Property targetPropertyBefore = cardProperty(target);

    ControllerCanvasHost& host = m_controller.canvasHostOfWindow();
    host.dropSelection(target);
    cardProperty(target) = cardProperty(source);
    // Shared with the source only until the reload below gives the target its own objects.
    document.replaceGraphicsOnSide(target, document.graphicsOfSide(source));
    if (!reloadThroughTemporaryFile()) {
        // Never leave the two sides sharing element objects.
        host.dropSelection(target);
        document.replaceGraphicsOnSide(target, targetBefore);
        cardProperty(target) = targetPropertyBefore;
        Show_MessageBox(kCopyDesignFailedMessage);
    }
    selectSide(source);
    host.Insert_In_Undo_Redo();
    grid.setAlwaysShown(gridShown);
    selectSide(SKTDocument::BackSide);
    m_controller.Refresh_Canvas();
}

bool SideCommands::reloadThroughTemporaryFile()
{
    // A private folder: no other program can plant or read the file in between.
    QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    const QString path = folder.filePath(QStringLiteral("zova.") + design_file_EXT);
    const QString projectFile = Project_File_Name;
    const bool copied = m_designFile->Save_project_file(path, false, QStringLiteral("L"))
                        && m_designFile->Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true) == 1;
    Project_File_Name = projectFile;
    return copied;
}
