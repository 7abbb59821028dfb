#include "model/NumberBounds.h"

#include <QLocale>
#include <cmath>

#include "model/Card_Property.h"
#include "model/SKTGraphic.h"
#include "platform/Log.h"
#include "platform/Units.h"

using namespace NumberBounds;

namespace {

// Logs each change under the name of the field and the place it was read from.
class Bounder {
public:
    Bounder(QString owner, const QString& where) : m_owner(std::move(owner)), m_where(where) {}

    // A length or setting: clamped into the range; not a number takes the fallback.
    template <typename T>
    void clamp(T& value, Range range, T fallback, const char* name) const
    {
        const double v = double(value);
        const T bounded = !std::isfinite(v) ? fallback
                          : v < range.low   ? T(range.low)
                          : v > range.high  ? T(range.high)
                                            : value;
        change(value, bounded, name);
    }
    // An angle: turned by whole turns into the range, keeping its direction; not a number is 0.
    template <typename T>
    void angle(T& value, Range range, const char* name) const
    {
        const double v = double(value);
        double turned = 0;
        if (std::isfinite(v)) {
            turned = range.contains(v) ? v : std::fmod(v, kFullTurn);
            if (turned < range.low)
                turned += kFullTurn;
            else if (turned > range.high)
                turned -= kFullTurn;
        }
        change(value, T(turned), name);
    }
    // An index into a list: outside it, the list's default.
    void index(qint32& value, ListIndex list, const char* name) const
    {
        change(value, list.range().contains(value) ? value : list.fallback, name);
    }
    void font(CardFont& font, const char* name) const { clamp(font.size, kFontSize, 0.0, name); }

private:
    template <typename T>
    void change(T& value, T bounded, const char* name) const
    {
        if (value == bounded || (std::isnan(double(value)) && std::isnan(double(bounded))))
            return;
        Show_NSLog_Message(QStringLiteral("%1: %2 %3 of %4 is out of range; %5 is used.")
                               .arg(m_where, QLatin1String(name))
                               .arg(double(value), 0, 'f', QLocale::FloatingPointShortest)
                               .arg(m_owner)
                               .arg(double(bounded), 0, 'f', QLocale::FloatingPointShortest));
        value = bounded;
    }

    QString m_owner;
    const QString& m_where;
};

QRectF boundedRect(const QRectF& rect, const Bounder& b)
{
    double x = rect.x(), y = rect.y(), width = rect.width(), height = rect.height();
    b.clamp(x, kCoordinate, 0.0, "_bounds x");
    b.clamp(y, kCoordinate, 0.0, "_bounds y");
    b.clamp(width, kCoordinate, 0.0, "_bounds width");
    b.clamp(height, kCoordinate, 0.0, "_bounds height");
    return QRectF(x, y, width, height);
}

// The picture filter settings; not a number takes the value that leaves a picture as it is.
void boundFilters(PictureSettings& s, const Bounder& b)
{
    const PictureSettings neutral;
    b.clamp(s.img_trnsp_val, kOpacityPercent, neutral.img_trnsp_val, "img_trnsp_val");
    b.clamp(s.hue_val, kFilterSetting, neutral.hue_val, "hue_val");
    b.clamp(s.sat_val, kFilterSetting, neutral.sat_val, "sat_val");
    b.clamp(s.brt_val, kFilterSetting, neutral.brt_val, "brt_val");
    b.clamp(s.con_val, kFilterSetting, neutral.con_val, "con_val");
    b.clamp(s.srp_val, kFilterSetting, neutral.srp_val, "srp_val");
    b.clamp(s.ev_val, kFilterSetting, neutral.ev_val, "ev_val");
    b.clamp(s.blr_val, kBlurRadius, neutral.blr_val, "blr_val");
    b.angle(s.rotate_image, kAngle, "rotate_image");
}

void boundBarcode(BarcodeSettings& s, const Bounder& b)
{
    for (auto [value, name] : {std::pair{&s.linear_height_val, "linear_height_val"},
                               std::pair{&s.linear_width_val, "linear_width_val"},
                               std::pair{&s.hdr_margin_val, "hdr_margin_val"},
                               std::pair{&s.ftr_margin_val, "ftr_margin_val"},
                               std::pair{&s.val_margin_val, "val_margin_val"},
                               std::pair{&s.TB_marging_val, "TB_marging_val"},
                               std::pair{&s.LR_margin_val, "LR_margin_val"}})
        b.clamp(*value, kBarcodeLength, 1.0f, name);
    for (auto [value, name] : {std::pair{&s.qr_size_val, "qr_size_val"}, std::pair{&s.pdf_hgt_val, "pdf_hgt_val"},
                               std::pair{&s.pdf_wdt_val, "pdf_wdt_val"},
                               std::pair{&s.dm_module_val, "dm_module_val"}})
        b.clamp(*value, kBarcodeLength, 1, name);
    b.index(s.linear_or_2d, kBarcodeDimension, "linear_or_2d");
    b.index(s.barcode_font_index, kSymbology, "barcode_font_index");
    b.index(s.dm_format_index, kDataMatrixSize, "dm_format_index");
    b.index(s.dm_encoding_index, kDataMatrixEncoding, "dm_encoding_index");
    b.index(s.align_hdr_index, kCaptionAlignment, "align_hdr_index");
    b.index(s.align_ftr_index, kCaptionAlignment, "align_ftr_index");
    b.index(s.qr_version_index, kQrVersion, "qr_version_index");
    b.index(s.qr_ec_index, kQrErrorLevel, "qr_ec_index");
    b.index(s.pdf_ec_val, kPdf417ErrorLevel, "pdf_ec_val");
    b.font(s.value_font_val, "value_font_val");
    b.font(s.header_font_val, "header_font_val");
    b.font(s.footer_font_val, "footer_font_val");
}

void boundTextStyle(TextStyle& text, const Bounder& b)
{
    b.font(text.text_ctrl_font, "text_ctrl_font");
    b.index(text.text_alignmnet, kTextAlignment, "text_alignmnet");
    b.clamp(text.text_kerning, kTextOffset, 0.0f, "text_kerning");
    b.clamp(text.Shadow_offset_X, kTextOffset, 5.0f, "Shadow_offset_X");
    b.clamp(text.Shadow_offset_Y, kTextOffset, 5.0f, "Shadow_offset_Y");
    b.clamp(text.Shadow_blur, kShadowBlur, 0.0f, "Shadow_blur");
    b.clamp(text.Shadow_transparency, kOpacity, 50.0f, "Shadow_transparency");
}

// The narrowest multiple of 10^-decimals at or inside `value`: `inwards` is +1 to round up (a
// range's low end), -1 to round down. The single-precision factors may put a value a hair past a
// round number, which the margin forgives; the caller's check catches the rest.
qint64 stepsInwards(double value, double scale, int inwards)
{
    constexpr double kMargin = 1e-3;
    return inwards > 0 ? qint64(std::ceil(value * scale - kMargin)) : qint64(std::floor(value * scale + kMargin));
}

}  // namespace

Range NumberBounds::lengthInUnit(Range points, int unit, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const auto inPoints = [&](qint64 steps) { return double(unitToPoints(float(double(steps) / scale), unit)); };
    qint64 low = stepsInwards(double(pointsToUnit(float(points.low), unit)), scale, +1);
    while (inPoints(low) < points.low)
        ++low;
    qint64 high = stepsInwards(double(pointsToUnit(float(points.high), unit)), scale, -1);
    while (inPoints(high) > points.high)
        --high;
    return {double(low) / scale, double(high) / scale};
}

Range NumberBounds::cardSideInUnit(int unit, int decimals)
{
    return lengthInUnit(kCardSide, unit, decimals);
}

void Bound_Element_Numbers(SKTGraphic& g, const QString& where)
{
    const Bounder b(g.className(), where);
    g._bounds = boundedRect(g._bounds, b);
    g.keepBarcodeBoxAtBounds();
    b.clamp(g._strokeWidth, kStrokeWidth, 1.0, "_strokeWidth");
    b.angle(g._fill_grad_angle, kAngle, "_fill_grad_angle");
    b.clamp(g.alpha_val, kOpacity, 100.0f, "alpha_val");
    b.clamp(g.alpha_val_stroke, kOpacity, 100.0f, "alpha_val_stroke");
    b.clamp(g.data_source_type, kDataSourceType, 0, "data_source_type");
    b.clamp(g.batch_list_index, kBindingIndex, -1, "batch_list_index");
    b.clamp(g.excel_col_indx, kBindingIndex, -1, "excel_col_indx");
    b.index(g._line_cap_style, kLineCap, "_line_cap_style");
    b.clamp(g.cor_rad_val, kCornerRadius, 10.0f, "cor_rad_val");
    b.angle(g.text_rotation, kAngle, "text_rotation");
    boundTextStyle(g.textStyle, b);
    boundFilters(g.picture, b);
    boundBarcode(g.barcode, b);
}

void Bound_Card_Numbers(Card_Property& side, const QString& where)
{
    const Bounder b(QStringLiteral("the card side"), where);
    qint32 border = side.Card_bor_Stepper();
    b.clamp(border, kStrokeWidth, 1, "Card_bor_Stepper");
    side.setCard_bor_Stepper(border);
    qint32 gradient = side.Card_grad_Stepper();
    b.angle(gradient, kCardGradientAngle, "Card_grad_Stepper");
    side.setCard_grad_Stepper(gradient);
    float opacity = side.Card_alpha_Stepper();
    b.clamp(opacity, kOpacity, 100.0f, "Card_alpha_Stepper");
    side.setCard_alpha_Stepper(opacity);
    double x = side.Card_Location().x(), y = side.Card_Location().y();
    b.clamp(x, kCoordinate, 0.0, "Card_Location x");
    b.clamp(y, kCoordinate, 0.0, "Card_Location y");
    side.setCard_Location(QPointF(x, y));
    double width = side.Card_Size().width(), height = side.Card_Size().height();
    b.clamp(width, kCardSide, kCardSide.low, "Card_Size width");
    b.clamp(height, kCardSide, kCardSide.low, "Card_Size height");
    side.setCard_Size(QSizeF(width, height));
    CardFont content = side.Card_Content_font();
    b.font(content, "Card_Content_font");
    side.setCard_Content_font(content);
    qint32 place = side.Watermark_Alignment();
    b.index(place, kWatermarkPlace, "Watermark_Alignment");
    side.setWatermark_Alignment(place);
    float watermarkOpacity = side.Watermark_Transp();
    b.clamp(watermarkOpacity, kOpacity, 1.0f, "Watermark_Transp");
    side.setWatermark_Transp(watermarkOpacity);
    CardFont watermark = side.Watermark_Font();
    b.font(watermark, "Watermark_Font");
    side.setWatermark_Font(watermark);
}
