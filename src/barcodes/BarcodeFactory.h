#pragma once
// The maker of barcode pictures that the card model, design loading and batch output use. Callers
// load an element's settings and then, right after, ask for the picture of a value. The factory in
// use keeps the loaded settings per thread, so a batch worker and the GUI thread never read each
// other's, and it touches no widget: any thread may call it.
#include <QString>

#include "model/BarcodePicture.h"

class SKTGraphic;

class BarcodeFactory {
public:
    virtual ~BarcodeFactory() = default;
    // Takes the barcode settings of the element; precedes every Get_Image_From_Val.
    virtual void Set_Barcode_Prop_To_Control(const SKTGraphic& element) = 0;
    // The picture of a symbol for the value with the loaded settings, header and footer; null
    // when no symbol is made.
    virtual BarcodePicture Get_Image_From_Val(const QString& value, const QString& Barcode_Header,
                                              const QString& Barcode_Footer) = 0;
    // Why the last Get_Image_From_Val on this thread made no picture, when something can be said;
    // empty after a picture.
    virtual QString lastRefusal() const { return QString(); }
};

// The picture the factory's callers made last (a new barcode element, a design being loaded, the
// barcode window's OK). GUI thread only.
extern BarcodePicture Barcode_output_image;

// The factory in use: the barcode generator until another is installed.
BarcodeFactory& barcodeFactory();
// Installs a factory (not owned); nullptr restores the barcode generator.
void setBarcodeFactory(BarcodeFactory* factory);
