// The user guide's first chapter followed on the real window as it is written: the shipped
// "Classic blue (h)" template from the start chooser, the organisation typed on the Text page, a
// photo browsed on the Picture page, a number typed into the barcode window, a workbook's columns
// imported as series through File > Import Data and bound, then the PNG and PDF exports and a
// printed sheet with the series box left as the windows open it. Every card's barcode carries its
// person's number and reads back (ZXingReader, zbarimg).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "data/SpreadsheetWriter.h"
#include "mainwindow/OutputCommands.h"
#include "support/CanvasMouse.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/output/ExportSheet.h"
#include "views/print/Print_Wnd.h"
#include "views/print/StandInPrinters.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/SheetColumnList.h"
#include "StartRoadFixture.h"

namespace {

const QString kTemplateShown = QStringLiteral("Classic blue (h)");
// The staff of the workbook: name, role and a number as long as the template makes room for.
const QList<QStringList> kStaff = {{"Maria Jensen", "Librarian", "WALK-0001"},
                                   {"Tom Okafor", "Caretaker", "WALK-0002"},
                                   {"Lena Weiss", "Teacher", "NWS-100042"}};

// The values of the symbols each outside reader finds in a picture.
QStringList zbarReads(const QString& picture)
{
    const auto read = TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), picture});
    return QString::fromUtf8(read.out).split(u'\n', Qt::SkipEmptyParts);
}

QStringList zxingReads(const QString& picture)
{
    const auto read = TestEnvironment::run(QStringLiteral("ZXingReader"), {QStringLiteral("-noscale"), picture});
    QStringList values;
    for (const QByteArray& line : read.out.split('\n'))
        if (line.startsWith("Text:"))
            values << QString::fromUtf8(line.mid(5)).trimmed().remove(u'"');
    return values;
}

class FirstCardRoad : public StartRoadFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartRoadFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(copyClassicBlueTwoSided());
        savedDataFolder = Data_Folder_Path;
        Data_Folder_Path = scratch.filePath(QStringLiteral("DataSet"));
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        controller.window()->resize(1280, 800);
        controller.showWindow();
    }
    void TearDown() override
    {
        Data_Folder_Path = savedDataFolder;
        StartRoadFixture::TearDown();
    }

    SKTGraphicView& canvas() const { return *controller.editedGraphicView(); }
    GraphicPtr frontElement(const std::function<bool(const SKTGraphic&)>& wanted) const
    {
        for (const GraphicPtr& element : document.graphics())
            if (wanted(*element))
                return element;
        return nullptr;
    }
    GraphicPtr withId(const char* id) const
    {
        return frontElement([id](const SKTGraphic& e) { return e.control_ID == QLatin1String(id); });
    }
    GraphicPtr barcode() const
    {
        return frontElement([](const SKTGraphic& e) { return e.kind() == GraphicKind::Barcode; });
    }
    void click(const GraphicPtr& element) { canvas_mouse::drag(canvas(), element->bounds().center(), element->bounds().center()); }
    bool barcodeOnCard() const
    {
        return QRectF(QPointF(0, 0), controller.Front_card_Prop.Card_Size()).contains(barcode()->bounds());
    }
    // A picture file of one colour.
    QString picture(const QString& name, QColor colour)
    {
        QImage image(120, 150, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = scratch.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // The barcode window, left with the source and value given (a series when one is named).
    void inBarcodeWindow(const QString& typed, const QString& series = {})
    {
        dialogs.queueHook([typed, series](QDialog& window) {
            EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"))->currentText(), "Code 128");
            if (series.isEmpty()) {
                auto* field = window.findChild<QLineEdit*>(QStringLiteral("dataText"));
                field->selectAll();
                QTest::keyClicks(field, typed);
            } else {
                auto* source = window.findChild<QComboBox*>(QStringLiteral("Data_source_type"));
                source->setCurrentIndex(source->findText(QStringLiteral("Series")));
                auto* chosen = window.findChild<QComboBox*>(QStringLiteral("Batch_Series"));
                ASSERT_GE(chosen->findText(series), 0) << qPrintable(series);
                chosen->setCurrentIndex(chosen->findText(series));
            }
            window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        canvas_mouse::doubleClick(canvas(), barcode()->bounds().center());
    }
    // The Source page of an element: its value from the series.
    void bindToSeries(const GraphicPtr& element, const QString& series)
    {
        click(element);
        ASSERT_TRUE(inspector().showPage(QStringLiteral("datasource_tab")));
        QComboBox& source = control<QComboBox>("Data_source_type");
        source.setCurrentIndex(source.findText(QStringLiteral("Series")));
        QComboBox& chosen = control<QComboBox>("Batch_Series");
        ASSERT_GE(chosen.findText(series), 0) << qPrintable(series);
        chosen.setCurrentIndex(chosen.findText(series));
    }
    // File > Export Cards in the format, everything else as the sheet opens; the closing message.
    QString exportAs(const QString& format, const QString& folder)
    {
        QString closing;
        dialogs.queueHook([format](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            EXPECT_TRUE(sheet.rangeBlock->Export_with_batch_chk->isChecked()) << "the series box as it opens";
            EXPECT_TRUE(sheet.rangeBlock->All_print_rd->isChecked());
            sheet.fileFormatPopup->setCurrentIndex(sheet.fileFormatPopup->findText(format));
            sheet.exportOkay();
        });
        dialogs.queueFolder(folder);
        dialogs.queueHook([&closing](QDialog& dialog) { closing = static_cast<Open_Export_Log&>(dialog)._open_log_message->text(); });
        Export_Button(controller);
        return closing;
    }
    // Every page of the PDF as a 300-dpi picture.
    static QStringList pagesOf(const QString& pdf)
    {
        const QString prefix = pdf.chopped(4) + QStringLiteral("-page");
        TestEnvironment::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"), pdf, prefix});
        const QFileInfo info(prefix);
        QStringList pages;
        for (const QString& name : info.dir().entryList({info.fileName() + QStringLiteral("*.png")}, QDir::Files, QDir::Name))
            pages << info.dir().filePath(name);
        return pages;
    }

    StandInPrinters printers;
    QString savedDataFolder;
};

}  // namespace

TEST_F(FirstCardRoad, TheGuidesFirstChapterGivesCardsWhoseBarcodesScan)
{
    const QString workbook = scratch.filePath(QStringLiteral("Staff.xlsx"));
    const QStringList colours = {"#c04040", "#40a040", "#4040c0"};
    QList<QStringList> rows = {{"Name", "Role", "Number", "Photo"}};
    for (int i = 0; i < kStaff.size(); ++i)
        rows.append(kStaff[i] + QStringList{picture(QStringLiteral("staff%1.png").arg(i + 1), QColor(colours[i]))});
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(workbook, rows, true));

    // 1. Design from a template: Employee, "Classic blue (h)" as the window shows it, OK.
    queueTemplateStart(QStringLiteral("Employee"), kTemplateShown);
    ASSERT_TRUE(Open_Start_Window(controller));
    ASSERT_NE(barcode(), nullptr);

    // 2. The organisation's name, typed on the Text page.
    click(frontElement([](const SKTGraphic& e) { return e.Text_Value == QLatin1String("Northwind Systems"); }));
    QPlainTextEdit& text = control<QPlainTextEdit>("Text_value_Edit");
    text.setFocus();
    text.selectAll();
    QTest::keyClicks(&text, QStringLiteral("Harbour Works"));

    // 3. A photo through the Picture page's Browse.
    click(withId("Fup_Photo"));
    dialogs.queueOpenFile(picture(QStringLiteral("chosen.png"), Qt::darkYellow));
    control<QPushButton>("Manual_Image_Browse_btn").click();

    // 4. A number typed into the barcode window: the symbol stays on the card.
    inBarcodeWindow(QStringLiteral("WALK-0001"));
    EXPECT_EQ(barcode()->barcode.linear_font_val, "WALK-0001");
    EXPECT_TRUE(barcodeOnCard()) << barcode()->bounds().right();

    // 5. File > Import Data: the spreadsheet option as it opens, Browse, the three columns ticked.
    dialogs.queueHook([&](QDialog& wizard) {
        EXPECT_TRUE(wizard.findChild<QRadioButton*>(QStringLiteral("Excel_RD"))->isChecked());
        dialogs.queueOpenFile(workbook);
        dialogs.queueHook([](QDialog& dialog) {
            auto& columns = static_cast<Import_Excel_DataSheet&>(dialog);
            for (int i = 0; i < columns.columns().entryCount(); ++i)
                columns.columns().setTicked(i, QStringList({"Name", "Number", "Photo"}).contains(columns.columns().name(i)));
            EXPECT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("Each_col_RD"))->isChecked());
            columns.OKPressed();
        });
        wizard.findChild<QPushButton*>(QStringLiteral("Excel_btn"))->click();
    });
    action(QStringLiteral("Import_Wizard_Button")).trigger();

    // 6. The name and the photo on the Source page, the barcode in its window.
    ASSERT_NO_FATAL_FAILURE(bindToSeries(withId("Fup_Name"), QStringLiteral("Name")));
    EXPECT_EQ(withId("Fup_Name")->Text_Value, kStaff[0][0]);
    ASSERT_NO_FATAL_FAILURE(bindToSeries(withId("Fup_Photo"), QStringLiteral("Photo")));
    inBarcodeWindow(QString(), QStringLiteral("Number"));
    EXPECT_EQ(barcode()->batch_list_name, QStringLiteral("Number"));
    EXPECT_TRUE(barcodeOnCard());

    // 7. PNG, then PDF, with the sheet as it opens.
    const QString pngFolder = scratch.filePath(QStringLiteral("png"));
    const QString pdfFolder = scratch.filePath(QStringLiteral("pdf"));
    ASSERT_TRUE(QDir().mkpath(pngFolder) && QDir().mkpath(pdfFolder));
    exportAs(QStringLiteral("PNG"), pngFolder);
    exportAs(QStringLiteral("PDF"), pdfFolder);
    QMap<QString, QString> expected;  // picture -> number
    for (int n = 1; n <= kStaff.size(); ++n) {
        const QString png = QDir(pngFolder).filePath(QStringLiteral("ZOVA ID Card/Card_%1_Front.PNG").arg(n));
        const QString pdf = QDir(pdfFolder).filePath(QStringLiteral("ZOVA ID Card/Card_%1_Front.PDF").arg(n));
        ASSERT_TRUE(QFile::exists(png) && QFile::exists(pdf)) << n << " " << qPrintable(messages.texts().join(u'|'));
        const QStringList pages = pagesOf(pdf);
        ASSERT_EQ(pages.size(), 1);
        expected[png] = expected[pages.first()] = kStaff[n - 1][2];
    }
    EXPECT_FALSE(QFile::exists(QDir(pngFolder).filePath(QStringLiteral("ZOVA ID Card/Card_4_Front.PNG"))));

    // 8. A sheet of two rows and two columns, the series box as the window opens it.
    const QString sheet = scratch.filePath(QStringLiteral("sheet.pdf"));
    dialogs.queueHook([&](QDialog& dialog) {
        auto& window = static_cast<Print_Wnd&>(dialog);
        EXPECT_TRUE(window.rangeBlock().Export_with_batch_chk->isChecked());
        window.findChild<QSpinBox*>(QStringLiteral("Row_Text"))->setValue(2);
        window.findChild<QSpinBox*>(QStringLiteral("Col_Text"))->setValue(2);
        window.printToFile = sheet;
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        window.printToFile.clear();
    });
    Print_Button(controller);
    ASSERT_TRUE(QFile::exists(sheet));

    for (auto it = expected.begin(); it != expected.end(); ++it) {
        EXPECT_EQ(zbarReads(it.key()).join(u' '), it.value()) << "zbarimg " << qPrintable(it.key());
        EXPECT_EQ(zxingReads(it.key()).join(u' '), it.value()) << "ZXingReader " << qPrintable(it.key());
    }
    // Every front on the sheets, each symbol read where it lies.
    QStringList printed;
    for (const QString& page : pagesOf(sheet))
        printed += zbarReads(page);
    printed.sort();
    EXPECT_EQ(printed.join(u' '), QStringLiteral("NWS-100042 WALK-0001 WALK-0002"));

    // The longest number's card and the first sheet, for people to look at.
    const QDir artifacts(QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR "/first-card"));
    ASSERT_TRUE(artifacts.mkpath(QStringLiteral(".")));
    for (const auto& [from, to] : {std::pair{QDir(pngFolder).filePath(QStringLiteral("ZOVA ID Card/Card_3_Front.PNG")),
                                             QStringLiteral("card-3-front.png")},
                                   std::pair{pagesOf(sheet).value(0), QStringLiteral("sheet-page-1.png")}}) {
        QFile::remove(artifacts.filePath(to));
        EXPECT_TRUE(QFile::copy(from, artifacts.filePath(to))) << qPrintable(to);
    }
}
