// Making new elements on the canvas (by the selected tool, with the mouse or at a given place),
// updating an element found by its control ID instead, and the lookups by control ID that the
// profile, visitor, group and invitation features use.
#include <QFileInfo>

#include "barcodes/BarcodeFactory.h"
#include "model/CardHost.h"
#include "model/SKTGraphicKinds.h"
#include "platform/AppContext.h"
#include "platform/ResourcePaths.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"

namespace {

constexpr int kTextTool = 2;
constexpr int kImageTool = 8;
constexpr int kLibraryImageTool = 9;
constexpr int kBarcodeTool = 10;
constexpr int kSignatureTool = 11;
constexpr int kFingerprintTool = 12;

// The value a new barcode shows until the barcode window gives it its own.
const QString kSampleBarcodeValue = QStringLiteral("0123");

// The shape type each shape tool gives its element; empty for other tools.
QString shapeTypeForTool(int tool)
{
    switch (tool) {
    case 3: return QStringLiteral("R");
    case 4: return QStringLiteral("C");
    case 5: return QStringLiteral("RR");
    case 6: return QStringLiteral("T");
    case 7: return QStringLiteral("D");
    case 13: return QStringLiteral("S");
    case 14: return QStringLiteral("DS");
    case 15: return QStringLiteral("P");
    default: return {};
    }
}

bool isFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The profile fields' value IDs; with "Fup_lbl_" in place of "Fup_" they name the captions.
const QStringList kProfileValueIds = {
    QStringLiteral("Fup_Name"),    QStringLiteral("Fup_Title"),     QStringLiteral("Fup_Company"),
    QStringLiteral("Fup_CompanySlogan"), QStringLiteral("Fup_Address"), QStringLiteral("Fup_PhoneNO"),
    QStringLiteral("Fup_FaxNo"),   QStringLiteral("Fup_EmailID"),   QStringLiteral("Fup_Website"),
    QStringLiteral("Fup_UniqueNo"), QStringLiteral("Fup_Photo"),    QStringLiteral("Fup_Date"),
    QStringLiteral("Fup_Time")};

QString captionIdOf(const QString& valueId)
{
    return QStringLiteral("Fup_lbl_") + valueId.mid(4);
}

bool isTextOrImage(const SKTGraphic& graphic)
{
    return graphic.kind() == GraphicKind::Text || graphic.kind() == GraphicKind::Image;
}

// The placeholder of a picture that was asked for and not had, remembering the wanted path.
// Without a wanted path (the file panel or the library was cancelled) it names the placeholder's
// own file, as an element without a path draws nothing and a design keeps no picture for it.
GraphicPtr newPlaceholderImage()
{
    const QString path = Library_Selected_Image.isEmpty() ? No_Image_Path() : Library_Selected_Image;
    auto placeholder = SKTImage::initWithPosition(QPointF(), canvasHost().no_image(), path);
    if (!Library_Selected_Image.isEmpty())
        placeholder->Set_text_value(Library_Selected_Image);
    return placeholder;
}

// The picture element of the image tool: the library's picture, else the value's picture file,
// else the placeholder.
GraphicPtr newImageForImageTool(const QString& value, const QString& ctrlId)
{
    if (isFile(Library_Selected_Image))
        return SKTImage::initWithPath(QPointF(), Library_Selected_Image);
    if (isFile(value))
        return SKTImage::initWithPath_With_ID(QPointF(), value, ctrlId);
    return newPlaceholderImage();
}

// Group mode binds a profile or data field's text to the spreadsheet column chosen for it.
void bindTextToSpreadsheetColumn(SKTGraphic& text, const QString& ctrlId)
{
    if (Start_Card_Option != QLatin1String("G") || ctrlId.contains(QLatin1String("_Photo")))
        return;
    if (!ctrlId.contains(QLatin1String("_field")) && !ctrlId.contains(QLatin1String("Fup_")))
        return;
    const int column = canvasHost().Get_Excel_Coulmn_Index_According_ID(ctrlId);
    if (column == -1)
        return;
    text.Set_Data_source_type(2);
    text.Set_Excel_binding(true);
    text.Set_Excel_binding_Index(column);
}

// Invitation fields have fixed alignments, and the title and marriage line a larger font.
void applyInvitationLayout(SKTGraphic& text, const QString& ctrlId)
{
    if (!ctrlId.contains(QLatin1String("PARTY_")))
        return;
    static const QStringList centred = {QStringLiteral("PARTY_TITLE"), QStringLiteral("PARTY_DATE"),
                                        QStringLiteral("PARTY_TIME"), QStringLiteral("PARTY_VENUE"),
                                        QStringLiteral("PARTY_MARRINGE_INFO")};
    constexpr int kAlignRight = 1;
    constexpr int kAlignCentre = 2;
    if (centred.contains(ctrlId))
        text.textStyle.text_alignmnet = kAlignCentre;
    else if (ctrlId == QLatin1String("PARTY_FROM"))
        text.textStyle.text_alignmnet = kAlignRight;
    if (ctrlId == QLatin1String("PARTY_TITLE") || ctrlId == QLatin1String("PARTY_MARRINGE_INFO"))
        text.textStyle.text_ctrl_font = CardFont{QStringLiteral(".AppleSystemUIFont"), 18.0};
}

// A shown value switches the text's box fill and border off.
void showTextValue(SKTGraphic& text, const QString& value)
{
    text.Set_text_value(value);
    text.setDrawingStroke(false);
    text.setDrawingFill(false);
}

GraphicPtr newTextElement(const QString& value, const QString& ctrlId)
{
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    if (value.isEmpty())
        return text;
    showTextValue(*text, value);
    bindTextToSpreadsheetColumn(*text, ctrlId);
    applyInvitationLayout(*text, ctrlId);
    return text;
}

// The new element of a kind as the selected tool makes it. A tool of another kind than the one
// asked for (code adding controls while a tool is chosen) does not change the kind.
GraphicPtr newElement(GraphicKind kind, int tool, const QString& value, const QString& ctrlId)
{
    const CanvasHost& host = canvasHost();
    if (graphicKindForTool(tool) == kind) {
        switch (tool) {
        case kImageTool:
            return newImageForImageTool(value, ctrlId);
        case kLibraryImageTool:
            return isFile(Library_Selected_Image) ? SKTImage::initWithPath(QPointF(), Library_Selected_Image)
                                                  : newPlaceholderImage();
        case kBarcodeTool:
            return SKTBarcode::initWithPosition(QPointF(), host.barcode_sample_img());
        case kSignatureTool:
        case kFingerprintTool: {
            // The element remembers its own sample's file, which a saved design names.
            const QString kind = tool == kSignatureTool ? QStringLiteral("S") : QStringLiteral("F");
            Library_Selected_Image = SKTSignature::samplePicturePath(kind);
            return SKTSignature::initWithPosition(
                QPointF(), tool == kSignatureTool ? host.sign_sample_img() : host.fp_sample_img(), kind,
                Library_Selected_Image);
        }
        default:
            break;
        }
        const QString shapeType = shapeTypeForTool(tool);
        if (!shapeType.isEmpty()) {
            GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
            shape->Set_Shape_Type(shapeType);
            return shape;
        }
    }
    if (kind == GraphicKind::Text)
        return newTextElement(value, ctrlId);
    return SKTGraphic::create(kind);
}

// Where an element made without the mouse goes: the rectangle asked for, or the default size at
// the next free place; texts always take the text size. With a grid both corners snap.
QRectF placementWithoutMouse(GraphicKind kind, bool use_rect, const QRectF& bound_rect,
                             const QString& card_side, const QString& ctrlId, const SKTGrid* grid)
{
    const QSizeF textSize(70, 20);
    QRectF box;
    if (use_rect) {
        box = bound_rect;
        // A card-holder field placed by its identifier keeps the width of its place, so a name
        // longer than the standard text box stays on one line instead of running into the next row.
        if (kind == GraphicKind::Text && ctrlId.isEmpty())
            box.setSize(textSize);
        if (ctrlId.isEmpty())
            box.moveTopLeft(cardHost().Control_New_Point(card_side));
    } else {
        box = QRectF(cardHost().Control_New_Point(card_side),
                     kind == GraphicKind::Text ? textSize : QSizeF(50, 50));
    }
    if (grid) {
        const QPointF origin = grid->constrainedPoint(box.topLeft());
        const QPointF farCorner = grid->constrainedPoint(box.bottomRight());
        box = QRectF(origin, QSizeF(farCorner.x() - origin.x(), farCorner.y() - origin.y()));
    }
    return box;
}

}  // namespace

// ---- Creation ----------------------------------------------------------------------------------

void SKTGraphicView::createGraphicOfClass(GraphicKind kind, std::optional<QPointF> eventPoint,
                                          bool use_rect, const QRectF& bound_rect,
                                          const QString& card_side, const QString& ctrl_value,
                                          const QString& ctrl_ID)
{
    if (Selcect_Ctrl_With_ID(ctrl_ID))
        return;
    CanvasHost& host = canvasHost();
    if (!host.Fill_User_Profile())
        host.Insert_In_Undo_Redo();
    if (kind == GraphicKind::Text)
        host.Set_Selected_Control_Tool(kTextTool);
    openCreationUndoGroup();
    changeSelectionIndexes({});

    QRectF box;
    if (eventPoint)
        box = QRectF(grid() ? grid()->constrainedPoint(*eventPoint) : *eventPoint, QSizeF(0, 0));
    else
        box = placementWithoutMouse(kind, use_rect, bound_rect, card_side, ctrl_ID, grid());

    const GraphicPtr graphic = newElement(kind, host.Selected_Control_Tool(), ctrl_value, ctrl_ID);
    graphic->control_ID = ctrl_ID;
    graphic->setBounds(box);
    _creatingGraphic = graphic;
    insertGraphics({graphic}, {0});
    // With the mouse, the drag sizes the element and the release settles it.
    if (eventPoint)
        return;
    finishCreatingGraphic(graphic, settleNewGraphic(graphic));
}

void SKTGraphicView::finishCreatingGraphic(const GraphicPtr& graphic, bool kept)
{
    CanvasHost& host = canvasHost();
    const int tool = host.Selected_Control_Tool();
    _Selected_Graphic = kept ? graphic : nullptr;
    if (tool == kBarcodeTool && kept) {
        BarcodeFactory& factory = barcodeFactory();
        factory.Set_Barcode_Prop_To_Control(*graphic);
        Barcode_output_image =
            factory.Get_Image_From_Val(kSampleBarcodeValue, graphic->barcode.header_val, graphic->barcode.footer_val);
        graphic->Set_Barcode_image(Barcode_output_image);
    }
    // Barcodes take their size from their picture.
    host.Set_Natural_And_Fit_Buttons_Enabled(tool != kBarcodeTool);
    if (Start_Card_Option == QLatin1String("G"))
        host.Set_Graphics_array_Batch_To_Current_Side();
    _creatingGraphic.reset();
    host.Set_Selected_Control_Tool(0);
    if (!host.Fill_User_Profile())
        host.Insert_In_Undo_Redo();
}

void SKTGraphicView::ReplaceGraphicText(GraphicKind kind, std::optional<QPointF> eventPoint,
                                        bool use_rect, const QRectF& bound_rect,
                                        const QString& card_side, const QString& ctrl_value,
                                        const QString& ctrl_ID)
{
    Q_UNUSED(eventPoint);
    const GraphicPtr found = Selcect_Ctrl_With_ID(ctrl_ID);
    if (!found) {
        createGraphicOfClass(kind, std::nullopt, use_rect, bound_rect, card_side, ctrl_value, ctrl_ID);
        return;
    }
    found->Set_Ctrl_Is_Visible(true);
    if (found->kind() == GraphicKind::Text && !ctrl_value.isEmpty())
        showTextValue(*found, ctrl_value);
    else if (found->kind() == GraphicKind::Image)
        static_cast<SKTImage&>(*found).setFilePath(ctrl_value, true);
    setNeedsDisplayInRect(found->drawingBounds());
    startEditingGraphic(found);
    _Selected_Graphic = found;
    if (!canvasHost().Fill_User_Profile())
        canvasHost().Insert_In_Undo_Redo();
}

// ---- Lookups by control ID ---------------------------------------------------------------------

GraphicPtr SKTGraphicView::Selcect_Ctrl_With_ID(const QString& ctrlId) const
{
    if (ctrlId.isEmpty())
        return nullptr;
    for (const GraphicPtr& graphic : graphics()) {
        if (graphic && isTextOrImage(*graphic) && graphic->control_ID == ctrlId)
            return graphic;
    }
    return nullptr;
}

void SKTGraphicView::Set_Selection_Index_According_ID(const QString& ctrlId)
{
    const GraphicList& list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        if (list[i] && list[i]->control_ID == ctrlId) {
            changeSelectionIndexes({i});
            _Selected_Graphic = list[i];
            return;
        }
    }
    _Selected_Graphic.reset();
}

void SKTGraphicView::Hide_all_Text_control_FUP_Control()
{
    QStringList hidden;
    for (const QString& valueId : kProfileValueIds) {
        // The profile photo stays: the card keeps its picture place.
        if (valueId != QLatin1String("Fup_Photo"))
            hidden.append(valueId);
        hidden.append(captionIdOf(valueId));
    }
    for (const GraphicPtr& graphic : graphics()) {
        if (graphic && isTextOrImage(*graphic) && hidden.contains(graphic->control_ID)) {
            graphic->Set_Ctrl_Is_Visible(false);
            setNeedsDisplayInRect(graphic->drawingBounds());
        }
    }
}
