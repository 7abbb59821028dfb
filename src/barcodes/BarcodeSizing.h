#pragma once
// Fitting the size of a whole barcode picture (bars or 2-D symbol, texts and margins) from the
// context's controls. Each leaves the five margins, in points, in the context for the renderer.
#include "barcodes/BarcodeContext.h"

class NKDBarcode;

// A length in the barcode unit (0 inch, 1 centimetre, 2 millimetre) in points.
float barcodeLengthToPoints(float value, int unit);

// Sets the linear barcode's height: bars, the text bands it prints and the margins.
void Set_Barcode_Height(BarcodeContext& context, NKDBarcode& barcode);
// The linear picture's width: the widest of bars, caption, header and footer as drawn, plus the
// side margins.
float Set_Linear_Barcode_Width(BarcodeContext& context, const NKDBarcode& barcode);
// Sets the context's frame height and width around a 2-D picture of the given size in points.
void Set_2d_Barcode_Height(BarcodeContext& context, float pictureHeight);
void Set_2d_Barcode_Width(BarcodeContext& context, float pictureWidth);
