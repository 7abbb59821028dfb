#pragma once
// The barcode factory's work on a settings context: loading an element's settings, generating the
// symbol of a value and making its picture. Each is a function of the context it is given and
// touches nothing else, so the window's context, a batch worker's and the canvas's never meet
// and any thread may generate on a context of its own.
#include <QString>
#include <memory>

#include "barcodes/BarcodeContext.h"
#include "barcodes/linear/NKDBarcode.h"
#include "model/BarcodePicture.h"

class SKTGraphic;

// The element's barcode settings become the context's controls, its fill flag the transparent
// background and the caption spacing the one the kerning box holds for all barcodes; the values
// in force follow them: the unit is millimetres; the QR version and
// level are the element's entries and the QR size at least the version's module count; the PDF417
// level is the element's; the resolution is the DPI entry's, "Custom" taking the element's custom
// text (600 when that is no resolution).
void Set_Barcode_Prop_To_Control(BarcodeContext& context, const SKTGraphic& element);

// What one generation made.
struct GeneratedBarcode {
    // A linear symbol, sized (Set_Barcode_Height, Set_Linear_Barcode_Width); it measures and
    // draws with the context, which must outlive it.
    std::unique_ptr<NKDBarcode> barcode;
    // A 2-D symbol (image_2d); the context's 2-D frame texts and flags are set for it.
    BarcodePicture image_2d;
    // Why nothing was made, when something could be said.
    QString reason;
};

// Generates the symbol of a value with the settings in the context: nothing for a value that is
// blank after trimming white space and control characters, for a symbology index outside the
// list, for a title the loaded page (linear or 2-D) does not make, and for a value the symbology
// refuses.
GeneratedBarcode Generate_Barcode_Variable(BarcodeContext& context, const QString& value, const QString& header,
                                           const QString& footer);

// The framed picture of a 2-D symbol: the context's frame is fitted to the symbol and its texts
// (Set_2d_Barcode_Height, Set_2d_Barcode_Width), whoever asks, then drawn. Null for a null symbol.
BarcodePicture Get_Image_From_barcode_image(BarcodeContext& context, const BarcodePicture& image_2d);

// Generates and draws: the picture of the linear barcode or the framed 2-D symbol; null when
// nothing was made, with the reason in why when one can be given (emptied after a picture).
BarcodePicture Get_Image_From_Val(BarcodeContext& context, const QString& value, const QString& header,
                                  const QString& footer, QString* why = nullptr);
