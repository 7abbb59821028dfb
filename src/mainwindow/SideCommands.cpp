#include "mainwindow/SideCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QMainWindow>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <array>

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "output/DesignSnapshot.h"
#include "platform/MessageBoxes.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/inspector/InspectorView.h"

namespace {


struct ProfileRecords {
    User_Profile_Class front;
    User_Profile_Class back;
    User_Profile_Class preview;
    bool filled;
};

SKTDocument::Side otherSide(SKTDocument::Side side)
{
    return side == SKTDocument::FrontSide ? SKTDocument::BackSide : SKTDocument::FrontSide;
}

} // namespace

SideCommands::SideCommands(SKTWindowController& controller)
    : m_controller(controller),
      m_designFile(controller.document(), controller.Front_card_Prop, controller.Back_card_Prop, m_windowless)
{
    // The side tabs and the View menu are one road: every side shown, however it was chosen,
    // brings its panel and the chosen record along.
    if (auto* tabs = controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs"))) {
        QObject::connect(tabs, &QTabBar::currentChanged, &controller,
                         [this](int index) { tabShown(SKTDocument::Side(index)); });
    }
    connectMenus();
    QObject::connect(&controller.document(), &SKTDocument::graphicsChanged, &controller,
                     [this](int side) { sideElementsReplaced(side); });
}

SideCommands::~SideCommands() = default;

void SideCommands::connectMenus()
{
    MainWindowLayout& layout = m_controller.windowLayout();
    QMenu* view = layout.menu("view_menu");
    QAction* firstItem = view->actions().value(0);
    const auto addBefore = [&](QMenu* menu, QAction* before, const char* name, const QString& title,
                               void (SideCommands::*command)()) {
        auto* action = new QAction(title, menu);
        action->setObjectName(QLatin1String(name));
        menu->insertAction(before, action);
        QObject::connect(action, &QAction::triggered, &m_controller, [this, command] { (this->*command)(); });
        return action;
    };
    addBefore(view, firstItem, "Actual_Size_Toolbar_btn", QStringLiteral("&Actual Size"),
              &SideCommands::Actual_Size_Toolbar_btn)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->insertSeparator(firstItem);
    addBefore(view, firstItem, "Front_Side_btn", QStringLiteral("&Front Side"), &SideCommands::chooseFrontSide);
    addBefore(view, firstItem, "Back_Side_btn", QStringLiteral("&Back Side"), &SideCommands::chooseBackSide);
    addBefore(view, firstItem, "Temp_Side_btn", QStringLiteral("&Preview"), &SideCommands::Temp_Card_Btn_Clicked);
    view->insertSeparator(firstItem);
    // Titled "Show Ruler" or "Hide Ruler" by the canvas each time the menu opens; its letter is H.
    const auto withLetter = [](QAction* item) {
        QString title = item->text();
        item->setText(title.insert(title.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive), QLatin1Char('&')));
    };
    QAction* rulers = addBefore(view, firstItem, "showOrHideRulers", QStringLiteral("Show Ruler"),
                                &SideCommands::Show_Hide_Ruler_ChkBox);
    rulers->setData(QStringLiteral("showOrHideRulers:"));
    withLetter(rulers);
    QObject::connect(view, &QMenu::aboutToShow, rulers, [this, rulers, withLetter] {
        m_controller.windowLayout().currentView()->validateMenuItem(*rulers);
        withLetter(rulers);
    });
    view->insertSeparator(firstItem);
    if (auto* box = m_controller.window()->findChild<QCheckBox*>(QStringLiteral("Show_Hide_Ruler_ChkBox")))
        QObject::connect(box, &QCheckBox::clicked, &m_controller, [this] { Show_Hide_Ruler_ChkBox(); });
    QMenu* edit = layout.menu("edit_menu");
    edit->addSeparator();
    addBefore(edit, nullptr, "Copy_Card_Design_btn", QStringLiteral("Copy Design to Other Side"),
              &SideCommands::Copy_Card_Design_Clicked);
}

void SideCommands::Zoom_In_Toolbar_btn()
{
    m_controller.windowLayout().stepZoom(1);
}

void SideCommands::Zoom_Out_Toolbar_btn()
{
    m_controller.windowLayout().stepZoom(-1);
}

void SideCommands::Actual_Size_Toolbar_btn()
{
    m_controller.Set_Canvas_to_100_percent();
}

double SideCommands::Get_Factor_According_Index(int index)
{
    const auto& steps = SKTZoomingScrollView::zoomSteps;
    return index >= 0 && index < int(steps.size()) ? steps[index].factor : 0.0;
}

void SideCommands::Show_Hide_Ruler_ChkBox()
{
    MainWindowLayout& layout = m_controller.windowLayout();
    for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide, SKTDocument::PreviewSide})
        layout.graphicView(side)->showOrHideRulers();
    if (auto* box = m_controller.window()->findChild<QCheckBox*>(QStringLiteral("Show_Hide_Ruler_ChkBox")))
        box->setChecked(layout.currentView()->rulersVisible());
}

void SideCommands::Temp_Card_Btn_Clicked()
{
    // The preview shown takes the edited side's elements; one already shown is refreshed.
    selectSide(SKTDocument::PreviewSide);
}

void SideCommands::Temp_Design_Control_Assign()
{
    SKTDocument& document = m_controller.document();
    m_previewOf = SKTDocument::Side(Card_Front_Or_Back.load());
    m_controller.graphicView(SKTDocument::PreviewSide)->dropSelection();
    document.replaceGraphicsOnSide(SKTDocument::PreviewSide, document.graphicsOfSide(m_previewOf));
    m_controller.graphicView(SKTDocument::PreviewSide)->update();
}

void SideCommands::sideElementsReplaced(int side)
{
    if (m_sideShown != SKTDocument::PreviewSide || side != m_previewOf)
        return;
    SKTDocument& document = m_controller.document();
    if (document.graphicsOfSide(SKTDocument::PreviewSide) == document.graphicsOfSide(m_previewOf))
        return;
    m_controller.graphicView(SKTDocument::PreviewSide)->dropSelection();
    document.replaceGraphicsOnSide(SKTDocument::PreviewSide, document.graphicsOfSide(m_previewOf));
    m_controller.graphicView(SKTDocument::PreviewSide)->update();
}

void SideCommands::Set_Temp_Design(const GraphicList& elements)
{
    SKTGraphicView& preview = *m_controller.graphicView(SKTDocument::PreviewSide);
    preview.dropSelection();
    m_controller.document().replaceGraphicsOnSide(SKTDocument::PreviewSide, DesignSnapshot::copiesOf(elements));
    preview.update();
}

void SideCommands::Select_front_side()
{
    selectSide(SKTDocument::FrontSide);
}

void SideCommands::Select_back_side()
{
    selectSide(SKTDocument::BackSide);
}

void SideCommands::chooseFrontSide()
{
    m_controller.windowLayout().showSide(SKTDocument::FrontSide);
}

void SideCommands::chooseBackSide()
{
    m_controller.windowLayout().showSide(SKTDocument::BackSide);
}

void SideCommands::selectSide(SKTDocument::Side side)
{
    MainWindowLayout& layout = m_controller.windowLayout();
    if (layout.currentSide() == side) {
        sideShown(side);
        return;
    }
    const QScopedValueRollback programShows(m_programShowsSide, true);
    layout.showSide(side);
}

void SideCommands::tabShown(SKTDocument::Side side)
{
    if (m_keepingSide)
        return;
    // A side the user chose shows once typing not saved over the group record is saved or
    // dropped; else the side shown before stays.
    if (!m_programShowsSide && !m_controller.liveModes().typingSettledBeforeSideShown(side)) {
        const QScopedValueRollback keeping(m_keepingSide, true);
        m_controller.windowLayout().showSide(m_sideShown);
        return;
    }
    sideShown(side);
}

void SideCommands::sideShown(SKTDocument::Side side)
{
    m_sideShown = side;
    if (side == SKTDocument::PreviewSide) {
        // Nothing of the edited side stays selected behind the preview: the inspector shows the
        // card, and the element commands are off.
        m_controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
        Temp_Design_Control_Assign();
        return;
    }
    Card_Front_Or_Back = side;
    // Visitor and group modes show the side panel of the side shown.
    if (isVisitorOrGroupMode()) {
        LiveModePanels& panels = m_controller.liveModes();
        panels.change_Visitor_Side_View(side);
        // The side shown takes the group record chosen in the list.
        panels.Assign_value_to_card_in_group_mode_list_selection();
        m_controller.canvasHostOfWindow().Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    }
    sideChanged();
}

void SideCommands::sideChanged()
{
    InspectorView& inspector = m_controller.windowLayout().inspectorView();
    const QWidget* lastCardSelTab = inspector.sett_tab().currentWidget();
    const QString keptTab = InspectorView::isCardPage(lastCardSelTab) ? lastCardSelTab->objectName()
                                                                      : QStringLiteral("card_info_tab");
    m_controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    inspector.showPage(keptTab);
    m_controller.canvasHostOfWindow().snapshotUndo().Check_Undo_Redo_Btn_Enability();
}

Card_Property& SideCommands::cardProperty(SKTDocument::Side side)
{
    return side == SKTDocument::BackSide ? m_controller.Back_card_Prop : m_controller.Front_card_Prop;
}

void SideCommands::Copy_Card_Design_Clicked()
{
    if (Show_YES_NO_MessageBox(kCopyDesignQuestion) != 1 || !m_controller.liveModes().typingSettledBeforeDesignCopy())
        return;
    // The window keeps its title and layout while the design goes through the file.
    const QScopedValueRollback copying(copy_card_design, true);
    // The reload starts from a reset; what the user typed into the profiles survives it.
    const ProfileRecords profiles{m_controller.Front_user_profile, m_controller.Back_user_profile,
                                  m_controller.TEMP_user_profile, Fill_User_Profile};
    SKTDocument& document = m_controller.document();
    SKTGrid& grid = m_controller.windowLayout().grid();
    const bool gridShown = grid.isAlwaysShown();
    const auto source = SKTDocument::Side(Card_Front_Or_Back.load());
    const auto target = otherSide(source);
    const GraphicList targetBefore = document.graphicsOfSide(target);
    const Card_Property targetPropertyBefore = cardProperty(target);

    LiveModePanels& panels = m_controller.liveModes();
    const int chosenRow = Start_Card_Option == QLatin1String("G") ? panels.selectedRow() : 0;

    ControllerCanvasHost& host = m_controller.canvasHostOfWindow();
    host.dropSelection(target);
    cardProperty(target) = cardProperty(source);
    // Shared with the source only until the reload below gives the target its own objects.
    document.replaceGraphicsOnSide(target, document.graphicsOfSide(source));
    if (reloadThroughTemporaryFile()) {
        panels.Design_Copied_To_Side(target, chosenRow);
    } else {
        // Never leave the two sides sharing element objects.
        host.dropSelection(target);
        document.replaceGraphicsOnSide(target, targetBefore);
        cardProperty(target) = targetPropertyBefore;
        Show_MessageBox(kCopyDesignFailedMessage);
    }
    m_controller.Front_user_profile = profiles.front;
    m_controller.Back_user_profile = profiles.back;
    m_controller.TEMP_user_profile = profiles.preview;
    Fill_User_Profile = profiles.filled;
    selectSide(source);
    host.Insert_In_Undo_Redo();
    grid.setAlwaysShown(gridShown);
    // The copy is over: the side panels (in the live modes) and the design area show again.
    copy_card_design = false;
    panels.Show_Hide_Profile_Panel_Live_Mode(true);
    m_controller.Show_Hide_Main_Window(true);
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
    const bool copied = m_designFile.Save_project_file(path, false, QStringLiteral("L"))
                        && m_designFile.Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true) == 1;
    Project_File_Name = projectFile;
    return copied;
}
