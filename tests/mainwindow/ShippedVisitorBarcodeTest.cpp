// Pass numbers typed at the desk into the shipped visitor templates, their barcode made to show
// the number: the symbol grows about its centre and stays on the card, and the printed pass reads
// back (ZXingReader) in either orientation.
#include <QFile>

#include "VisitorDeskFixture.h"
#include "mainwindow/VisitorCommands.h"
#include "model/SKTGraphic.h"

namespace {

class ShippedVisitorBarcode : public VisitorDeskFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        CARD_SIDE_STR = QStringLiteral("1");
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources(
            {QStringLiteral("Templates/visitor/%1.did").arg(QLatin1String(GetParam())), "photo_placeholder.png"}));
        controller.window()->resize(1280, 800);
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openVisitorPass());
    }
    GraphicPtr barcode() const
    {
        for (const GraphicPtr& element : controller.Get_Front_Controls_Array())
            if (element->kind() == GraphicKind::Barcode)
                return element;
        return nullptr;
    }
};

}  // namespace

TEST_P(ShippedVisitorBarcode, APassNumberAsLongAsTheLogsStaysOnTheCardAndPrintsReadable)
{
    ASSERT_NE(barcode(), nullptr);
    const QRectF card(QPointF(0, 0), controller.Front_card_Prop.Card_Size());
    type("Fup_Name", QStringLiteral("Ana Souza"));
    for (const QString& number : {QStringLiteral("TYPED42"), QStringLiteral("V-000128")}) {
        SCOPED_TRACE(number.toStdString());
        type("Fup_UniqueNo", number);
        EXPECT_TRUE(card.contains(barcode()->bounds()))
            << barcode()->bounds().left() << " .. " << barcode()->bounds().right() << " on " << card.width();
        const QString pass = scratch.filePath(number + QStringLiteral(".pdf"));
        printTo(pass);
        click("print_pass_btn");
        EXPECT_EQ(barcodeOn(pass), number);
    }
    EXPECT_EQ(messages.texts(), QStringList(2, u'\n' + kPassPrintedMessage));
}

INSTANTIATE_TEST_SUITE_P(BothOrientations, ShippedVisitorBarcode,
                         ::testing::Values("visitor orange (h)", "visitor orange (v)"));
