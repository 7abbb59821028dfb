// Barcodes in a design file: saved and opened again, each element holds the same symbol at the
// same size in points, whatever its symbology.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "designfile/DesignFile.h"
#include "support/BarcodeSamples.h"

// One design per symbology: a design's stored pictures past the reader's budget are made again
// when it is opened, which this reading alone does not do.
TEST(DesignFileBarcodes, EverySymbologyReopensAsTheSamePictureAtItsSize)
{
    const QStringList& values = barcodeSampleValues();
    const QStringList& titles = symbologyTitles();
    ASSERT_EQ(values.size(), titles.size());
    QTemporaryDir dir;
    BarcodeFactory& factory = barcodeFactory();
    for (int i = 0; i < titles.size(); ++i) {
        SCOPED_TRACE(titles[i].toStdString());
        GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
        barcode->barcode.barcode_font_index = i;
        barcode->barcode.linear_or_2d = isTwoDimensionalSymbology(titles[i]) ? 1 : 0;
        (barcode->barcode.linear_or_2d ? barcode->barcode.two_d_font_val : barcode->barcode.linear_font_val) = values[i];
        factory.Set_Barcode_Prop_To_Control(*barcode);
        barcode->Set_Barcode_image(factory.Get_Image_From_Val(values[i], QStringLiteral("HEADER"), QString()));
        const BarcodePicture saved = barcode->_barcode_image;
        ASSERT_FALSE(saved.isNull());

        DesignState design;
        design.front.setCard_Size(QSizeF(243, 154));
        design.back.setCard_Size(QSizeF(243, 154));
        design.frontElements = {barcode};
        const QString file = dir.filePath(QStringLiteral("barcode%1.did").arg(i));
        ASSERT_TRUE(writeDesignFile(file, design));
        const std::optional<DesignState> reopened = readDesignFile(file, nullptr);
        ASSERT_TRUE(reopened);
        ASSERT_EQ(reopened->frontElements.size(), 1);
        const BarcodePicture& opened = reopened->frontElements[0]->_barcode_image;
        EXPECT_EQ(opened.size(), saved.size());
        EXPECT_EQ(opened, saved);
        EXPECT_EQ(opened.image().size(), saved.toImage(BarcodePicture::kStoredDpi).size());
        EXPECT_EQ(reopened->frontElements[0]->bounds().size(), saved.size());
    }
}

// Files keep no box: a barcode opens with its box on its bounds, and saving it again gives the
// same file.
TEST(DesignFileBarcodes, ABarcodeOpensWithItsBoxOnItsBoundsAndSavesAsItOpened)
{
    QTemporaryDir dir;
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(*barcode);
    barcode->Set_Barcode_image(factory.Get_Image_From_Val(QStringLiteral("ZV-01"), QString(), QString()));
    barcode->setBounds(QRectF(QPointF(40.5, 60.25), barcode->bounds().size()));
    DesignState design;
    design.front.setCard_Size(QSizeF(243, 154));
    design.back.setCard_Size(QSizeF(243, 154));
    design.frontElements = {barcode};
    const QString first = dir.filePath(QStringLiteral("first.did")), second = dir.filePath(QStringLiteral("second.did"));
    ASSERT_TRUE(writeDesignFile(first, design));
    std::optional<DesignState> reopened = readDesignFile(first, nullptr);
    ASSERT_TRUE(reopened && reopened->frontElements.size() == 1);
    const GraphicPtr opened = reopened->frontElements[0];
    EXPECT_EQ((QList{opened->bounds(), opened->bar_image_ctrl_bounds}),
              QList<QRectF>(2, QRectF(QPointF(40.5, 60.25), barcode->bounds().size())));
    ASSERT_TRUE(writeDesignFile(second, *reopened));
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}
