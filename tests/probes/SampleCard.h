#pragma once
// The sample card of the test-support programs, 243 x 154 points: a front holding every element
// kind and every figure (a gradient star with a dotted outline, a thick round-capped line) and a back.
#include <QDir>
#include <QLinearGradient>
#include <QPainter>

#include "barcodes/BarcodeFactory.h"
#include "model/SKTDocument.h"
#include "model/SKTGraphicKinds.h"

namespace sample {

template <typename Element>
std::shared_ptr<Element> placed(std::shared_ptr<Element> element, const QRectF& box)
{
    element->setBounds(box);
    element->ctrl_is_visible = true;
    return element;
}

inline GraphicPtr text(const QRectF& box, const QString& value, double size, const QColor& colour)
{
    auto element = std::make_shared<SKTText>();
    element->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), size};
    element->textStyle.txt_clr = colour;
    element->Set_text_value(value);
    return placed(element, box);
}

inline GraphicPtr shape(const QString& type, const QRectF& box, const QColor& fill)
{
    auto element = std::make_shared<Shape_Control>();
    element->Set_Shape_Type(type);
    element->setFillColor(fill);
    return placed(element, box);
}

inline GraphicPtr star(const QRectF& box)
{
    GraphicPtr star = shape(QStringLiteral("S"), box, QColor(255, 220, 0));
    star->_fill_type = QStringLiteral("G");
    star->_fill_Grad_clr1 = QColor(255, 220, 0);
    star->_fill_Grad_clr2 = QColor(220, 40, 0);
    star->_fill_grad_angle = 45;
    star->_strokeWidth = 2;
    star->_stroke_border_type = QStringLiteral("DO");
    return star;
}

inline GraphicPtr line(const QRectF& box)
{
    auto line = std::make_shared<SKTLine>();
    line->_pointsRight = true;
    line->_pointsDown = true;
    line->_strokeWidth = 3;
    line->_strokeColor = QColor(200, 0, 0);
    line->_line_cap_style = 1;
    return placed(line, box);
}

// A photo stand-in, loaded from a file like a user's photo: a ramp with a face-coloured disc.
inline GraphicPtr picture(const QDir& scratch, const QString& name, const QRectF& box)
{
    QImage photo(160, 200, QImage::Format_ARGB32);
    QPainter painter(&photo);
    QLinearGradient ramp(0, 0, 160, 200);
    ramp.setColorAt(0, QColor(90, 160, 90));
    ramp.setColorAt(1, QColor(30, 60, 120));
    painter.fillRect(photo.rect(), ramp);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 210, 180));
    painter.drawEllipse(QRectF(40, 30, 80, 100));
    painter.end();
    photo.save(scratch.filePath(name));
    return placed(SKTImage::initWithPath(box.topLeft(), scratch.filePath(name)), box);
}

inline GraphicPtr barcode(QPointF at)
{
    auto barcode = std::make_shared<SKTBarcode>();
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(*barcode);
    barcode->Set_Barcode_image(factory.Get_Image_From_Val(QStringLiteral("0123"), QString(), QString()));
    barcode->barcode_image_var_assign();
    const QSizeF size = barcode->_barcode_image.isNull() ? QSizeF(60, 30) : barcode->_barcode_image.size();
    return placed(barcode, QRectF(at, size));
}

// "S" for a signature, "F" for a fingerprint, each with its sample picture.
inline GraphicPtr signature(const QString& kind, const QRectF& box)
{
    auto signature = std::make_shared<SKTSignature>();
    signature->Set_Sign_Or_FP(kind);
    signature->setFilePath(QStringLiteral("Default"));
    return placed(signature, box);
}

// Topmost first; the picture's file is written into `scratch`.
inline GraphicList front(const QDir& scratch)
{
    return GraphicList{
        text(QRectF(70, 8, 165, 22), QStringLiteral("ZOVA ID Card"), 16, QColor(10, 30, 110)),
        line(QRectF(70, 34, 165, 0)),
        picture(scratch, QStringLiteral("front.png"), QRectF(10, 10, 52, 65)),
        barcode(QPointF(10, 84)),
        signature(QStringLiteral("S"), QRectF(70, 42, 70, 28)),
        signature(QStringLiteral("F"), QRectF(150, 42, 24, 30)),
        shape(QStringLiteral("R"), QRectF(184, 42, 22, 22), QColor(250, 200, 200)),
        shape(QStringLiteral("C"), QRectF(212, 42, 22, 22), QColor(200, 250, 200)),
        shape(QStringLiteral("RR"), QRectF(100, 84, 22, 22), QColor(200, 200, 250)),
        shape(QStringLiteral("T"), QRectF(128, 84, 22, 22), QColor(250, 240, 180)),
        shape(QStringLiteral("D"), QRectF(156, 84, 22, 22), QColor(220, 190, 250)),
        star(QRectF(178, 78, 34, 34)),
        shape(QStringLiteral("DS"), QRectF(212, 84, 22, 22), QColor(255, 160, 60)),
        shape(QStringLiteral("P"), QRectF(184, 116, 22, 22), QColor(160, 220, 230)),
    };
}

// Puts the elements on one side of the document, in their list order.
inline void putOnSide(SKTDocument& document, SKTDocument::Side side, const GraphicList& graphics)
{
    QList<int> indexes;
    for (int i = 0; i < graphics.size(); ++i)
        indexes << i;
    document.insertGraphicsOnSide(side, graphics, indexes);
}

inline GraphicList back()
{
    return GraphicList{
        text(QRectF(12, 20, 220, 24), QStringLiteral("If found, please return."), 14, QColor(60, 30, 0)),
        shape(QStringLiteral("RR"), QRectF(12, 60, 219, 60), QColor(255, 236, 200)),
    };
}

}  // namespace sample
