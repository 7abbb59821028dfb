#include "canvas/model/NumberBounds.h"

#include <cmath>

#include "canvas/helpers/Log.h"
#include "canvas/model/Card_Property.h"
#include "canvas/model/SKTGraphic.h"

using namespace NumberBounds;

namespace {

// Logs each change under the name of the field and the place it was read from.
class Bounder {
public:
    Bounder(QString owner, const QString& where) : m_owner(std::move(owner)), m_where(where) {}

    // A length or setting: clamped into [low, high]; not a number takes the fallback.
    template <typename T>
    void clamp(T& value, double low, double high, T fallback, const char* name) const
    {
        const double v = double(value);
        const T bounded = !std::isfinite(v) ? fallback : v < low ? T(low) : v > high ? T(high) : value;
        change(value, bounded, name);
    }
    // An angle: turned into (-360, 360) keeping its direction; not a number is 0.
    template <typename T>
    void angle(T& value, const char* name) const
    {
        const double v = double(value);
        change(value, std::isfinite(v) ? T(std::fmod(v, kMaxAngle)) : T(0), name);
    }
    // An index into a list of `count` entries: outside it, the list's default.
    void index(qint32& value, qint32 count, qint32 fallback, const char* name) const
    {
        change(value, value >= 0 && value < count ? value : fallback, name);
    }

private:
    template <typename T>
    void change(T& value, T bounded, const char* name) const
    {
        if (value == bounded || (std::isnan(double(value)) && std::isnan(double(bounded))))
            return;
        Show_NSLog_Message(QStringLiteral("%1: %2 %3 of %4 is out of range; %5 is used.")
                               .arg(m_where, QLatin1String(name))
                               .arg(double(value))
                               .arg(m_owner)
                               .arg(double(bounded)));
        value = bounded;
    }

    QString m_owner;
    const QString& m_where;
};

// The picture filter settings; not a number takes the value that leaves a picture as it is.
void boundFilters(PictureSettings& s, const Bounder& b)
{
    const PictureSettings neutral;
    b.clamp(s.img_trnsp_val, 0, 100, neutral.img_trnsp_val, "img_trnsp_val");
    b.clamp(s.hue_val, -kMaxFilterSetting, kMaxFilterSetting, neutral.hue_val, "hue_val");
    b.clamp(s.sat_val, -kMaxFilterSetting, kMaxFilterSetting, neutral.sat_val, "sat_val");
    b.clamp(s.brt_val, -kMaxFilterSetting, kMaxFilterSetting, neutral.brt_val, "brt_val");
    b.clamp(s.con_val, -kMaxFilterSetting, kMaxFilterSetting, neutral.con_val, "con_val");
    b.clamp(s.srp_val, -kMaxFilterSetting, kMaxFilterSetting, neutral.srp_val, "srp_val");
    b.clamp(s.ev_val, -kMaxFilterSetting, kMaxFilterSetting, neutral.ev_val, "ev_val");
    b.clamp(s.blr_val, 0, kMaxFilterSetting, neutral.blr_val, "blr_val");
    b.angle(s.rotate_image, "rotate_image");
}

// The barcode window's lengths and the entries of its lists: 22 symbologies, 40 QR versions after
// "automatic", 4 QR and 9 PDF417 error levels, 30 Data Matrix sizes after "automatic" and its 5
// encodings. The resolution list belongs to the barcode window.
void boundBarcode(BarcodeSettings& s, const Bounder& b)
{
    for (auto [value, name] : {std::pair{&s.linear_height_val, "linear_height_val"},
                               std::pair{&s.linear_width_val, "linear_width_val"},
                               std::pair{&s.hdr_margin_val, "hdr_margin_val"},
                               std::pair{&s.ftr_margin_val, "ftr_margin_val"},
                               std::pair{&s.val_margin_val, "val_margin_val"},
                               std::pair{&s.TB_marging_val, "TB_marging_val"},
                               std::pair{&s.LR_margin_val, "LR_margin_val"}})
        b.clamp(*value, 0, kMaxBarcodeLength, 1.0f, name);
    for (auto [value, name] : {std::pair{&s.qr_size_val, "qr_size_val"}, std::pair{&s.pdf_hgt_val, "pdf_hgt_val"},
                               std::pair{&s.pdf_wdt_val, "pdf_wdt_val"},
                               std::pair{&s.dm_module_val, "dm_module_val"}})
        b.clamp(*value, 0, kMaxBarcodeLength, 1, name);
    b.index(s.linear_or_2d, 2, 0, "linear_or_2d");
    b.index(s.barcode_font_index, 22, 0, "barcode_font_index");
    b.index(s.dm_format_index, 31, 0, "dm_format_index");
    b.index(s.dm_encoding_index, 5, 0, "dm_encoding_index");
    b.index(s.align_hdr_index, 3, 1, "align_hdr_index");
    b.index(s.align_ftr_index, 3, 1, "align_ftr_index");
    b.index(s.qr_version_index, 41, 0, "qr_version_index");
    b.index(s.qr_ec_index, 4, 0, "qr_ec_index");
    b.index(s.pdf_ec_val, 9, 2, "pdf_ec_val");
}

}  // namespace

void Bound_Element_Numbers(SKTGraphic& g, const QString& where)
{
    const Bounder b(g.className(), where);
    b.clamp(g._strokeWidth, 0, kMaxStrokeWidth, 1.0, "_strokeWidth");
    b.angle(g._fill_grad_angle, "_fill_grad_angle");
    b.clamp(g.cor_rad_val, 0, kMaxCardLength, 10.0f, "cor_rad_val");
    TextStyle& text = g.textStyle;
    b.clamp(text.text_kerning, -kMaxCardLength, kMaxCardLength, 0.0f, "text_kerning");
    b.clamp(text.Shadow_offset_X, -kMaxCardLength, kMaxCardLength, 5.0f, "Shadow_offset_X");
    b.clamp(text.Shadow_offset_Y, -kMaxCardLength, kMaxCardLength, 5.0f, "Shadow_offset_Y");
    b.clamp(text.Shadow_blur, 0, kMaxShadowBlur, 0.0f, "Shadow_blur");
    b.angle(g.text_rotation, "text_rotation");
    // Horizontal alignments: left, right, centre, justified, natural. Line caps: butt, round, square.
    b.index(text.text_alignmnet, 5, 2, "text_alignmnet");
    b.index(g._line_cap_style, 3, 0, "_line_cap_style");
    boundFilters(g.picture, b);
    boundBarcode(g.barcode, b);
}

void Bound_Card_Numbers(Card_Property& side, const QString& where)
{
    const Bounder b(QStringLiteral("the card side"), where);
    qint32 border = side.Card_bor_Stepper();
    b.clamp(border, 0, kMaxStrokeWidth, 1, "Card_bor_Stepper");
    side.setCard_bor_Stepper(border);
    qint32 gradient = side.Card_grad_Stepper();
    b.angle(gradient, "Card_grad_Stepper");
    side.setCard_grad_Stepper(gradient);
    // Watermark places: top, middle, bottom.
    qint32 watermark = side.Watermark_Alignment();
    b.index(watermark, 3, 0, "Watermark_Alignment");
    side.setWatermark_Alignment(watermark);
}
