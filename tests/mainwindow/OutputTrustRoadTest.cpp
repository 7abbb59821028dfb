// Cards that leave through the main window's Export and Print commands are each their own
// record's or none: a record whose photo is gone or whose barcode cannot show its value is left
// out whole and named at the end, never replaced by another record's card, and a second print
// job in the same window starts from the design as it was. Read back with pdftotext and
// ZXingReader. An export into a read-only folder names the folder and the reason.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QRegularExpression>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <sys/mount.h>
#include <unistd.h>

#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "output/RecordRun.h"
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "platform/MessagePresenter.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/CanvasMouse.h"
#include "support/NoisePicture.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/QtMessagePresenter.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/ReportBox.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/output/ExportSheet.h"
#include "views/print/Print_Wnd.h"
#include "views/print/StandInPrinters.h"

namespace {

QString holder(int n) { return QStringLiteral("Holder %1").arg(n, 2, 10, QChar('0')); }
QString holderId(int n) { return QStringLiteral("ID%1").arg(n, 2, 10, QChar('0')); }

GraphicPtr columnBound(GraphicKind kind, int column, const QRectF& box)
{
    GraphicPtr element = SKTGraphic::create(kind);
    element->data_source_type = 2;
    element->excel_binding = true;
    element->excel_col_indx = column;
    element->ctrl_is_visible = true;
    element->setBounds(box);
    return element;
}

GraphicPtr barcodeOf(const QString& symbology, int column, const QRectF& box)
{
    GraphicPtr barcode = columnBound(GraphicKind::Barcode, column, box);
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(symbology));
    barcode->barcode.linear_or_2d = 0;
    barcode->barcode.linear_width_val = 12;
    barcode->Set_Barcode_image_control_bounds(box);
    return barcode;
}

// Every barcode zbarimg finds on a picture, sorted.
QStringList barcodesOn(const QString& picture)
{
    const auto read = TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), picture});
    QStringList values = QString::fromUtf8(read.out).split(u'\n', Qt::SkipEmptyParts);
    values.sort();
    return values;
}

QString pdfText(const QString& pdf)
{
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"}).out);
}

QString pageRaster(const QString& pdf, int dpi)
{
    const QString page = pdf.chopped(4);
    TestEnvironment::run(QStringLiteral("pdftoppm"),
                         {"-r", QString::number(dpi), "-png", "-singlefile", pdf, page});
    return page + QStringLiteral(".png");
}

class OutputTrustRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CARD_SIDE_STR = QStringLiteral("1");
        print_profile_path = folder.filePath("profiles");
        QDir().mkpath(print_profile_path.get());
    }
    void TearDown() override
    {
        Loaded_Data_Table().ListData.clear();
        print_profile_path = QString();
    }

    // Records 1..count: a name, a photo (gone for the records listed) and an id.
    void records(int count, const QList<int>& photosGone)
    {
        Data_From_Excel& table = Loaded_Data_Table();
        table.ListData.clear();
        for (int n = 1; n <= count; ++n) {
            QString photo = folder.filePath(QStringLiteral("photo%1.png").arg(n));
            if (photosGone.contains(n)) {
                photo = folder.filePath(QStringLiteral("gone%1.png").arg(n));
            } else {
                QImage picture(60, 80, QImage::Format_RGB32);
                picture.fill(QColor::fromHsv(n * 25 % 360, 200, 220));
                picture.save(photo);
            }
            table.Create_List_By_Array({holder(n), photo, holderId(n), QStringLiteral("590123412345")}, 4);
        }
    }
    void staffCard(QList<GraphicPtr> more = {})
    {
        GraphicList front{columnBound(GraphicKind::Text, 1, QRectF(10, 8, 140, 22)),
                          columnBound(GraphicKind::Image, 2, QRectF(170, 8, 60, 80)),
                          barcodeOf(QStringLiteral("Code 128"), 3, QRectF(10, 90, 150, 50))};
        front[0]->Set_text_value(QStringLiteral("Designed"));
        for (const GraphicPtr& element : more)
            front.append(element);
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, front);
    }

    // The print window: a sheet of rows x columns, the range from-to (all when from is 0), a
    // job printed into the PDF, and whatever else the script does after it.
    void scriptPrint(int rows, int columns, int from, int to, const QString& pdf,
                     const std::function<void(Print_Wnd&)>& more = {})
    {
        dialogs.queueHook([=](QDialog& dialog) {
            auto& window = static_cast<Print_Wnd&>(dialog);
            window.findChild<QSpinBox*>(QStringLiteral("Row_Text"))->setValue(rows);
            window.findChild<QSpinBox*>(QStringLiteral("Col_Text"))->setValue(columns);
            if (from > 0) {
                window.rangeBlock().Sel_print_rd->click();
                window.rangeBlock().To_Text->setValue(to);
                window.rangeBlock().from_Text->setValue(from);
            }
            window.printToFile = pdf;
            window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
            statusLine = window.findChild<QLabel*>(QStringLiteral("print_status"))->text();
            if (more)
                more(window);
            window.printToFile.clear();
        });
    }

    QTemporaryDir folder;
    StandInPrinters printers;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    SKTDocument document;
    SKTWindowController controller{document};
    QString statusLine;
};

}  // namespace

TEST_F(OutputTrustRoadTest, APrintedSheetLeavesOutTheCardsWhosePhotoIsGoneAndPrintsNoOtherRecordInTheirPlace)
{
    records(12, {5, 9});
    staffCard();
    const QString pdf = folder.filePath("sheet.pdf");
    scriptPrint(4, 2, 3, 10, pdf);
    Print_Button(controller);

    const QString text = pdfText(pdf);
    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(text.contains(holder(n)), n >= 3 && n <= 10 && n != 5 && n != 9);
    }
    EXPECT_EQ(text.count(QStringLiteral("Invalid Data")), 2);
    EXPECT_EQ(barcodesOn(pageRaster(pdf, 300)),
              (QStringList{holderId(3), holderId(4), holderId(6), holderId(7), holderId(8), holderId(10)}));

    // The status line says where the sheet went; the end report lists every card left out.
    EXPECT_EQ(statusLine.toStdString(), QStringLiteral("1 sheet went to %1. 2 cards were left out.").arg(pdf).toStdString());
    const QList<ScriptedMessagePresenter::Record> shown = messages.records();
    ASSERT_EQ(shown.size(), 1) << messages.texts().join('|').toStdString();
    EXPECT_EQ(shown[0].request.text.toStdString(),
              QStringLiteral("1 sheet went to %1.\n\n2 cards were left out:").arg(pdf).toStdString());
    EXPECT_EQ(shown[0].request.details,
              (QStringList{"Card 5 (Holder 05): The picture \"gone5.png\" could not be read.",
                           "Card 9 (Holder 09): The picture \"gone9.png\" could not be read."}));
    EXPECT_EQ(document.graphics()[0]->Text_Value, "Designed");
}

TEST_F(OutputTrustRoadTest, ASecondPrintJobInTheSameWindowStartsFromTheDesignAsItWas)
{
    const QString dataFolder = Data_Folder_Path;
    Data_Folder_Path = folder.filePath("DataSet");
    SeriesStore store;
    ASSERT_TRUE(QDir().mkpath(store.folder()));
    const QString seriesFile = store.series_path(QStringLiteral("Cities"));
    {
        QFile cities(seriesFile);
        ASSERT_TRUE(cities.open(QIODevice::WriteOnly));
        cities.write("Paris\nRome\nOslo");
    }
    records(3, {});
    GraphicPtr city = SKTGraphic::create(GraphicKind::Text);
    city->data_source_type = 1;
    city->batch_list_name = QStringLiteral("Cities");
    city->batch_list_index = 0;
    city->ctrl_is_visible = true;
    city->setBounds(QRectF(10, 40, 140, 22));
    city->Set_text_value(QStringLiteral("Anywhere"));
    staffCard({city});
    const QString first = folder.filePath("first.pdf");
    const QString second = folder.filePath("second.pdf");
    const QString third = folder.filePath("third.pdf");
    scriptPrint(3, 1, 0, 0, first, [&](Print_Wnd& window) {
        window.rangeBlock().Export_with_batch_chk->click();
        window.printToFile = second;
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        // The series on again and the spreadsheet off: the names are the design's own.
        window.rangeBlock().Export_with_batch_chk->click();
        window.rangeBlock().Export_with_excel_chk->click();
        window.printToFile = third;
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
    });
    Print_Button(controller);
    Data_Folder_Path = dataFolder;

    const QString one = pdfText(first);
    for (const char* value : {"Paris", "Rome", "Oslo"})
        EXPECT_EQ(one.count(QLatin1String(value)), 1) << value;
    const QString two = pdfText(second);
    EXPECT_EQ(two.count(QStringLiteral("Anywhere")), 3) << two.toStdString();
    EXPECT_FALSE(two.contains(QStringLiteral("Oslo")));
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(two.count(holder(n)), 1) << n;
    const QString three = pdfText(third);
    EXPECT_EQ(three.count(QStringLiteral("Designed")), 3) << three.toStdString();
    for (const char* value : {"Paris", "Rome", "Oslo"})
        EXPECT_EQ(three.count(QLatin1String(value)), 1) << value;
    EXPECT_FALSE(three.contains(QStringLiteral("Holder")));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_F(OutputTrustRoadTest, AnExportLeavesOutTheCardsItCannotMakeWholeAndListsEachOne)
{
    records(6, {2});
    Loaded_Data_Table().ListData[3][QStringLiteral("Column4")] = QStringLiteral("ABCDEFGHIJKL");
    staffCard({barcodeOf(QStringLiteral("EAN-13"), 4, QRectF(10, 30, 150, 58))});
    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueFolder(folder.path());
    QString message;
    QString details;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& box = static_cast<Open_Export_Log&>(dialog);
        message = box._open_log_message->text();
        details = box._open_log_details->isVisibleTo(&box) ? box._open_log_details->toPlainText() : QString();
    });
    Export_Button(controller);

    const QDir cards(folder.filePath("ZOVA ID Card"));
    EXPECT_EQ(cards.entryList(QDir::Files, QDir::Name),
              (QStringList{"Card_1_Front.PNG", "Card_3_Front.PNG", "Card_5_Front.PNG", "Card_6_Front.PNG"}));
    EXPECT_EQ(message, "4 cards were written.\n\n2 cards were left out:");
    EXPECT_EQ(details, "Card 2 (Holder 02): The picture \"gone2.png\" could not be read.\n"
                       "Card 4 (Holder 04): The barcode cannot show \"ABCDEFGHIJKL\": EAN-13 cannot encode this value.");
    for (int n : {1, 3, 5, 6})
        EXPECT_EQ(barcodesOn(cards.filePath(QStringLiteral("Card_%1_Front.PNG").arg(n))),
                  (QStringList{QStringLiteral("5901234123457"), holderId(n)}))
            << n;
}

TEST_F(OutputTrustRoadTest, AnExportIntoAReadOnlyFolderNamesTheFolderAndWhy)
{
    records(2, {});
    staffCard();
    // Read-only by its mode where permissions hold, by a read-only mount for the superuser, whom
    // they do not stop.
    const QString readOnly = folder.filePath("read-only");
    ASSERT_TRUE(QDir().mkpath(readOnly));
    const bool superuser = ::geteuid() == 0;
    const QByteArray mountPoint = QFile::encodeName(readOnly);
    if (superuser ? ::mount("tmpfs", mountPoint.constData(), "tmpfs", MS_RDONLY, "size=64k") != 0
                  : !QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner))
        GTEST_SKIP() << "no read-only folder to be had";
    const auto unmount = qScopeGuard([&] {
        if (superuser)
            ::umount2(mountPoint.constData(), MNT_DETACH);
    });
    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueFolder(readOnly);
    Export_Button(controller);
    EXPECT_EQ(messages.texts().join(u'|'),
              QStringLiteral("\nUnable to continue saving barcode image.\n\nCannot make the folder \"%1/ZOVA ID Card\": %2.")
                  .arg(readOnly, superuser ? "Read-only file system" : "Permission denied"));
}

TEST_F(OutputTrustRoadTest, ScreenshotsOfTheEndReportsAndOfASheetWithACardLeftOut)
{
    const QString artifacts = QStringLiteral(ZOVA_OUTPUT_ARTIFACT_DIR);
    QDir().mkpath(artifacts);
    records(6, {2});
    Loaded_Data_Table().ListData[3][QStringLiteral("Column4")] = QStringLiteral("ABCDEFGHIJKL");
    staffCard({barcodeOf(QStringLiteral("EAN-13"), 4, QRectF(10, 30, 150, 58))});

    // The export's closing box as the application shows it.
    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueFolder(folder.path());
    bool exportPictured = false;
    dialogs.queueHook([&](QDialog& dialog) {
        dialog.show();
        dialog.adjustSize();
        QCoreApplication::processEvents();
        exportPictured = dialog.grab().save(artifacts + "/export-end-report.png");
        dialog.hide();
    });
    Export_Button(controller);
    EXPECT_TRUE(exportPictured);

    // The print's end report in the real box, and the sheet it printed.
    QtMessagePresenter realBoxes;
    ScopedMessagePresenter realScope(realBoxes);
    QString listed;
    const QString pdf = folder.filePath("sheet.pdf");
    scriptPrint(3, 2, 0, 0, pdf);
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<ReportBox*>(top);
            if (!box || !box->isVisible())
                continue;
            listed = box->listText();
            box->grab().save(artifacts + "/print-end-report.png");
            box->accept();
        }
    });
    watch.start();
    Print_Button(controller);
    watch.stop();
    EXPECT_EQ(listed, "Card 2 (Holder 02): The picture \"gone2.png\" could not be read.\n"
                      "Card 4 (Holder 04): The barcode cannot show \"ABCDEFGHIJKL\": EAN-13 cannot encode this value.");
    const QString sheetPicture = artifacts + "/printed-sheet-with-cards-left-out.png";
    QFile::remove(sheetPicture);
    EXPECT_TRUE(QFile::copy(pageRaster(pdf, 100), sheetPicture));
}

// Stop → Yes while the export asks about a file already there: the box counts the cards written
// and the records the stop kept it from, naming them by number, names no card it never reached
// (Card 150's photo is gone too), every card on the disk has both its sides, and the cards written
// are the first ones: Card 5, whose photo of noise fills the card and is slow to encode, is there
// before Card 6. Pictured in test-artifacts/output.
TEST_F(OutputTrustRoadTest, AStoppedExportWritesTheFirstCardsWholeAndNamesWhatItDidNotReach)
{
    constexpr int kCards = 200;
    CARD_SIDE_STR = QStringLiteral("2");
    records(kCards, {3, 150});
    ASSERT_TRUE(noisePicture(QSize(2025, 1284)).save(folder.filePath("photo5.png")));
    staffCard({columnBound(GraphicKind::Image, 2, QRectF(0, 0, 243, 154))});
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {columnBound(GraphicKind::Text, 1, QRectF(10, 60, 150, 24))});
    const QDir cards(folder.filePath("ZOVA ID Card"));
    ASSERT_TRUE(cards.mkpath("."));
    const QString old = cards.filePath("Card_12_Front.PNG");
    {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueFolder(folder.path());
    dialogs.queueHook([&](QDialog& question) {
        // The workers write the first cards meanwhile (Card 3 is left out); they need nothing of
        // this thread.
        for (const char* written : {"Card_1_Front.PNG", "Card_2_Front.PNG", "Card_4_Front.PNG", "Card_6_Front.PNG"}) {
            while (!cards.exists(QLatin1String(written)))
                QThread::msleep(5);
        }
        messages.queueAnswers({0});  // Yes to "Are you sure you want to stop?"
        Send_Modeless::defaultInstance()._stop_btn->click();
        static_cast<Replcae_Confirm_Box&>(question).replace_button->click();
    });
    QString message;
    QStringList details;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& box = static_cast<Open_Export_Log&>(dialog);
        message = box._open_log_message->text();
        details = box._open_log_details->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        QDir().mkpath(ZOVA_OUTPUT_ARTIFACT_DIR);
        dialog.show();
        dialog.adjustSize();
        QCoreApplication::processEvents();
        dialog.grab().save(QStringLiteral(ZOVA_OUTPUT_ARTIFACT_DIR "/stopped-export-report.png"));
        dialog.hide();
    });
    Export_Button(controller);
    CARD_SIDE_STR = QStringLiteral("1");

    const QRegularExpression said(QStringLiteral("^(\\d+) cards? (?:was|were) written\\. The export was stopped\\. "
                                                 "(\\d+) records? (?:was|were) not reached \\(cards (\\d+)\u2013200\\)\\."));
    const QRegularExpressionMatch counts = said.match(message);
    ASSERT_TRUE(counts.hasMatch()) << message.toStdString() << "|" << messages.texts().join('|').toStdString();
    const int written = counts.captured(1).toInt();
    const int notReached = counts.captured(2).toInt();
    EXPECT_GE(notReached, kCards - 12);
    EXPECT_EQ(counts.captured(3).toInt(), kCards - notReached + 1);
    EXPECT_EQ(written + int(details.size()) + notReached, kCards) << details.join('|').toStdString();
    // Card 3 is named, as the run got past it; Card 150 is not.
    EXPECT_EQ(details, QStringList{"Card 3 (Holder 03): The picture \"gone3.png\" could not be read."});
    int pairs = 0;
    for (int n = 1; n <= kCards; ++n) {
        // The file asked about stays as it was when its card was not reached.
        const QFileInfo frontFile(cards.filePath(QStringLiteral("Card_%1_Front.PNG").arg(n)));
        const bool front = frontFile.exists() && frontFile.size() > qint64(sizeof("old"));
        const bool back = cards.exists(QStringLiteral("Card_%1_Back.PNG").arg(n));
        EXPECT_EQ(front, back) << "card " << n << " has one side";
        // Card 3 is left out; every other card before the first not reached is there.
        if (n != 3)
            EXPECT_EQ(front, n <= kCards - notReached) << "card " << n;
        pairs += front && back ? 1 : 0;
    }
    EXPECT_EQ(pairs, written);
    EXPECT_EQ(messages.texts(), QStringList{"Are you sure you want to stop?"});
}

// After an export or a print, the inspector's pages show the element selected, never an element a
// record was bound into along the way: the back's EAN-13 keeps its own place on the Arrange page.
TEST_F(OutputTrustRoadTest, AfterAnExportOrAPrintThePagesShowTheSelectedElement)
{
    CARD_SIDE_STR = QStringLiteral("2");
    records(3, {});
    staffCard();
    const QRectF eanBox(40, 70, 150, 58);
    GraphicPtr ean = barcodeOf(QStringLiteral("EAN-13"), 4, eanBox);
    Bind_Barcode_Value(*ean, QStringLiteral("590123412345"));
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {ean});
    controller.sideCommands().Select_back_side();
    canvas_mouse::drag(*controller.graphicView(SKTDocument::BackSide), eanBox.center(), eanBox.center());
    ASSERT_EQ(controller.graphicView(SKTDocument::BackSide)->selectedGraphics(), GraphicList{ean});
    auto field = [&](const char* name) {
        return controller.inspector().view().page(QStringLiteral("aligmnt_tab"))->findChild<QDoubleSpinBox*>(QLatin1String(name))->value();
    };
    // What the pages show: the element selected, or the card with nothing selected.
    auto pagesShowTheSelection = [&](const char* after) {
        SCOPED_TRACE(after);
        SKTGraphic* shown = controller.inspector().Last_Selected_Graphic();
        const GraphicList selected = controller.graphicView(SKTDocument::BackSide)->selectedGraphics();
        if (!shown) {
            EXPECT_TRUE(selected.isEmpty());
            return;
        }
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected.first().get(), shown);
        // The fields show two decimals.
        EXPECT_NEAR(field("frame_main_pic_X_pos"), shown->xPosition(), 0.005);
        EXPECT_NEAR(field("frame_main_pic_Y_pos"), shown->yPosition(), 0.005);
    };
    pagesShowTheSelection("before");
    const double x = field("frame_main_pic_X_pos");

    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueFolder(folder.path());
    dialogs.queueHook([](QDialog&) {});
    Export_Button(controller);
    pagesShowTheSelection("export");
    EXPECT_EQ(field("frame_main_pic_X_pos"), x);

    scriptPrint(2, 2, 0, 0, folder.filePath("sheet.pdf"));
    Print_Button(controller);
    pagesShowTheSelection("print");
    CARD_SIDE_STR = QStringLiteral("1");
    Card_Front_Or_Back = 0;
}

// With the back shown in the main window the front is bound first: a record whose back cannot be
// made still prints neither side, "Invalid Data" standing in its cell.
TEST_F(OutputTrustRoadTest, ARecordWhoseBackIsRefusedPrintsNoFrontWhenTheBackIsShown)
{
    CARD_SIDE_STR = QStringLiteral("2");
    records(4, {});
    Loaded_Data_Table().ListData[1][QStringLiteral("Column4")] = QStringLiteral("ABCDEFGHIJKL");
    staffCard();
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {barcodeOf(QStringLiteral("EAN-13"), 4, QRectF(40, 70, 150, 58))});
    Card_Front_Or_Back = 1;
    const QString pdf = folder.filePath("sheet.pdf");
    scriptPrint(2, 2, 0, 0, pdf);
    Print_Button(controller);
    CARD_SIDE_STR = QStringLiteral("1");
    Card_Front_Or_Back = 0;
    const QString text = pdfText(pdf);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(text.contains(holder(n)), n != 2) << n;
    EXPECT_EQ(text.count(QStringLiteral("Invalid Data")), 1);
}

// A photo rewritten between two jobs of one print window, to the byte as long, with only its time
// to tell: the second job prints it as it is now.
TEST_F(OutputTrustRoadTest, APhotoRewrittenBetweenTwoJobsIsPrintedAsItIsNow)
{
    records(1, {});
    const QString photo = folder.filePath("photo.bmp");
    auto paint = [&](QColor colour, const QDateTime& time) {
        QImage picture(60, 80, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(photo, "BMP"));
        QFile file(photo);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    const QDateTime then = QDateTime::currentDateTime().addSecs(-60);
    paint(Qt::red, then);
    const qint64 bytes = QFileInfo(photo).size();
    Loaded_Data_Table().ListData[0][QStringLiteral("Column2")] = photo;
    staffCard();
    const QString first = folder.filePath("first.pdf");
    const QString second = folder.filePath("second.pdf");
    scriptPrint(1, 1, 0, 0, first, [&](Print_Wnd& window) {
        paint(Qt::blue, then.addSecs(30));
        ASSERT_EQ(QFileInfo(photo).size(), bytes);
        window.printToFile = second;
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
    });
    Print_Button(controller);
    // Whether each sheet shows red, and blue.
    auto colours = [&](const QString& pdf) {
        const QImage sheet(pageRaster(pdf, 30));
        int red = 0;
        int blue = 0;
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x) {
                const QColor pixel = sheet.pixelColor(x, y);
                red += pixel.red() > 200 && pixel.green() < 60 && pixel.blue() < 60 ? 1 : 0;
                blue += pixel.blue() > 200 && pixel.red() < 60 && pixel.green() < 60 ? 1 : 0;
            }
        return std::pair(red > 0, blue > 0);
    };
    EXPECT_EQ(colours(first), std::pair(true, false));
    EXPECT_EQ(colours(second), std::pair(false, true));
}

// Without data every card is the design as it stands: a side that cannot be drawn stops both the
// single export, before any file, and the print, each saying why.
TEST_F(OutputTrustRoadTest, ACardWhoseBackCannotBeMadeIsNeitherExportedNorPrinted)
{
    CARD_SIDE_STR = QStringLiteral("2");
    staffCard();
    GraphicPtr photo = SKTGraphic::create(GraphicKind::Image);
    photo->ctrl_is_visible = true;
    photo->setBounds(QRectF(20, 20, 60, 80));
    static_cast<SKTImage&>(*photo).setFilePath(folder.filePath("gone.png"), false);
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {photo});
    const QString reason = QStringLiteral("The picture \"gone.png\" could not be read.");

    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueSaveFile(folder.filePath("Card.PNG"));
    Export_Button(controller);
    const QString pdf = folder.filePath("sheet.pdf");
    scriptPrint(2, 2, 0, 0, pdf);
    Print_Button(controller);
    CARD_SIDE_STR = QStringLiteral("1");
    EXPECT_EQ(messages.texts(), (QStringList{"\nThe card was not exported.\n\n" + reason,
                                             "\nThe card cannot be printed.\n\n" + reason}));
    EXPECT_EQ(QDir(folder.path()).entryList({"*.PNG", "*.pdf"}, QDir::Files), QStringList());
}
