#pragma once
// The maker of barcode pictures that the card model uses. Callers load an element's settings
// first and then ask for the picture of a value. A plain striped stand-in answers until the
// barcode window with the real symbologies installs itself.
#include <QImage>
#include <QString>

class SKTGraphic;

class BarcodeFactory {
public:
    virtual ~BarcodeFactory() = default;
    // Takes the barcode settings of the element; precedes every Get_Image_From_Val.
    virtual void Set_Barcode_Prop_To_Control(const SKTGraphic& element) = 0;
    // The picture of a symbol for the value with the loaded settings, header and footer; null
    // when no symbol is made.
    virtual QImage Get_Image_From_Val(const QString& value, const QString& Barcode_Header,
                                      const QString& Barcode_Footer) = 0;
};

// The picture the factory's callers made last (a new barcode element, a design being loaded).
extern QImage Barcode_output_image;

// The factory in use: the stand-in until another is installed.
BarcodeFactory& barcodeFactory();
// Installs a factory (not owned); nullptr restores the stand-in.
void setBarcodeFactory(BarcodeFactory* factory);
