#pragma once
// The main window controller: owns the main window and the card settings of both sides, and
// answers the card model's questions about the window. The full window is built on this.
#include <QImage>
#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

#include "mainwindow/DesignBackup.h"
#include "mainwindow/ResourcePictures.h"
#include "model/CardHost.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"
#include "model/profiles/User_Profile_Class.h"

class Barcode_Gen;
class ControllerCanvasHost;
class DesignSession;
class SideCommands;
class ControllerInspectorLink;
class LiveModePanels;
class MainWindowLayout;
class ProfileWindows;
class PropertyInspector;
class QMainWindow;
class SKTGraphicView;
class Send_Modeless;
class SKTZoomingScrollView;

class SKTWindowController : public QObject, public CardHost {
    Q_OBJECT
public:
    // Sets the program-wide paths and installs itself as Main_App_wnd and as the card host.
    explicit SKTWindowController(SKTDocument& document, QObject* parent = nullptr);
    ~SKTWindowController() override;

    // The one controller of the run; null before it is made.
    static SKTWindowController* defaultInstance();

    SKTDocument& document() const { return m_document; }
    QMainWindow* window() const { return m_window.get(); }
    void showWindow();
    MainWindowLayout& windowLayout() const { return *m_layout; }
    // What the canvases ask of the window; installed as the canvas host.
    ControllerCanvasHost& canvasHostOfWindow() const { return *m_canvasHost; }
    // The property inspector on the right of the window.
    PropertyInspector& inspector() const { return *m_inspector; }
    // Whether a design is open and whether it has unsaved changes.
    DesignSession& designSession() const { return *m_session; }
    // Zoom, side switching and the copy of a design onto the other side.
    SideCommands& sideCommands() const { return *m_sideCommands; }
    // The visitor and group side panels and their operations.
    LiveModePanels& liveModes() const { return *m_liveModes; }
    // The card's and the side's card-holder profile windows, with their opener.
    ProfileWindows& profileWindows() const { return *m_profileWindows; }
    // The canvases of the front, back and preview sides and their zooming scroll views.
    SKTGraphicView* graphicView(SKTDocument::Side side) const;
    SKTZoomingScrollView* zoomingScrollView(SKTDocument::Side side) const;
    // The canvas of the side in force (Card_Front_Or_Back): the back's, else the front's.
    SKTGraphicView* editedGraphicView() const;
    // The element lists of the sides. The front and back lists are the live ones; the preview's
    // is a copy. Changes go through the document.
    const GraphicList& Get_Front_Controls_Array() const { return m_document.graphics(); }
    const GraphicList& Get_Back_Controls_Array() const { return m_document.graphics_back(); }
    GraphicList Get_Temp_Controls_Array() const { return m_document.graphics_temp(); }
    int Get_Front_Control_Count() const { return int(m_document.graphics().size()); }
    int Get_Back_Control_Count() const { return int(m_document.graphics_back().size()); }
    int Get_Temp_Control_Count() const { return int(m_document.graphics_temp().size()); }
    // The current element of the side in force; setting none is ignored.
    GraphicPtr Get_Selected_Graphic() const;
    void Set_Selected_Graphic(const GraphicPtr& graphic);

    // The title shows the front card's name and, once it exists, the design file's name, marked
    // with "*" while there are unsaved changes. Left alone while a design is being copied onto the
    // other side.
    void Set_Log_Name_In_Title();
    // Sizes the three canvases (points), passing through zero so each lays out afresh.
    void SetDocumentCanvasSize(QSizeF size);
    // Every side's zoom pop-up at 100 %.
    void Set_Canvas_to_100_percent();
    // Shows or hides the canvas area and the inspector; nothing while a design is being copied.
    void Show_Hide_Main_Window(bool show);
    // The reset of a new project: an empty design with default card settings on the front side;
    // with full also the card-holder profiles and the spreadsheet binding are dropped.
    void New_Project_Setting_Reset(bool full);
    // Back to the selection tool without creating anything.
    void selectArrowTool();

    // ---- CardHost ----------------------------------------------------------------------------
    QRectF frontCanvasBounds() const override;
    void Set_Control_Pos_And_Size(SKTGraphic& graphic) override;
    QPointF Control_New_Point(const QString& side) override;
    QString Generate_Extra_image_control_ID() override;
    // The inspector's content font and colour.
    CardFont All_Text_font() const override;
    QColor All_Text_clr() const override;
    // Asks for a redisplay of the side being edited, except while a canvas paints, while a batch
    // assigns record values, or off the GUI thread.
    void Refresh_Canvas() override;
    const Card_Property& cardProperty(int side) const override;
    // The inspector's Card_Shape.
    int cardOutline() const override;
    QImage Get_Image_With_Update_Settings(SKTImage& image) override;
    void Reset_Image_Editing_Controls() override;

    Card_Property Front_card_Prop;
    Card_Property Back_card_Prop;

    // Set once at start-up.
    QStringList Allowd_Image_fileTypes;  // the picture extensions every picture chooser accepts
    QStringList paper_card_arry;         // paper badge preset names
    QStringList pvc_card_arry;           // plastic card preset names
    QString camera_path_file;            // the file remembering the camera folder
    QString NO_Image_Path;               // the picture of a photo element without one
    ResourcePictures pictures;
    // The card-holder profiles of the front, the back and the preview side.
    User_Profile_Class Front_user_profile;
    User_Profile_Class Back_user_profile;
    User_Profile_Class TEMP_user_profile;

    // A single text element's font.
    CardFont Text_font;

    Send_Modeless* send_modls_wnd = nullptr;
    // Both sides' elements as they stood before the last output run.
    DesignBackup designBackup;  // the shared progress window, once set up

    QImage Main_Photo_image;
    bool main_photo_ds_batch = false;
    // The last number used for an extra photo ID; a new design starts again from 0.
    int Image_Ctrl_Counter = 0;
    // A visitor or group design just opened: the counter grows by the number of pictures of the
    // edited side.
    void Image_Control_Counter_Check();

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
    std::unique_ptr<ControllerInspectorLink> m_inspectorLink;
    PropertyInspector* m_inspector = nullptr;  // a child of the controller
    std::unique_ptr<SideCommands> m_sideCommands;
    std::unique_ptr<ProfileWindows> m_profileWindows;
    DesignSession* m_session = nullptr;  // a child of the controller
    LiveModePanels* m_liveModes = nullptr;  // a child of the controller
    // The barcode window, shown over the main window: gone before the window is.
    std::unique_ptr<Barcode_Gen> m_barcodeWindow;
    QSizeF m_canvasSize = SKTDocument::canvasSize(true, QSizeF());
};
