#include "designfile/DesignElementRecords.h"

#include "designfile/DesignFileItems.h"
#include "model/NumberBounds.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "platform/EncodedImageCache.h"
#include "platform/Log.h"
#include "platform/ResourcePaths.h"

namespace {

const QString kTextHere = QStringLiteral("Text here");

// One item per member of a settings value, in its declared order, each in its type's form.
void writeItem(ItemWriter& w, bool value) { w.flag(value); }
void writeItem(ItemWriter& w, qint32 value) { w.integer(value); }
void writeItem(ItemWriter& w, float value) { w.decimal(value); }
void writeItem(ItemWriter& w, const QString& value) { w.text(value); }
void writeItem(ItemWriter& w, const CardFont& value) { w.font(value); }
void writeItem(ItemWriter& w, const QColor& value) { w.colour(value); }

void readItem(ItemReader& r, bool& value) { value = r.flag(); }
void readItem(ItemReader& r, qint32& value) { value = r.integer(); }
void readItem(ItemReader& r, float& value) { value = r.decimal(); }
void readItem(ItemReader& r, QString& value) { value = r.text(); }
void readItem(ItemReader& r, CardFont& value) { value = r.font(); }
void readItem(ItemReader& r, QColor& value) { value = r.colour(); }

template <typename Settings>
void writeSettings(const Settings& settings, ItemWriter& w)
{
    Settings::forEachField([&](const char*, auto member) { writeItem(w, settings.*member); });
}

template <typename Settings>
void readSettings(Settings& settings, ItemReader& r)
{
    Settings::forEachField([&](const char*, auto member) { readItem(r, settings.*member); });
}

// The fewest items an entry of the kind holds: the line's two arrow flags and the picture's
// last two items are optional. Items beyond what a kind reads (a later version's) are ignored.
int minimumLength(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Line: return 22;
    case GraphicKind::Text: return 39;
    case GraphicKind::Shape: return 25;
    case GraphicKind::Image: return 40;
    case GraphicKind::Barcode: return 65;
    case GraphicKind::Signature: return 22;
    }
    return 0;
}

bool hasBindingBlock(GraphicKind kind)
{
    return kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode;
}

// ---- Writing -------------------------------------------------------------------------------

void writeHead(const SKTGraphic& g, ItemWriter& w)
{
    w.text(elementTypeLetter(g.kind()));
    w.rect(g._bounds);
    w.flag(g.ctrl_is_locked);
    w.flag(g._isDrawingFill);
    w.colour(g._fillColor);
    w.flag(g._isDrawingStroke);
    w.colour(g._strokeColor);
    w.decimal(g._strokeWidth);
    w.text(g._stroke_border_type);
    w.text(g._fill_type);
    w.colour(g._fill_Grad_clr1);
    w.colour(g._fill_Grad_clr2);
    w.decimal(g._fill_grad_angle);
    w.colour(g._fill_htch_clr);
    w.text(g._fill_hatch_type);
    w.decimal(g.alpha_val);
    w.decimal(g.alpha_val_stroke);
    w.flag(g.print_object != 0);
    w.text(g.control_ID);
    w.flag(g.ctrl_is_visible);
}

void writeBinding(const SKTGraphic& g, ItemWriter& w)
{
    w.integer(g.data_source_type);
    w.text(g.batch_list_name);
    w.integer(g.batch_list_index);
    w.flag(g.excel_binding);
    w.integer(g.excel_col_indx);
}

void writeLine(const SKTGraphic& g, ItemWriter& w)
{
    const auto& line = static_cast<const SKTLine&>(g);
    w.integer(line._line_ori);
    w.integer(line._line_cap_style);
    w.flag(line._pointsRight);
    w.flag(line._pointsDown);
}

void writeShape(const SKTGraphic& g, ItemWriter& w)
{
    w.text(g._shape_type);
    w.decimal(g.cor_rad_val);
    w.integer(g.double_star_type);
    w.integer(g.polygon_type);
    w.integer(g.text_rotation);
}

void writeSignature(const SKTGraphic& g, ItemWriter& w)
{
    w.text(g.sign_or_fingureprint);
    w.text(SKTSignature::storedPath(g.sign_or_fingureprint, g._file_path));
}

void writeText(const SKTGraphic& g, ItemWriter& w)
{
    const TextStyle& s = g.textStyle;
    w.font(s.text_ctrl_font);
    w.colour(s.txt_clr);
    w.integer(s.text_alignmnet_Vert);
    w.integer(s.text_alignmnet);
    w.integer(s.text_transfrom_case);
    w.decimal(s.text_kerning);
    w.text(g.Text_Value);
    w.flag(s.Drawing_Shadow);
    w.colour(s.Shadow_Color);
    w.decimal(s.Shadow_offset_X);
    w.decimal(s.Shadow_offset_Y);
    w.decimal(s.Shadow_blur);
    w.decimal(s.Shadow_transparency);
    w.integer(g.text_rotation);
}

// A picture's text is its path unless it was given another (a picture field's name). A text
// naming the program's picture that the element shows is kept as "Text here", which reads back
// as that picture's path in whichever installation opens the design.
QString storedPictureText(const SKTGraphic& g)
{
    const QString stored = Stored_Picture_Path(g.Text_Value);
    return stored != g.Text_Value && stored == Stored_Picture_Path(g._file_path) ? kTextHere : stored;
}

void writeImage(const SKTGraphic& g, ItemWriter& w)
{
    writeSettings(g.picture, w);
    w.text(Stored_Picture_Path(g._file_path));
    w.text(storedPictureText(g));
    w.flag(g.textStyle.Drawing_Shadow);
}

void writeBarcode(const SKTGraphic& g, ItemWriter& w)
{
    w.data(encodedPng(g._barcode_image.image()));
    writeSettings(g.barcode, w);
}

// ---- Reading -------------------------------------------------------------------------------

void readHead(SKTGraphic& g, ItemReader& r)
{
    g._bounds = r.rect(NumberBounds::kCoordinate);
    g.ctrl_is_locked = r.flag();
    g._isDrawingFill = r.flag();
    g._fillColor = r.colour();
    g._isDrawingStroke = r.flag();
    g._strokeColor = r.colour();
    g._strokeWidth = r.decimal();
    g._stroke_border_type = r.text();
    g._fill_type = r.text();
    g._fill_Grad_clr1 = r.colour();
    g._fill_Grad_clr2 = r.colour();
    g._fill_grad_angle = r.decimal();
    g._fill_htch_clr = r.colour();
    g._fill_hatch_type = r.text();
    g.alpha_val = r.decimal();
    g.alpha_val_stroke = r.decimal();
    g.print_object = r.flag() ? 1 : 0;
    g.control_ID = r.text();
    g.ctrl_is_visible = r.flag();
}

void readBinding(SKTGraphic& g, ItemReader& r)
{
    g.data_source_type = r.integerIn(NumberBounds::kDataSourceType);
    g.batch_list_name = r.text();
    g.batch_list_index = r.integerIn(NumberBounds::kBindingIndex);
    g.excel_binding = r.flag();
    g.excel_col_indx = r.integerIn(NumberBounds::kBindingIndex);
}

void readLine(SKTGraphic& g, ItemReader& r)
{
    auto& line = static_cast<SKTLine&>(g);
    line._line_ori = r.integer();
    line._line_cap_style = r.integer();
    line._pointsRight = r.hasMore() && r.flag();
    line._pointsDown = r.hasMore() && r.flag();
}

void readShape(SKTGraphic& g, ItemReader& r)
{
    g._shape_type = r.text();
    g.cor_rad_val = r.decimal();
    g.double_star_type = r.integer();
    g.polygon_type = r.integer();
    g.text_rotation = r.integer();
}

void readSignature(SKTGraphic& g, ItemReader& r)
{
    g.sign_or_fingureprint = r.text();
    g._file_path = SKTSignature::pathFromStored(g.sign_or_fingureprint, r.text());
}

void readText(SKTGraphic& g, ItemReader& r)
{
    TextStyle& s = g.textStyle;
    s.text_ctrl_font = r.font();
    s.txt_clr = r.colour();
    s.text_alignmnet_Vert = r.integer();
    s.text_alignmnet = r.integer();
    s.text_transfrom_case = r.integer();
    s.text_kerning = r.decimal();
    g.Text_Value = r.text();
    s.Drawing_Shadow = r.flag();
    s.Shadow_Color = r.colour();
    s.Shadow_offset_X = r.decimal();
    s.Shadow_offset_Y = r.decimal();
    s.Shadow_blur = r.decimal();
    s.Shadow_transparency = r.decimal();
    g.text_rotation = r.integer();
}

void readImage(SKTGraphic& g, ItemReader& r)
{
    readSettings(g.picture, r);
    g._file_path = Stored_Picture_Path(r.text());
    g.Text_Value = g._file_path;
    if (r.hasMore()) {
        const QString value = r.text();
        g.Text_Value = value == kTextHere ? Check_Path_For_App_Resources(g._file_path) : value;
    }
    g.textStyle.Drawing_Shadow = !r.hasMore() || r.flag();
}

void readBarcode(const GraphicPtr& g, ItemReader& r, StoredPictures& pictures)
{
    pictures.request(r.data(), g);
    readSettings(g->barcode, r);
}

}  // namespace

QString elementTypeLetter(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Text: return QStringLiteral("T");
    case GraphicKind::Line: return QStringLiteral("L");
    case GraphicKind::Shape: return QStringLiteral("D");
    case GraphicKind::Image: return QStringLiteral("I");
    case GraphicKind::Barcode: return QStringLiteral("B");
    case GraphicKind::Signature: return QStringLiteral("S");
    }
    return QString();
}

std::optional<GraphicKind> kindOfTypeLetter(const QString& letter)
{
    for (const GraphicKind kind : {GraphicKind::Text, GraphicKind::Line, GraphicKind::Shape, GraphicKind::Image,
                                   GraphicKind::Barcode, GraphicKind::Signature}) {
        if (elementTypeLetter(kind) == letter)
            return kind;
    }
    return std::nullopt;
}

QVariantList Get_Control_Prop_To_Array(const SKTGraphic& graphic, int* droppedCharacters)
{
    // What the reader would refuse or change is written as the reader would leave it.
    const GraphicPtr bounded = graphic.cloneForRendering();
    Bound_Element_Numbers(*bounded, QStringLiteral("Saving"));
    const SKTGraphic& element = *bounded;
    QVariantList entry;
    ItemWriter w(entry);
    writeHead(element, w);
    if (hasBindingBlock(element.kind()))
        writeBinding(element, w);
    switch (element.kind()) {
    case GraphicKind::Line: writeLine(element, w); break;
    case GraphicKind::Shape: writeShape(element, w); break;
    case GraphicKind::Signature: writeSignature(element, w); break;
    case GraphicKind::Text: writeText(element, w); break;
    case GraphicKind::Image: writeImage(element, w); break;
    case GraphicKind::Barcode: writeBarcode(element, w); break;
    }
    if (droppedCharacters)
        *droppedCharacters += w.droppedCharacters();
    return entry;
}

GraphicPtr Create_Control_From_Array(const QVariantList& entry, int fileIndex, StoredPictures& pictures)
{
    if (entry.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Item %1: an empty element entry is skipped.").arg(fileIndex));
        return nullptr;
    }
    const QVariant& letterItem = entry.first();
    const auto kind = letterItem.typeId() == QMetaType::QString ? kindOfTypeLetter(letterItem.toString())
                                                                 : std::nullopt;
    if (!kind) {
        Show_NSLog_Message(QStringLiteral("Item %1: an element entry of unknown kind \"%2\" is skipped.")
                               .arg(fileIndex)
                               .arg(letterItem.toString().left(20)));
        return nullptr;
    }
    if (entry.size() < minimumLength(*kind)) {
        throw DesignFileError{fileIndex, QStringLiteral("The %1 element entry has %2 items, not at least %3.")
                                             .arg(letterItem.toString())
                                             .arg(entry.size())
                                             .arg(minimumLength(*kind))};
    }
    GraphicPtr element = SKTGraphic::create(*kind);
    ItemReader r(entry);
    try {
        r.text();  // the type letter
        readHead(*element, r);
        if (hasBindingBlock(*kind))
            readBinding(*element, r);
        switch (*kind) {
        case GraphicKind::Line: readLine(*element, r); break;
        case GraphicKind::Shape: readShape(*element, r); break;
        case GraphicKind::Signature: readSignature(*element, r); break;
        case GraphicKind::Text: readText(*element, r); break;
        case GraphicKind::Image: readImage(*element, r); break;
        case GraphicKind::Barcode: readBarcode(element, r, pictures); break;
        }
    } catch (const DesignFileError& error) {
        throw DesignFileError{fileIndex, QStringLiteral("Element entry item %1: %2").arg(error.itemIndex).arg(error.reason)};
    }
    if (r.hasMore())
        Show_NSLog_Message(QStringLiteral("Item %1: %2 items beyond the %3 element entry are ignored.")
                               .arg(fileIndex)
                               .arg(r.remaining())
                               .arg(letterItem.toString()));
    Bound_Element_Numbers(*element, QStringLiteral("Item %1").arg(fileIndex));
    return element;
}
