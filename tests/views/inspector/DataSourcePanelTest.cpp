// The data-source page: where a text's or picture's value comes from, the binding written into
// the selection and the first value shown, over series files made in the test's data folder and a
// loaded spreadsheet table.
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ElementPanelFixture.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesFiles.h"
#include "model/SKTGraphicKinds.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/dialogs/Long_SMS_Dlg.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/series/DataRowsModel.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/SeriesValueModel.h"
#include "views/series/View_Data_Series.h"

namespace {

QString shown(const QString& text)
{
    return QLatin1Char('\n') + text;
}

class DataSourcePanelTest : public ElementPanelFixture {
protected:
    void SetUp() override
    {
        ElementPanelFixture::SetUp();
        Excel_Binding_Use = true;
        // The user's folder lies in the test's own data folder (XDG_DATA_HOME).
        Data_Folder_Path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("DataSet");
        QDir(Data_Folder_Path).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        writeSeries("Names", "Ann\nBob\n");
        writeSeries("codes", "A-100\nA-101\n");
        Data_From_Excel& table = Loaded_Data_Table();
        table.ListData.clear(), table.ColList.removeDataColumns();
        table.ColList.addColumn("Column1", "Name"), table.ColList.addColumn("Column2", "Photo");
        table.Create_List_By_Array({"Cleo", "/photos/cleo.jpg"}, 2);
        table.Create_List_By_Array({"Dan", "/photos/dan.jpg"}, 2);
    }
    void TearDown() override
    {
        QDir(Data_Folder_Path).removeRecursively();
        Loaded_Data_Table().ListData.clear(), Loaded_Data_Table().ColList.removeDataColumns();
        Excel_Binding_Use = false;
        ElementPanelFixture::TearDown();
    }

    static void writeSeries(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir(Data_Folder_Path).filePath(name + ".txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QComboBox& combo(const char* name) const { return *view.findChild<QComboBox*>(QString::fromLatin1(name)); }
    QStringList entries(const char* name) const
    {
        QStringList texts;
        for (int i = 0; i < combo(name).count(); ++i)
            texts << combo(name).itemText(i);
        return texts;
    }
};

TEST_F(DataSourcePanelTest, ASeriesBindsTheUnlockedTextsShowingItsFirstValueAndManualUnbindsThem)
{
    const GraphicPtr first = add(GraphicKind::Text), second = add(GraphicKind::Text), locked = add(GraphicKind::Text);
    const GraphicPtr line = add(GraphicKind::Line);
    locked->ctrl_is_locked = true;
    selectAndShow({first, second, locked, line});
    EXPECT_EQ(entries("Data_source_type"), (QStringList{"Manual", "Series", "Excel"}));
    EXPECT_FALSE(combo("Batch_Series").isEnabled());

    choose("Data_source_type", 1);
    EXPECT_EQ(entries("Batch_Series"), (QStringList{"codes", "Names"}));  // the folder, by name
    EXPECT_EQ(combo("Batch_Series").currentIndex(), -1);                  // nothing chosen yet
    EXPECT_TRUE(combo("Batch_Series").isEnabled());
    EXPECT_EQ(first->data_source_type, 1);
    EXPECT_EQ(first->batch_list_name, "");
    EXPECT_EQ(window.snapshots, 1);

    choose("Batch_Series", 1);
    for (const GraphicPtr& bound : {first, second}) {
        EXPECT_EQ(bound->data_source_type, 1);
        EXPECT_EQ(bound->batch_list_name, "Names");
        EXPECT_EQ(bound->batch_list_index, 1);
        EXPECT_EQ(bound->Text_contents(), "Ann");
    }
    EXPECT_EQ(locked->data_source_type, 0);
    EXPECT_EQ(locked->Text_contents(), "Text here");
    EXPECT_EQ(line->data_source_type, 0);
    EXPECT_EQ(window.snapshots, 2);
    EXPECT_EQ(window.refreshes, 2);

    // "Manual" unbinds and keeps the text.
    choose("Data_source_type", 0);
    EXPECT_EQ(first->data_source_type, 0);
    EXPECT_EQ(first->batch_list_name, "");
    EXPECT_EQ(first->batch_list_index, -1);
    EXPECT_EQ(first->Text_contents(), "Ann");
    EXPECT_EQ(combo("Batch_Series").count(), 0);
    EXPECT_FALSE(combo("Batch_Series").isEnabled());
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(DataSourcePanelTest, TheLoadShowsTheBindingAndWritesNothing)
{
    const GraphicPtr bound = add(GraphicKind::Text), unnamed = add(GraphicKind::Text), column = add(GraphicKind::Text);
    bound->Set_Data_source_type(1), bound->Set_Batch_List_Name("Names"), bound->Set_Batch_List_Index(1);
    unnamed->Set_Data_source_type(1);
    column->Set_Data_source_type(2), column->Set_Excel_binding_Index(2);
    selectAndShow({bound});
    EXPECT_EQ(combo("Data_source_type").currentText(), "Series");
    EXPECT_EQ(combo("Batch_Series").currentText(), "Names");
    EXPECT_TRUE(combo("Batch_Series").isEnabled());
    // The series is found by its name whatever its case, as output finds it.
    bound->Set_Batch_List_Name("NAMES");
    selectAndShow({bound});
    EXPECT_EQ(combo("Batch_Series").currentText(), "Names");
    EXPECT_EQ(Get_Data_SetIndex_According_Name({"codes", "Names"}, "nAmEs"), 1);
    EXPECT_EQ(Get_Data_SetIndex_According_Name({"codes", "Names"}, "Name"), -1);
    EXPECT_EQ(Get_Data_SetIndex_According_Name({"codes", "Names"}, QString()), -1);
    bound->Set_Batch_List_Name("Names");
    selectAndShow({unnamed});
    EXPECT_EQ(combo("Batch_Series").currentIndex(), -1);
    selectAndShow({column});
    EXPECT_EQ(entries("Batch_Series"), (QStringList{Loaded_Data_Table().ColList.titles()}));
    EXPECT_EQ(combo("Batch_Series").currentText(), "Photo");

    EXPECT_EQ(bound->batch_list_name, "Names");
    EXPECT_EQ(unnamed->Text_contents(), "Text here");
    EXPECT_EQ(window.snapshots, 0);
    EXPECT_TRUE(messages.texts().isEmpty());

    // Without a spreadsheet in the design the choice is not offered.
    Excel_Binding_Use = false;
    selectAndShow({bound});
    EXPECT_EQ(entries("Data_source_type"), (QStringList{"Manual", "Series"}));
}

TEST_F(DataSourcePanelTest, AColumnBindsTextsAndThePictureLockedOrNotToTheFirstRow)
{
    const GraphicPtr text = add(GraphicKind::Text);
    selectAndShow({text});
    choose("Data_source_type", 2);
    choose("Batch_Series", 1);
    EXPECT_EQ(text->data_source_type, 2);
    EXPECT_TRUE(text->excel_binding);
    EXPECT_EQ(text->excel_col_indx, 1);
    EXPECT_EQ(text->Text_contents(), "Cleo");

    const GraphicPtr picture = add(GraphicKind::Image);
    selectAndShow({picture});
    choose("Data_source_type", 2);
    choose("Batch_Series", 2);
    EXPECT_EQ(picture->excel_col_indx, 2);
    EXPECT_EQ(picture->FilePath(), "/photos/cleo.jpg");

    // A locked picture is bound too and shows the first record's picture, one step each time.
    const int snapshots = window.snapshots;
    picture->ctrl_is_locked = true;
    QTemporaryDir photos;
    QImage red(6, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString photo = photos.filePath("eve.png");
    ASSERT_TRUE(red.save(photo));
    Loaded_Data_Table().ListData.clear();
    Loaded_Data_Table().Create_List_By_Array({"Eve", photo}, 2);
    choose("Batch_Series", 1);
    EXPECT_EQ(picture->excel_col_indx, 1);
    EXPECT_EQ(picture->FilePath(), "Eve");
    choose("Batch_Series", 2);
    EXPECT_EQ(picture->excel_col_indx, 2);
    EXPECT_EQ(picture->FilePath(), photo);
    EXPECT_EQ(picture->_contents.size(), QSize(6, 4));
    EXPECT_EQ(picture->_contents.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_TRUE(picture->ctrl_is_locked);
    choose("Data_source_type", 0);
    EXPECT_EQ(picture->data_source_type, 0);
    EXPECT_EQ(window.snapshots, snapshots + 3);
}

// "View" asks for a series until one is chosen, then shows it in the series viewer; with a column
// it shows the loaded data table.
TEST_F(DataSourcePanelTest, TheViewButtonAsksForASeriesThenShowsItOrTheLoadedTable)
{
    const GraphicPtr text = add(GraphicKind::Text);
    selectAndShow({text});
    ScriptedDialogPresenter dialogs;
    QStringList windows;
    for (int i = 0; i < 2; ++i)
        dialogs.queueHook([&](QDialog& window) { windows << window.windowTitle(); });
    QPushButton& viewButton = control<QPushButton>("view_series_btn");
    choose("Data_source_type", 1);
    viewButton.click();
    choose("Batch_Series", 1);
    viewButton.click();
    EXPECT_EQ(View_Data_Series::defaultInstance().file_name, "Names");
    EXPECT_EQ(View_Data_Series::defaultInstance().ListData().texts(), (QStringList{"Ann", "Bob"}));
    choose("Data_source_type", 2);
    viewButton.click();
    EXPECT_EQ(LoadedDataTableWindow::defaultInstance().model().rowCount(), 2);
    EXPECT_EQ(messages.texts(), QStringList{shown("Please select the series.")});
    EXPECT_EQ(windows, (QStringList{"View Series", "Spreadsheet Data"}));
    EXPECT_EQ(text->data_source_type, 2);
}

TEST_F(DataSourcePanelTest, TheHelpButtonExplainsTheThreeSourcesInTheHelpBox)
{
    selectAndShow({add(GraphicKind::Text)});
    QString title, text;
    dialogs.queueHook([&](QDialog& box) {
        title = box.windowTitle();
        text = static_cast<Long_SMS_Dlg&>(box)._Msg_Val->text();
    });
    control<QAbstractButton>("Data_Source_Help_Button").click();
    EXPECT_EQ(title, "Batch Processing Settings Help :");
    EXPECT_EQ(text, "Select Data Source as 'Manual' to enter value manually.\n"
                    "Select 'Series' to fetch the value from the list of existing Batch Processing Series.\n"
                    "Select 'Excel' to fetch the value from the selected excel file.");
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(DataSourcePanelTest, TwoPicturesOrNoSeriesAreRefusedWithTheirMessages)
{
    const GraphicPtr picture = add(GraphicKind::Image), other = add(GraphicKind::Image);
    selectAndShow({picture});
    window.frontView.changeSelectionIndexes({0, 1});
    choose("Data_source_type", 1);
    choose("Batch_Series", 0);
    EXPECT_EQ(picture->data_source_type, 0);
    EXPECT_EQ(other->data_source_type, 0);
    EXPECT_EQ(messages.texts(), QStringList(2, shown("Please select only one image control to 'Select Image'.")));

    QDir(Data_Folder_Path).removeRecursively();
    const GraphicPtr text = add(GraphicKind::Text);
    selectAndShow({text});
    choose("Data_source_type", 1);
    EXPECT_EQ(messages.texts().last(), shown("Please create batch processing series first."));
    EXPECT_EQ(text->data_source_type, 0);
    EXPECT_EQ(combo("Batch_Series").count(), 0);
}

TEST_F(DataSourcePanelTest, ASeriesThatCannotBeReadIsReportedAndChangesNothing)
{
    writeSeries("Broken", QByteArray("\xff\xfe\x00P\x00h\x00o\x00t\x00o\n", 13));
    const GraphicPtr text = add(GraphicKind::Text);
    text->Set_Data_source_type(1), text->Set_Batch_List_Name("Names"), text->Set_Batch_List_Index(1);
    selectAndShow({text});
    choose("Batch_Series", 0);
    EXPECT_EQ(messages.texts(), QStringList{shown("The series \"Broken\" cannot be read: it is not a text file.")});
    EXPECT_EQ(text->batch_list_name, "Names");
    EXPECT_EQ(text->Text_contents(), "Text here");
    EXPECT_EQ(window.snapshots, 0);
    EXPECT_EQ(Get_First_Value_Of_Dataset("Broken"), "");  // what batch output reads of it
}

}  // namespace
