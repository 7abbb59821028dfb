// Cards that leave through the main window's Export and Print commands are each their own
// record's or none: a record whose photo is gone or whose barcode cannot show its value is left
// out whole and named at the end, never replaced by another record's card, and a second print
// job in the same window starts from the design as it was. Read back with pdftotext and
// ZXingReader.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "platform/MessagePresenter.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/QtMessagePresenter.h"
#include "views/dialogs/ReportBox.h"
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
