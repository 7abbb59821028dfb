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

// Where a field lives in the element, so that fields of the value members are reached like the
// others.
template <typename T>
using Ref = T& (*)(SKTGraphic&);

// A double field that goes through the float coder, so it reads back at 32-bit precision.
struct AsFloat {
    Ref<double> field;
};

using Member = std::variant<Ref<bool>, Ref<qint32>, Ref<float>, AsFloat, Ref<QRectF>, Ref<QString>, Ref<QColor>,
                            Ref<CardFont>, Ref<QImage>>;

struct Field {
    QString key;
    Member member;
};
using FieldGroup = QList<Field>;

// A field of the element, or of one of its value members, under the field's own name.
#define F(name) Field{QStringLiteral(#name), +[](SKTGraphic& g) -> auto& { return g.name; }}
#define F32(name) Field{QStringLiteral(#name), AsFloat{+[](SKTGraphic& g) -> double& { return g.name; }}}
#define F_OF(holder, name) Field{QStringLiteral(#name), +[](SKTGraphic& g) -> auto& { return g.holder.name; }}
// The line kind's own fields, reached through the base so that one table drives every group.
// Only used on elements whose kind is the line.
#define F_LINE(name) Field{QStringLiteral(#name), +[](SKTGraphic& g) -> auto& { return static_cast<SKTLine&>(g).name; }}

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
        F(_line_ori), F(_line_cap_style), F_LINE(_pointsRight), F_LINE(_pointsDown)};
    static const FieldGroup text = {
        F(text_ctrl_font),      F(txt_clr),         F(_Text_contents),  F(text_alignmnet_Vert),
        F(text_alignmnet),      F(text_transfrom_case), F(text_kerning), F(Text_Value),
        F(Drawing_Shadow),      F(Shadow_Color),    F(Shadow_offset_X), F(Shadow_offset_Y),
        F(Shadow_blur),         F(Shadow_transparency), F(text_rotation)};
    static const FieldGroup shape = {F(_shape_type), F(cor_rad_val), F(double_star_type),
                                     F(polygon_type), F(text_rotation)};
    static const FieldGroup image = {
        F_OF(picture, _isFlippedHorizontally), F_OF(picture, _isFlippedVertically),
        F_OF(picture, invert_clr),             F_OF(picture, gray_Scale),
        F_OF(picture, Sepia),                  F_OF(picture, img_trnsp_val),
        F_OF(picture, hue_val),                F_OF(picture, sat_val),
        F_OF(picture, brt_val),                F_OF(picture, con_val),
        F_OF(picture, srp_val),                F_OF(picture, ev_val),
        F_OF(picture, blr_val),                F_OF(picture, rotate_image),
        F(_file_path),                         F(Text_Value),
        F(Drawing_Shadow),                     F(_contents),
        F(_contents_with_settings)};
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
#undef F_OF
#undef F_LINE

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

// Fields are only read here; the table's references serve reading and writing alike.
void encodeField(const SKTGraphic& graphic, const Field& field, KeyedArchiver& out)
{
    auto& g = const_cast<SKTGraphic&>(graphic);
    const QString& key = field.key;
    std::visit(Overloaded{
                   [&](Ref<bool> f) { out.encodeBool(key, f(g)); },
                   [&](Ref<qint32> f) { out.encodeInt(key, f(g)); },
                   [&](Ref<float> f) { out.encodeFloat(key, f(g)); },
                   [&](AsFloat f) { out.encodeFloat(key, static_cast<float>(f.field(g))); },
                   [&](Ref<QRectF> f) { out.encodeRect(key, f(g)); },
                   [&](Ref<QString> f) { out.encodeString(key, f(g)); },
                   [&](Ref<QColor> f) { out.encodeColor(key, f(g)); },
                   [&](Ref<CardFont> f) {
                       const CardFont& font = f(g);
                       if (!font.isNull())
                           out.encodeFont(key, font.name, font.size);
                   },
                   [&](Ref<QImage> f) { out.encodeImage(key, f(g)); },
               },
               field.member);
}

void decodeField(SKTGraphic& g, const Field& field, const KeyedUnarchiver& in)
{
    const QString& key = field.key;
    std::visit(Overloaded{
                   [&](Ref<bool> f) { f(g) = in.decodeBool(key); },
                   [&](Ref<qint32> f) { f(g) = in.decodeInt(key); },
                   [&](Ref<float> f) { f(g) = in.decodeFloat(key); },
                   [&](AsFloat f) { f.field(g) = in.decodeFloat(key); },
                   [&](Ref<QRectF> f) { f(g) = in.decodeRect(key); },
                   [&](Ref<QString> f) { f(g) = in.decodeString(key); },
                   [&](Ref<QColor> f) { f(g) = in.decodeColor(key); },
                   [&](Ref<CardFont> f) {
                       const auto font = in.decodeFont(key);
                       f(g) = font ? CardFont{font->name, font->pointSize} : CardFont{};
                   },
                   [&](Ref<QImage> f) { f(g) = in.decodeImage(key); },
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
