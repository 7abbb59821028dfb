#include "barcodes/BarcodeGenerator.h"

#include <algorithm>
#include <exception>

#include "barcodes/BarcodeDrawing2D.h"
#include "barcodes/BarcodeLimits.h"
#include "barcodes/BarcodeLists.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/CaptionKerningChoice.h"
#include "barcodes/NKDBarcodeOffscreenView.h"
#include "barcodes/linear/LinearSymbologies.h"
#include "model/SKTGraphic.h"
#include "platform/Log.h"

namespace {

constexpr float kPointsPerMil = 72.0f / 1000.0f;
constexpr int kMillimetres = 2;

bool isBlankOrControl(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

bool isBlank(const QString& value)
{
    return std::all_of(value.begin(), value.end(), isBlankOrControl);
}

GeneratedBarcode nothing(const QString& reason = QString())
{
    GeneratedBarcode result;
    result.reason = reason;
    return result;
}

GeneratedBarcode generate2d(BarcodeContext& s, const QString& title, const QString& value, const QString& header,
                            const QString& footer, bool printsCaption)
{
    const BarcodeSettings& c = s.controls;
    s.frame.content = value;
    s.frame.header = header;
    s.frame.footer = footer;
    s.frame.printsCaption = printsCaption;
    s.fill_transparent = s.transparent_bkgnd;
    s.frame.printsHeader = !c.headerHidden();
    s.frame.printsFooter = !c.footerHidden();
    s.setCaptionFontSize(float(c.value_font_val.size));
    s.setHeaderFontSize(float(c.header_font_val.size));
    s.setFooterFontSize(float(c.footer_font_val.size));
    s.Barcode_module_size = 1;

    GeneratedBarcode result;
    if (title == QLatin1String("QR Code")) {
        result.image_2d = Draw_QR_Barcode(s, value, &result.reason);
    } else if (title == QLatin1String("PDF417")) {
        s.Barcode_module_size = c.pdf_hgt_val;
        result.image_2d = Draw_PDF_417_Barcode(s, value, &result.reason);
    } else {
        s.Barcode_module_size = c.dm_module_val;
        result.image_2d = Draw_DataMatrix_Barcode(s, value, &result.reason);
    }
    return result;
}

GeneratedBarcode generateLinear(BarcodeContext& s, const QString& title, const QString& value, const QString& header,
                                const QString& footer, bool printsCaption)
{
    const BarcodeSettings& c = s.controls;
    std::unique_ptr<NKDBarcode> barcode = makeLinearBarcode(title);
    if (!barcode)
        return nothing();
    barcode->setContext(&s);
    barcode->initWithContent(value, printsCaption);
    if (!barcode->isContentValid())
        return nothing(QStringLiteral("%1 cannot encode this value.").arg(title));
    barcode->setHeader(header);
    barcode->setFooter(footer);
    barcode->setPrintsCaption(printsCaption);
    s.fill_transparent = s.transparent_bkgnd;
    barcode->setPrintsHeader(!c.headerHidden());
    barcode->setPrintsFooter(!c.footerHidden());
    barcode->setBarWidth(c.linear_width_val * kPointsPerMil);
    barcode->setCaptionFontSize(float(c.value_font_val.size));
    barcode->setHeaderFontSize(float(c.header_font_val.size));
    barcode->setFooterFontSize(float(c.footer_font_val.size));
    Set_Barcode_Height(s, *barcode);
    barcode->calculateWidth();
    barcode->setWidth(Set_Linear_Barcode_Width(s, *barcode));
    GeneratedBarcode result;
    result.barcode = std::move(barcode);
    return result;
}

}  // namespace

void Set_Barcode_Prop_To_Control(BarcodeContext& s, const SKTGraphic& element)
{
    const BarcodeSettings& settings = element.barcode;
    s.controls = settings;
    s.transparent_bkgnd = element._isDrawingFill;
    s.kerning_value_Checkbox = CaptionKerningChoice::checked();
    s.BARCODE_Unit_Is = kMillimetres;
    s.QR_Version_Val = settings.qr_version_index;
    s.QR_EC_Level_Val = settings.qr_ec_index;
    s.controls.qr_size_val = std::max(settings.qr_size_val, qrMinimumModules(settings.qr_version_index));
    s.USED_DPI_VALUE = resolutionOfEntry(settings.dpi_val_index, settings.dpi_custom_val);
}

GeneratedBarcode Generate_Barcode_Variable(BarcodeContext& s, const QString& value, const QString& header,
                                           const QString& footer)
{
    if (isBlank(value))
        return nothing();
    const QString title = symbologyTitles().value(s.controls.barcode_font_index);
    const bool twoD = s.controls.linear_or_2d != 0;
    if (title.isEmpty() || twoD != isTwoDimensionalSymbology(title))
        return nothing();
    if (const QString refusal = barcodeValueRefusal(title, value); !refusal.isEmpty())
        return nothing(refusal);
    const bool printsCaption = !s.controls.captionHidden();
    try {
        return twoD ? generate2d(s, title, value, header, footer, printsCaption)
                    : generateLinear(s, title, value, header, footer, printsCaption);
    } catch (const std::exception& failure) {
        Show_NSLog_Message(QString::fromUtf8(failure.what()));
        return nothing();
    }
}

BarcodePicture Get_Image_From_barcode_image(BarcodeContext& s, const BarcodePicture& image_2d)
{
    if (image_2d.isNull())
        return {};
    Set_2d_Barcode_Height(s, float(image_2d.size().height()));
    Set_2d_Barcode_Width(s, float(image_2d.size().width()));
    return imageFromBarcodeImage(s, image_2d);
}

BarcodePicture Get_Image_From_Val(BarcodeContext& s, const QString& value, const QString& header,
                                  const QString& footer, QString* why)
{
    const auto refuse = [why](const QString& reason) {
        if (!reason.isEmpty())
            Show_NSLog_Message(reason);
        if (why)
            *why = reason;
        return BarcodePicture();
    };
    if (why)
        why->clear();
    try {
        const GeneratedBarcode generated = Generate_Barcode_Variable(s, value, header, footer);
        if (!generated.barcode && generated.image_2d.isNull())
            return refuse(generated.reason);
        if (generated.barcode) {
            // Refused before the picture's pixels are allocated.
            const NKDBarcodeOffscreenView view(s, *generated.barcode);
            if (const QString refusal = pictureRefusal(view.bounds().size(), BarcodePicture::kStoredDpi);
                !refusal.isEmpty())
                return refuse(refusal);
            return view.dataWithPDFInsideRect();
        }
        return Get_Image_From_barcode_image(s, generated.image_2d);
    } catch (const std::exception& failure) {
        return refuse(QString::fromUtf8(failure.what()));
    }
}
