#include "barcodes/BarcodeFactory.h"

#include <atomic>

#include "barcodes/BarcodeContext.h"
#include "barcodes/BarcodeGenerator.h"

BarcodePicture Barcode_output_image;

namespace {

// Generates on the settings last loaded on the calling thread.
class BarcodeGenerator final : public BarcodeFactory {
public:
    void Set_Barcode_Prop_To_Control(const SKTGraphic& element) override
    {
        ::Set_Barcode_Prop_To_Control(loaded(), element);
    }

    BarcodePicture Get_Image_From_Val(const QString& value, const QString& Barcode_Header,
                                      const QString& Barcode_Footer) override
    {
        return ::Get_Image_From_Val(loaded(), value, Barcode_Header, Barcode_Footer, &refusal());
    }

    QString lastRefusal() const override { return refusal(); }

private:
    static BarcodeContext& loaded()
    {
        thread_local BarcodeContext context;
        return context;
    }
    static QString& refusal()
    {
        thread_local QString why;
        return why;
    }
};

BarcodeGenerator& generator()
{
    static BarcodeGenerator factory;
    return factory;
}

std::atomic<BarcodeFactory*> installedFactory = nullptr;

}  // namespace

BarcodeFactory& barcodeFactory()
{
    BarcodeFactory* installed = installedFactory.load();
    return installed ? *installed : generator();
}

void setBarcodeFactory(BarcodeFactory* factory)
{
    installedFactory.store(factory);
}
