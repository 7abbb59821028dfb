// The keyed archive of one element: every field of the kind's groups survives, everything else
// reads back as zero, and bytes that are no element archive give nothing.
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>
#include <functional>
#include <limits>
#include <gtest/gtest.h>

#include "canvas/model/SKTGraphicKinds.h"
#include "platform/KeyedArchive.h"
#include "platform/PropertyList.h"

namespace {

template <typename T>
bool same(const T& a, const T& b)
{
    return a == b;
}
bool same(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}
bool same(const QColor& a, const QColor& b)
{
    return a.isValid() == b.isValid() && a.rgba64() == b.rgba64();
}

struct FieldCase {
    QString name;
    std::function<void(SKTGraphic&)> set;
    std::function<bool(const SKTGraphic&, const SKTGraphic&)> same;
};

#define FIELD(field, value)                                                               \
    FieldCase{QStringLiteral(#field), [](SKTGraphic& g) { g.field = value; },             \
              [](const SKTGraphic& a, const SKTGraphic& b) { return same(a.field, b.field); }}
#define LINE_FIELD(field)                                                                  \
    FieldCase{QStringLiteral(#field),                                                      \
              [](SKTGraphic& g) {                                                          \
                  if (g.kind() == GraphicKind::Line)                                       \
                      static_cast<SKTLine&>(g).field = true;                               \
              },                                                                           \
              [](const SKTGraphic& a, const SKTGraphic& b) {                               \
                  return static_cast<const SKTLine&>(a).field ==                           \
                         static_cast<const SKTLine&>(b).field;                             \
              }}

QImage picture(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    image.setPixelColor(0, 0, QColor(1, 2, 3, 128));
    return image;
}

const QList<FieldCase>& commonFields()
{
    static const QList<FieldCase> cases = {
        FIELD(_bounds, QRectF(1.25, 2.5, 30, 40)),  FIELD(ctrl_is_locked, true),
        FIELD(_isDrawingFill, true),                FIELD(_fillColor, QColor(1, 2, 3, 4)),
        FIELD(_isDrawingStroke, true),              FIELD(_strokeColor, QColor(5, 6, 7)),
        FIELD(_strokeWidth, 2.5),                   FIELD(_stroke_border_type, "DD"),
        FIELD(_fill_type, "G"),                     FIELD(_fill_Grad_clr1, QColor(8, 9, 10)),
        FIELD(_fill_Grad_clr2, QColor(11, 12, 13)), FIELD(_fill_grad_angle, 45.5),
        FIELD(_fill_htch_clr, QColor(14, 15, 16)),  FIELD(_fill_hatch_type, "Cross"),
        FIELD(alpha_val, 0.25f),                    FIELD(alpha_val_stroke, 0.75f),
        FIELD(print_object, 1),                     FIELD(control_ID, "Fup_Name"),
        FIELD(ctrl_is_visible, true)};
    return cases;
}

const QList<FieldCase>& bindingFields()
{
    static const QList<FieldCase> cases = {
        FIELD(data_source_type, 2), FIELD(batch_list_name, "Series"), FIELD(batch_list_index, 7),
        FIELD(excel_binding, true), FIELD(excel_col_indx, 3)};
    return cases;
}

const QList<FieldCase>& kindFields(GraphicKind kind)
{
    static const QList<FieldCase> line = {FIELD(_line_ori, 2), FIELD(_line_cap_style, 1),
                                          LINE_FIELD(_pointsRight), LINE_FIELD(_pointsDown)};
    static const QList<FieldCase> text = {
        FIELD(text_ctrl_font, (CardFont{"DejaVu Serif", 14.5})), FIELD(txt_clr, QColor(20, 30, 40)),
        FIELD(_Text_contents, "Styled"), FIELD(text_alignmnet_Vert, 1), FIELD(text_alignmnet, 3),
        FIELD(text_transfrom_case, 3), FIELD(text_kerning, 1.5f), FIELD(Text_Value, "Hello"),
        FIELD(Drawing_Shadow, true), FIELD(Shadow_Color, QColor(50, 60, 70)),
        FIELD(Shadow_offset_X, -3.5f), FIELD(Shadow_offset_Y, 4.25f), FIELD(Shadow_blur, 2.0f),
        FIELD(Shadow_transparency, 0.5f), FIELD(text_rotation, 90)};
    static const QList<FieldCase> shape = {FIELD(_shape_type, "DS"), FIELD(cor_rad_val, 4.5f),
                                           FIELD(double_star_type, 3), FIELD(polygon_type, 4),
                                           FIELD(text_rotation, 90)};
    static const QList<FieldCase> image = {
        FIELD(_isFlippedHorizontally, true), FIELD(_isFlippedVertically, true),
        FIELD(invert_clr, true), FIELD(gray_Scale, true), FIELD(Sepia, true),
        FIELD(img_trnsp_val, 80.0f), FIELD(hue_val, 0.5f), FIELD(sat_val, 1.5f),
        FIELD(brt_val, 0.25f), FIELD(con_val, 1.25f), FIELD(srp_val, 0.75f), FIELD(ev_val, 1.0f),
        FIELD(blr_val, 2.0f), FIELD(rotate_image, 90.0f), FIELD(_file_path, "/pictures/a.png"),
        FIELD(Text_Value, "Hello"), FIELD(Drawing_Shadow, true),
        FIELD(_contents, picture(5, 4, Qt::red)),
        FIELD(_contents_with_settings, picture(4, 5, Qt::blue))};
    static const QList<FieldCase> barcode = {
        FIELD(_barcode_image, picture(7, 3, Qt::black)), FIELD(linear_or_2d, 1),
        FIELD(barcode_font_index, 9), FIELD(linear_font_val, "12345"),
        FIELD(two_d_font_val, "QR text"), FIELD(header_val, "Head"), FIELD(footer_val, "Foot"),
        FIELD(show_hide_hdr, 1), FIELD(show_hide_ftr, 1), FIELD(show_hide_val, 1),
        FIELD(show_val_on_top, 1), FIELD(align_hdr_index, 2), FIELD(align_ftr_index, 3),
        FIELD(linear_height_val, 7.5f), FIELD(linear_width_val, 22.0f), FIELD(qr_size_val, 80),
        FIELD(qr_version_index, 4), FIELD(qr_ec_index, 2), FIELD(pdf_hgt_val, 30),
        FIELD(pdf_wdt_val, 120), FIELD(pdf_ec_val, 5), FIELD(dm_module_val, 3),
        FIELD(dm_format_index, 6), FIELD(dm_encoding_index, 2), FIELD(hdr_margin_val, 1.5f),
        FIELD(ftr_margin_val, 2.5f), FIELD(val_margin_val, 3.5f), FIELD(TB_marging_val, 4.5f),
        FIELD(LR_margin_val, 5.5f), FIELD(value_font_val, (CardFont{"DejaVu Sans Mono", 9})),
        FIELD(header_font_val, (CardFont{"DejaVu Serif", 11})),
        FIELD(footer_font_val, (CardFont{"DejaVu Sans", 12.5})),
        FIELD(barcode_hdr_clr_val, QColor(90, 0, 0)), FIELD(barcode_ftr_clr_val, QColor(0, 90, 0)),
        FIELD(barcode_val_clr_val, QColor(0, 0, 90)), FIELD(barcode_back_clr_val, QColor(9, 9, 9)),
        FIELD(barcode_clr_val, QColor(99, 99, 99)), FIELD(dpi_val_index, 2),
        FIELD(dpi_custom_val, "450"), FIELD(barcode_unit_val, 2)};
    static const QList<FieldCase> signature = {FIELD(sign_or_fingureprint, "F"),
                                               FIELD(_file_path, "/pictures/a.png"),
                                               FIELD(_contents, picture(5, 4, Qt::red))};
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

const QList<GraphicKind> kAllKinds = {GraphicKind::Text,  GraphicKind::Line,
                                      GraphicKind::Shape, GraphicKind::Image,
                                      GraphicKind::Barcode, GraphicKind::Signature};

QList<FieldCase> archivedFields(GraphicKind kind)
{
    QList<FieldCase> cases = commonFields();
    if (kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode)
        cases += bindingFields();
    return cases + kindFields(kind);
}

// Fields of groups the kind does not archive (line-only fields are left out for other kinds).
QList<FieldCase> fieldsOutsideTheArchive(GraphicKind kind)
{
    QSet<QString> archived;
    for (const FieldCase& c : archivedFields(kind))
        archived.insert(c.name);
    QList<FieldCase> outside;
    QSet<QString> seen;
    for (GraphicKind other : kAllKinds) {
        if (other == GraphicKind::Line && kind != GraphicKind::Line)
            continue;
        for (const FieldCase& c : archivedFields(other)) {
            if (!archived.contains(c.name) && !seen.contains(c.name)) {
                outside.append(c);
                seen.insert(c.name);
            }
        }
    }
    return outside;
}

QByteArray archiveWithOnly(const QString& className, const std::function<void(KeyedArchiver&)>& fill = {})
{
    KeyedArchiver archiver;
    archiver.encodeString("$class", className);
    if (fill)
        fill(archiver);
    return archiver.finish();
}

}  // namespace

TEST(GraphicArchive, EveryArchivedFieldSurvivesAndTheRestReadsZero)
{
    for (GraphicKind kind : kAllKinds) {
        const GraphicPtr original = SKTGraphic::create(kind);
        SCOPED_TRACE(original->className().toStdString());
        for (GraphicKind other : kAllKinds)
            for (const FieldCase& c : archivedFields(other))
                c.set(*original);
        original->bar_image_ctrl_bounds = QRectF(1, 2, 3, 4);

        const GraphicPtr decoded = SKTGraphic::fromArchivedData(original->archivedData());
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->kind(), kind);
        for (const FieldCase& c : archivedFields(kind))
            EXPECT_TRUE(c.same(*decoded, *original)) << c.name.toStdString();

        const GraphicPtr zero = SKTGraphic::fromArchivedData(archiveWithOnly(original->className()));
        ASSERT_TRUE(zero);
        for (const FieldCase& c : fieldsOutsideTheArchive(kind))
            EXPECT_TRUE(c.same(*decoded, *zero)) << "not archived: " << c.name.toStdString();
        EXPECT_EQ(decoded->bar_image_ctrl_bounds, QRectF());
    }
}

TEST(GraphicArchive, KindsOwnUnarchivedFieldsStayEmpty)
{
    auto text = std::static_pointer_cast<SKTText>(SKTGraphic::create(GraphicKind::Text));
    text->contents_val = "editing";
    const auto textBack = std::static_pointer_cast<SKTText>(
        SKTGraphic::fromArchivedData(text->archivedData()));
    EXPECT_TRUE(textBack->contents_val.isEmpty());
    EXPECT_TRUE(textBack->_shape_type.isEmpty());
    EXPECT_TRUE(textBack->_file_path.isEmpty());

    auto signature =
        std::static_pointer_cast<SKTSignature>(SKTGraphic::create(GraphicKind::Signature));
    signature->_contents_img = picture(2, 2, Qt::red);
    signature->file_path = "/x.png";
    const auto signatureBack = std::static_pointer_cast<SKTSignature>(
        SKTGraphic::fromArchivedData(signature->archivedData()));
    EXPECT_TRUE(signatureBack->_contents_img.isNull());
    EXPECT_TRUE(signatureBack->file_path.isEmpty());
}

TEST(GraphicArchive, AbsentKeysReadAsZeroNotDefaults)
{
    const GraphicPtr g = SKTGraphic::fromArchivedData(archiveWithOnly("Shape_Control"));
    ASSERT_TRUE(g);
    EXPECT_FALSE(g->ctrl_is_visible);
    EXPECT_FALSE(g->_isDrawingFill);
    EXPECT_FALSE(g->_fillColor.isValid());
    EXPECT_EQ(g->_strokeWidth, 0.0);
    EXPECT_TRUE(g->_shape_type.isEmpty());
    EXPECT_EQ(g->cor_rad_val, 0.0f);
    EXPECT_TRUE(g->text_ctrl_font.isNull());
}

TEST(GraphicArchive, DoublesGoThroughThirtyTwoBits)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_strokeWidth = 0.1;
    g->_fill_grad_angle = 0.1;
    const GraphicPtr back = SKTGraphic::fromArchivedData(g->archivedData());
    EXPECT_EQ(back->_strokeWidth, static_cast<double>(0.1f));
    EXPECT_NE(back->_strokeWidth, 0.1);
    EXPECT_EQ(back->_fill_grad_angle, static_cast<double>(0.1f));
}

TEST(GraphicArchive, BytesThatAreNoElementGiveNothing)
{
    EXPECT_FALSE(SKTGraphic::fromArchivedData(QByteArray()));
    EXPECT_FALSE(SKTGraphic::fromArchivedData("not a property list"));
    EXPECT_FALSE(SKTGraphic::fromArchivedData(archiveWithOnly("SKTGraphic")));
    EXPECT_FALSE(SKTGraphic::fromArchivedData(
        PropertyList::toData(QVariantList{1, 2}, PropertyList::Format::Binary)));
    // Wrong value types and non-finite numbers read as zero.
    const QByteArray hostile = PropertyList::toData(
        QVariantMap{{"$class", "SKTText"},
                    {"_bounds", QStringLiteral("huge")},
                    {"_strokeWidth", std::nan("")},
                    {"text_kerning", std::numeric_limits<double>::infinity()},
                    {"ctrl_is_visible", QVariantList{}}},
        PropertyList::Format::Binary);
    const GraphicPtr g = SKTGraphic::fromArchivedData(hostile);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->_bounds, QRectF());
    EXPECT_EQ(g->_strokeWidth, 0.0);
    EXPECT_EQ(g->text_kerning, 0.0f);
    EXPECT_FALSE(g->ctrl_is_visible);
}

TEST(GraphicArchive, DecodesOffTheGuiThreadAndLeavesAMissingAdjustedPictureNull)
{
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->_contents = picture(3, 3, Qt::green);
    const QByteArray data = image->archivedData();
    const GraphicPtr back = QtConcurrent::run(&SKTGraphic::fromArchivedData, data).result();
    ASSERT_TRUE(back);
    EXPECT_TRUE(same(back->_contents, image->_contents));
    EXPECT_TRUE(back->_contents_with_settings.isNull());
}
