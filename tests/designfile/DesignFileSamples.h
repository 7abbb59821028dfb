#pragma once
// Designs for the design-file tests: every element kind on the front, a text and a hidden picture
// on the back, both card sides set, a loaded table and group bindings. Numbers and colours are
// chosen so that their file forms read back exactly.
#include <QColor>
#include <QDir>
#include <QString>
#include <QImage>

#include "barcodes/BarcodeFactory.h"
#include "designfile/DesignState.h"
#include "model/SKTLine.h"

namespace DesignSamples {

inline QColor colour(double r, double g, double b, double a = 1.0) { return QColor::fromRgbF(r, g, b, a); }

inline GraphicPtr text(const QString& id, const QString& value)
{
    GraphicPtr t = SKTGraphic::create(GraphicKind::Text);
    t->_bounds = QRectF(10.5, 20.25, 120, 30);
    t->control_ID = id;
    t->Text_Value = value;
    TextStyle& s = t->textStyle;
    s.text_ctrl_font = CardFont{QStringLiteral("DejaVu Serif"), 14.5};
    s.txt_clr = colour(0.1234, 0.5, 0.75);
    s.text_alignmnet = 1, s.text_alignmnet_Vert = 0, s.text_transfrom_case = 2, s.text_kerning = 1.25f;
    s.Drawing_Shadow = true, s.Shadow_Color = colour(0, 0, 1, 0.5), s.Shadow_offset_X = -2.5f;
    s.Shadow_blur = 3, s.Shadow_transparency = 40, t->text_rotation = 15;
    t->data_source_type = 2, t->excel_binding = true, t->excel_col_indx = 3;
    t->_fillColor = colour(1, 0.9, 0.8, 0.25), t->_isDrawingFill = true;
    t->ctrl_is_locked = true, t->print_object = 1;
    return t;
}

inline GraphicPtr image(const QString& path)
{
    GraphicPtr i = SKTGraphic::create(GraphicKind::Image);
    i->_bounds = QRectF(12, 56, 60, 75), i->_file_path = path, i->Text_Value = QStringLiteral("photo value");
    i->picture._isFlippedHorizontally = true, i->picture.Sepia = true, i->picture.img_trnsp_val = 80;
    i->picture.hue_val = -0.5f, i->picture.sat_val = 1.25f, i->picture.blr_val = 2, i->picture.rotate_image = 90;
    i->textStyle.Drawing_Shadow = false;
    i->control_ID = QStringLiteral("F_label7"), i->data_source_type = 1;
    i->batch_list_name = QStringLiteral("Photos"), i->batch_list_index = 2;
    return i;
}

inline GraphicPtr barcode()
{
    GraphicPtr b = SKTGraphic::create(GraphicKind::Barcode);
    BarcodeSettings& s = b->barcode;
    s.linear_font_val = QStringLiteral("4006381333931"), s.header_val = QStringLiteral("Top");
    s.show_hide_hdr = 1, s.qr_size_val = 80, s.pdf_ec_val = 4, s.LR_margin_val = 2.75f;
    s.value_font_val = CardFont{QStringLiteral("DejaVu Sans Mono"), 9};
    s.barcode_back_clr_val = colour(1, 1, 0.9), s.dpi_custom_val = QStringLiteral("300");
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(*b);
    b->_bounds = QRectF(82, 98, 0, 0);
    b->Set_Barcode_image(factory.Get_Image_From_Val(s.linear_font_val, s.header_val, s.footer_val));
    b->Set_Barcode_image_control_bounds(b->_bounds);
    return b;
}

// Every kind on the front, a text and a hidden picture on the back, a three-row table.
inline DesignState fullDesign(const QString& picturePath)
{
    DesignState d;
    d.startMode = QStringLiteral("G");
    d.front.setCard_fill_chk(true), d.front.setCard_fill_style(QStringLiteral("G"));
    d.front.setCard_fill_Grd_1_clr(colour(0.9, 0.95, 1)), d.front.setCard_grad_Stepper(30);
    d.front.setCard_Size(QSizeF(242.65, 153.07)), d.front.setCard_Location(QPointF(1.5, -2));
    d.front.setCard_Name(QStringLiteral("Staff \"2026\" & <guests>")), d.front.setCard_alpha_Stepper(0.75f);
    d.front.setCard_Content_font(CardFont{QStringLiteral("DejaVu Sans"), 11.25});
    d.front.setWatermark_Used(true), d.front.setWatermark_Text(QStringLiteral("VOID")), d.front.setWatermark_Transp(0.25f);
    d.back.setCard_Side_Name(QStringLiteral("B")), d.back.setCard_fill_style(QStringLiteral("I"));
    d.back.setCard_BG_Image_Path(picturePath), d.back.setCard_Size(QSizeF(242.65, 153.07));
    d.back.setCard_border_chk(true), d.back.setCard_bor_Stepper(3), d.back.setCard_bordr_clr(colour(0.5, 0, 0));
    d.excelBindingUse = true;
    d.excelSourcePath = QStringLiteral("/home/user/people.xlsx");
    d.columnTitles = {QStringLiteral("No."), QStringLiteral("Name"), QString(), QStringLiteral("Photo")};
    for (int row = 1; row <= 3; ++row) {
        d.rows.append(DataRow{{QStringLiteral("Extension"), QString::number(row)},
                              {QStringLiteral("Column1"), QStringLiteral("Name %1").arg(row)},
                              {QStringLiteral("Column2"), QString()},
                              {QStringLiteral("Column3"), picturePath}});
    }
    d.groupColumns = {1, 3, -1, -1, 2, -1, -1, -1, -1, -1, -1, 0};
    GraphicPtr line = SKTGraphic::create(GraphicKind::Line);
    auto& l = static_cast<SKTLine&>(*line);
    l._bounds = QRectF(5, 50, 200, 0.1), l._pointsRight = true, l._pointsDown = false;
    l._line_ori = 2, l._line_cap_style = 1, l._strokeWidth = 2.5, l._stroke_border_type = QStringLiteral("DA");
    l.alpha_val_stroke = 0.75f;
    GraphicPtr s = SKTGraphic::create(GraphicKind::Shape);
    s->_bounds = QRectF(-12.125, 60, 40, 40);
    s->_shape_type = QStringLiteral("S"), s->cor_rad_val = 5.5f, s->double_star_type = 2, s->polygon_type = 3;
    s->text_rotation = 30, s->_fill_type = QStringLiteral("G"), s->_fill_grad_angle = 45;
    s->_fill_Grad_clr1 = colour(1, 0.8, 0), s->_fill_Grad_clr2 = colour(0.9, 0.2, 0);
    s->_fill_hatch_type = QStringLiteral("H3"), s->_fill_htch_clr = colour(0.3, 0.3, 0.3);
    s->ctrl_is_visible = false;  // hidden elements are kept too
    GraphicPtr sign = SKTGraphic::create(GraphicKind::Signature);
    sign->_bounds = QRectF(150, 100, 70, 35), sign->sign_or_fingureprint = QStringLiteral("F");
    sign->_file_path = picturePath;
    d.frontElements = {text(QStringLiteral("F_field7"), QStringLiteral("Line one\r\nLine two & <b>\u00fc</b>")),
                       line, s, image(picturePath), barcode(), sign};
    GraphicPtr hiddenPicture = image(picturePath);
    hiddenPicture->ctrl_is_visible = false, hiddenPicture->control_ID = QStringLiteral("B_field9");
    d.backElements = {text(QStringLiteral("Fup_Name"), QStringLiteral("If found, please return.")), hiddenPicture};
    return d;
}

// A small PNG picture in the folder, for picture elements and backgrounds.
inline QString samplePicture(const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("photo.png"));
    QImage photo(40, 50, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    photo.save(path);
    return path;
}

}  // namespace DesignSamples
