// One workbook read on two roads on the real main window: its ID and EAN columns become series
// (Import Data…) that two barcodes are bound to, while Card Holder Profile… takes the name, the ID
// text and the photo from the same workbook's columns. Whatever empty rows the sheet holds, every
// exported and printed card shows one workbook row: its name and ID text (pdftotext), its photo's
// colour and both its barcodes (zbarimg), or nothing of any row.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "mainwindow/MainWindowFixture.h"
#include "mainwindow/ProfileWindows.h"
#include "platform/CanvasGlobals.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/output/ExportSheet.h"
#include "views/print/Print_Wnd.h"
#include "views/print/StandInPrinters.h"
#include "views/profiles/Show_User_Profile.h"
#include "views/series/Import_Excel.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/Import_Wizard.h"
#include "views/series/SheetColumnList.h"

namespace {

enum Field { kName = 0, kUnique = 9, kPhoto = 10 };
// The workbook's columns, in sheet order.
enum Column { kNameColumn = 0, kIdColumn = 1, kPhotoColumn = 2, kEanColumn = 3 };

QString holder(int n) { return QStringLiteral("Holder %1").arg(n); }
QString holderId(int n) { return QStringLiteral("ZV-%1").arg(1000 + n); }
QColor photoColour(int n) { return QColor::fromHsv(n * 50, 220, 210); }
// An EAN-13 whose check digit holds.
QString holderEan(int n)
{
    const QString digits = QStringLiteral("59012341%1").arg(1000 + n);
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits[i].digitValue() * (i % 2 ? 3 : 1);
    return digits + QString::number((10 - sum % 10) % 10);
}

// A card 400 x 300 points: the profile's rows and photo in the top half, the barcodes below.
const QSizeF kCard(400, 300);
const QRectF kCodeBox(10, 165, 250, 55);
const QRectF kEanBox(10, 228, 200, 66);

struct Card {
    QString text;
    QStringList barcodes;  // sorted
    QColor photo;  // the mean of the card's coloured dots; invalid when it has none
};

class WorkbookRowPairingRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = QStringLiteral("L");
        CARD_SIDE_STR = QStringLiteral("1");
        Fill_User_Profile = false;
        print_profile_path = scratch.filePath(QStringLiteral("profiles"));
        QDir().mkpath(print_profile_path.get());
        Data_Folder_Path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("DataSet");
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        ownsDataFolder = true;
        for (int n = 1; n <= 6; ++n) {
            QImage photo(65, 80, QImage::Format_RGB32);
            photo.fill(photoColour(n));
            ASSERT_TRUE(photo.save(photoOf(n)));
        }
        controller.Front_card_Prop.setCard_Size(kCard);
        controller.SetDocumentCanvasSize(kCard);
        controller.inspector().setUpControls({});
        controller.showWindow();
    }
    void TearDown() override
    {
        Fill_User_Profile = false;
        Loaded_Data_Table().ListData.clear();
        Excel_Binding_Use = false;
        Excel_Source_Path.clear();
        print_profile_path = QString();
        MainWindowFixture::TearDown();
    }

    QString photoOf(int n) const { return scratch.filePath(QStringLiteral("photo%1.png").arg(n)); }

    // The sheet's rows after the header: holder n for n > 0; 0 is a row of empty cells, stored as
    // `empty` says: "styled" (cells with a format only), "blank" (empty texts) or "missing".
    void writeWorkbook(const QString& path, const QList<int>& rows, const QString& empty) const
    {
        QStringList cells;
        for (const int n : rows)
            cells << (n ? QStringList{holder(n), holderId(n), photoOf(n), holderEan(n)} : QStringList{"", "", "", ""});
        const auto made = TestEnvironment::runPython(
            "import sys, openpyxl\n"
            "from openpyxl.styles import Font\n"
            "wb = openpyxl.Workbook()\n"
            "ws = wb.active\n"
            "ws.append(['Name', 'ID', 'Photo', 'EAN'])\n"
            "cells = sys.argv[3:]\n"
            "for r in range(len(cells) // 4):\n"
            "    row = cells[4 * r:4 * r + 4]\n"
            "    for c in range(4):\n"
            "        if row[0]:\n"
            "            ws.cell(row=r + 2, column=c + 1, value=row[c])\n"
            "        elif sys.argv[2] == 'styled':\n"
            "            ws.cell(row=r + 2, column=c + 1).font = Font(bold=True)\n"
            "        elif sys.argv[2] == 'blank':\n"
            "            ws.cell(row=r + 2, column=c + 1, value='')\n"
            "wb.save(sys.argv[1])\n",
            QStringList{path, empty} + cells);
        ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    }

    // Import Data… from the workbook: its ID and EAN columns each a series named after it.
    void importSeries(const QString& book)
    {
        dialogs.queueHook([this, book](QDialog& window) {
            auto& wizard = static_cast<Import_Wizard&>(window);
            wizard.Excel_RD_Pressed();
            wizard.findChild<QLineEdit*>("Excel_path")->setText(book);
            dialogs.queueHook([](QDialog& sheet) {
                auto& columns = static_cast<Import_Excel_DataSheet&>(sheet);
                columns.columns().setTicked(kIdColumn, true);
                columns.columns().setTicked(kEanColumn, true);
                columns.OKPressed();
            });
            wizard.OKPressed();
        });
        action(QStringLiteral("Import_Wizard_Button")).trigger();
    }

    GraphicPtr seriesBarcode(const QString& symbology, const QString& series, const QRectF& box) const
    {
        GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
        barcode->data_source_type = 1;
        barcode->batch_list_name = series;
        barcode->batch_list_index = 0;
        barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(symbology));
        barcode->barcode.linear_or_2d = 0;
        barcode->barcode.linear_width_val = 12;
        barcode->setBounds(box);
        barcode->ctrl_is_visible = true;
        barcode->Set_Barcode_image_control_bounds(box);
        return barcode;
    }

    // Card Holder Profile…: the workbook loaded with every column, then the name, the ID text
    // and the photo from its columns.
    void profileFromColumns(const QString& book)
    {
        dialogs.queueHook([this, book](QDialog& window) {
            Show_User_Profile& form = controller.profileWindows().sideProfileWindow();
            dialogs.queueOpenFile(book);
            dialogs.queueHook([](QDialog&) {
                Import_Excel& import = Import_Excel::defaultInstance();
                import.columns().setAllTicked(true);
                import.OKPressed();
            });
            window.findChild<QPushButton*>(QStringLiteral("excel_browse_btn"))->click();
            ASSERT_EQ(form.row(kName).ds_combo->count(), 3);
            for (const auto& [field, column] : {std::pair{kName, kNameColumn}, {kUnique, kIdColumn}, {kPhoto, kPhotoColumn}}) {
                form.selectSource(field, kSourceExcel);
                form.selectColumn(field, column + 1);
            }
            window.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
        });
        action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
    }

    // Export Cards… as PDF files into the folder; the closing box's message.
    QString exportCards(const QString& folder)
    {
        QString closing;
        dialogs.queueHook([](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            sheet.fileFormatPopup->setCurrentIndex(sheet.fileFormatPopup->findText(QStringLiteral("PDF")));
            sheet.exportFileTypeChanged();
            sheet.exportOkay();
        });
        dialogs.queueFolder(folder);
        dialogs.queueHook([&closing](QDialog& dialog) { closing = static_cast<Open_Export_Log&>(dialog)._open_log_message->text(); });
        action(QStringLiteral("Export_Button")).trigger();
        return closing;
    }

    // Print… every record, one card a sheet, into the PDF; the window's status line.
    QString printCards(const QString& pdf)
    {
        QString status;
        dialogs.queueHook([&](QDialog& dialog) {
            auto& window = static_cast<Print_Wnd&>(dialog);
            window.findChild<QSpinBox*>(QStringLiteral("Row_Text"))->setValue(1);
            window.findChild<QSpinBox*>(QStringLiteral("Col_Text"))->setValue(1);
            window.printToFile = pdf;
            window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
            status = window.findChild<QLabel*>(QStringLiteral("print_status"))->text();
            window.printToFile.clear();
        });
        action(QStringLiteral("Print_Button")).trigger();
        return status;
    }

    // Page `page` (from 1) of a PDF holding one card: its text, its barcodes and its photo's colour.
    static Card cardOn(const QString& pdf, int page)
    {
        const QString number = QString::number(page);
        Card card;
        card.text = QString::fromUtf8(
                        TestEnvironment::run(QStringLiteral("pdftotext"), {"-f", number, "-l", number, pdf, "-"}).out)
                        .simplified();
        const QString raster = pdf + QStringLiteral("-page") + number;
        constexpr int kDpi = 300;
        TestEnvironment::run(QStringLiteral("pdftoppm"),
                             {"-r", QString::number(kDpi), "-f", number, "-l", number, "-png", "-singlefile", pdf, raster});
        const auto read = TestEnvironment::run(QStringLiteral("zbarimg"), {"-q", "--raw", raster + ".png"});
        card.barcodes = QString::fromUtf8(read.out).split(u'\n', Qt::SkipEmptyParts);
        card.barcodes.sort();
        // The photo is all the colour a card has: the rest is black on white.
        const QImage picture(raster + ".png");
        int coloured = 0;
        double red = 0, green = 0, blue = 0;
        for (int y = 0; y < picture.height(); y += 4) {
            for (int x = 0; x < picture.width(); x += 4) {
                const QColor dot = picture.pixelColor(x, y);
                if (dot.saturation() < 100)
                    continue;
                ++coloured, red += dot.red(), green += dot.green(), blue += dot.blue();
            }
        }
        if (coloured)
            card.photo = QColor(int(red / coloured), int(green / coloured), int(blue / coloured));
        return card;
    }
    // Holder n's name, ID, photo and barcodes on the card, nothing of another holder's; for n 0
    // nothing of any holder.
    static void expectHolder(const Card& card, int n)
    {
        for (int other = 1; other <= 6; ++other) {
            EXPECT_EQ(card.text.contains(holder(other)), other == n) << other << " in " << card.text.toStdString();
            EXPECT_EQ(card.text.contains(holderId(other)), other == n) << other << " in " << card.text.toStdString();
        }
        const QStringList barcodes = n ? QStringList{holderEan(n), holderId(n)} : QStringList();
        EXPECT_EQ(card.barcodes, barcodes) << card.text.toStdString();
        EXPECT_EQ(card.photo.isValid(), n > 0);
        if (n && card.photo.isValid())
            EXPECT_LT(std::abs(card.photo.hue() - photoColour(n).hue()), 6) << card.photo.name().toStdString();
    }

    StandInPrinters printers;
};

}  // namespace

TEST_F(WorkbookRowPairingRoad, EveryCardShowsOneWorkbookRowOnBothRoads)
{
    const struct {
        QList<int> rows;  // holders in sheet order, 0 for an empty row
        const char* empty;
        QList<int> cards;  // the holder on each card, 0 for none
        bool print;
    } cases[] = {
        // An empty row keeps its place on both roads: its card shows nothing of anyone's.
        {{1, 2, 3, 4, 5, 0, 6}, "styled", {1, 2, 3, 4, 5, 0, 6}, true},
        {{0, 1, 2, 3, 4, 5, 6}, "blank", {0, 1, 2, 3, 4, 5, 6}, false},
        // A row the sheet does not store is no row on either road.
        {{1, 2, 3, 0, 4, 5, 6}, "missing", {1, 2, 3, 4, 5, 6}, false},
        // Empty rows below the last holder end both roads alike: no empty cards after it.
        {{1, 2, 3, 4, 5, 6, 0, 0}, "styled", {1, 2, 3, 4, 5, 6}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.empty);
        QDir(Data_Folder_Path).removeRecursively();
        QDir().mkpath(Data_Folder_Path);
        Loaded_Data_Table().ListData.clear();
        const QTemporaryDir work;  // the case's workbook and output
        const QString book = work.filePath(QStringLiteral("staff.xlsx"));
        ASSERT_NO_FATAL_FAILURE(writeWorkbook(book, c.rows, QLatin1String(c.empty)));
        ASSERT_NO_FATAL_FAILURE(importSeries(book));
        document.replaceGraphicsOnSide(SKTDocument::FrontSide,
                                       {seriesBarcode(QStringLiteral("Code 128"), QStringLiteral("ID"), kCodeBox),
                                        seriesBarcode(QStringLiteral("EAN-13"), QStringLiteral("EAN"), kEanBox)});
        ASSERT_NO_FATAL_FAILURE(profileFromColumns(book));
        // Both roads count the same records.
        const int cards = int(c.cards.size());
        EXPECT_EQ(Loaded_Data_Table().rowCount(), cards);
        for (const char* series : {"ID", "EAN"})
            EXPECT_EQ(SeriesStore().readRecords(QLatin1String(series)).values.size(), cards) << series;

        EXPECT_EQ(exportCards(work.path()),
                  QStringLiteral("Card has been exported successfully.\n\n%1 cards were written.").arg(cards));
        const QDir written(work.filePath(QStringLiteral("ZOVA ID Card")));
        EXPECT_EQ(written.entryList(QDir::Files).size(), cards);
        for (int k = 0; k < cards; ++k) {
            SCOPED_TRACE(k + 1);
            expectHolder(cardOn(written.filePath(QStringLiteral("Card_%1_Front.PDF").arg(k + 1)), 1), c.cards[k]);
        }
        // Printing runs the same records.
        if (c.print) {
            const QString pdf = work.filePath(QStringLiteral("printed.pdf"));
            EXPECT_EQ(printCards(pdf), QStringLiteral("%1 sheets went to %2.").arg(cards).arg(pdf));
            for (int k = 0; k < cards; ++k) {
                SCOPED_TRACE(k + 1);
                expectHolder(cardOn(pdf, k + 1), c.cards[k]);
            }
        }
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();
    }
}
