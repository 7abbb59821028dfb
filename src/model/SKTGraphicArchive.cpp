// The keyed archive of one element: one key per field, in groups chosen by the element's kind.
#include <QList>
#include <exception>
#include <functional>
#include <type_traits>
#include <variant>

#include "model/CardFontArchive.h"
#include "model/SKTGraphic.h"
#include "model/SKTGraphicKinds.h"
#include "platform/CanvasGlobals.h"
#include "platform/KeyedArchive.h"
#include "platform/Log.h"

namespace {

const QString kClassKey = QStringLiteral("$class");

// Where a field lives in the element: in the element itself or in one of the settings values it
// holds.
template <typename T>
using Access = std::function<T&(SKTGraphic&)>;

// A double field that goes through the float coder, so it reads back at 32-bit precision.
struct AsFloat {
    Access<double> field;
};

using Member = std::variant<Access<bool>, Access<qint32>, Access<float>, AsFloat, Access<QRectF>, Access<QString>,
                            Access<QColor>, Access<CardFont>, Access<QImage>, Access<BarcodePicture>>;

struct Field {
    QString key;
    Member member;
};
using FieldGroup = QList<Field>;

template <typename Get>
Member accessTo(Get get)
{
    return Access<std::remove_reference_t<std::invoke_result_t<Get, SKTGraphic&>>>(std::move(get));
}

#define F(name) Field{QStringLiteral(#name), accessTo([](SKTGraphic& g) -> auto& { return g.name; })}
#define F_IN(holder, name) \
    Field{QStringLiteral(#name), accessTo([](SKTGraphic& g) -> auto& { return g.holder.name; })}
#define F32(name) Field{QStringLiteral(#name), AsFloat{[](SKTGraphic& g) -> double& { return g.name; }}}
// The line kind's own fields, reached through the base so that one table drives every group.
// Only used on elements whose kind is the line.
#define F_LINE(name) \
    Field{QStringLiteral(#name), accessTo([](SKTGraphic& g) -> auto& { return static_cast<SKTLine&>(g).name; })}

// The members of a settings value the element holds, under their own names.
template <typename Settings>
FieldGroup fieldsOf(Settings SKTGraphic::*holder)
{
    FieldGroup group;
    Settings::forEachField([&](const char* name, auto member) {
        group.append(Field{QString::fromLatin1(name),
                           accessTo([holder, member](SKTGraphic& g) -> auto& { return (g.*holder).*member; })});
    });
    return group;
}

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
    static const FieldGroup text =
        fieldsOf(&SKTGraphic::textStyle) + FieldGroup{F(_Text_contents), F(Text_Value), F(text_rotation)};
    static const FieldGroup shape = {F(_shape_type), F(cor_rad_val), F(double_star_type),
                                     F(polygon_type), F(text_rotation)};
    static const FieldGroup image =
        fieldsOf(&SKTGraphic::picture) + FieldGroup{F(_file_path), F(Text_Value), F_IN(textStyle, Drawing_Shadow),
                                                    F(_contents), F(_contents_with_settings)};
    static const FieldGroup barcode = FieldGroup{F(_barcode_image)} + fieldsOf(&SKTGraphic::barcode);
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
#undef F_IN
#undef F32
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

void encodeValue(KeyedArchiver& out, const QString& key, bool value) { out.encodeBool(key, value); }
void encodeValue(KeyedArchiver& out, const QString& key, qint32 value) { out.encodeInt(key, value); }
void encodeValue(KeyedArchiver& out, const QString& key, float value) { out.encodeFloat(key, value); }
void encodeValue(KeyedArchiver& out, const QString& key, const QRectF& value) { out.encodeRect(key, value); }
void encodeValue(KeyedArchiver& out, const QString& key, const QString& value) { out.encodeString(key, value); }
void encodeValue(KeyedArchiver& out, const QString& key, const QColor& value) { out.encodeColor(key, value); }
void encodeValue(KeyedArchiver& out, const QString& key, const QImage& value) { out.encodeImage(key, value); }
// A barcode picture is archived as its stored raster, which names its size in points.
void encodeValue(KeyedArchiver& out, const QString& key, const BarcodePicture& value)
{
    out.encodeImage(key, value.image());
}
void encodeValue(KeyedArchiver& out, const QString& key, const CardFont& font) { encodeCardFont(out, key, font); }

void decodeValue(const KeyedUnarchiver& in, const QString& key, bool& value) { value = in.decodeBool(key); }
void decodeValue(const KeyedUnarchiver& in, const QString& key, qint32& value) { value = in.decodeInt(key); }
void decodeValue(const KeyedUnarchiver& in, const QString& key, float& value) { value = in.decodeFloat(key); }
void decodeValue(const KeyedUnarchiver& in, const QString& key, QRectF& value) { value = in.decodeRect(key); }
void decodeValue(const KeyedUnarchiver& in, const QString& key, QString& value) { value = in.decodeString(key); }
void decodeValue(const KeyedUnarchiver& in, const QString& key, QColor& value) { value = in.decodeColor(key); }
void decodeValue(const KeyedUnarchiver& in, const QString& key, QImage& value) { value = in.decodeImage(key); }
void decodeValue(const KeyedUnarchiver& in, const QString& key, BarcodePicture& value)
{
    value = BarcodePicture::fromStoredImage(in.decodeImage(key));
}
void decodeValue(const KeyedUnarchiver& in, const QString& key, CardFont& value) { value = decodeCardFont(in, key); }

// Fields are only read here; the table's accessors serve reading and writing alike.
void encodeField(const SKTGraphic& graphic, const Field& field, KeyedArchiver& out)
{
    auto& g = const_cast<SKTGraphic&>(graphic);
    std::visit(Overloaded{[&](const AsFloat& f) { out.encodeFloat(field.key, static_cast<float>(f.field(g))); },
                          [&](const auto& access) { encodeValue(out, field.key, access(g)); }},
               field.member);
}

void decodeField(SKTGraphic& g, const Field& field, const KeyedUnarchiver& in)
{
    std::visit(Overloaded{[&](const AsFloat& f) { f.field(g) = in.decodeFloat(field.key); },
                          [&](const auto& access) { decodeValue(in, field.key, access(g)); }},
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

KeyedArchiver SKTGraphic::archiver() const
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
    return archiver;
}

QByteArray SKTGraphic::archivedData() const
{
    return archiver().finish();
}

QByteArray SKTGraphic::archiveDigest() const
{
    return archiver().digest();
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
