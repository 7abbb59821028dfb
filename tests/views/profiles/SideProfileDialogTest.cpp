// The side profile dialog over a stand-in main window: filling from the side's profile elements,
// the rules of sources, columns and check boxes, the records it writes, loading the spreadsheet
// again with Cancel's restore, the photo, the series manager and the preview.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ProfileDialogFixture.h"
#include "support/TestEnvironment.h"
#include "views/profiles/ProfileDialogWindow.h"
#include "views/profiles/Show_User_Profile.h"
#include "views/dialogs/WholeTitles.h"
#include "views/series/Import_Excel.h"
#include "views/series/SheetColumnList.h"

namespace {

enum Field { Name = 0, Title = 1, Company = 2, Phone = 5, Fax = 6, Email = 7, Unique = 9, Photo = 10 };

class SideProfileTest : public ProfileDialogFixture {
protected:
    void SetUp() override
    {
        ProfileDialogFixture::SetUp();
        dialog.load_side = QStringLiteral("F");
    }
    // Opens the dialog without its modal run.
    void prepare() { dialog.Prepare_Wnd(); }
    void type(int field, const QString& text) { QTest::keyClicks(dialog.row(field).value, text); }
    QPushButton* button(const char* name) const { return dialog.window().findChild<QPushButton*>(QLatin1String(name)); }
    // A workbook made by openpyxl with a header row and the given rows.
    QString workbook(const QString& name, const QStringList& header, const QList<QStringList>& rows) const
    {
        QString script = QStringLiteral("import sys, openpyxl\nwb = openpyxl.Workbook()\nws = wb.active\n");
        auto quoted = [](const QStringList& cells) { return QStringLiteral("['") + cells.join(QStringLiteral("','")) + "']"; };
        script += QStringLiteral("ws.append(%1)\n").arg(quoted(header));
        for (const QStringList& cells : rows)
            script += QStringLiteral("ws.append(%1)\n").arg(quoted(cells));
        script += QStringLiteral("wb.save(sys.argv[1])\n");
        const QString path = work.filePath(name);
        const auto result = TestEnvironment::runPython(script, {path});
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        return path;
    }
    // Browse answered Yes (when asked) with this workbook chosen and every column imported.
    void loadAgain(const QString& path)
    {
        messages.queueAnswers({0});
        dialogs.queueOpenFile(path);
        dialogs.queueHook([](QDialog& window) {
            auto& import = static_cast<Import_Excel&>(window);
            import.columns().setAllTicked(true);
            import.OKPressed();
        });
        dialog.Browse_excel_Btn_Clicked();
    }
    static QStringList tableColumn(int index)
    {
        QStringList values;
        for (int r = 0; r < Loaded_Data_Table().rowCount(); ++r)
            values << Loaded_Data_Table().Get_Item_Text(r, index).value_or(QStringLiteral("<none>"));
        return values;
    }

    Show_User_Profile dialog{host};
};

}  // namespace

TEST_F(SideProfileTest, OpensFilledFromTheVisibleProfileElementsOfTheSideInForce)
{
    host.side = 1;
    const QString photo = picture(QStringLiteral("ann.png"), Qt::darkGreen);
    GraphicPtr name = element(GraphicKind::Text, QStringLiteral(" Fup_Name "), QStringLiteral("Ann Lee"));
    GraphicPtr caption = element(GraphicKind::Text, QStringLiteral("Fup_lbl_Name"), QStringLiteral("Staff :"));
    GraphicPtr hidden = element(GraphicKind::Text, QStringLiteral("Fup_Title"), QStringLiteral("Hidden"));
    hidden->ctrl_is_visible = false;
    GraphicPtr barcode = element(GraphicKind::Barcode, QStringLiteral("Fup_Company"), QStringLiteral("123"));
    GraphicPtr phone = element(GraphicKind::Text, QStringLiteral("Fup_PhoneNO"), QStringLiteral("old"));
    phone->data_source_type = 1;
    phone->batch_list_name = QStringLiteral("names");  // matched without regard to case
    GraphicPtr fax = element(GraphicKind::Text, QStringLiteral("Fup_FaxNo"), QStringLiteral("555"));
    fax->data_source_type = 1;
    fax->batch_list_name = QStringLiteral("Gone");
    fax->ctrl_is_locked = true;
    GraphicPtr email = element(GraphicKind::Text, QStringLiteral("Fup_EmailID"), QStringLiteral("a@b"));
    email->data_source_type = 1;
    email->batch_list_name = QStringLiteral("Gone");
    GraphicPtr picture = element(GraphicKind::Image, QStringLiteral("Fup_Photo"));
    picture->_file_path = QStringLiteral("  ") + photo + QStringLiteral(" \n");
    host.backElements = {name, caption, hidden, barcode, phone, fax, email, picture};
    host.frontElements = {element(GraphicKind::Text, QStringLiteral("Fup_Title"), QStringLiteral("Front only"))};

    prepare();

    EXPECT_EQ(dialog.window().windowTitle(), QStringLiteral("Back Side User Profile Information"));
    EXPECT_EQ(dialog.row(Name).value->text(), QStringLiteral("Ann Lee"));
    EXPECT_TRUE(dialog.valueCheck(Name)->isChecked());
    EXPECT_EQ(dialog.captionBox(Name)->text(), QStringLiteral("Staff :"));
    EXPECT_TRUE(dialog.labelCheck(Name)->isChecked());
    EXPECT_EQ(dialog.row(Title).value->text(), QString());  // hidden: as if it had none
    EXPECT_FALSE(dialog.valueCheck(Title)->isChecked());
    EXPECT_EQ(dialog.captionBox(Title)->text(), QStringLiteral("Position / Title :"));
    EXPECT_EQ(dialog.row(Company).value->text(), QString());  // a barcode is no profile field
    // The series is chosen by name and its first value shown.
    EXPECT_EQ(dialog.sourceIndex(Phone), 1);
    EXPECT_EQ(dialog.row(Phone).ser_col_cb->currentText(), QStringLiteral("Names"));
    EXPECT_EQ(dialog.row(Phone).value->text(), QStringLiteral("Ann Lee"));
    EXPECT_TRUE(dialog.row(Phone).value->isReadOnly());
    // A missing series: a locked field falls back to typed, an open one waits for a choice.
    EXPECT_EQ(dialog.sourceIndex(Fax), 0);
    EXPECT_FALSE(dialog.row(Fax).value->isEnabled());
    EXPECT_FALSE(dialog.row(Fax).ds_combo->isEnabled());
    EXPECT_EQ(dialog.sourceIndex(Email), 1);
    EXPECT_EQ(dialog.columnIndex(Email), -1);
    EXPECT_EQ(dialog.controls().photo.image_path_val->text(), photo);
    EXPECT_TRUE(dialog.controls().photo.invalid_source_label->isHidden());
    EXPECT_FALSE(dialog.controls().photo.user_picture->pixmap().isNull());

    // OK names the field still without a series, and writes nothing.
    dialog.OK_Btn_Clicked();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nPlease select the 'Series / Excel Column' for 'Email Id'")});
    EXPECT_EQ(host.front.Name, QString());
    // A locked row is still written.
    dialog.selectSource(Email, 0);
    dialog.load_side = QStringLiteral("B");
    dialog.OK_Btn_Clicked();
    EXPECT_EQ(dialog.window().result(), 1);
    for (const User_Profile_Class* record : {&host.front, &host.back}) {
        EXPECT_EQ(record->fax, QStringLiteral("555"));
        EXPECT_EQ(record->phone, QStringLiteral("Ann Lee"));
        EXPECT_TRUE(record->phone_ds);
        EXPECT_EQ(record->phone_ds_name, QStringLiteral("Names"));
        EXPECT_EQ(record->phone_ds_indx, 1);
        EXPECT_EQ(record->image, photo);
        EXPECT_TRUE(record->image_USE);
    }
}

TEST_F(SideProfileTest, WritesShownValuesAndCaptionsOnlyAndKeepsBindingsOfHiddenValues)
{
    loadTable({QStringLiteral("Dept"), QStringLiteral("Code")}, {{QStringLiteral("Sales"), QString()}});
    Excel_Source_Path = QStringLiteral("/old/people.xlsx");
    prepare();
    type(Name, QStringLiteral("  Zoe  "));
    dialog.selectSource(Title, 2);
    dialog.selectColumn(Title, 1);
    dialog.selectSource(Unique, 2);
    dialog.selectColumn(Unique, 2);
    dialog.valueCheck(Title)->click();  // off: the value stays off the card, the binding stays
    QTest::keyClicks(dialog.captionBox(Company), QStringLiteral("X"));
    dialog.captionBox(Phone)->setText(QStringLiteral("typed by code"));

    EXPECT_TRUE(dialog.valueCheck(Name)->isChecked());  // typing ticks it
    EXPECT_TRUE(dialog.labelCheck(Company)->isChecked());
    EXPECT_FALSE(dialog.labelCheck(Phone)->isChecked());
    EXPECT_EQ(dialog.row(Title).value->text(), QStringLiteral("Sales"));
    EXPECT_EQ(dialog.row(Unique).value->text(), QStringLiteral(" "));  // an empty cell
    ASSERT_TRUE(dialog.Fill_Front_User_profile_value_in_Variable());

    EXPECT_EQ(host.front.Name, QStringLiteral("  Zoe  "));
    EXPECT_EQ(host.front.Title, QString());
    EXPECT_TRUE(host.front.Title_xl);
    EXPECT_EQ(host.front.Title_xl_col_indx, 1);
    EXPECT_EQ(host.front.unique, QStringLiteral(" "));
    EXPECT_EQ(host.front.Name_label, QString());
    EXPECT_EQ(host.front.Company_name_label, QStringLiteral("Company Name :X"));
    EXPECT_EQ(host.front.phone_label, QString());
    EXPECT_TRUE(host.front.image_USE);
    EXPECT_EQ(host.front.Name_id, QStringLiteral("Fup_Name"));
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/old/people.xlsx"));

    // The preview record gets the same form; the spreadsheet state and image_USE are not its own.
    Excel_Binding_Use = false;
    host.preview.image_USE = false;
    ASSERT_TRUE(dialog.Fill_TEMP_User_profile_value_in_Variable());
    EXPECT_EQ(host.preview.Name, QStringLiteral("  Zoe  "));
    EXPECT_FALSE(host.preview.image_USE);
    EXPECT_FALSE(Excel_Binding_Use);
    EXPECT_EQ(host.back.Name, QString());  // "F": the back record is not written
}

TEST_F(SideProfileTest, CheckBoxesSetWhatTheBoxesAllowAndTypingTicksThem)
{
    prepare();
    dialog.labelCheck(Name)->click();
    dialog.labelCheck(Name)->click();
    EXPECT_FALSE(dialog.captionBox(Name)->isEnabled());
    EXPECT_EQ(dialog.captionBox(Name)->text(), QStringLiteral("Name :"));
    dialog.selectSource(Phone, 1);
    dialog.valueCheck(Phone)->click();
    EXPECT_TRUE(dialog.row(Phone).value->isEnabled());
    EXPECT_TRUE(dialog.row(Phone).value->isReadOnly());
    dialog.selectColumn(Phone, 0);  // "Blank": an empty first line is shown as " "
    EXPECT_EQ(dialog.row(Phone).value->text(), QStringLiteral(" "));
    dialog.selectSource(Phone, 0);  // back to typed: the sample stays as a typed value
    EXPECT_EQ(dialog.row(Phone).value->text(), QStringLiteral(" "));
    EXPECT_FALSE(dialog.row(Phone).value->isReadOnly());
    EXPECT_EQ(dialog.row(Phone).ser_col_cb->count(), 0);
    EXPECT_FALSE(dialog.row(Phone).view_btn->isEnabled());
    dialog.Reset_Btn_Clicked();
    EXPECT_EQ(dialog.row(Phone).value->text(), QString());
    EXPECT_FALSE(dialog.valueCheck(Phone)->isChecked());
    EXPECT_TRUE(messages.texts().isEmpty());  // Reset asks nothing
}

TEST_F(SideProfileTest, ValidationNamesTheFirstFieldByItsCaptionAndFailsClosed)
{
    prepare();
    dialog.selectSource(Photo, 1);
    dialog.selectSource(Phone, 1);
    EXPECT_FALSE(dialog.Check_Validation());
    EXPECT_EQ(dialog.validationMessage(), QStringLiteral("Please select the 'Series / Excel Column' for 'Phone No.'"));
    Title_phone = QStringLiteral("Mobile");
    EXPECT_FALSE(dialog.Check_Validation());
    EXPECT_EQ(dialog.validationMessage(), QStringLiteral("Please select the 'Series / Excel Column' for 'Mobile'"));
    Title_phone = QStringLiteral("  ");
    EXPECT_FALSE(dialog.Check_Validation());
    EXPECT_EQ(dialog.validationMessage(), QStringLiteral("Please select the 'Series / Excel Column'"));
    dialog.selectSource(Phone, 0);
    EXPECT_FALSE(dialog.Check_Validation());
    EXPECT_EQ(dialog.checked_field_name, QStringLiteral("Photo :"));
    Title_For_Gen_ID_Card();

    // A check that breaks down stores nothing.
    class Breaking : public Show_User_Profile {
    public:
        using Show_User_Profile::Show_User_Profile;
        bool Field_Lacks_Choice(int) const override { throw std::runtime_error("no combo"); }
    } breaking(host);
    breaking.load_side = QStringLiteral("F");
    breaking.Prepare_Wnd();
    EXPECT_FALSE(breaking.Check_Validation());
    breaking.OK_Btn_Clicked();
    EXPECT_NE(breaking.window().result(), 1);
    EXPECT_EQ(host.front.Name_id, QStringLiteral("Fup_Name"));
    EXPECT_FALSE(host.front.image_USE);
}

TEST_F(SideProfileTest, LoadingAgainKeepsTheOldSheetUntilANewOneIsImportedAndCancelBringsItBack)
{
    const QString fresh = workbook(QStringLiteral("fresh.xlsx"), {QStringLiteral("Team")}, {{QStringLiteral("Red")}, {QStringLiteral("Blue")}});
    const QString headerOnly = workbook(QStringLiteral("header.xlsx"), {QStringLiteral("Team")}, {});
    loadTable({QStringLiteral("Dept"), QString()}, {{QStringLiteral("Sales"), QStringLiteral("a")}, {QStringLiteral("Audit"), QStringLiteral("b")}});
    Excel_Source_Path = QStringLiteral("/old/people.xlsx");
    prepare();
    dialog.selectSource(Name, 2);
    dialog.selectColumn(Name, 1);

    // Declined, or no file chosen: nothing is stale and nothing changes.
    messages.queueAnswers({1});
    dialog.Browse_excel_Btn_Clicked();
    messages.queueAnswers({0});
    dialog.Browse_excel_Btn_Clicked();
    EXPECT_FALSE(Browse_Excel_AGAIN);
    EXPECT_EQ(dialog.controls().sheet.excel_path_field->text(), QStringLiteral("/old/people.xlsx"));
    EXPECT_EQ(dialog.columnIndex(Name), 1);

    // Two sheets imported, the last without rows, then Cancel: the sheet of the opening is back.
    loadAgain(fresh);
    EXPECT_TRUE(Browse_Excel_AGAIN);
    EXPECT_EQ(dialog.sourceIndex(Name), 0);  // its column belonged to the old sheet
    EXPECT_EQ(tableColumn(1), (QStringList{QStringLiteral("Red"), QStringLiteral("Blue")}));
    EXPECT_EQ(dialog.controls().sheet.excel_path_field->text(), fresh);
    messages.queueAnswers({1});  // a later No leaves the stale mark and the backup as they are
    dialog.Browse_excel_Btn_Clicked();
    EXPECT_TRUE(Browse_Excel_AGAIN);
    loadAgain(headerOnly);
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 0);
    EXPECT_EQ(dialog.row(Name).ds_combo->count(), 2);
    dialog.Cancel_Btn_Clicked();

    EXPECT_EQ(dialog.window().result(), 0);
    EXPECT_FALSE(Browse_Excel_AGAIN);
    EXPECT_EQ(Loaded_Data_Table().ColList.titles(), (QStringList{QStringLiteral("No."), QStringLiteral("Dept"), QString()}));
    EXPECT_EQ(tableColumn(1), (QStringList{QStringLiteral("Sales"), QStringLiteral("Audit")}));
    EXPECT_EQ(tableColumn(2), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/old/people.xlsx"));
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_EQ(host.calls.count(QStringLiteral("temp folder")), 3);
}

// Over records kept in a workbook of their own, as a group project's are, the form samples the
// record the card shows and names that workbook, while the design goes on naming the records'
// source: after OK, Cancel, and a Cancel that put back the sheet a load again replaced.
TEST_F(SideProfileTest, RecordsKeptApartAreSampledFromTheRecordShownAndTheirSourceStaysNamed)
{
    const QString fresh = workbook(QStringLiteral("fresh.xlsx"), {QStringLiteral("Team")}, {{QStringLiteral("Red")}});
    loadTable({QStringLiteral("Dept")}, {{QStringLiteral("Sales")}, {QStringLiteral("Audit")}});
    Excel_Source_Path = QStringLiteral("/source/people.xlsx");
    host.shownRecord = 1;
    host.keptIn = QStringLiteral("/project/People.xlsx");
    enum class End { Ok, Cancel, CancelAfterLoadAgain };
    for (End end : {End::Ok, End::Cancel, End::CancelAfterLoadAgain}) {
        SCOPED_TRACE(int(end));
        prepare();
        EXPECT_EQ(dialog.controls().sheet.excel_path_field->text(), host.keptIn);
        dialog.selectSource(Name, 2);
        dialog.selectColumn(Name, 1);
        EXPECT_EQ(dialog.row(Name).value->text(), QStringLiteral("Audit"));
        if (end == End::CancelAfterLoadAgain)
            loadAgain(fresh);
        if (end == End::Cancel) {
            // A load again whose file panel was cancelled names that workbook again.
            dialog.controls().sheet.excel_path_field->setText(QStringLiteral("typed"));
            messages.queueAnswers({0});
            dialog.Browse_excel_Btn_Clicked();
            EXPECT_EQ(dialog.controls().sheet.excel_path_field->text(), host.keptIn);
        }
        end == End::Ok ? dialog.OK_Btn_Clicked() : dialog.Cancel_Btn_Clicked();
        EXPECT_EQ(dialog.window().result(), end == End::Ok ? 1 : 0);
        EXPECT_EQ(Excel_Source_Path, QStringLiteral("/source/people.xlsx"));
        EXPECT_EQ(tableColumn(1), (QStringList{QStringLiteral("Sales"), QStringLiteral("Audit")}));
    }
}

TEST_F(SideProfileTest, AfterALoadAgainALockedFieldStaysUneditableOnATypedSource)
{
    const QString fresh = workbook(QStringLiteral("fresh.xlsx"), {QStringLiteral("Team")}, {{QStringLiteral("Red")}});
    loadTable({QStringLiteral("Dept")}, {{QStringLiteral("Sales")}});
    GraphicPtr name = element(GraphicKind::Text, QStringLiteral("Fup_Name"), QStringLiteral("Ann"));
    name->ctrl_is_locked = true;
    GraphicPtr photo = element(GraphicKind::Image, QStringLiteral("Fup_Photo"));
    photo->ctrl_is_locked = true;
    host.frontElements = {name, photo};
    prepare();
    dialog.Enable_All_Ctrl();  // as if the user could reach the rows again
    dialog.selectSource(Name, 0);
    EXPECT_TRUE(dialog.row(Name).value->isEnabled());

    loadAgain(fresh);
    dialog.selectSource(Name, 0);
    dialog.selectSource(Photo, 0);
    EXPECT_FALSE(dialog.row(Name).value->isEnabled());
    EXPECT_TRUE(dialog.row(Name).value->isReadOnly());
    EXPECT_FALSE(dialog.controls().photo.camera_btn->isEnabled());
    EXPECT_EQ(dialog.Get_text_box_of_ID(QStringLiteral("Fup_lbl_Name")), dialog.captionBox(Name));
    EXPECT_EQ(dialog.Get_text_box_of_ID(QStringLiteral("Fup_Photo")), nullptr);
    EXPECT_EQ(dialog.Get_text_box_of_ID(QStringLiteral("Name")), nullptr);
}

TEST_F(SideProfileTest, ThePhotoComesFromTheCameraAFileOrNothing)
{
    prepare();
    const QString taken = picture(QStringLiteral("taken.png"), Qt::red);
    photoWindows.cameraAnswer = 1;
    photoWindows.cameraFile = taken;
    dialog.controls().photo.camera_btn->click();
    EXPECT_EQ(dialog.controls().photo.image_path_val->text(), taken);
    EXPECT_EQ(dialog.controls().photo.user_picture->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));

    dialogs.queueOpenFile(QStringLiteral("  ") + work.filePath(QStringLiteral("missing.png")));
    dialog.controls().photo.browse_pic_btn->click();
    EXPECT_EQ(dialog.controls().photo.image_path_val->text(), work.filePath(QStringLiteral("missing.png")));
    EXPECT_TRUE(dialog.controls().photo.user_picture->pixmap().isNull());
    EXPECT_FALSE(dialog.controls().photo.invalid_source_label->isHidden());
    ASSERT_TRUE(dialog.Fill_Front_User_profile_value_in_Variable());
    EXPECT_EQ(host.front.image, work.filePath(QStringLiteral("missing.png")));

    Library_Selected_Image = taken;
    dialog.controls().photo.browse_pic_btn->click();  // nothing chosen: the photo stays
    EXPECT_EQ(dialog.controls().photo.image_path_val->text(), work.filePath(QStringLiteral("missing.png")));
    EXPECT_EQ(Library_Selected_Image, QString());
    dialog.controls().photo.clear_pic_btn->click();
    EXPECT_EQ(dialog.controls().photo.image_path_val->text(), QString());
    EXPECT_EQ(photoWindows.calls, QStringList{QStringLiteral("camera")});
}

TEST_F(SideProfileTest, SeriesManagerViewersAndPreview)
{
    prepare();
    dialog.selectSource(Name, 1);
    dialog.row(Name).view_btn->click();
    dialog.View_Excel_Btn_Clicked();
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("\nPlease select the series."), QStringLiteral("\nThere is no excel data to view.")}));
    dialog.selectColumn(Name, 1);
    EXPECT_EQ(dialog.row(Name).value->text(), QStringLiteral("Ann Lee"));
    host.seriesManager = [this] {
        writeSeries(QStringLiteral("Names"), "Cy Doe\n");
        writeSeries(QStringLiteral("Added"), "x\n");
    };
    dialog.controls().sheet.batch_series_btn->click();
    EXPECT_EQ(dialog.row(Name).ser_col_cb->currentText(), QStringLiteral("Names"));
    EXPECT_EQ(dialog.row(Name).ser_col_cb->count(), 3);
    EXPECT_EQ(dialog.row(Name).value->text(), QStringLiteral("Cy Doe"));

    // Preview: the preview record only, for the side in force; the records the card is made from stay.
    const User_Profile_Class frontBefore = host.front;
    type(Title, QStringLiteral("Chef"));
    button("preview_btn")->click();
    EXPECT_EQ(host.calls.last(), QStringLiteral("preview F"));
    EXPECT_EQ(host.previewAtShow.Name, QStringLiteral("Cy Doe"));
    EXPECT_EQ(host.previewAtShow.Title, QStringLiteral("Chef"));
    EXPECT_TRUE(host.previewAtShow.Name_ds);
    EXPECT_TRUE(host.previewAtShow.image_USE);
    EXPECT_EQ(host.front, frontBefore);
    EXPECT_EQ(dialog.window().result(), 0);  // the dialog stays open
}

// The side previewed shows in the dialog, which the main window's preview tab lies under; each
// opening and every reset start without it.
TEST_F(SideProfileTest, ThePreviewedSideShowsInTheDialogUntilTheFormIsReset)
{
    host.previewedSide = QImage(308, 486, QImage::Format_RGB32);
    host.previewedSide.fill(QColor(20, 90, 160));
    prepare();
    const QWidget& box = *dialog.window().findChild<QWidget*>(QStringLiteral("preview_box"));
    const QLabel& frame = *dialog.window().findChild<QLabel*>(QStringLiteral("preview_picture"));
    EXPECT_FALSE(box.isVisibleTo(&dialog.window()));
    button("preview_btn")->click();
    EXPECT_TRUE(box.isVisibleTo(&dialog.window()));
    // An upright card fits the frame's height.
    EXPECT_EQ(frame.pixmap().size(), QSize(101, 160));
    EXPECT_EQ(frame.pixmap().toImage().pixelColor(50, 80), QColor(20, 90, 160));
    button("reset_btn")->click();
    EXPECT_FALSE(box.isVisibleTo(&dialog.window()));
    button("preview_btn")->click();
    prepare();
    EXPECT_FALSE(box.isVisibleTo(&dialog.window()));
    EXPECT_TRUE(dialog.previewPicture().isNull());
}

TEST_F(SideProfileTest, TheModalRunAnswersOneAfterOkAndZeroAfterEscape)
{
    dialogs.queueHook([this](QDialog&) {
        type(Name, QStringLiteral("Bea"));
        button("ok_btn")->click();
    });
    EXPECT_EQ(dialog.Open_Wnd(true), 1);
    EXPECT_EQ(host.front.Name, QStringLiteral("Bea"));
    loadTable({QStringLiteral("Dept")}, {{QStringLiteral("Sales")}});
    dialogs.queueHook([this](QDialog& window) {
        EXPECT_EQ(dialog.row(Name).value->text(), QString());  // each opening starts afresh
        EXPECT_EQ(dialog.row(Name).ds_combo->count(), 3);
        dialog.controls().sheet.excel_path_field->setText(QStringLiteral("/kept.xlsx"));
        window.reject();
    });
    EXPECT_EQ(dialog.Open_Wnd(true), 0);
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/kept.xlsx"));
    EXPECT_TRUE(Excel_Binding_Use);
}

TEST_F(SideProfileTest, ASheetThatLosesItsRowsLeavesItsFieldsWithoutASourceAndTheirBindingsKept)
{
    loadTable({QStringLiteral("Dept")}, {{QStringLiteral("Sales")}});
    prepare();
    dialog.selectSource(Title, 2);
    dialog.selectColumn(Title, 1);
    // The field's View shows the loaded table.
    QString viewer;
    dialogs.queueHook([&viewer](QDialog& window) {
        viewer = window.windowTitle();
        window.done(1);
    });
    dialog.row(Title).view_btn->click();
    EXPECT_FALSE(viewer.isEmpty());
    ASSERT_TRUE(dialog.Fill_Front_User_profile_value_in_Variable());
    clearTable();
    dialog.Sync_Excel_Item_With_Table();
    EXPECT_EQ(dialog.sourceIndex(Title), -1);  // not turned into a series behind the user's back
    EXPECT_FALSE(dialog.controls().sheet.view_excel_btn->isEnabled());
    EXPECT_TRUE(dialog.Check_Validation());
    ASSERT_TRUE(dialog.Fill_Front_User_profile_value_in_Variable());
    EXPECT_TRUE(host.front.Title_xl);
    EXPECT_EQ(host.front.Title_xl_col_indx, 1);
    EXPECT_FALSE(Excel_Binding_Use);
}

TEST_F(SideProfileTest, AFieldTakenOffASideLeavesNothingOfItInThatSidesRecord)
{
    host.back.Title = QStringLiteral("Chef");
    host.back.Title_ds = true;
    host.back.Title_ds_name = QStringLiteral("Names");
    host.back.Title_ds_indx = 1;
    host.back.image = QStringLiteral("/a.png");
    host.back.image_xl = true;
    host.back.image_xl_col_indx = 2;
    host.back.image_USE = true;
    ProfileForm::Clear_Field_Of_Record(Title, host.back);
    ProfileForm::Clear_Field_Of_Record(Photo, host.back);
    User_Profile_Class expected;
    expected.Reset_All_Values();
    EXPECT_EQ(host.back, expected);
}

// The preview under the photo takes room of its own: the window grows down, not wider, and every
// caption box keeps its width and shows its caption whole. The window's minimum width is set for its title first, as the application's dialogs have it.
TEST_F(SideProfileTest, EveryCaptionStaysWholeBesideThePreview)
{
    host.previewedSide = QImage(486, 308, QImage::Format_RGB32);
    host.previewedSide.fill(QColor(20, 90, 160));
    prepare();
    QDialog& window = dialog.window();
    keepTitleWhole(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QSize before = window.size();
    button("preview_btn")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
    EXPECT_EQ(window.width(), before.width());
    EXPECT_GT(window.height(), before.height());
    for (int field = Name; field <= Unique; ++field) {
        const QLineEdit& caption = *dialog.captionBox(field);
        EXPECT_GE(caption.width(), caption.minimumWidth()) << caption.text().toStdString();
        EXPECT_LT(caption.fontMetrics().horizontalAdvance(caption.text()), caption.contentsRect().width())
            << caption.text().toStdString() << " in a box " << caption.width() << " pixels wide";
    }
    window.hide();
}
