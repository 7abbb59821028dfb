#include "CardElements.h"

#include <QDir>
#include <algorithm>
#include <stdexcept>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "model/SKTGraphicKinds.h"
#include "platform/AppContext.h"
#include "platform/ResourcePaths.h"

namespace templates {

namespace {

const QString kPhotoName = QStringLiteral("photo_placeholder.png");

// Bars of 10 mils (six dots each at 600 dpi, three on a 300-dpi card printer): a Code 128 of ten
// characters is 131 points wide with its quiet zones, so it fits across a portrait CR80 card.
constexpr float kBarWidthMils = 10.0f;
// Quiet zones of the symbols on their white ground, in millimetres: the side margin, to which the
// generator adds its own allowance, leaves eighteen modules beside a Code 128; four round a QR
// Code of 1.5-point modules, one above and below the bars.
constexpr float kLinearQuietZone = 2.0f;
constexpr float kQrQuietZone = 2.0f;
constexpr float kTopAndBottom = 1.0f;

template <typename Element>
std::shared_ptr<Element> shown(std::shared_ptr<Element> element, const QRectF& bounds)
{
    element->setBounds(bounds);
    element->ctrl_is_visible = true;
    return element;
}

std::shared_ptr<Shape_Control> shape(const QRectF& bounds, const QString& type, float radius)
{
    auto element = std::make_shared<Shape_Control>();
    element->Set_Shape_Type(type);
    element->cor_rad_val = radius;
    element->_isDrawingStroke = false;
    return shown(element, bounds);
}

int symbologyIndex(const char* title)
{
    const qsizetype index = symbologyTitles().indexOf(QLatin1String(title));
    if (index < 0)
        throw std::logic_error(std::string("no symbology ") + title);
    return int(index);
}

}  // namespace

CardFont fontOf(Face face)
{
    return CardFont{face.serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"), face.size,
                    face.bold ? QStringLiteral("Bold") : QString()};
}

GraphicList Side::elements() const
{
    GraphicList topmostFirst = m_painted;
    std::reverse(topmostFirst.begin(), topmostFirst.end());
    return topmostFirst;
}

GraphicPtr box(const QRectF& bounds, const QColor& fill, const QString& type, float radius)
{
    auto element = shape(bounds, type, radius);
    element->setFillColor(fill);
    return element;
}

GraphicPtr gradientBox(const QRectF& bounds, const QColor& from, const QColor& to, double angle, const QString& type,
                       float radius)
{
    auto element = shape(bounds, type, radius);
    element->setFillColor(from);
    element->_fill_type = QStringLiteral("G");
    element->_fill_Grad_clr1 = from;
    element->_fill_Grad_clr2 = to;
    element->_fill_grad_angle = angle;
    return element;
}

GraphicPtr outline(const QRectF& bounds, const QColor& colour, double width, const QString& type, float radius)
{
    auto element = shape(bounds, type, radius);
    element->_isDrawingFill = false;
    element->_isDrawingStroke = true;
    element->_strokeColor = colour;
    element->_strokeWidth = width;
    return element;
}

GraphicPtr veil(const QRectF& bounds, const QColor& fill, float opacityPercent, const QString& type, float radius)
{
    auto element = shape(bounds, type, radius);
    element->alpha_val = opacityPercent / 100.0f;  // kept as a fraction
    element->setFillColor(fill);
    return element;
}

GraphicPtr text(const QRectF& bounds, const QString& value, Face face, const QColor& colour, Align align,
                const QString& id)
{
    auto element = std::make_shared<SKTText>();
    element->textStyle.text_ctrl_font = fontOf(face);
    element->textStyle.txt_clr = colour;
    element->textStyle.text_alignmnet = align;
    element->textStyle.text_alignmnet_Vert = 2;
    element->control_ID = id;
    element->Set_text_value(value);
    return shown(element, bounds);
}

QString storedPhotoPath()
{
    return Portable_Resource_Path(kPhotoName);
}

QString photoFile()
{
    return QDir(Resource_Path).filePath(kPhotoName);
}

GraphicPtr photo(const QRectF& bounds, const QColor& frame, double frameWidth)
{
    auto element = SKTImage::initWithPath_With_ID(bounds.center(), photoFile(), QStringLiteral("Fup_Photo"));
    if (element->_contents.isNull())
        throw std::runtime_error("the photo placeholder " + photoFile().toStdString() + " cannot be read");
    element->_file_path = storedPhotoPath();
    element->Text_Value = storedPhotoPath();
    element->_isDrawingStroke = frameWidth > 0;
    element->_strokeColor = frame;
    element->_strokeWidth = frameWidth;
    return shown(element, bounds);
}

GraphicPtr barcode(Code code, const QString& value, double size)
{
    auto element = std::make_shared<SKTBarcode>();
    BarcodeSettings& settings = element->barcode;
    const bool qr = code == Code::QR;
    settings.barcode_font_index = symbologyIndex(qr ? "QR Code" : "Code 128");
    settings.linear_or_2d = qr ? 1 : 0;
    (qr ? settings.two_d_font_val : settings.linear_font_val) = value;
    settings.header_val.clear();
    settings.footer_val.clear();
    settings.show_hide_hdr = settings.show_hide_ftr = settings.show_hide_val = 1;
    settings.linear_height_val = float(size);
    settings.linear_width_val = kBarWidthMils;
    settings.qr_size_val = int(size);
    settings.qr_ec_index = 1;
    settings.LR_margin_val = qr ? kQrQuietZone : kLinearQuietZone;
    settings.TB_marging_val = qr ? kQrQuietZone : kTopAndBottom;
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(*element);
    const BarcodePicture picture = factory.Get_Image_From_Val(value, settings.header_val, settings.footer_val);
    if (picture.isNull())
        throw std::runtime_error("no symbol for " + value.toStdString());
    element->Set_Barcode_image(picture);
    const QSizeF symbol = element->_barcode_image.size();
    element->setBounds(QRectF(QPointF(0, 0), symbol));
    element->Set_Barcode_image_control_bounds(element->bounds());
    element->ctrl_is_visible = true;
    return element;
}

}  // namespace templates
