// Pictures of the barcode window as a person sees it, on a real X server under a window manager:
// open on a linear code, a QR Code, a PDF417 and a Data Matrix symbol, with the kerning box on
// screen and the 2-D pages' size captions.
#include <QDialog>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "barcodes/BarcodeLists.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/WindowFrame.h"
#include "views/barcodes/Barcode_Gen.h"

namespace {

struct Shot {
    const char* symbology;
    const char* value;
    const char* file;
};

TEST(BarcodeWindowScreenshots, TheWindowForALinearCodeQrCodePdf417AndDataMatrix)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    Not_Draw_Only_Prop_Change = false, Start_Card_Option = QStringLiteral("L");
    const QDir artifacts(QStringLiteral(ZOVA_BARCODES_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    ScriptedDialogPresenter dialogs;
    Barcode_Gen window;

    for (const Shot& shot : {Shot{"Code 128", "ZOVA-0042", "barcode-window-code128.png"},
                             Shot{"QR Code", "https://zova.example/id/0042", "barcode-window-qrcode.png"},
                             Shot{"PDF417", "ZOVA ID 0042 Ada Lovelace", "barcode-window-pdf417.png"},
                             Shot{"DataMatrix", "ZOVA-0042", "barcode-window-datamatrix.png"}}) {
        const GraphicPtr element = SKTGraphic::create(GraphicKind::Barcode);
        element->barcode.barcode_font_index = int(symbologyTitles().indexOf(QString::fromLatin1(shot.symbology)));
        element->barcode.linear_font_val = element->barcode.two_d_font_val = QString::fromLatin1(shot.value);
        element->barcode.header_val = QStringLiteral("STAFF");
        element->barcode.footer_val = QStringLiteral("Ada Lovelace");
        dialogs.queueHook([&](QDialog& dialog) {
            const QMargins frame = showFramed(dialog);
            const auto shown = [&dialog](const char* name) {
                return dialog.findChild<QWidget*>(QString::fromLatin1(name))->isVisible();
            };
            const auto caption = [&dialog](const char* name) {
                return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
            };
            EXPECT_TRUE(shown("kerning_value_Checkbox")) << shot.symbology;
            if (QLatin1String(shot.symbology) == QLatin1String("PDF417")) {
                EXPECT_TRUE(shown("pdfHeightLabel") && shown("pdfWidthLabel"));
                EXPECT_EQ(caption("pdfHeightLabel"), "Bar Height :");
                EXPECT_EQ(caption("pdfWidthLabel"), "Bar Width :");
            }
            EXPECT_TRUE(grabFramed(dialog, frame).save(artifacts.filePath(QString::fromLatin1(shot.file))));
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        EXPECT_EQ(window.Open_Wnd(*element), nullptr);
        EXPECT_FALSE(window.previewPicture().isNull()) << shot.symbology;
    }
}

}  // namespace
