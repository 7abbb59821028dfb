// On the real window with a design open: a text bound to a series on the data-source page shows
// the series' first value on the card, a design opened again shows what its file holds whatever
// window opens and closes after, a double click on a barcode reaches the barcode window, and a
// print profile whose series flag is on leaves the print window's series box as the user left it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowFixture.h"
#include "platform/CanvasGlobals.h"
#include "support/CanvasMouse.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/barcodes/BarcodeWindowStandIn.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/PropertyInspector.h"
#include "views/output/OutputRangeBlock.h"
#include "views/print/PrintProfileStore.h"
#include "views/print/Print_Wnd.h"
#include "views/series/BatchWizard.h"
#include "views/print/StandInPrinters.h"
#include "views/series/SeriesValueModel.h"

namespace {

// The sample's title text, on the card.
const QRectF kTitle(70, 8, 165, 22);

class DataSourceRoadTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(openSampleWithStaffSeries("Ada Lovelace\nAlan Turing\n"));
        controller.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.window()));
    }

    SKTGraphicView& canvas() const { return *controller.editedGraphicView(); }
    QComboBox& combo(const char* name) const { return control<QComboBox>(name); }
    QImage cardPart(const QRectF& onCard) const
    {
        const double zoom = canvas().zoomFactor();
        const QRect shown(onCard.topLeft().toPoint() * zoom, onCard.bottomRight().toPoint() * zoom);
        return canvas().grab().toImage().copy(shown);
    }
};

TEST_F(DataSourceRoadTest, ATextBoundToASeriesShowsItsFirstValueOnTheCard)
{
    const QImage before = cardPart(kTitle);
    canvas_mouse::drag(canvas(), kTitle.center(), kTitle.center());
    ASSERT_EQ(canvas().selectedGraphics().size(), 1);
    const GraphicPtr text = canvas().selectedGraphics().first();
    ASSERT_EQ(text->kind(), GraphicKind::Text);
    ASSERT_TRUE(inspector().showPage(QStringLiteral("datasource_tab")));

    combo("Data_source_type").setCurrentIndex(combo("Data_source_type").findText("Series"));
    ASSERT_EQ(combo("Batch_Series").findText("Staff"), 0);
    combo("Batch_Series").setCurrentIndex(0);

    EXPECT_EQ(text->data_source_type, 1);
    EXPECT_EQ(text->batch_list_name, "Staff");
    EXPECT_EQ(text->Text_contents(), "Ada Lovelace");
    EXPECT_NE(cardPart(kTitle), before) << "the card shows the series' first value";
    // The design counts as changed once the window has looked again.
    EXPECT_TRUE(QTest::qWaitFor([this] { return controller.window()->isWindowModified(); }));
    EXPECT_TRUE(messages.texts().isEmpty());
}

// The series the title is bound to is imported anew and the design opened again: the card shows
// the value its file holds, at once, and no window opened and closed after changes it.
TEST_F(DataSourceRoadTest, AnOpenedDesignShowsWhatItsFileHoldsWhateverWindowClosesAfter)
{
    ASSERT_NO_FATAL_FAILURE(bindSampleTitleTo(QStringLiteral("Staff")));
    const QString design = scratch.filePath(QStringLiteral("bound.did"));
    dialogs.queueSaveFile(design);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    QFile staff(QDir(Data_Folder_Path).filePath("Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly) && staff.write("Grace Hopper\n") > 0);
    staff.close();
    dialogs.queueOpenFile(design);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    const QImage opened = cardPart(kTitle);
    StandInPrinters printers;
    for (const char* window : {"doPreferences", "Mail_Settings_Button", "toggleGridShowing", "Batch_Series_Button",
                               "Import_Wizard_Button", "Print_Button", "Mail_Button", "Export_Button"}) {
        dialogs.queueHook([](QDialog& shown) { shown.reject(); });
        action(QString::fromLatin1(window)).trigger();
        dialogs.clearHooks();
        EXPECT_EQ(document.graphics().first()->Text_contents(), "Ada Lovelace") << window;
        EXPECT_EQ(cardPart(kTitle), opened) << window;
    }
}

TEST_F(DataSourceRoadTest, ADoubleClickOnABarcodeReachesTheBarcodeWindow)
{
    GraphicPtr barcode;
    for (const GraphicPtr& graphic : document.graphics()) {
        if (graphic->kind() == GraphicKind::Barcode)
            barcode = graphic;
    }
    ASSERT_TRUE(barcode);
    QString shownValue;
    dialogs.queueHook([&shownValue](QDialog& window) {
        shownValue = window.findChild<QLineEdit*>(QStringLiteral("dataText"))->text();
    });
    const QPoint at = (barcode->bounds().center() * canvas().zoomFactor()).toPoint();
    QTest::mouseDClick(&canvas(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(shownValue, barcode->barcode.linear_font_val) << "the barcode window opens on that barcode";
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(inspector().sett_tab().currentWidget()->objectName(), "barcode_tab");
}

// The File menu's series command opens the manager on the design: a series bound to a card element
// is not deleted, another is, and the data-source page's list follows once the manager closes.
TEST_F(DataSourceRoadTest, TheSeriesManagerSparesABoundSeriesAndThePageFollowsItsChanges)
{
    QFile guests(QDir(Data_Folder_Path).filePath("Guests.txt"));
    ASSERT_TRUE(guests.open(QIODevice::WriteOnly));
    guests.write("Grace Hopper\n");
    guests.close();
    canvas_mouse::drag(canvas(), kTitle.center(), kTitle.center());
    ASSERT_TRUE(inspector().showPage(QStringLiteral("datasource_tab")));
    combo("Data_source_type").setCurrentIndex(combo("Data_source_type").findText("Series"));
    combo("Batch_Series").setCurrentIndex(combo("Batch_Series").findText("Staff"));
    ASSERT_EQ(canvas().selectedGraphics().first()->batch_list_name, "Staff");

    QStringList alerts;
    dialogs.queueHook([&](QDialog& window) {
        BatchWizard& manager = BatchWizard::defaultInstance();
        EXPECT_EQ(&window, &manager.view());
        EXPECT_EQ(manager.ListData().texts(), (QStringList{"Guests", "Staff"}));
        auto* list = window.findChild<QTableView*>(QStringLiteral("List"));
        for (const int row : {1, 0}) {
            list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            dialogs.queueHook([&](QDialog& alert) { alerts << static_cast<QMessageBox&>(alert).text(); });
            manager.Delete_List_Btn_Clicked();
        }
        manager.Close_Btn_Clicked();
    });
    action(QStringLiteral("Batch_Series_Button")).trigger();
    EXPECT_EQ(alerts, QStringList{seriesInUseDeleteMessage("Staff")});
    EXPECT_TRUE(QFile::exists(QDir(Data_Folder_Path).filePath("Staff.txt")));
    EXPECT_FALSE(QFile::exists(QDir(Data_Folder_Path).filePath("Guests.txt")));
    EXPECT_EQ(combo("Batch_Series").count(), 1);
    EXPECT_EQ(combo("Batch_Series").currentText(), "Staff");
}

// Two records of Staff, or two rows of two cards with the series box off. The box's state and the
// total are looked at on opening, after unticking, after choosing the "Y" profile, and after
// ticking the box again and choosing that profile once more.
TEST_F(DataSourceRoadTest, AProfileWithTheSeriesFlagLeavesTheSeriesBoxTheUserTurnedOff)
{
    ASSERT_NO_FATAL_FAILURE(bindSampleTitleTo(QStringLiteral("Staff")));
    print_profile_path = scratch.filePath(QStringLiteral("profiles"));
    ASSERT_TRUE(QDir().mkpath(print_profile_path.get()));
    const PrintProfileStore store(print_profile_path.get());
    for (const char* flag : {"N", "Y"}) {
        const QStringList items{"Card Printer", "A4", "210.00 x 297.00", "210.00", "297.00", "Portrait", "2", "2",
                                "4.00", "4.00", "0.00", "0", "0", "0", "0", "1", "N", "F", "0", "N", "FH", "Y",
                                flag, "N", "N", "N"};
        EXPECT_TRUE(store.write(store.entryFor(flag == QLatin1String("N") ? "Default" : "Office"), items));
    }
    StandInPrinters printers;
    QList<std::pair<bool, int>> shown;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& window = static_cast<Print_Wnd&>(dialog);
        OutputRangeBlock& range = window.rangeBlock();
        auto* profiles = window.findChild<QTableWidget*>(QStringLiteral("List_profile"));
        const auto look = [&] { shown.append(std::make_pair(range.Export_with_batch_chk->isChecked(), range.Total_Text->value())); };
        look();
        range.Export_with_batch_chk->click();
        profiles->selectRow(1);
        look();
        range.Export_with_batch_chk->click();
        profiles->selectRow(0);
        profiles->selectRow(1);
        look();
        window.reject();
    });
    action(QStringLiteral("Print_Button")).trigger();
    print_profile_path = QString();
    EXPECT_EQ(shown, (QList<std::pair<bool, int>>{{true, 2}, {false, 4}, {true, 2}}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

}  // namespace
