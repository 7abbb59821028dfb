#pragma once
// A visitor design for the tests: a CR80 front with the visitor's name and company, a photo and
// a Code 128 barcode of the visitor number on a light blue ground.
#include <QDir>
#include <QPainter>

#include "barcodes/BarcodeLists.h"
#include "model/SKTGraphicKinds.h"
#include "model/WindowlessCardHost.h"
#include "visitors/VisitorSamples.h"

namespace visitortest {

inline GraphicPtr placed(GraphicPtr element, const QRectF& box, const QString& id)
{
    element->setBounds(box);
    element->ctrl_is_visible = true;
    element->control_ID = id;
    return element;
}

inline GraphicPtr text(const QRectF& box, const QString& id, double size)
{
    auto element = std::make_shared<SKTText>();
    element->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), size};
    element->Set_text_value(QStringLiteral("Visitor"));
    return placed(element, box, id);
}

inline GraphicPtr code128(const QRectF& box, const QString& id)
{
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("Code 128")));
    barcode->barcode.linear_or_2d = 0;
    barcode->barcode.header_val.clear();
    barcode->barcode.footer_val.clear();
    barcode->barcode.linear_width_val = 10;
    placed(barcode, box, id);
    barcode->Set_Barcode_image_control_bounds(box);
    return barcode;
}

// A photo file of one colour, 120 x 150 pixels.
inline QString photoFile(const QDir& folder, const QString& name, const QColor& colour)
{
    QImage photo(120, 150, QImage::Format_RGB32);
    photo.fill(colour);
    const QString path = folder.filePath(name);
    photo.save(path);
    return path;
}

// The front, topmost first; its photo placeholder is written into folder.
inline GraphicList passFront(const QDir& folder)
{
    const QString placeholder = photoFile(folder, QStringLiteral("placeholder.png"), Qt::lightGray);
    GraphicPtr photo = SKTImage::initWithPath_With_ID(QPointF(10, 10), placeholder, QStringLiteral("Fup_Photo"));
    placed(photo, QRectF(10, 10, 60, 75), QStringLiteral("Fup_Photo"));
    return GraphicList{text(QRectF(80, 12, 155, 22), QStringLiteral("Fup_Name"), 14),
                       text(QRectF(80, 38, 155, 16), QStringLiteral("Fup_Company"), 9), photo,
                       code128(QRectF(80, 62, 155, 80), QStringLiteral("Fup_UniqueNo"))};
}

inline void lightCr80(WindowlessCardHost& host)
{
    host.front.setCard_Size(QSizeF(243, 154));
    host.front.setCard_fill_chk(true);
    host.front.setCard_fill_style(QStringLiteral("S"));
    host.front.setCard_fill_clr(QColor(235, 242, 250));
}

}  // namespace visitortest
