// Exporting the design as a user template, and the backup that brings the design back after an
// output run; on the shown window, the template's picture read back with zbarimg.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include "MainWindowFixture.h"
#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "mainwindow/DesignBackup.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/TemplateCommands.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace {

constexpr int kYes = 0, kNo = 1;

QList<QByteArray> archives(const GraphicList& graphics)
{
    QList<QByteArray> result;
    for (const GraphicPtr& graphic : graphics)
        result.append(graphic->archiveDigest());
    return result;
}

class TemplateCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedResourcePath = Created_Resource_Path;
        Created_Resource_Path = folder.path();
        Project_File_Name = QStringLiteral("/somewhere/current.did");
        controller.Front_card_Prop.setCard_Size(QSizeF(252, 144));
        document.insertGraphicsOnSide(SKTDocument::FrontSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
        document.insertGraphicsOnSide(SKTDocument::BackSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
    }
    void TearDown() override
    {
        Created_Resource_Path = savedResourcePath;
        Project_File_Name.clear();
    }

    // The name window is answered with the name; OK is pressed once.
    bool exportAs(const QString& name)
    {
        dialogs.queueHook([name](QDialog& dialog) {
            auto& window = static_cast<Export_Template&>(dialog);
            window.template_name->setText(name);
            window.OK_Pressed();
        });
        return Export_As_Template_Clicked(controller);
    }

    QString savedResourcePath;
    QTemporaryDir folder;
    SKTDocument document;
    SKTWindowController controller{document};
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
};

TEST_F(TemplateCommandsTest, ExportWritesATemplateDesignAndAPngPreview)
{
    const GraphicPtr bound = SKTGraphic::create(GraphicKind::Text);
    bound->Set_Data_source_type(2);
    bound->Set_Excel_binding_Index(2);
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {bound}, {0});
    ASSERT_TRUE(exportAs(QStringLiteral("  Staff/Badge ")));
    const QString design = User_Template_File(QStringLiteral("StaffBadge"), QStringLiteral("did"));
    const QString preview = User_Template_File(QStringLiteral("StaffBadge"), QStringLiteral("png"));
    EXPECT_TRUE(design.startsWith(folder.path() + QLatin1String("/Templates/User/")));

    const auto format = TestEnvironment::run(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m"), preview});
    EXPECT_EQ(format.out.trimmed(), "PNG");
    const auto mode = TestEnvironment::runPython(
        QStringLiteral("import plistlib, sys\n"
                       "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
                       "print(d[1])\n"),
        {design});
    EXPECT_EQ(mode.out.trimmed(), "T") << mode.err.toStdString();

    // The template form drops data bindings from the file only; the open design keeps them, as it
    // keeps its current file name.
    EXPECT_EQ(document.graphics().first()->excel_col_indx, 2);
    EXPECT_EQ(Project_File_Name, "/somewhere/current.did");
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("\nTemplate exported successfully.")));
}

// The front leads the picture, above the back of this wide card, even while the back is edited.
TEST_F(TemplateCommandsTest, ThePreviewShowsTheFrontEvenWhileTheBackIsBeingEdited)
{
    document.removeGraphicsOnSideAtIndexes(SKTDocument::FrontSide, {0});  // the shapes would cover the centres
    document.removeGraphicsOnSideAtIndexes(SKTDocument::BackSide, {0});
    controller.Front_card_Prop.setCard_fill_chk(true), controller.Front_card_Prop.setCard_fill_clr(Qt::red);
    controller.Back_card_Prop.setCard_fill_chk(true), controller.Back_card_Prop.setCard_fill_clr(Qt::blue);
    const int savedSide = Card_Front_Or_Back;
    const QString savedSides = CARD_SIDE_STR;
    Card_Front_Or_Back = 1, CARD_SIDE_STR = QStringLiteral("2");
    const bool exported = exportAs(QStringLiteral("Sides"));
    Card_Front_Or_Back = savedSide, CARD_SIDE_STR = savedSides;
    ASSERT_TRUE(exported);
    const QImage preview(User_Template_File(QStringLiteral("Sides"), QStringLiteral("png")));
    ASSERT_FALSE(preview.isNull());
    EXPECT_EQ(preview.pixelColor(preview.width() / 2, preview.height() / 4), QColor(Qt::red));
    EXPECT_EQ(preview.pixelColor(preview.width() / 2, preview.height() * 3 / 4), QColor(Qt::blue));
}

TEST_F(TemplateCommandsTest, AnExistingTemplateIsReplacedOnYesAndKeptOnNo)
{
    ASSERT_TRUE(exportAs(QStringLiteral("Visitor")));
    const QString design = User_Template_File(QStringLiteral("Visitor"), QStringLiteral("did"));
    const QString preview = User_Template_File(QStringLiteral("Visitor"), QStringLiteral("png"));
    QFile::remove(preview);
    QFile marker(design);
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.write("old");
    marker.close();

    messages.queueAnswers({kNo});
    EXPECT_FALSE(exportAs(QStringLiteral("Visitor")));
    EXPECT_EQ(QFileInfo(design).size(), 3);
    EXPECT_FALSE(QFile::exists(preview));

    messages.queueAnswers({kYes});
    EXPECT_TRUE(exportAs(QStringLiteral("Visitor")));
    EXPECT_GT(QFileInfo(design).size(), 3);
    EXPECT_TRUE(QFile::exists(preview));
}

// A picture element whose file is gone and that has no picture of its own cannot be drawn: the
// template has no picture and the export says it failed.
TEST_F(TemplateCommandsTest, ADesignWhosePictureCannotBeDrawnIsNotExported)
{
    GraphicPtr gone = SKTImage::initWithPosition(QPointF(10, 10), QImage(), folder.filePath(QStringLiteral("gone.png")));
    gone->ctrl_is_visible = true;
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {gone}, {0});
    EXPECT_FALSE(exportAs(QStringLiteral("Gone")));
    EXPECT_FALSE(QFile::exists(User_Template_File(QStringLiteral("Gone"), QStringLiteral("png"))));
    EXPECT_EQ(messages.texts().value(messages.texts().size() - 1), QStringLiteral("\nTemplate could not be exported."));
}

TEST_F(TemplateCommandsTest, AnEmptyNameIsRefused)
{
    EXPECT_FALSE(exportAs(QStringLiteral(" :* ")));
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("\nPlease enter template name.")));
}

TEST_F(TemplateCommandsTest, RestoreRebuildsBothSidesFromTheBackup)
{
    // Different kinds on the two sides, so that neither side can come back as the other.
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {SKTGraphic::create(GraphicKind::Text)});
    const QList<QByteArray> front = archives(document.graphics());
    const QList<QByteArray> back = archives(document.graphics_back());
    DesignBackup backup;
    EXPECT_FALSE(backup.Create_Card_Design_Again(document));  // no backup: the design stays
    EXPECT_EQ(archives(document.graphics()), front);

    backup.Create_Design_Backup_Array(document);
    document.graphics().first()->setBounds(QRectF(40, 40, 5, 5));
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {});
    ASSERT_NE(archives(document.graphics()), front);

    ASSERT_TRUE(backup.Create_Card_Design_Again(document));
    EXPECT_EQ(archives(document.graphics()), front);
    EXPECT_EQ(archives(document.graphics_back()), back);
    ASSERT_EQ(document.graphics_back().size(), 1);
    EXPECT_EQ(document.graphics_back().first()->kind(), GraphicKind::Text);
    ASSERT_NE(document.graphics().first(), nullptr);
    EXPECT_EQ(document.graphics().first()->kind(), GraphicKind::Shape);
}

}  // namespace

// Export as Template on the shown window: each side's own QR Code in its cell of the template's
// picture, the cells laid out by the card's shape, read back with zbarimg.
namespace {

GraphicPtr qrShowing(const QString& value)
{
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("QR Code")));
    barcode->barcode.linear_or_2d = 1;
    barcode->barcode.qr_size_val = 84;  // whole points per module
    barcodeFactory().Set_Barcode_Prop_To_Control(*barcode);
    const BarcodePicture picture = barcodeFactory().Get_Image_From_Val(value, QString(), QString());
    barcode->setBounds(QRectF(QPointF(24, 24), picture.size()));
    barcode->Set_Barcode_image(picture);
    barcode->Set_Barcode_image_control_bounds(barcode->bounds());
    return barcode;
}

using TemplatePictureOnWindow = MainWindowFixture;

TEST_F(TemplatePictureOnWindow, ThePictureHoldsEachSideInItsCellByTheCardsShape)
{
    const struct {
        QSizeF card;
        const char* sides;
        int columns, rows;  // the picture's cells, front first
    } cases[] = {{QSizeF(242.64, 153.36), "2", 1, 2}, {QSizeF(153.36, 242.64), "2", 2, 1}, {QSizeF(242.64, 153.36), "1", 1, 1}};
    const QStringList symbols{"FRONT-1", "BACK-2"};
    controller.showWindow();
    for (const auto& row : cases) {
        const QString name = QStringLiteral("%1 by %2").arg(row.columns).arg(row.rows);
        SCOPED_TRACE(name.toStdString());
        CARD_SIDE_STR = QLatin1String(row.sides);
        controller.SetDocumentCanvasSize(row.card);
        controller.Front_card_Prop.setCard_Size(row.card);
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {qrShowing(symbols[0])});
        document.replaceGraphicsOnSide(SKTDocument::BackSide, {qrShowing(symbols[1])});
        dialogs.queueHook([&name](QDialog& dialog) {
            static_cast<Export_Template&>(dialog).template_name->setText(name);
            static_cast<Export_Template&>(dialog).OK_Pressed();
        });
        action(QStringLiteral("Export_As_Template_Clicked")).trigger();

        const QImage picture(User_Template_File(name, QStringLiteral("png")));
        ASSERT_FALSE(picture.isNull());
        EXPECT_NEAR(double(picture.width()) / picture.height(),
                    row.card.width() * row.columns / (row.card.height() * row.rows), 0.02);
        const QSize cell(picture.width() / row.columns, picture.height() / row.rows);
        for (int n = 0; n < row.columns * row.rows; ++n) {
            const QString part = scratch.filePath(QStringLiteral("cell%1.png").arg(n));
            ASSERT_TRUE(picture.copy(QRect(QPoint(n % row.columns * cell.width(), n / row.columns * cell.height()), cell)).save(part));
            const auto read = TestEnvironment::run(QStringLiteral("zbarimg"), {"-q", "--raw", part});
            EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), symbols[n]);
        }
    }
    CARD_SIDE_STR = QStringLiteral("2");
}

}  // namespace
