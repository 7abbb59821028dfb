// Barcodes in a design file: saved and opened again, each element holds the same symbol at the
// same size in points, whatever its symbology.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "designfile/DesignFile.h"

TEST(DesignFileBarcodes, EverySymbologyReopensAsTheSamePictureAtItsSize)
{
    const QStringList values = {"CODE-39",  "Hi, you!", "12345678",   "03600029145", "12345678901", "1234",
                                "12AB",     "1234567890", "400638133393", "Hello",      "ABC",        "abc",
                                "123456",   "A1234B",   "0425261",    "9638507",     "SN34RD1A",   "12345678901",
                                "1234567-8A", "Grüße — 名前", "Grüße, Zoë", "Привет"};
    const QStringList& titles = barcodeSymbologyTitles();
    ASSERT_EQ(values.size(), titles.size());
    DesignState design;
    design.front.setCard_Size(QSizeF(243, 154));
    design.back.setCard_Size(QSizeF(243, 154));
    BarcodeFactory& factory = barcodeFactory();
    for (int i = 0; i < titles.size(); ++i) {
        GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
        barcode->barcode.barcode_font_index = i;
        barcode->barcode.linear_or_2d = isTwoDimensionalSymbology(titles[i]) ? 1 : 0;
        (barcode->barcode.linear_or_2d ? barcode->barcode.two_d_font_val : barcode->barcode.linear_font_val) = values[i];
        factory.Set_Barcode_Prop_To_Control(*barcode);
        barcode->Set_Barcode_image(factory.Get_Image_From_Val(values[i], QStringLiteral("HEADER"), QString()));
        ASSERT_FALSE(barcode->_barcode_image.isNull()) << titles[i].toStdString();
        design.frontElements.append(barcode);
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("barcodes.did"));
    ASSERT_TRUE(writeDesignFile(file, design));
    const std::optional<DesignState> reopened = readDesignFile(file, nullptr);
    ASSERT_TRUE(reopened);
    ASSERT_EQ(reopened->frontElements.size(), design.frontElements.size());
    for (int i = 0; i < titles.size(); ++i) {
        SCOPED_TRACE(titles[i].toStdString());
        const BarcodePicture& saved = design.frontElements[i]->_barcode_image;
        const BarcodePicture& opened = reopened->frontElements[i]->_barcode_image;
        EXPECT_EQ(opened.size(), saved.size());
        EXPECT_EQ(opened, saved);
        EXPECT_EQ(opened.image().size(), saved.toImage(BarcodePicture::kStoredDpi).size());
        EXPECT_EQ(reopened->frontElements[i]->bounds().size(), saved.size());
    }
}
