// The print window on an X server under a window manager, pictured as a user sees it: the window
// with a 2 x 5 sheet of cards, its profile table, the sheet preview and the print preview window of
// that sheet; then the same sheet printed to a PDF file through the window's Print button.
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "PrintTestSheet.h"
#include "StandInPrinters.h"
#include "platform/CanvasGlobals.h"
#include "platform/PropertyList.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/WindowFrame.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/PrintJob.h"
#include "views/print/Print_Wnd.h"
#include "views/print/Sample_Preview.h"

namespace {

QString artifact(const QString& file)
{
    return QDir(QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR)).filePath(file);
}

void picture(QWidget& window, const QString& file)
{
    const QMargins frame = showFramed(window);
    EXPECT_TRUE(grabFramed(window, frame).save(artifact(file)));
}

void writeProfile(const QString& folder, const QString& name, const QStringList& items)
{
    QVariantList values;
    for (const QString& item : items)
        values.append(item);
    ASSERT_TRUE(PropertyList::writeFile(folder + u'/' + name + QStringLiteral(".zvp"), values, PropertyList::Format::Xml));
}

// Ten 80 x 48 mm badges, two columns of five, centred on Letter paper.
QStringList badgeSheet()
{
    return {"Office Laser", "Letter", "215.90 x 279.40", "215.90", "279.40", "Portrait", "5", "2", "0.00", "0.00",
            "0.00", "6.35", "6.35", "6.35", "6.35", "1", "Y", "F", "0", "N", "FH", "Y", "N", "N", "Y", "N"};
}

}  // namespace

TEST(PrintWindowScreenshots, TheWindowItsProfilesTheSheetPreviewAndThePrintPreview)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR)));
    QTemporaryDir profiles;
    print_profile_path = profiles.path();
    QStringList standard = badgeSheet();
    standard[6] = standard[7] = "1";
    standard[16] = "N";
    standard[24] = "N";
    writeProfile(profiles.path(), "Default", standard);
    writeProfile(profiles.path(), "Badges 2 x 5", badgeSheet());
    QStringList duplex = badgeSheet();
    duplex[17] = "BOTH";
    duplex[18] = "3";
    writeProfile(profiles.path(), "Duplex cards", duplex);
    QPageLayout portrait = printInfo();
    portrait.setOrientation(QPageLayout::Portrait);
    setPrintInfo(portrait);
    StandInPrinters printers;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed(messages);
    ScriptedDialogPresenter dialogs;

    const QSizeF badge(80 * 72 / 25.4, 48 * 72 / 25.4);
    PrintDesign design{false, 0, false, false, PrintTest::colouredCard(QColor(52, 101, 164), badge), {}};
    Print_Wnd window;
    window.resize(1180, 760);
    window.prepare(design, [](bool, bool) { return 1; });
    window.profiles().Make_select_on_index(0);  // "Badges 2 x 5"
    window.findChild<QTableWidget*>(QStringLiteral("List_profile"))->selectRow(0);
    const PrintSheetSettings& sheet = window.logic.settings();
    EXPECT_EQ(std::pair(sheet.Print_Row, sheet.Print_Col), std::pair(5, 2));
    EXPECT_TRUE(sheet.auto_center_flag && sheet.Enable_Crop_Marks);

    QString pdf;
    window.executePrinting = [&](bool preview) {
        QPrinter printer;
        window.setUpPrinter(printer);
        if (!preview)
            PrintTest::printToPdf(printer, sheet, pdf);
        PrintJob job(sheet, PrintRecords{}, &window);
        job.Execute_Printing(preview, printer, printRangeFrom(window.rangeBlock()));
    };
    picture(window, "print-window.png");
    EXPECT_TRUE(window.findChild<QGroupBox*>(QStringLiteral("profile_box"))->grab().save(artifact("print-profiles.png")));
    EXPECT_TRUE(window.previewWidget()->grab().save(artifact("print-sheet-preview.png")));

    int previews = 0;
    dialogs.queueHook([&](QDialog& dialog) {
        ASSERT_TRUE(qobject_cast<QPrintPreviewDialog*>(&dialog));
        ++previews;
        // As it opens: most of the screen, the whole sheet in view.
        picture(dialog, "print-preview-2x5.png");
        dialog.hide();
    });
    window.findChild<QPushButton*>(QStringLiteral("PreviewButton"))->click();
    EXPECT_EQ(previews, 1);

    // The same sheet printed: one page, the ten cards centred with their crop marks round them.
    QTemporaryDir output;
    pdf = output.filePath("sheet.pdf");
    window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
    EXPECT_EQ(PrintTest::pdfPages(pdf), 1);
    // Auto-centre: gaps of (576 - 2 x 226.77) / 3 = 40.82 across and (756 - 5 x 136.06) / 6 = 12.62
    // down, so the cards span x 58.82-553.18 and y 30.62-761.40; crop marks reach 20 points further.
    EXPECT_EQ(PrintTest::trimmedBox(pdf, 1, output.path()), "534x770+39+11");
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();

    // A two-sided design with the duplex profile: one card a sheet, rows, columns and gaps locked.
    design.twoSided = true;
    design.back_image = PrintTest::colouredCard(QColor(204, 102, 0), badge);
    window.prepare(design, [](bool, bool) { return 1; });
    window.profiles().Make_select_on_index(2);  // "Duplex cards"
    EXPECT_TRUE(sheet.Duplex_Printing);
    EXPECT_EQ(std::pair(sheet.Print_Row, sheet.Print_Col), std::pair(1, 1));
    picture(window, "print-window-duplex.png");
    print_profile_path = QString();
}
