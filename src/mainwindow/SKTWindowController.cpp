#include "mainwindow/SKTWindowController.h"

#include <QMainWindow>
#include <QSet>
#include <algorithm>

#include "canvas/model/SKTDocument.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SideCommands.h"
#include "platform/AppFolders.h"
#include "platform/GuiThread.h"

SKTWindowController::SKTWindowController(SKTDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_window(std::make_unique<QMainWindow>())
{
    Main_App_wnd = this;
    Resource_Path = AppFolders::resourceFolder();
    Created_Resource_Path = AppFolders::applicationSupportFolder();
    Data_Folder_Path = Created_Resource_Path + QStringLiteral("/DataSet");

    m_document.setFrontCardProperty(&Front_card_Prop);
    m_window->resize(1200, 800);
    updateWindowTitle();
    setCardHost(this);
    // The canvases reach the controller through Main_App_wnd while they are built.
    m_layout = new MainWindowLayout(*m_window, m_document);
    // It finds its commands among the window's actions.
    m_canvasHost = std::make_unique<ControllerCanvasHost>(*this);
    setCanvasHost(m_canvasHost.get());
    Connect_File_Commands(*this);
    m_sideCommands = std::make_unique<SideCommands>(*this);
}

SKTWindowController::~SKTWindowController()
{
    if (&cardHost() == this)
        setCardHost(nullptr);
    if (&canvasHost() == m_canvasHost.get())
        setCanvasHost(nullptr);
    if (Main_App_wnd == this)
        Main_App_wnd = nullptr;
}

void SKTWindowController::showWindow()
{
    m_window->show();
}

SKTGraphicView* SKTWindowController::graphicView(SKTDocument::Side side) const
{
    return m_layout->graphicView(side);
}

SKTZoomingScrollView* SKTWindowController::zoomingScrollView(SKTDocument::Side side) const
{
    return m_layout->zoomingScrollView(side);
}

void SKTWindowController::updateWindowTitle()
{
    m_window->setWindowTitle(m_document.displayName());
}

QRectF SKTWindowController::frontCanvasBounds() const
{
    return QRectF(QPointF(0, 0), SKTDocument::canvasSize(true, QSizeF()));
}

void SKTWindowController::Set_Control_Pos_And_Size(SKTGraphic&)
{
    // The inspector's position fields come with the property inspector.
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
    QSet<QString> used;
    for (const GraphicList* list : {&m_document.graphics(), &m_document.graphics_back()}) {
        for (const GraphicPtr& graphic : *list)
            used.insert(graphic->control_ID);
    }
    for (int n = 1;; ++n) {
        const QString id = QStringLiteral("F_Pic%1").arg(n);
        if (!used.contains(id))
            return id;
    }
}

CardFont SKTWindowController::All_Text_font() const
{
    return CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size};
}

QColor SKTWindowController::All_Text_clr() const
{
    return QColor(Qt::black);
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
