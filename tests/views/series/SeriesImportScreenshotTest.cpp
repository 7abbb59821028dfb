// Pictures of the import window, series from sheet columns, the import wizard and the generator as a person sees them, with
// real content, on an X server under a window manager.
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include "SeriesWindowFixture.h"
#include "support/WindowFrame.h"
#include "views/series/Generate_List.h"
#include "views/series/Import_Excel.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/Import_Wizard.h"
#include "views/series/SheetColumnList.h"

namespace {

class SeriesImportScreenshots : public SeriesWindowFixture {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
        SeriesWindowFixture::SetUp();
        ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    }
    // Shows the dialog, waits for its frame and saves the framed window.
    void shoot(QDialog& dialog, const QString& file)
    {
        const QMargins frame = showFramed(dialog);
        EXPECT_TRUE(grabFramed(dialog, frame).save(artifacts.filePath(file)));
    }

    const QDir artifacts{QStringLiteral(ZOVA_SERIES_ARTIFACT_DIR)};
};

}  // namespace

TEST_F(SeriesImportScreenshots, TheImportWindowTheWizardAndTheGenerator)
{
    Import_Excel sheet(links);
    sheet.open_mode = "E";
    dialogs.queueHook([&](QDialog& dialog) {
        sheet.columns().setTicked(0, true);
        sheet.columns().setTicked(3, true);
        shoot(dialog, "import-window.png");
        sheet.CancelPressed();
    });
    sheet.Open_excel_Wnd(workbook());

    Import_Excel_DataSheet columns(links);
    dialogs.queueHook([&](QDialog& dialog) {
        columns.columns().setTicked(0, true);
        columns.columns().setTicked(2, true);
        columns.columns().setSeriesName(2, "Photos");
        shoot(dialog, "series-from-columns.png");
        columns.CancelPressed();
    });
    columns.Open_excel_datasheet_Wnd(workbook());

    Import_Wizard wizard(links);
    wizard.flags = {1, 0};
    dialogs.queueHook([&](QDialog& dialog) {
        wizard.Manual_RD_Pressed();
        wizard.findChild<QLineEdit*>("Manual_file_name")->setText("Visitors");
        wizard.findChild<QPlainTextEdit*>("ManualEdit")->setPlainText(
            QStringLiteral("Ada Lovelace\nGrace Hopper\nKatherine Johnson\nZoë Dupré\n"));
        shoot(dialog, "import-wizard.png");
        wizard.CancelPressed();
    });
    wizard.Open_Wnd();

    Generate_List generator(links);
    generator.flags = {1, 0};
    dialogs.queueHook([&](QDialog& dialog) {
        generator.findChild<QLineEdit*>("seq_file_name")->setText("Badge numbers");
        generator.findChild<QLineEdit*>("prefix_txt")->setText("ID-");
        generator.findChild<QLineEdit*>("suffix_txt")->setText("-A");
        generator.findChild<QLineEdit*>("from_txt")->setText("1");
        generator.findChild<QLineEdit*>("to_txt")->setText("250");
        generator.findChild<QCheckBox*>("manage_digit_chk")->setChecked(true);
        shoot(dialog, "series-generator.png");
        generator.CancelPressed();
    });
    generator.Open_Wnd();
}
