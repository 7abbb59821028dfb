#include "mainwindow/ToolCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>
#include <QTabWidget>
#include <array>
#include <optional>

#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "views/inspector/InspectorView.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/photos/PhotoWindows.h"
#include "views/photos/PictureLibraryWindow.h"

QString lib_window_sel_file;

namespace {

constexpr int kImageTool = 8;
constexpr int kLibraryImageTool = 9;
constexpr int kBarcodeTool = 10;
constexpr int kSignatureTool = 11;

const QSizeF kDefaultSize(50, 50);
const QSizeF kBarcodeSize(120, 60);
const QSizeF kSignatureSize(100, 50);

// Puts the picture of a photo tool into Library_Selected_Image; false when none was chosen.
bool choosePictureForTool(SKTWindowController& controller, int tool)
{
    if (tool == kImageTool)
        return Browse_User_Image_Manually(controller);
    if (tool == kLibraryImageTool && Open_Image_Library_Window(QStringLiteral("C")) == 1) {
        Library_Selected_Image = lib_window_sel_file;
        return true;
    }
    return false;
}

void Tool_Clicked(SKTWindowController& controller, int tool)
{
    canvasHost().Set_Selected_Control_Tool(tool);
    Select_tool_action(controller);
}

using ToolPress = void (*)(SKTWindowController&);
struct ToolButton {
    const char* action;
    ToolPress press;
};

constexpr std::array<ToolButton, 16> kToolButtons{{
    {"arrow_tool_btn", &Arrow_Tool_Clicked},
    {"line_tool_btn", &Line_Tool_Clicked},
    {"text_tool_btn", &Text_Tool_Clicked},
    {"rect_tool_btn", &Rect_Tool_Clicked},
    {"circle_tool_btn", &Circle_Tool_Clicked},
    {"round_rect_tool_btn", &Round_Rect_Tool_Clicked},
    {"triangle_tool_btn", &Triangle_Tool_Clicked},
    {"diamond_tool_btn", &Diamond_Tool_Clicked},
    {"image_tool_btn", &Image_Tool_Clicked},
    {"image_library_tool_btn", &Image_Library_Tool_Clicked},
    {"barcode_tool_btn", &Barcode_Tool_Clicked},
    {"signature_tool_btn", &Signature_Tool_Clicked},
    {"fingure_print_tool_btn", &Fingure_Print_Tool_Clicked},
    {"star_tool_btn", &Star_Tool_Clicked},
    {"double_star_tool_btn", &Double_Star_Tool_Clicked},
    {"polygon_tool_btn", &Polygon_Tool_Clicked},
}};

}  // namespace

void Arrow_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 0); }
void Line_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 1); }
void Text_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 2); }
void Rect_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 3); }
void Circle_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 4); }
void Round_Rect_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 5); }
void Triangle_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 6); }
void Diamond_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 7); }
void Image_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, kImageTool); }
void Image_Library_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, kLibraryImageTool); }
void Barcode_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, kBarcodeTool); }
void Signature_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, kSignatureTool); }
void Fingure_Print_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 12); }
void Star_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 13); }
void Double_Star_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 14); }
void Polygon_Tool_Clicked(SKTWindowController& controller) { Tool_Clicked(controller, 15); }

void Select_tool_action(SKTWindowController& controller)
{
    selectedToolDidChange(controller);
    controller.Refresh_Canvas();
    SKTGraphicView& view = *controller.editedGraphicView();
    // Filling the inspector returns to the arrow; a photo tool whose file panel or library was
    // cancelled keeps its number, so the next drag on the canvas places the photo.
    const int tool = canvasHost().Selected_Control_Tool();
    controller.canvasHostOfWindow().Show_RHS_Properties(view._Selected_Graphic.get());
    if (tool != 0)
        canvasHost().Set_Selected_Control_Tool(tool);
    view.setFocus();
}

void selectedToolDidChange(SKTWindowController& controller)
{
    const CanvasHost& host = canvasHost();
    const int tool = host.Selected_Control_Tool();
    const std::optional<GraphicKind> kind = host.currentGraphicClass();
    if (!kind)
        return;
    QString ctrlId;
    bool placeByRect = true;
    QRectF rect(QPointF(0, 0), kDefaultSize);
    if (*kind == GraphicKind::Image) {
        if (!choosePictureForTool(controller, tool))
            return;
        // A visitor's extra photos are tied to the side panel by their ID; the canvas places them.
        if (Start_Card_Option == QLatin1String("V")) {
            ctrlId = controller.Generate_Extra_image_control_ID();
            placeByRect = false;
        }
    }
    if (*kind == GraphicKind::Barcode && tool == kBarcodeTool)
        rect.setSize(kBarcodeSize);
    if (*kind == GraphicKind::Signature && tool == kSignatureTool)
        rect.setSize(kSignatureSize);
    const QString side = Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F");
    controller.editedGraphicView()->createGraphicOfClass(*kind, std::nullopt, placeByRect, rect, side, QString(), ctrlId);
}

void Watermark_Tool_Clicked(SKTWindowController& controller)
{
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    controller.windowLayout().inspectorView().showPage(QStringLiteral("card_brdr_tab"));
}

bool Browse_User_Image_Manually(SKTWindowController& controller)
{
    Library_Selected_Image =
        chooseReadablePicture(controller.window(), QStringLiteral("Choose a Picture"), controller.Allowd_Image_fileTypes);
    return !Library_Selected_Image.isEmpty();
}

int Open_Image_Library_Window(const QString& purpose)
{
    PictureLibraryWindow& library = pictureLibraryWindow();
    const int answer = library.Open_Library_Window(purpose);
    if (answer == 1)
        lib_window_sel_file = library.selected_image();
    return answer;
}

void Connect_Tool_Commands(SKTWindowController& controller)
{
    for (const ToolButton& button : kToolButtons) {
        auto* action = controller.window()->findChild<QAction*>(QString::fromLatin1(button.action));
        Q_ASSERT_X(action, "Connect_Tool_Commands", button.action);
        QObject::connect(action, &QAction::triggered, &controller,
                         [&controller, press = button.press] { press(controller); });
    }
    auto* watermark = controller.window()->findChild<QAction*>(QStringLiteral("Watermark_Tool_btn"));
    QObject::connect(watermark, &QAction::triggered, &controller, [&controller] { Watermark_Tool_Clicked(controller); });
}
