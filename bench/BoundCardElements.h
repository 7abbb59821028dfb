#pragma once
// The card and its elements bound to spreadsheet columns, for the benchmarks that run records
// through a design.
#include <QRectF>
#include <QString>

#include "barcodes/BarcodeLists.h"
#include "model/SKTGraphicKinds.h"
#include "model/WindowlessCardHost.h"

inline GraphicPtr placed(GraphicPtr element, const QRectF& box)
{
    element->setBounds(box);
    element->ctrl_is_visible = true;
    return element;
}

inline GraphicPtr boundText(int column, const QRectF& box, double size)
{
    auto text = std::make_shared<SKTText>();
    text->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), size};
    text->data_source_type = 2;
    text->excel_binding = true;
    text->excel_col_indx = column;
    return placed(text, box);
}

inline GraphicPtr boundBarcode(int column, const QString& symbology, const QRectF& box)
{
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->data_source_type = 2;
    barcode->excel_binding = true;
    barcode->excel_col_indx = column;
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(symbology));
    barcode->barcode.linear_or_2d = symbology == QLatin1String("QR Code") ? 1 : 0;
    barcode->barcode.header_val.clear();
    barcode->barcode.footer_val.clear();
    barcode->barcode.linear_width_val = 10;  // mils: the bars and their quiet zones fit the box
    placed(barcode, box);
    barcode->Set_Barcode_image_control_bounds(box);
    return barcode;
}

// The front of the benchmarks' card: CR80, filled light blue.
inline void makeLightCr80Front(WindowlessCardHost& host)
{
    host.front.setCard_Size(QSizeF(243, 154));
    host.front.setCard_fill_chk(true);
    host.front.setCard_fill_style(QStringLiteral("S"));
    host.front.setCard_fill_clr(QColor(235, 242, 250));
}

// A picture element whose file is the record's value in the column; it shows `sample` until a
// record is put in, as a design made with one person's photo does.
inline GraphicPtr boundPhoto(int column, const QRectF& box, const QString& sample)
{
    GraphicPtr photo = SKTImage::initWithPath(box.topLeft(), sample);
    photo->data_source_type = 2;
    photo->excel_binding = true;
    photo->excel_col_indx = column;
    return placed(photo, box);
}
