#pragma once
// The main window controller: owns the main window and the card settings of both sides, and
// answers the card model's questions about the window. The full window is built on this.
#include <QObject>
#include <memory>

#include "canvas/model/CardHost.h"
#include "canvas/model/Card_Property.h"
#include "canvas/model/SKTDocument.h"

class ControllerCanvasHost;
class SideCommands;
class MainWindowLayout;
class QMainWindow;
class SKTGraphicView;
class SKTZoomingScrollView;

class SKTWindowController : public QObject, public CardHost {
    Q_OBJECT
public:
    // Sets the program-wide paths and installs itself as Main_App_wnd and as the card host.
    explicit SKTWindowController(SKTDocument& document, QObject* parent = nullptr);
    ~SKTWindowController() override;

    SKTDocument& document() const { return m_document; }
    QMainWindow* window() const { return m_window.get(); }
    void showWindow();
    MainWindowLayout& windowLayout() const { return *m_layout; }
    // What the canvases ask of the window; installed as the canvas host.
    ControllerCanvasHost& canvasHostOfWindow() const { return *m_canvasHost; }
    // Zoom, side switching and the copy of a design onto the other side.
    SideCommands& sideCommands() const { return *m_sideCommands; }
    // The canvases of the front, back and preview sides and their zooming scroll views.
    SKTGraphicView* graphicView(SKTDocument::Side side) const;
    SKTZoomingScrollView* zoomingScrollView(SKTDocument::Side side) const;
    // The title follows the document's display name (the front card's name and the design file).
    void updateWindowTitle();

    // ---- CardHost ----------------------------------------------------------------------------
    QRectF frontCanvasBounds() const override;
    void Set_Control_Pos_And_Size(SKTGraphic& graphic) override;
    QPointF Control_New_Point(const QString& side) override;
    QString Generate_Extra_image_control_ID() override;
    CardFont All_Text_font() const override;
    QColor All_Text_clr() const override;
    // Asks for a redisplay of the side being edited, except while a canvas paints, while a batch
    // assigns record values, or off the GUI thread.
    void Refresh_Canvas() override;
    const Card_Property& cardProperty(int side) const override;

    Card_Property Front_card_Prop;
    Card_Property Back_card_Prop;
    // Where the last new element went; the next one cascades from here. A new design resets both.
    float last_ctrl_X = 10.0f;
    float last_ctrl_Y = 10.0f;

Q_SIGNALS:
    // The canvas of the side (0 front, 1 back) should be redrawn.
    void canvasRefreshRequested(int side);

private:
    SKTDocument& m_document;
    std::unique_ptr<QMainWindow> m_window;
    MainWindowLayout* m_layout = nullptr;  // owned by the window
    std::unique_ptr<ControllerCanvasHost> m_canvasHost;
    std::unique_ptr<SideCommands> m_sideCommands;
};
