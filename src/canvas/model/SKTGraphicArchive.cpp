// The keyed archive of one element: one key per field, in groups chosen by the element's kind.
#include <QList>
#include <exception>
#include <variant>

#include "canvas/CanvasGlobals.h"
#include "canvas/helpers/Log.h"
#include "canvas/model/SKTGraphic.h"
#include "canvas/model/SKTGraphicKinds.h"
#include "platform/KeyedArchive.h"

namespace {

const QString kClassKey = QStringLiteral("$class");

// A double field that goes through the float coder, so it reads back at 32-bit precision.
struct AsFloat {
    double SKTGraphic::*member;
};

using Member = std::variant<bool SKTGraphic::*, qint32 SKTGraphic::*, float SKTGraphic::*, AsFloat,
                            QRectF SKTGraphic::*, QString SKTGraphic::*, QColor SKTGraphic::*,
                            CardFont SKTGraphic::*, QImage SKTGraphic::*>;

struct Field {
    QString key;
    Member member;
};
using FieldGroup = QList<Field>;

// The line kind's own fields, reached through the base so that one table drives every group.
// Only used on elements whose kind is the line.
template <typename T>
T SKTGraphic::*lineMember(T SKTLine::*member)
{
    return static_cast<T SKTGraphic::*>(member);
}

#define F(name) Field{QStringLiteral(#name), &SKTGraphic::name}
#define F32(name) Field{QStringLiteral(#name), AsFloat{&SKTGraphic::name}}

const FieldGroup& commonGroup()
{
    static const FieldGroup group = {
        F(_bounds),          F(ctrl_is_locked),   F(_isDrawingFill),   F(_fillColor),
        F(_isDrawingStroke), F(_strokeColor),     F32(_strokeWidth),   F(_stroke_border_type),
        F(_fill_type),       F(_fill_Grad_clr1),  F(_fill_Grad_clr2),  F32(_fill_grad_angle),
        F(_fill_htch_clr),   F(_fill_hatch_type), F(alpha_val),        F(alpha_val_stroke),
        F(print_object),     F(control_ID),       F(ctrl_is_visible)};
    return group;
}

const FieldGroup& bindingGroup()
{
    static const FieldGroup group = {F(data_source_type), F(batch_list_name), F(batch_list_index),
                                     F(excel_binding), F(excel_col_indx)};
    return group;
}

const FieldGroup& kindGroup(GraphicKind kind)
{
    static const FieldGroup line = {
        F(_line_ori), F(_line_cap_style),
        Field{QStringLiteral("_pointsRight"), lineMember(&SKTLine::_pointsRight)},
        Field{QStringLiteral("_pointsDown"), lineMember(&SKTLine::_pointsDown)}};
    static const FieldGroup text = {
        F(text_ctrl_font),      F(txt_clr),         F(_Text_contents),  F(text_alignmnet_Vert),
        F(text_alignmnet),      F(text_transfrom_case), F(text_kerning), F(Text_Value),
        F(Drawing_Shadow),      F(Shadow_Color),    F(Shadow_offset_X), F(Shadow_offset_Y),
        F(Shadow_blur),         F(Shadow_transparency), F(text_rotation)};
    static const FieldGroup shape = {F(_shape_type), F(cor_rad_val), F(double_star_type),
                                     F(polygon_type), F(text_rotation)};
    static const FieldGroup image = {
        F(_isFlippedHorizontally), F(_isFlippedVertically), F(invert_clr), F(gray_Scale),
        F(Sepia),          F(img_trnsp_val), F(hue_val),    F(sat_val),
        F(brt_val),        F(con_val),       F(srp_val),    F(ev_val),
        F(blr_val),        F(rotate_image),  F(_file_path), F(Text_Value),
        F(Drawing_Shadow), F(_contents),     F(_contents_with_settings)};
    static const FieldGroup barcode = {
        F(_barcode_image),        F(linear_or_2d),        F(barcode_font_index),
        F(linear_font_val),       F(two_d_font_val),      F(header_val),
        F(footer_val),            F(show_hide_hdr),       F(show_hide_ftr),
        F(show_hide_val),         F(show_val_on_top),     F(align_hdr_index),
        F(align_ftr_index),       F(linear_height_val),   F(linear_width_val),
        F(qr_size_val),           F(qr_version_index),    F(qr_ec_index),
        F(pdf_hgt_val),           F(pdf_wdt_val),         F(pdf_ec_val),
        F(dm_module_val),         F(dm_format_index),     F(dm_encoding_index),
        F(hdr_margin_val),        F(ftr_margin_val),      F(val_margin_val),
        F(TB_marging_val),        F(LR_margin_val),       F(value_font_val),
        F(header_font_val),       F(footer_font_val),     F(barcode_hdr_clr_val),
        F(barcode_ftr_clr_val),   F(barcode_val_clr_val), F(barcode_back_clr_val),
        F(barcode_clr_val),       F(dpi_val_index),       F(dpi_custom_val),
        F(barcode_unit_val)};
    static const FieldGroup signature = {F(sign_or_fingureprint), F(_file_path), F(_contents)};

    switch (kind) {
    case GraphicKind::Line: return line;
    case GraphicKind::Text: return text;
    case GraphicKind::Shape: return shape;
    case GraphicKind::Image: return image;
    case GraphicKind::Barcode: return barcode;
    case GraphicKind::Signature: return signature;
    }
    return shape;
}

#undef F
#undef F32

bool hasBindingGroup(GraphicKind kind)
{
    return kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode;
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

void encodeField(const SKTGraphic& g, const Field& field, KeyedArchiver& out)
{
    const QString& key = field.key;
    std::visit(Overloaded{
                   [&](bool SKTGraphic::*m) { out.encodeBool(key, g.*m); },
                   [&](qint32 SKTGraphic::*m) { out.encodeInt(key, g.*m); },
                   [&](float SKTGraphic::*m) { out.encodeFloat(key, g.*m); },
                   [&](AsFloat f) { out.encodeFloat(key, static_cast<float>(g.*f.member)); },
                   [&](QRectF SKTGraphic::*m) { out.encodeRect(key, g.*m); },
                   [&](QString SKTGraphic::*m) { out.encodeString(key, g.*m); },
                   [&](QColor SKTGraphic::*m) { out.encodeColor(key, g.*m); },
                   [&](CardFont SKTGraphic::*m) {
                       const CardFont& font = g.*m;
                       if (!font.isNull())
                           out.encodeFont(key, font.name, font.size);
                   },
                   [&](QImage SKTGraphic::*m) { out.encodeImage(key, g.*m); },
               },
               field.member);
}

void decodeField(SKTGraphic& g, const Field& field, const KeyedUnarchiver& in)
{
    const QString& key = field.key;
    std::visit(Overloaded{
                   [&](bool SKTGraphic::*m) { g.*m = in.decodeBool(key); },
                   [&](qint32 SKTGraphic::*m) { g.*m = in.decodeInt(key); },
                   [&](float SKTGraphic::*m) { g.*m = in.decodeFloat(key); },
                   [&](AsFloat f) { g.*f.member = in.decodeFloat(key); },
                   [&](QRectF SKTGraphic::*m) { g.*m = in.decodeRect(key); },
                   [&](QString SKTGraphic::*m) { g.*m = in.decodeString(key); },
                   [&](QColor SKTGraphic::*m) { g.*m = in.decodeColor(key); },
                   [&](CardFont SKTGraphic::*m) {
                       const auto font = in.decodeFont(key);
                       g.*m = font ? CardFont{font->name, font->pointSize}
                                   : CardFont{};
                   },
                   [&](QImage SKTGraphic::*m) { g.*m = in.decodeImage(key); },
               },
               field.member);
}

}  // namespace

namespace {

// Visits the archived fields of a kind in the order they are written, advancing the progress
// counter over the common and binding groups that a failed archive reports.
template <typename Visit>
void visitArchivedFields(GraphicKind kind, Visit visit)
{
    for (const Field& field : commonGroup()) {
        visit(field);
        ++graphic_decode_count;
    }
    if (hasBindingGroup(kind)) {
        for (const Field& field : bindingGroup()) {
            visit(field);
            ++graphic_decode_count;
        }
    }
    for (const Field& field : kindGroup(kind))
        visit(field);
}

}  // namespace

void SKTGraphic::encodeFields(KeyedArchiver& archiver) const
{
    archiver.encodeString(kClassKey, className());
    visitArchivedFields(kind(), [&](const Field& field) { encodeField(*this, field, archiver); });
}

void SKTGraphic::decodeFields(const KeyedUnarchiver& unarchiver)
{
    visitArchivedFields(kind(), [&](const Field& field) { decodeField(*this, field, unarchiver); });
}

QByteArray SKTGraphic::archivedData() const
{
    graphic_decode_count = 0;
    graphic_decode_class = className();
    KeyedArchiver archiver;
    try {
        encodeFields(archiver);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QStringLiteral("NSException in ENCODING:\n\n %1 - \n%2\n\n%3 - %4")
                               .arg(graphic_decode_count.load())
                               .arg(QString::fromLocal8Bit(e.what()), _file_path, className()));
    }
    return archiver.finish();
}

GraphicPtr SKTGraphic::fromArchivedData(const QByteArray& data)
{
    graphic_decode_count = 0;
    graphic_decode_class = QString();
    std::optional<KeyedUnarchiver> unarchiver = KeyedUnarchiver::fromData(data);
    if (!unarchiver)
        return nullptr;
    const std::optional<GraphicKind> kind = kindForClassName(unarchiver->decodeString(kClassKey));
    if (!kind)
        return nullptr;
    graphic_decode_class = className(*kind);
    GraphicPtr graphic = createZeroed(*kind);
    try {
        graphic->decodeFields(*unarchiver);
    } catch (const std::exception&) {
        // The element as far as it was read. A picture whose adjusted picture is missing gets it
        // rebuilt by the drawing code on the GUI thread, never here.
    }
    return graphic;
}
