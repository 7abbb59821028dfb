// The element record: defaults, colours, its keyed archive and clipboard data with the paste fix-ups.
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>
#include <functional>
#include <limits>
#include <gtest/gtest.h>

#include "model/SKTError.h"
#include "model/SKTGraphicKinds.h"
#include "platform/AppContext.h"
#include "platform/PropertyList.h"
#include "support/TestEnvironment.h"

namespace {

const QList<GraphicKind> kAllKinds = {GraphicKind::Text,  GraphicKind::Line,    GraphicKind::Shape,
                                      GraphicKind::Image, GraphicKind::Barcode, GraphicKind::Signature};

QImage picture(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    image.setPixelColor(0, 0, QColor(1, 2, 3, 128));
    return image;
}

template <typename T>
bool same(const T& a, const T& b) { return a == b; }
bool same(const QImage& a, const QImage& b) { return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32); }
bool same(const QColor& a, const QColor& b) { return a.isValid() == b.isValid() && a.rgba64() == b.rgba64(); }
bool same(const BarcodePicture& a, const BarcodePicture& b) { return a.size() == b.size() && same(a.image(), b.image()); }

// Distinct non-zero values (exact in 32 bits), so a field that is lost or read from another
// field's key shows up.
int serial = 0;
bool changed(bool) { return true; }
qint32 changed(qint32) { return ++serial; }
float changed(float) { return ++serial + 0.5f; }
double changed(double) { return ++serial + 0.25; }
QString changed(const QString&) { return QString("v%1").arg(++serial); }
QColor changed(const QColor&) { return QColor(++serial % 250, 2, 3, 4); }
QRectF changed(const QRectF&) { return QRectF(++serial, 2.5, 30, 40); }
CardFont changed(const CardFont&) { return {"DejaVu Serif", ++serial + 0.5, "Bold Italic"}; }
QImage changed(const QImage&) { return picture(2 + ++serial % 6, 3, Qt::red); }
// Two pixels per point: the size in points must survive apart from the pixels.
BarcodePicture changed(const BarcodePicture&)
{
    const int step = ++serial % 6;
    return BarcodePicture(picture(4 + 2 * step, 6, Qt::red), QSizeF(2 + step, 3));
}

struct FieldCase {
    QString name;
    std::function<void(SKTGraphic&)> set;
    std::function<bool(const SKTGraphic&, const SKTGraphic&)> same;
};
#define F(field)                                                \
    FieldCase{#field, [](SKTGraphic& g) { g.field = changed(g.field); }, \
              [](const SKTGraphic& a, const SKTGraphic& b) { return same(a.field, b.field); }}
#define LINE_F(field)                                                                                   \
    FieldCase{#field, [](SKTGraphic& g) { if (auto* l = dynamic_cast<SKTLine*>(&g)) l->field = true; }, \
              [](const SKTGraphic& a, const SKTGraphic& b) {                                            \
                  return static_cast<const SKTLine&>(a).field == static_cast<const SKTLine&>(b).field; }}

// What each kind archives: the common group, the binding group for text, image and barcode, its own.
QList<FieldCase> archivedFields(GraphicKind kind)
{
    QList<FieldCase> cases = {F(_bounds), F(ctrl_is_locked), F(_isDrawingFill), F(_fillColor), F(_isDrawingStroke),
        F(_strokeColor), F(_strokeWidth), F(_stroke_border_type), F(_fill_type), F(_fill_Grad_clr1),
        F(_fill_Grad_clr2), F(_fill_grad_angle), F(_fill_htch_clr), F(_fill_hatch_type), F(alpha_val),
        F(alpha_val_stroke), F(print_object), F(control_ID), F(ctrl_is_visible)};
    if (kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode)
        cases += {F(data_source_type), F(batch_list_name), F(batch_list_index), F(excel_binding), F(excel_col_indx)};
    switch (kind) {
    case GraphicKind::Line:
        return cases + QList{F(_line_ori), F(_line_cap_style), LINE_F(_pointsRight), LINE_F(_pointsDown)};
    case GraphicKind::Text:
        return cases + QList{F(textStyle.text_ctrl_font), F(textStyle.txt_clr), F(_Text_contents),
            F(textStyle.text_alignmnet_Vert), F(textStyle.text_alignmnet), F(textStyle.text_transfrom_case),
            F(textStyle.text_kerning), F(Text_Value), F(textStyle.Drawing_Shadow), F(textStyle.Shadow_Color),
            F(textStyle.Shadow_offset_X), F(textStyle.Shadow_offset_Y), F(textStyle.Shadow_blur),
            F(textStyle.Shadow_transparency), F(text_rotation)};
    case GraphicKind::Shape:
        return cases + QList{F(_shape_type), F(cor_rad_val), F(double_star_type), F(polygon_type), F(text_rotation)};
    case GraphicKind::Image:
        return cases + QList{F(picture._isFlippedHorizontally), F(picture._isFlippedVertically),
            F(picture.invert_clr), F(picture.gray_Scale), F(picture.Sepia), F(picture.img_trnsp_val),
            F(picture.hue_val), F(picture.sat_val), F(picture.brt_val), F(picture.con_val), F(picture.srp_val),
            F(picture.ev_val), F(picture.blr_val), F(picture.rotate_image), F(_file_path), F(Text_Value),
            F(textStyle.Drawing_Shadow), F(_contents), F(_contents_with_settings)};
    case GraphicKind::Barcode:
        return cases + QList{F(_barcode_image), F(barcode.linear_or_2d), F(barcode.barcode_font_index),
            F(barcode.linear_font_val), F(barcode.two_d_font_val), F(barcode.header_val), F(barcode.footer_val),
            F(barcode.show_hide_hdr), F(barcode.show_hide_ftr), F(barcode.show_hide_val), F(barcode.show_val_on_top),
            F(barcode.align_hdr_index), F(barcode.align_ftr_index), F(barcode.linear_height_val),
            F(barcode.linear_width_val), F(barcode.qr_size_val), F(barcode.qr_version_index), F(barcode.qr_ec_index),
            F(barcode.pdf_hgt_val), F(barcode.pdf_wdt_val), F(barcode.pdf_ec_val), F(barcode.dm_module_val),
            F(barcode.dm_format_index), F(barcode.dm_encoding_index), F(barcode.hdr_margin_val),
            F(barcode.ftr_margin_val), F(barcode.val_margin_val), F(barcode.TB_marging_val), F(barcode.LR_margin_val),
            F(barcode.value_font_val), F(barcode.header_font_val), F(barcode.footer_font_val),
            F(barcode.barcode_hdr_clr_val), F(barcode.barcode_ftr_clr_val), F(barcode.barcode_val_clr_val),
            F(barcode.barcode_back_clr_val), F(barcode.barcode_clr_val), F(barcode.dpi_val_index),
            F(barcode.dpi_custom_val), F(barcode.barcode_unit_val)};
    case GraphicKind::Signature:
        return cases + QList{F(sign_or_fingureprint), F(_file_path), F(_contents)};
    }
    return cases;
}

QByteArray archiveWithOnly(const QString& className)
{
    return PropertyList::toData(QVariantMap{{"$class", className}}, PropertyList::Format::Binary);
}

// The data source fields as one value: type, spreadsheet flag and column, series index and name.
auto binding(const GraphicPtr& g)
{
    return std::tuple(g->data_source_type, g->excel_binding, g->excel_col_indx, g->batch_list_index, g->batch_list_name);
}

GraphicList pasted(const GraphicList& copied, const QString& mode = "L")
{
    return SKTGraphic::graphicsWithProperties(SKTGraphic::propertiesWithGraphics(copied), mode);
}

}  // namespace

TEST(GraphicArchive, EveryArchivedFieldSurvivesAndAbsentKeysReadZero)
{
    for (GraphicKind kind : kAllKinds) {
        const GraphicPtr original = SKTGraphic::create(kind);
        SCOPED_TRACE(original->className().toStdString());
        QSet<QString> archived;
        for (const FieldCase& c : archivedFields(kind))
            archived.insert(c.name);
        for (GraphicKind other : kAllKinds)
            for (const FieldCase& c : archivedFields(other))
                c.set(*original);
        original->bar_image_ctrl_bounds = QRectF(1, 2, 3, 4);
        if (auto* text = dynamic_cast<SKTText*>(original.get()))
            text->contents_val = "editing";
        if (auto* signature = dynamic_cast<SKTSignature*>(original.get())) {
            signature->_contents_img = picture(2, 2, Qt::red); signature->file_path = "/x.png";
        }

        const GraphicPtr decoded = SKTGraphic::fromArchivedData(original->archivedData());
        const GraphicPtr zero = SKTGraphic::fromArchivedData(archiveWithOnly(original->className()));
        ASSERT_TRUE(decoded && zero);
        EXPECT_EQ(decoded->kind(), kind);
        for (const FieldCase& c : archivedFields(kind))
            EXPECT_TRUE(c.same(*decoded, *original)) << c.name.toStdString();
        for (GraphicKind other : kAllKinds)
            for (const FieldCase& c : archivedFields(other))
                EXPECT_TRUE(archived.contains(c.name) || (other == GraphicKind::Line && kind != GraphicKind::Line) ||
                            c.same(*decoded, *zero)) << "not archived: " << c.name.toStdString();
        EXPECT_EQ(decoded->bar_image_ctrl_bounds, QRectF());
        EXPECT_TRUE(kind != GraphicKind::Text || static_cast<SKTText&>(*decoded).contents_val.isEmpty());
        EXPECT_TRUE(kind != GraphicKind::Signature || (static_cast<SKTSignature&>(*decoded)._contents_img.isNull() &&
                                                       static_cast<SKTSignature&>(*decoded).file_path.isEmpty()));
        EXPECT_FALSE(zero->ctrl_is_visible);  // a hidden element, not the default
        EXPECT_EQ(std::tuple(zero->_isDrawingFill, zero->_fillColor.isValid(), zero->_strokeWidth, zero->_shape_type,
                             zero->cor_rad_val, zero->textStyle.text_ctrl_font.isNull()),
                  std::tuple(false, false, 0.0, QString(), 0.0f, true));
    }
}

// The settings an element holds as one value: the construction defaults, zero when decoded without
// their keys, and whole after an archive.
TEST(GraphicArchive, SettingsValuesStartAtTheirDefaultsDecodeZeroAndSurviveWhole)
{
    const GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    const GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    const GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    EXPECT_EQ(image->picture, PictureSettings());
    EXPECT_EQ(std::tuple(image->picture.img_trnsp_val, image->picture.sat_val, image->picture.con_val),
              std::tuple(100.0f, 1.0f, 1.0f));
    EXPECT_EQ(barcode->barcode, BarcodeSettings::defaults());
    EXPECT_EQ(std::tuple(barcode->barcode.header_val, barcode->barcode.align_hdr_index, barcode->barcode.pdf_ec_val,
                         barcode->barcode.value_font_val.size, barcode->barcode.barcode_back_clr_val),
              std::tuple(QString("HEADER"), 1, 2, 10.0, QColor(Qt::white)));
    const TextStyle& style = text->textStyle;
    EXPECT_EQ(std::tuple(style.Drawing_Shadow, image->textStyle.Drawing_Shadow, style.text_alignmnet,
                         style.Shadow_Color, style.Shadow_offset_Y, style.Shadow_transparency),
              std::tuple(false, true, 2, QColor(Qt::blue), 5.0f, 50.0f));
    EXPECT_EQ(SKTGraphic::fromArchivedData(archiveWithOnly("SKTImage"))->picture, PictureSettings::zero());
    EXPECT_EQ(SKTGraphic::fromArchivedData(archiveWithOnly("SKTBarcode"))->barcode, BarcodeSettings());
    EXPECT_EQ(SKTGraphic::fromArchivedData(archiveWithOnly("SKTText"))->textStyle, TextStyle());

    for (const GraphicPtr& element : {image, barcode, text})
        for (const FieldCase& c : archivedFields(element->kind()))
            c.set(*element);
    EXPECT_EQ(SKTGraphic::fromArchivedData(image->archivedData())->picture, image->picture);
    EXPECT_EQ(SKTGraphic::fromArchivedData(barcode->archivedData())->barcode, barcode->barcode);
    EXPECT_EQ(SKTGraphic::fromArchivedData(text->archivedData())->textStyle, text->textStyle);
}

TEST(GraphicArchive, BytesThatAreNoElementGiveNothingHostileValuesAreToleratedAndDoublesGoThrough32Bits)
{
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->alpha_val_stroke = -2.0f;
    shape->alpha_val = NAN;
    EXPECT_EQ(std::tuple(shape->strokeColor().alpha(), shape->fill_hatch_bk_clr().alpha()), std::tuple(0, 255));
    const GraphicPtr defaults = SKTGraphic::initWithProperties(
        GraphicKind::Shape, {{"bounds", 5}, {"drawingFill", "yes"}, {"fillColor", QByteArray("junk")},
                             {"strokeWidth", QStringLiteral("2")}});
    EXPECT_EQ(std::tuple(defaults->_bounds, defaults->_isDrawingFill, defaults->_fillColor, defaults->_strokeWidth),
              std::tuple(QRectF(), true, QColor(Qt::white), 1.0));
    EXPECT_FALSE(SKTGraphic::fromArchivedData("not a property list"));
    EXPECT_FALSE(SKTGraphic::fromArchivedData(archiveWithOnly("SKTGraphic")));
    EXPECT_FALSE(SKTGraphic::fromArchivedData(PropertyList::toData(QVariantList{1, 2}, PropertyList::Format::Binary)));
    const GraphicPtr g = SKTGraphic::fromArchivedData(PropertyList::toData(
        QVariantMap{{"$class", "SKTText"}, {"_bounds", QStringLiteral("huge")}, {"_strokeWidth", std::nan("")},
                    {"text_kerning", std::numeric_limits<double>::infinity()}, {"ctrl_is_visible", QVariantList{}}},
        PropertyList::Format::Binary));
    ASSERT_TRUE(g);
    EXPECT_EQ(std::tuple(g->_bounds, g->_strokeWidth, g->textStyle.text_kerning, g->ctrl_is_visible),
              std::tuple(QRectF(), 0.0, 0.0f, false));

    g->_strokeWidth = 0.1;
    g->_fill_grad_angle = 0.1;
    const GraphicPtr back = SKTGraphic::fromArchivedData(g->archivedData());
    EXPECT_EQ(std::tuple(back->_strokeWidth, back->_fill_grad_angle), std::tuple(double(0.1f), double(0.1f)));
}

TEST(GraphicArchive, DecodesOffTheGuiThreadAndLeavesAMissingAdjustedPictureNull)
{
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->_contents = picture(3, 3, Qt::green);
    const GraphicPtr back = QtConcurrent::run(&SKTGraphic::fromArchivedData, image->archivedData()).result();
    ASSERT_TRUE(back);
    EXPECT_TRUE(same(back->_contents, image->_contents) && back->_contents_with_settings.isNull());
}

TEST(ClipboardData, IsABinaryPlistListOfArchivesAndUnreadableDataGivesErrorTwo)
{
    GraphicList graphics = {SKTGraphic::create(GraphicKind::Text), SKTGraphic::create(GraphicKind::Shape),
                            SKTGraphic::create(GraphicKind::Line)};
    const QByteArray data = SKTGraphic::pasteboardDataWithGraphics(graphics);
    // Python's plistlib reads each data (given as hex) as a root list of bytes items.
    const auto result = TestEnvironment::runPython(
        "import plistlib, sys\nfor a in sys.argv[1:]:\n"
        "    r = plistlib.loads(bytes.fromhex(a), fmt=plistlib.FMT_BINARY)\n"
        "    print(type(r).__name__, len(r), all(isinstance(x, bytes) for x in r))\n",
        {QString::fromLatin1(data.toHex()), QString::fromLatin1(SKTGraphic::pasteboardDataWithGraphics({}).toHex())});
    EXPECT_EQ(result.out.trimmed(), "list 3 True\nlist 0 True") << result.err.toStdString();

    std::optional<SKTError> error;
    const GraphicList back = SKTGraphic::graphicsWithPasteboardData(data, "L", &error);
    EXPECT_FALSE(error.has_value());
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(std::tuple(back[0]->kind(), back[1]->kind(), back[2]->kind()),
              std::tuple(GraphicKind::Text, GraphicKind::Shape, GraphicKind::Line));

    for (const QByteArray& bad : {QByteArray(), QByteArray("garbage that is no property list"), data.left(data.size() / 2),
                                  PropertyList::toData(QVariantMap{{"graphics", QVariantList{}}},
                                                       PropertyList::Format::Binary)}) {
        std::optional<SKTError> badError;
        EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(bad, "L", &badError).isEmpty());
        ASSERT_TRUE(badError.has_value());
        EXPECT_EQ(std::tuple(badError->code, badError->domain), std::tuple(2, SKTErrorDomain));
    }
    EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData("junk", "L", nullptr).isEmpty());

    QVariantList items = SKTGraphic::propertiesWithGraphics(graphics);
    items.insert(1, QStringLiteral("not data"));
    items.insert(0, QByteArray("not an archive"));
    EXPECT_EQ(SKTGraphic::graphicsWithProperties(items, "L").size(), 3);  // undecodable items are skipped
}

// The clipboard keeps no box: a pasted barcode's box is its bounds, bounded as a hostile place is.
TEST(ClipboardData, APastedBarcodesBoxIsItsBoundsEvenWhenTheyHadToBeBounded)
{
    GraphicPtr near = SKTGraphic::create(GraphicKind::Barcode), far = SKTGraphic::create(GraphicKind::Barcode);
    near->_bounds = QRectF(30, 40, 60, 25);
    far->_bounds = QRectF(1e9, 5, 60, 25);
    far->bar_image_ctrl_bounds = far->_bounds;
    const GraphicList back = pasted({near, far});
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ((QList{back[0]->bounds(), back[0]->bar_image_ctrl_bounds, back[1]->bounds(), back[1]->bar_image_ctrl_bounds}),
              (QList<QRectF>{{30, 40, 60, 25}, {30, 40, 60, 25}, {100000, 5, 60, 25}, {100000, 5, 60, 25}}));
}

TEST(ClipboardData, PasteFixUpsFollowTheWorkMode)
{
    QTemporaryDir dir;
    ASSERT_TRUE(picture(8, 8, Qt::cyan).save(dir.filePath("photo.png")));

    // In template mode: identifier cleared, unlocked, picture reloaded from its file.
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->_file_path = dir.filePath("photo.png"); image->Text_Value = "kept"; image->control_ID = "F_Pic1";
    image->ctrl_is_locked = true; image->_contents = QImage(2, 2, QImage::Format_RGB32);
    GraphicList back = pasted({image}, "T");
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(std::tuple(back[0]->_contents.size(), back[0]->_contents_with_settings.size(), back[0]->Text_Value,
                         back[0]->control_ID, back[0]->ctrl_is_locked),
              std::tuple(QSize(8, 8), QSize(8, 8), QString("kept"), QString(), false));

    // In group mode: spreadsheet-bound text and pictures are unbound; barcodes kept.
    GraphicList copied;
    for (GraphicKind kind : {GraphicKind::Text, GraphicKind::Image, GraphicKind::Barcode}) {
        copied.append(SKTGraphic::create(kind));
        copied.back()->Set_Data_source_type(2);
        copied.back()->excel_col_indx = 4;
    }
    back = pasted(copied, "G");
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(binding(back[0]), std::tuple(0, false, -1, -1, QString()));
    EXPECT_EQ(binding(back[1]), std::tuple(0, false, -1, -1, QString()));
    EXPECT_TRUE(back[1]->control_ID.startsWith("F_Pic"));
    EXPECT_EQ(binding(back[2]), std::tuple(2, true, 4, -1, QString()));
}
