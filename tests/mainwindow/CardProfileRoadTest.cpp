// A card-holder profile for the whole card, entered through the card's profile window on the real
// main window with scripted answers: a two-sided staff card whose front takes the name and photo
// from a workbook's columns, a typed department and an ID from a series, and whose back takes the
// ID beside a barcode of the same series. Preview and Cancel leave the design file as it was; OK,
// save and reopen keep the profile; an export gives every record its own name, photo and barcode.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/MainWindowFixture.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/ProfileWindows.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedPhotoWindows.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/output/ExportSheet.h"
#include "views/profiles/ProfileForm.h"
#include "views/profiles/Show_User_Profile.h"
#include "views/profiles/User_profile.h"
#include "views/series/BatchWizard.h"
#include "views/series/BatchWizardView.h"
#include "views/series/Import_Excel.h"
#include "views/series/SheetColumnList.h"

namespace {

enum Field { kName = 0, kDepartment = 1, kUnique = 9, kPhoto = 10 };

const QStringList kNames{"Ada Lovelace", "Alan Turing", "Grace Hopper"};
const QStringList kIds{"ZV-1001", "ZV-1002", "ZV-1003"};
const QList<QColor> kPhotoColours{QColor(200, 30, 30), QColor(30, 160, 40), QColor(30, 60, 200)};

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CardProfileRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = QStringLiteral("L");
        Fill_User_Profile = false;
        Loaded_Data_Table().ListData.clear();
        Data_Folder_Path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("DataSet");
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        ownsDataFolder = true;
        QFile ids(QDir(Data_Folder_Path).filePath("Staff IDs.txt"));
        ASSERT_TRUE(ids.open(QIODevice::WriteOnly));
        ids.write(kIds.join('\n').toUtf8() + '\n');
        ids.close();
        QStringList photos;
        for (int n = 0; n < 3; ++n) {
            QImage photo(120, 150, QImage::Format_RGB32);
            photo.fill(kPhotoColours[n]);
            photos << scratch.filePath(QStringLiteral("photo%1.png").arg(n + 1));
            ASSERT_TRUE(photo.save(photos.last()));
        }
        const auto made = TestEnvironment::runPython("import sys, openpyxl\n"
                                                     "wb = openpyxl.Workbook()\n"
                                                     "ws = wb.active\n"
                                                     "ws.append(['Name', 'Photo'])\n"
                                                     "for name, photo in zip(sys.argv[2::2], sys.argv[3::2]):\n"
                                                     "    ws.append([name, photo])\n"
                                                     "wb.save(sys.argv[1])\n",
                                                     {workbook, kNames[0], photos[0], kNames[1], photos[1],
                                                      kNames[2], photos[2]});
        ASSERT_EQ(made.exitCode, 0) << made.err.constData();
        controller.inspector().setUpControls({});
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(saveTwoSidedDesign());
    }
    void TearDown() override
    {
        Fill_User_Profile = false;
        Loaded_Data_Table().ListData.clear();
        Excel_Binding_Use = false;
        Excel_Source_Path.clear();
        CARD_SIDE_STR = QStringLiteral("1");
        MainWindowFixture::TearDown();
    }

    // An empty two-sided card with a Code 128 barcode of the ID series on the back.
    void saveTwoSidedDesign()
    {
        CARD_SIDE_STR = QStringLiteral("2");
        controller.Front_card_Prop.setCard_Side(QStringLiteral("2"));
        for (Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop})
            side->setCard_Size(QSizeF(243, 154));
        controller.SetDocumentCanvasSize(QSizeF(243, 154));
        GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
        barcode->data_source_type = 1;
        barcode->batch_list_name = QStringLiteral("Staff IDs");
        barcode->batch_list_index = 0;
        barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("Code 128")));
        barcode->barcode.linear_or_2d = 0;
        barcode->barcode.linear_width_val = 12;
        const QRectF box(20, 70, 200, 70);
        barcode->setBounds(box);
        barcode->ctrl_is_visible = true;
        barcode->Set_Barcode_image_control_bounds(box);
        document.replaceGraphicsOnSide(SKTDocument::BackSide, {barcode});
        dialogs.queueSaveFile(design);
        ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
        messages.queueAnswers({});
    }

    // The workbook through the window's browse button and the import window, both columns ticked.
    void loadWorkbook(User_profile& window)
    {
        dialogs.queueOpenFile(workbook);
        dialogs.queueHook([](QDialog&) {
            Import_Excel& import = Import_Excel::defaultInstance();
            import.columns().setAllTicked(true);
            import.OKPressed();
        });
        window.findChild<QPushButton*>(QStringLiteral("excel_browse_btn"))->click();
    }
    // Name and photo from the workbook, the department typed, the ID from the series: the ID on
    // both sides, everything else on the front.
    void fillTheForm(User_profile& window)
    {
        ProfileForm& form = window.form();
        ASSERT_NO_FATAL_FAILURE(loadWorkbook(window));
        ASSERT_EQ(form.row(kName).ds_combo->count(), 3);
        form.selectSource(kName, kSourceExcel);
        form.selectColumn(kName, 1);
        form.row(kDepartment).value->setText(QStringLiteral("Research"));
        form.selectSource(kUnique, kSourceSeries);
        form.selectColumn(kUnique, form.row(kUnique).ser_col_cb->findText(QStringLiteral("Staff IDs")));
        form.selectSource(kPhoto, kSourceExcel);
        form.selectColumn(kPhoto, 2);
        for (int field : {kName, kDepartment, kPhoto})
            window.selectSide(field, kSideFront);
    }
    GraphicPtr element(SKTDocument::Side side, const char* id) const
    {
        for (const GraphicPtr& graphic : document.graphicsOfSide(side))
            if (graphic->control_ID == QLatin1String(id))
                return graphic;
        return nullptr;
    }

    const QString design = scratch.filePath(QStringLiteral("staff.did"));
    const QString workbook = scratch.filePath(QStringLiteral("staff.xlsx"));
};

}  // namespace

TEST_F(CardProfileRoad, PreviewThenCancelLeavesTheDesignFileAsItWas)
{
    ProfileWindows& windows = controller.profileWindows();
    // A workbook loaded in the window stays loaded, even after Cancel, and goes with the design.
    dialogs.queueHook([&](QDialog&) {
        User_profile& window = windows.cardProfileWindow();
        ASSERT_NO_FATAL_FAILURE(loadWorkbook(window));
        window.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(windows.Open_User_Profile_Window(false, QString(), QStringLiteral("2")), 0);
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_EQ(Excel_Source_Path, workbook);
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const QByteArray before = contentsOf(design);

    dialogs.queueHook([&](QDialog&) {
        User_profile& window = windows.cardProfileWindow();
        ASSERT_NO_FATAL_FAILURE(fillTheForm(window));
        EXPECT_EQ(window.form().fieldValue(kName), kNames[0]);
        window.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
        QStringList shown;
        for (const GraphicPtr& graphic : document.graphics_temp())
            if (graphic->ctrl_is_visible && graphic->control_ID.startsWith(QLatin1String("Fup_")))
                shown << graphic->control_ID + '=' + graphic->Text_Value;
        shown.sort();
        EXPECT_EQ(shown.join(u'|'), "Fup_Name=Ada Lovelace|Fup_Photo=" + scratch.filePath("photo1.png")
                                        + "|Fup_Title=Research|Fup_UniqueNo=ZV-1001");
        // The window shows the preview; the main window stays on the side being edited.
        EXPECT_EQ(controller.windowLayout().currentSide(), SKTDocument::FrontSide);
        window.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(windows.Open_User_Profile_Window(false, QString(), QStringLiteral("2")), 0);
    EXPECT_EQ(controller.windowLayout().currentSide(), SKTDocument::FrontSide);
    EXPECT_TRUE(document.graphics().isEmpty());
    ASSERT_EQ(document.graphics_back().size(), 1);
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const QByteArray after = contentsOf(design);
    if (after != before) {
        QFile kept(design + ".before");
        kept.open(QIODevice::WriteOnly);
        kept.write(before);
        const auto difference = TestEnvironment::run(QStringLiteral("diff"), {design + ".before", design});
        ADD_FAILURE() << "the design file changed:\n" << difference.out.left(3000).constData();
    }
}

TEST_F(CardProfileRoad, OKSaveAndReopenKeepTheProfileAndAnExportGivesEachRecordItsOwn)
{
    ProfileWindows& windows = controller.profileWindows();
    dialogs.queueHook([&](QDialog&) {
        User_profile& window = windows.cardProfileWindow();
        ASSERT_NO_FATAL_FAILURE(fillTheForm(window));
        window.OK_Btn_Clicked();
    });
    ASSERT_EQ(windows.Open_User_Profile_Window(false, QString(), QStringLiteral("2")), 1);
    EXPECT_TRUE(Fill_User_Profile);
    // What the start road does once its wizard ends with OK.
    const QStringList said = messages.texts();
    ProfileCommands(controller).Fill_User_profile_Details();
    EXPECT_EQ(messages.texts(), said) << qPrintable(messages.texts().join(u'|'));

    const auto checkDesign = [this] {
        const GraphicPtr name = element(SKTDocument::FrontSide, "Fup_Name");
        ASSERT_TRUE(name);
        EXPECT_EQ(name->Text_Value, kNames[0]);
        EXPECT_EQ(name->data_source_type_val(), 2);
        EXPECT_EQ(name->excel_col_indx, 1);
        ASSERT_TRUE(element(SKTDocument::FrontSide, "Fup_Title"));
        EXPECT_EQ(element(SKTDocument::FrontSide, "Fup_Title")->data_source_type_val(), 0);
        const GraphicPtr photo = element(SKTDocument::FrontSide, "Fup_Photo");
        ASSERT_TRUE(photo);
        EXPECT_EQ(photo->data_source_type_val(), 2);
        EXPECT_EQ(photo->excel_col_indx, 2);
        for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide}) {
            const GraphicPtr id = element(side, "Fup_UniqueNo");
            ASSERT_TRUE(id) << side;
            EXPECT_EQ(id->Text_Value, kIds[0]);
            EXPECT_EQ(id->batch_list_name_val(), QStringLiteral("Staff IDs"));
        }
        EXPECT_FALSE(element(SKTDocument::BackSide, "Fup_Name"));
        EXPECT_FALSE(element(SKTDocument::BackSide, "Fup_Photo"));
    };
    ASSERT_NO_FATAL_FAILURE(checkDesign());
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const GraphicPtr nameBefore = element(SKTDocument::FrontSide, "Fup_Name");
    dialogs.queueOpenFile(design);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_NE(element(SKTDocument::FrontSide, "Fup_Name"), nameBefore) << "the design was not read again";
    ASSERT_NO_FATAL_FAILURE(checkDesign());
    ASSERT_EQ(Loaded_Data_Table().rowCount(), 3);

    dialogs.queueHook([](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        sheet.fileFormatPopup->setCurrentIndex(sheet.fileFormatPopup->findText(QStringLiteral("PDF")));
        sheet.exportFileTypeChanged();
        sheet.side_both->click();
        sheet.exportOkay();
    });
    dialogs.queueFolder(scratch.path());
    dialogs.queueHook([](QDialog&) {});
    Export_Button(controller);
    const QDir written(scratch.filePath(QStringLiteral("ZOVA ID Card")));
    ASSERT_EQ(written.entryList(QDir::Files).size(), 6) << qPrintable(written.entryList(QDir::Files).join(u'|'));
    for (int record = 0; record < 3; ++record) {
        const QString front = written.filePath(QStringLiteral("Card_%1_Front.PDF").arg(record + 1));
        const QString back = written.filePath(QStringLiteral("Card_%1_Back.PDF").arg(record + 1));
        // The new text boxes are narrow: a name may wrap onto two lines.
        const QString text =
            QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {front, QStringLiteral("-")}).out)
                .simplified();
        EXPECT_TRUE(text.contains(kNames[record])) << qPrintable(text);
        EXPECT_TRUE(text.contains(kIds[record])) << qPrintable(text);
        EXPECT_TRUE(text.contains(QLatin1String("Research"))) << qPrintable(text);
        for (int other = 0; other < 3; ++other) {
            if (other == record)
                continue;
            EXPECT_FALSE(text.contains(kNames[other])) << qPrintable(text);
        }

        // The photo stands where the profile put it, in the record's own colour.
        const QString page = scratch.filePath(QStringLiteral("front%1").arg(record + 1));
        TestEnvironment::run(QStringLiteral("pdftoppm"), {"-r", "144", "-png", "-singlefile", front, page});
        const QImage raster(page + QStringLiteral(".png"));
        ASSERT_FALSE(raster.isNull());
        const QRectF photoBox = element(SKTDocument::FrontSide, "Fup_Photo")->bounds();
        const QColor shown = raster.pixelColor((photoBox.center() * 2).toPoint());
        EXPECT_LT(std::abs(shown.red() - kPhotoColours[record].red()) + std::abs(shown.green() - kPhotoColours[record].green())
                      + std::abs(shown.blue() - kPhotoColours[record].blue()),
                  30)
            << qPrintable(shown.name());

        const QString backPage = scratch.filePath(QStringLiteral("back%1").arg(record + 1));
        TestEnvironment::run(QStringLiteral("pdftoppm"), {"-r", "300", "-png", "-singlefile", back, backPage});
        const auto read = TestEnvironment::run(QStringLiteral("ZXingReader"), {"-format", "Code128", backPage + ".png"});
        QStringList decoded;
        for (const QString& line : QString::fromUtf8(read.out).split(u'\n'))
            if (line.startsWith(QLatin1String("Text:")))
                decoded << line.section(u'"', 1, 1);
        EXPECT_EQ(decoded, QStringList{kIds[record]}) << read.out.constData();
        const auto backText = TestEnvironment::run(QStringLiteral("pdftotext"), {back, QStringLiteral("-")});
        EXPECT_TRUE(backText.out.contains(kIds[record].toUtf8())) << backText.out.constData();
    }
}

TEST_F(CardProfileRoad, ScreenshotsOfTheWindowFilledInAndOfTheCardAfterOK)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QString folder = QStringLiteral(ZOVA_PROFILES_ARTIFACT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    controller.window()->setGeometry(0, 0, 1280, 800);
    ProfileWindows& windows = controller.profileWindows();
    dialogs.queueHook([&](QDialog&) {
        User_profile& window = windows.cardProfileWindow();
        ASSERT_NO_FATAL_FAILURE(fillTheForm(window));
        window.show();
        QTest::qWait(300);
        const QImage shot = window.grab().toImage();
        EXPECT_TRUE(shot.save(folder + QStringLiteral("/card-profile-dialog.png")));
        // The photo of the first record is shown in its colour.
        const QWidget& picture = *window.findChild<QLabel*>(QStringLiteral("user_picture"));
        const QPoint middle = picture.mapTo(&window, picture.rect().center()) * shot.devicePixelRatio();
        EXPECT_EQ(shot.pixelColor(middle).rgb(), kPhotoColours[0].rgb());
        // Preview shows the card with the form's values in the window, beside the form.
        window.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
        QTest::qWait(300);
        const QImage previewed = window.grab().toImage();
        EXPECT_TRUE(previewed.save(folder + QStringLiteral("/card-profile-preview.png")));
        const QWidget& frame = *window.findChild<QLabel*>(QStringLiteral("preview_picture"));
        ASSERT_TRUE(frame.isVisible());
        const QRect shown = QRect(frame.mapTo(&window, QPoint()), frame.size());
        EXPECT_TRUE(QRect(QPoint(), window.size()).contains(shown));
        window.OK_Btn_Clicked();
    });
    ASSERT_EQ(windows.Open_User_Profile_Window(false, QString(), QStringLiteral("2")), 1);
    ProfileCommands(controller).Fill_User_profile_Details();
    // As the start road leaves it.
    controller.selectArrowTool();
    controller.zoomingScrollView(SKTDocument::FrontSide)->setFactor(2.0);
    QTest::qWait(300);
    EXPECT_TRUE(controller.window()->grab().save(folder + QStringLiteral("/card-after-ok.png")));
}

// The mark a side window leaves after loading a spreadsheet again belongs to that window's
// closing: a later card window keeps the column bindings made since for the sheet now loaded.
TEST_F(CardProfileRoad, TheCardWindowLeavesColumnBindingsMadeAfterASheetWasLoadedAgain)
{
    Loaded_Data_Table().Create_List_By_Array({QStringLiteral("Ada")}, 1);
    Excel_Binding_Use = true;
    GraphicPtr caption = SKTGraphic::create(GraphicKind::Text);
    caption->setBounds(QRectF(10, 120, 100, 20));
    caption->ctrl_is_visible = true;
    caption->Set_Data_source_type(2);
    caption->Set_Excel_binding(true);
    caption->Set_Excel_binding_Index(1);
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {caption});
    Browse_Excel_AGAIN = true;
    dialogs.queueHook([&](QDialog&) { controller.profileWindows().cardProfileWindow().OK_Btn_Clicked(); });
    EXPECT_EQ(controller.profileWindows().Open_User_Profile_Window(false, QString(), QStringLiteral("2")), 1);
    Browse_Excel_AGAIN = false;
    EXPECT_EQ(caption->data_source_type_val(), 2);
    EXPECT_EQ(caption->excel_col_indx, 1);
}

// The photo row's camera and the series manager of the card window are the application's own.
TEST_F(CardProfileRoad, TheCameraAndTheSeriesManagerAreTheMainWindowsOwn)
{
    ScriptedPhotoWindows photoWindows;
    photoWindows.cameraAnswer = 1;
    photoWindows.cameraFile = scratch.filePath(QStringLiteral("photo2.png"));
    QString managerTitle;
    dialogs.queueHook([&](QDialog&) {
        User_profile& window = controller.profileWindows().cardProfileWindow();
        ProfileForm& form = window.form();
        window.findChild<QPushButton*>(QStringLiteral("camera_btn"))->click();
        EXPECT_EQ(form.controls().photo.image_path_val->text(), photoWindows.cameraFile);
        form.selectSource(kUnique, kSourceSeries);
        form.selectColumn(kUnique, form.row(kUnique).ser_col_cb->findText(QStringLiteral("Staff IDs")));
        dialogs.queueHook([&](QDialog& manager) {
            managerTitle = manager.windowTitle();
            QFile visitors(QDir(Data_Folder_Path).filePath(QStringLiteral("Visitors.txt")));
            ASSERT_TRUE(visitors.open(QIODevice::WriteOnly));
            visitors.write("V-1\n");
        });
        window.findChild<QPushButton*>(QStringLiteral("batch_series_btn"))->click();
        QStringList listed;
        for (int item = 0; item < form.row(kUnique).ser_col_cb->count(); ++item)
            listed << form.row(kUnique).ser_col_cb->itemText(item);
        EXPECT_EQ(listed, (QStringList{"Staff IDs", "Visitors"}));
        EXPECT_EQ(form.row(kUnique).ser_col_cb->currentText(), "Staff IDs");
        window.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(controller.profileWindows().Open_User_Profile_Window(false, QString(), QStringLiteral("2")), 0);
    EXPECT_EQ(photoWindows.calls, QStringList{"camera"});
    EXPECT_EQ(managerTitle, BatchWizard::defaultInstance().view().windowTitle());
}
