#include "mainwindow/SKTWindowController.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QMainWindow>
#include <QSet>
#include <algorithm>

#include "model/profiles/ProfileCaptions.h"
#include "model/SKTDocument.h"
#include "platform/FileHelpers.h"
#include "views/barcodes/Barcode_Gen.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/PropertyInspector.h"
#include "mainwindow/CardSizePresets.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/ControllerInspectorLink.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/InspectorCommands.h"
#include "mainwindow/LinkCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/ToolCommands.h"
#include "mainwindow/WindowDesignFile.h"
#include "mainwindow/WindowPlacement.h"
#include "platform/AppFolders.h"
#include "platform/GuiThread.h"
#include "platform/ResourcePaths.h"

namespace {

SKTWindowController* app_DefaultInstance = nullptr;

const QStringList kAllowedImageFileTypes{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                                         QStringLiteral("jfif"), QStringLiteral("gif"), QStringLiteral("bmp"),
                                         QStringLiteral("png"),  QStringLiteral("tif"),  QStringLiteral("tiff")};

// The family the system's general font really resolves to, so a stored name matches an installed font.
CardFont systemMenuFont()
{
    const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    return CardFont{QFontInfo(font).family(), Text_Ctrl_Font_Size};
}

}  // namespace

SKTWindowController* SKTWindowController::defaultInstance()
{
    return app_DefaultInstance;
}

SKTWindowController::SKTWindowController(SKTDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_window(std::make_unique<QMainWindow>())
{
    DEFAULT_FONT = systemMenuFont();
    Text_Ctrl_Font = DEFAULT_FONT.family;
    Resource_Path = AppFolders::resourceFolder();
    Created_Resource_Path = AppFolders::applicationSupportFolder();
    // Checked, with a message, by the window set-up.
    Create_Folder(Created_Resource_Path);
    Allowd_Image_fileTypes = kAllowedImageFileTypes;

    app_DefaultInstance = this;
    Main_App_wnd = defaultInstance();
    Text_font = CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size};
    paper_card_arry = paper_card_names();
    pvc_card_arry = pvc_card_names();
    camera_path_file = Default_Camera_Path_File();
    NO_Image_Path = No_Image_Path();
    pictures = ResourcePictures::load(Resource_Path);
    for (User_Profile_Class* profile : {&Front_user_profile, &Back_user_profile, &TEMP_user_profile})
        profile->Reset_All_Values();
    Title_For_Gen_ID_Card();

    m_document.setFrontCardProperty(&Front_card_Prop);
    // The size the window returns to when the user un-maximises it.
    m_window->resize(1200, 800);
    setCardHost(this);
    // The canvases reach the controller through Main_App_wnd while they are built.
    m_layout = new MainWindowLayout(*m_window, m_document);
    for (auto side : {SKTDocument::FrontSide, SKTDocument::BackSide, SKTDocument::PreviewSide})
        connect(this, &SKTWindowController::canvasRefreshRequested, graphicView(side), &SKTGraphicView::refreshRequested);
    // Before the canvas host, whose buttons follow whether a design is open.
    m_session = new DesignSession(*this);
    // It finds its commands among the window's actions.
    m_canvasHost = std::make_unique<ControllerCanvasHost>(*this);
    setCanvasHost(m_canvasHost.get());
    m_inspectorLink = std::make_unique<ControllerInspectorLink>(*this);
    m_inspector = new PropertyInspector(m_layout->inspectorView(), *m_inspectorLink, this);
    // The side panels exist before the first project starts.
    m_liveModes = new LiveModePanels(*this);
    // The barcode page and a double click on a barcode open it through its seam.
    m_barcodeWindow = std::make_unique<Barcode_Gen>(m_window.get());
    m_barcodeWindow->setCanvas(m_canvasHost.get());
    setBarcodeWindow(m_barcodeWindow.get());
    Connect_File_Commands(*this);
    Connect_Link_Commands(*this);
    Connect_Tool_Commands(*this);
    Connect_Output_Commands(*this);
    Connect_Inspector_Commands(*this);
    m_sideCommands = std::make_unique<SideCommands>(*this);
    m_profileWindows = std::make_unique<ProfileWindows>(*this);
    m_session->saved();
    connect(&m_document, &SKTDocument::graphicsChanged, m_session, &DesignSession::scheduleCheck);
    connect(this, &SKTWindowController::canvasRefreshRequested, m_session, &DesignSession::scheduleCheck);
    Set_Log_Name_In_Title();
}

SKTWindowController::~SKTWindowController()
{
    if (&barcodeWindow() == m_barcodeWindow.get())
        setBarcodeWindow(nullptr);
    if (&cardHost() == this)
        setCardHost(nullptr);
    if (&canvasHost() == m_canvasHost.get())
        setCanvasHost(nullptr);
    if (Main_App_wnd == this)
        Main_App_wnd = nullptr;
    if (app_DefaultInstance == this)
        app_DefaultInstance = nullptr;
}

void SKTWindowController::showWindow()
{
    Show_Window_Where_Remembered(*m_window);
}

SKTGraphicView* SKTWindowController::graphicView(SKTDocument::Side side) const
{
    return m_layout->graphicView(side);
}

SKTZoomingScrollView* SKTWindowController::zoomingScrollView(SKTDocument::Side side) const
{
    return m_layout->zoomingScrollView(side);
}

SKTGraphicView* SKTWindowController::editedGraphicView() const
{
    return graphicView(Card_Front_Or_Back == 1 ? SKTDocument::BackSide : SKTDocument::FrontSide);
}

GraphicPtr SKTWindowController::Get_Selected_Graphic() const
{
    return editedGraphicView()->_Selected_Graphic;
}

void SKTWindowController::Set_Selected_Graphic(const GraphicPtr& graphic)
{
    if (graphic)
        editedGraphicView()->_Selected_Graphic = graphic;
}

void SKTWindowController::Set_Log_Name_In_Title()
{
    if (copy_card_design)
        return;
    // "[*]" is where Qt shows the unsaved-changes mark; a literal "[*]" in a name is doubled.
    QString title = m_document.displayName(Project_File_Name);
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    m_window->setWindowTitle(title + QStringLiteral("[*]"));
}

void SKTWindowController::SetDocumentCanvasSize(QSizeF size)
{
    const auto resizeCanvases = [this](QSizeF canvasSize) {
        m_canvasSize = canvasSize;
        // A canvas takes the card's size at its zoom.
        for (auto side : {SKTDocument::FrontSide, SKTDocument::BackSide, SKTDocument::PreviewSide})
            graphicView(side)->setZoomFactor(graphicView(side)->zoomFactor());
        Refresh_Canvas();
    };
    resizeCanvases(QSizeF(0, 0));
    resizeCanvases(size);
}

void SKTWindowController::Set_Canvas_to_100_percent()
{
    for (auto side : {SKTDocument::FrontSide, SKTDocument::BackSide, SKTDocument::PreviewSide})
        zoomingScrollView(side)->setFactorIndex(SKTZoomingScrollView::actualSizeIndex);
}

void SKTWindowController::Show_Hide_Main_Window(bool show)
{
    if (copy_card_design)
        return;
    m_layout->setDesignAreaVisible(show);
}

void SKTWindowController::New_Project_Setting_Reset(bool full)
{
    WindowDesignFile(*this).file().New_Project_Setting_Reset(full);
}

void SKTWindowController::selectArrowTool()
{
    m_canvasHost->Set_Selected_Control_Tool(0);
}

QRectF SKTWindowController::frontCanvasBounds() const
{
    return QRectF(QPointF(0, 0), m_canvasSize);
}

void SKTWindowController::Set_Control_Pos_And_Size(SKTGraphic& graphic)
{
    // The tool bar's pictures are drawn with elements made before the inspector exists. Only the
    // element the pages show: a run binds its records into copies whose moves are no one's to see.
    if (m_inspector && &graphic == m_inspector->Last_Selected_Graphic())
        m_inspector->positionFields().Set_Control_Pos_And_Size(graphic);
}

QPointF SKTWindowController::Control_New_Point(const QString& side)
{
    const GraphicList& graphics =
        side == QLatin1String("F") ? m_document.graphics() : m_document.graphics_back();
    const float step = float(std::max<qsizetype>(graphics.size(), 20));
    float x = last_ctrl_X + step;
    float y = last_ctrl_Y + step;
    const QRectF card = frontCanvasBounds();
    if (x + 50 >= card.width())
        x = 10;
    if (y + 50 >= card.height())
        y = 10;
    last_ctrl_X = x;
    last_ctrl_Y = y;
    return QPointF(x, y);
}

QString SKTWindowController::Generate_Extra_image_control_ID()
{
    // The counter only grows, so an ID dropped with its photo is not handed out again.
    const SKTGraphicView* view = editedGraphicView();
    QString id;
    do {
        ++Image_Ctrl_Counter;
        id = QStringLiteral("F_Pic%1").arg(Image_Ctrl_Counter);
    } while (view->Selcect_Ctrl_With_ID(id));
    return id;
}

void SKTWindowController::Image_Control_Counter_Check()
{
    if (!isVisitorOrGroupMode())
        return;
    // An identifier the edited side already holds is passed over when one is handed out, so a
    // count is enough to start from.
    const GraphicList& edited = editedGraphicView()->graphics();
    Image_Ctrl_Counter += int(std::count_if(edited.begin(), edited.end(), [](const GraphicPtr& element) {
        return element && element->kind() == GraphicKind::Image;
    }));
}

CardFont SKTWindowController::All_Text_font() const
{
    // The tool bar's pictures are drawn with elements made before the inspector exists.
    return m_inspector ? m_inspector->cardPanel().All_Text_font : CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size};
}

QColor SKTWindowController::All_Text_clr() const
{
    return m_inspector ? m_inspector->cardPanel().All_Text_clr() : QColor(Qt::black);
}

void SKTWindowController::Refresh_Canvas()
{
    if (CanvasPaintScope::isActive() || Card_Value_In_Process || !GuiThread::isCurrent())
        return;
    Q_EMIT canvasRefreshRequested(Card_Front_Or_Back == 1 ? 1 : 0);
}

const Card_Property& SKTWindowController::cardProperty(int side) const
{
    return side == 0 ? Front_card_Prop : Back_card_Prop;
}

int SKTWindowController::cardOutline() const
{
    return Card_Shape;
}

QImage SKTWindowController::Get_Image_With_Update_Settings(SKTImage& image)
{
    return imageWithSettingsApplied(image);
}

void SKTWindowController::Reset_Image_Editing_Controls()
{
    if (m_inspector)
        m_inspector->imagePanel().Reset_Image_Editing_Controls();
}
