// The cropping tool driven as a user would: page 1 checks, page 2 with its picture, the three crop
// methods and their fields, the adjustments, the direct entries, with scripted answers.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <cmath>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "photos/FaceDetector.h"
#include "photos/Selector.h"
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "views/series/DataRowsView.h"
#include "views/series/View_Data_Series.h"

namespace {

const QString kSkimageData = QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/");

// Answers the same face, or none, for every picture.
class FixedFaces : public FaceDetector {
public:
    explicit FixedFaces(std::optional<QRectF> face) : face_(face) {}
    std::optional<QRectF> firstFace(const QImage&) override { return face_; }

private:
    std::optional<QRectF> face_;
};

QImage noisePicture(QSize size, quint32 seed)
{
    QImage picture(size, QImage::Format_RGB32);
    quint32 state = seed;
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            line[x] = 0xff000000u | (state >> 8);
        }
    }
    return picture;
}

class CroppingToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(at("DataSet")));
        Data_Folder_Path = at("DataSet");
        Cropped_Img_Path = at("Cropped_Images");
    }

    QString at(const QString& name) const { return work.filePath(name); }
    template <class Widget>
    Widget& control(const char* name)
    {
        auto* widget = tool.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    void click(const char* name) { control<QAbstractButton>(name).click(); }
    bool onPage2() { return control<QStackedWidget>("pages").currentIndex() == 1; }
    QString picture(const QString& name, const QImage& image)
    {
        EXPECT_TRUE(image.save(at(name), "PNG"));
        return at(name);
    }
    // Page 1 with the one-picture source into the output folder "out", custom name Badge, PNG.
    void chooseOnePicture(const QString& path)
    {
        control<QLineEdit>("file_path").setText(path);
        control<QLineEdit>("output_path").setText(at("out"));
        click("output_custom_radio");
        control<QLineEdit>("output_custom_name").setText(QStringLiteral("Badge"));
        control<QComboBox>("output_format_combo").setCurrentIndex(2);
        tool.OK_Btn_Clicked();
    }
    // The selection on the canvas, y up.
    QRectF selection() const { return tool.canvas().model().selectors().back()->frame(); }

    QTemporaryDir work;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    Cropping_Tool tool{{{QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("bmp")}, {}}};
};

}  // namespace

TEST_F(CroppingToolTest, PageOneRefusesMissingChoicesThenAFolderNamedBadgeReachesPageTwo)
{
    ASSERT_TRUE(QDir().mkpath(at("in/sub.png")));
    for (const QString name : {"photo10.png", "photo2.PNG", "notes.txt"})
        picture(QStringLiteral("in/") + name, noisePicture(QSize(40, 30), 1));
    dialogs.queueHook([this](QDialog&) {
        tool.OK_Btn_Clicked();
        click("input_folder_radio");
        tool.OK_Btn_Clicked();
        control<QLineEdit>("folder_path").setText(at("in"));
        tool.OK_Btn_Clicked();
        click("output_custom_radio");
        control<QLineEdit>("output_custom_name").setText(QStringLiteral("  "));
        control<QLineEdit>("output_path").setText(at("out"));
        tool.OK_Btn_Clicked();
        EXPECT_FALSE(onPage2());
        control<QLineEdit>("output_custom_name").setText(QStringLiteral("Badge"));
        control<QComboBox>("output_format_combo").setCurrentIndex(2);
        tool.OK_Btn_Clicked();
        EXPECT_TRUE(onPage2());
        // Sub-folders and other files are left out; the rest comes in natural order.
        EXPECT_EQ(tool.listedPaths(), QStringList({at("in/photo2.PNG"), at("in/photo10.png")}));
        EXPECT_EQ(tool.Crop_Input_Path, at("in/photo2.PNG"));
        EXPECT_EQ(tool.User_Picture.size(), QSize(40, 30));
        EXPECT_EQ(tool.Cropped_File_Name(), at("out/Badge.png"));
        EXPECT_EQ(tool.Cropped_File_Name(), at("out/Badge_1.png"));
        EXPECT_EQ(tool.Cropped_File_Name(), at("out/Badge_2.png"));
        tool.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(tool.Open_Wnd(), 0);
    EXPECT_EQ(messages.texts(), QStringList({"\nPlease select input image file path.", "\nPlease select input folder path.",
                                             "\nPlease select output folder path.",
                                             "\nPlease select output file custom name."}));

    // Opened again, the tool starts from its first choices with no list.
    dialogs.queueHook([this](QDialog&) {
        for (const char* first : {"input_file_radio", "output_name_radio", "crop_select_radio", "batch_new_radio"})
            EXPECT_TRUE(control<QRadioButton>(first).isChecked()) << first;
        EXPECT_EQ(control<QLineEdit>("output_custom_name").text(), "Untitled");
        EXPECT_TRUE(control<QLineEdit>("folder_path").text().isEmpty());
        EXPECT_TRUE(control<QWidget>("ColList").isHidden());
        EXPECT_FALSE(onPage2());
        tool.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(tool.Open_Wnd(), 0);
}

TEST_F(CroppingToolTest, TheCameraSourceTakesTheCustomNameAndNeedsACamera)
{
    tool.Set_Default_Values();
    click("input_camera_radio");
    EXPECT_TRUE(control<QRadioButton>("output_custom_radio").isChecked());
    EXPECT_FALSE(control<QRadioButton>("output_name_radio").isEnabled());
    control<QLineEdit>("output_path").setText(at("out"));
    tool.OK_Btn_Clicked();
    EXPECT_FALSE(onPage2());
    EXPECT_EQ(messages.texts(), QStringList({"\nPlease select camera."}));
    click("input_file_radio");
    EXPECT_TRUE(control<QRadioButton>("output_name_radio").isEnabled());
    EXPECT_TRUE(control<QRadioButton>("output_custom_radio").isChecked());
}

TEST_F(CroppingToolTest, CropWritesTheSelectedAreaOfTheFullPictureAsImageMagickCutsIt)
{
    const QString original = picture(QStringLiteral("original.png"), noisePicture(QSize(4000, 3000), 7));
    QStringList reported;
    dialogs.queueHook([&](QDialog&) {
        chooseOnePicture(original);
        ASSERT_TRUE(onPage2());
        // The 500 x 375 preview is shown at its size: (20, 30, 100, 50) y up is (160, 240, 800, 400)
        // of the picture, rows 2360 to 2759 from the top.
        EXPECT_EQ(tool.User_Picture.size(), QSize(500, 375));
        EXPECT_EQ(tool.originalImageRatio(), QSizeF(1, 1));
        tool.canvas().model().addSelectorWithFrame(QRectF(20, 30, 100, 50));
        dialogs.queueHook([&](QDialog& dialog) {
            auto& report = dynamic_cast<Open_Export_Log&>(dialog);
            reported << report._open_log_path->text() << report._open_log_chk->text();
        });
        tool.Crop_Single_Image_Clicked();
        tool.Cancel_Btn_Clicked();
    });
    tool.Open_Wnd();
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(reported, QStringList({at("out/Badge.png"), "Open file."}));
    ASSERT_TRUE(QFileInfo(at("out/Badge.png")).isFile());
    ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"),
                                   {original, QStringLiteral("-crop"), QStringLiteral("800x400+160+2360"),
                                    QStringLiteral("+repage"), at("theirs.png")})
                  .exitCode,
              0);
    const auto compared = TestEnvironment::run(
        QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"), at("out/Badge.png"), at("theirs.png"),
                                    QStringLiteral("null:")});
    EXPECT_EQ(QString::fromLatin1(compared.err).trimmed(), "0");
    EXPECT_EQ(QImage(at("out/Badge.png")).size(), QSize(800, 400));
}

TEST_F(CroppingToolTest, CropRefusesNothingToCutAndASelectionOfNoSizeWritesNothing)
{
    dialogs.queueHook([&](QDialog&) {
        chooseOnePicture(at("missing.png"));
        ASSERT_TRUE(onPage2());
        // No picture on show: the face method has nothing to search and says nothing.
        click("crop_face_radio");
        click("crop_select_radio");
        tool.Crop_Single_Image_Clicked();
        tool.Load_Image_File(picture(QStringLiteral("small.png"), noisePicture(QSize(200, 100), 3)));
        tool.canvas().model().removeAllSelectorsFromCanvas();
        tool.Crop_Single_Image_Clicked();
        tool.canvas().model().addSelectorWithFrame(QRectF(20, 30, 0, 50));
        tool.Crop_Single_Image_Clicked();
        tool.Cancel_Btn_Clicked();
    });
    tool.Open_Wnd();
    EXPECT_EQ(messages.texts(), QStringList({"\nThere is no image to crop.", "\nPlease select area to crop."}));
    EXPECT_FALSE(QFileInfo::exists(at("out/Badge.png")));
}

TEST_F(CroppingToolTest, TheFaceMethodPutsTheSelectionRoundTheAstronautsFace)
{
    const QString astronaut = kSkimageData + QStringLiteral("astronaut.png");
    ASSERT_TRUE(QFileInfo(astronaut).isFile()) << "python3-skimage is a test dependency";
    chooseOnePicture(astronaut);
    ASSERT_TRUE(onPage2());
    click("crop_face_radio");
    ASSERT_TRUE(tool.Find_Face);
    const QSizeF ratio = tool.originalImageRatio();
    EXPECT_NEAR(ratio.width(), 420.0 / 500.0, 1e-6);
    const QRectF picture(QPointF(0, 0), QSizeF(tool.User_Picture.size()) * ratio.width());
    const QRectF face(tool.Find_Face_Rect.x() * ratio.width(), tool.Find_Face_Rect.y() * ratio.height(),
                      tool.Find_Face_Rect.width() * ratio.width(), tool.Find_Face_Rect.height() * ratio.height());
    // The detector's box in the upper half of the picture (y up), well inside it.
    EXPECT_GT(tool.Find_Face_Rect.center().y(), 250);
    EXPECT_EQ(selection(), face);
    control<QSpinBox>("Face_Size_Stepper").setValue(50);
    EXPECT_TRUE(selection().contains(face));
    EXPECT_TRUE(picture.contains(selection()));
    EXPECT_NEAR(selection().width(), face.width() * 1.5, 0.01);
    tool.Crop_Single_Image_Clicked();
    const QImage written(at("out/Badge.png"));
    // The astronaut is 512 pixels wide: the crop is cut from the file, not from the preview.
    EXPECT_NEAR(written.width(), selection().width() / ratio.width() * 512.0 / 500.0, 2.0);
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(CroppingToolTest, BricksHaveNoFaceAndCropSaysSo)
{
    chooseOnePicture(kSkimageData + QStringLiteral("brick.png"));
    ASSERT_TRUE(onPage2());
    click("crop_face_radio");
    EXPECT_FALSE(tool.Find_Face);
    tool.Crop_Single_Image_Clicked();
    EXPECT_EQ(messages.texts(), QStringList({"\nNo face detected.", "\nNo face detected."}));
    EXPECT_FALSE(QFileInfo::exists(at("out/Badge.png")));
}

TEST_F(CroppingToolTest, TheFaceBoxIsPlacedThroughTheRatioThePictureIsShownAt)
{
    tool.setFaceDetector(std::make_unique<FixedFaces>(QRectF(100, 50, 60, 60)));
    // 300 x 200 is shown at its own size in the 520 x 420 view.
    chooseOnePicture(picture(QStringLiteral("small.png"), noisePicture(QSize(300, 200), 5)));
    click("crop_face_radio");
    ASSERT_TRUE(tool.Find_Face);
    EXPECT_EQ(tool.Crop_Rect, QRectF(100, 50, 60, 60));
    EXPECT_EQ(selection(), QRectF(100, 50, 60, 60));
    tool.Crop_Single_Image_Clicked();
    const QImage written(at("out/Badge.png"));
    EXPECT_EQ(written.size(), QSize(60, 60));
    EXPECT_EQ(written.pixel(0, 0), noisePicture(QSize(300, 200), 5).pixel(100, 90));
    EXPECT_EQ(written, noisePicture(QSize(300, 200), 5).copy(100, 90, 60, 60).convertToFormat(written.format()));
}

TEST_F(CroppingToolTest, AGivenSizeScalesTheWholePictureWithOrWithoutItsProportions)
{
    chooseOnePicture(picture(QStringLiteral("square.png"), noisePicture(QSize(600, 600), 9)));
    click("crop_size_radio");
    EXPECT_TRUE(control<QWidget>("cropping_wid_size").isEnabled());
    EXPECT_FALSE(tool.canvas().model().selectors().back()->isShown());
    control<QSpinBox>("width_Stepper").setValue(300);
    control<QSpinBox>("height_Stepper").setValue(200);
    EXPECT_EQ(control<QLineEdit>("width_Text").text(), "300");
    click("aspect_ratio_chk");
    tool.Crop_Single_Image_Clicked();
    click("aspect_ratio_chk");
    tool.Crop_Single_Image_Clicked();
    EXPECT_EQ(QImage(at("out/Badge.png")).size(), QSize(200, 200));
    EXPECT_EQ(QImage(at("out/Badge_1.png")).size(), QSize(300, 200));
}

TEST_F(CroppingToolTest, WidthAndHeightFieldsKeepAWholeNumberFromOneTo10000)
{
    QLineEdit& width = control<QLineEdit>("width_Text");
    QSpinBox& stepper = control<QSpinBox>("width_Stepper");
    const QList<std::pair<QString, QString>> cases{{"abc", "1"}, {"0", "1"}, {"123456", "10000"}, {"20000", "10000"},
                                                    {"012345", "01234"}, {" 640 ", " 640 "},
                                                    {"abcdefg", "1"}, {"000000", "1"}};
    for (const auto& [typed, kept] : cases) {
        width.setText(typed);
        tool.controlTextDidChange(&width);
        EXPECT_EQ(width.text(), kept) << typed.toStdString();
        EXPECT_EQ(stepper.value(), kept.toInt()) << typed.toStdString();
    }
}

TEST_F(CroppingToolTest, AdjustmentsStartNeutralAndEachChangeRedrawsThePreview)
{
    tool.Set_Default_Values();
    tool.Reset_Image_Editing_Controls();
    EXPECT_EQ(tool.adjustments(), PictureSettings());
    chooseOnePicture(picture(QStringLiteral("grey.png"), noisePicture(QSize(120, 80), 2)));
    const QImage before = tool.User_Picture;
    click("Image_Gray_Scale_chk");
    const QRgb pixel = tool.User_Picture.pixel(10, 10);
    EXPECT_EQ(qRed(pixel), qGreen(pixel));
    EXPECT_EQ(qGreen(pixel), qBlue(pixel));
    control<QSlider>("Rotate_slidr").setValue(459);
    EXPECT_EQ(control<QLabel>("Rotate_slidr_val").text(), "45.9");
    EXPECT_FLOAT_EQ(tool.adjustments().rotate_image, 45.9f);
    messages.queueAnswers({1});  // No
    tool.Image_reset_Button();
    EXPECT_TRUE(tool.adjustments().gray_Scale);
    messages.queueAnswers({0});  // Yes
    tool.Image_reset_Button();
    EXPECT_EQ(tool.adjustments(), PictureSettings());
    EXPECT_EQ(tool.User_Picture, before);
    EXPECT_EQ(control<QLabel>("Sat_slidr_val").text(), "1");
    EXPECT_EQ(control<QLabel>("Trsp_slidr_val").text(), "100");
}

TEST_F(CroppingToolTest, ADirectCropOfAMissingOrUnreadablePictureAnswersNoughtWithoutAWindow)
{
    QFile junk(at("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    bool shown = false;
    dialogs.queueHook([&](QDialog&) { shown = true; });
    EXPECT_EQ(tool.Open_Wnd_Direct_To_Crop(at("missing.png")), 0);
    EXPECT_EQ(tool.Open_Wnd_Direct_To_Crop(at("junk.png")), 0);
    EXPECT_FALSE(shown);
    EXPECT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.texts().at(1).contains(at("junk.png")));
}

TEST_F(CroppingToolTest, ADirectCropGoesToTheCroppedPicturesFolderUnderAFreeName)
{
    ASSERT_TRUE(QDir().mkpath(at("Cropped_Images")));
    picture(QStringLiteral("Cropped_Images/Ann.jpg"), noisePicture(QSize(10, 10), 1));
    const QString ann = picture(QStringLiteral("Ann.JPG"), noisePicture(QSize(300, 200), 4));
    dialogs.queueHook([&](QDialog&) {
        EXPECT_FALSE(control<QWidget>("Croping_option_Box").isVisibleTo(&tool));
        tool.canvas().model().addSelectorWithFrame(QRectF(0, 0, 50, 40));
        click("Crop_direct_Btn");
    });
    EXPECT_EQ(tool.Open_Wnd_Direct_To_Crop(ann), 1);
    EXPECT_EQ(tool.Crop_Direct_Path(), at("Cropped_Images/Ann (1).jpg"));
    EXPECT_EQ(QImage(tool.Crop_Direct_Path()).size(), QSize(50, 40));
    EXPECT_EQ(messages.texts(), QStringList({"\nImage has been cropped successfully."}));
}

TEST_F(CroppingToolTest, ASeriesSourceListsItsReadablePicturesAndAsksBeforeARun)
{
    const QString one = picture(QStringLiteral("one.png"), noisePicture(QSize(30, 20), 1));
    const QString two = picture(QStringLiteral("two.png"), noisePicture(QSize(30, 20), 2));
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.write((one + "\r\n" + at("gone.png") + "\r\n" + at("DataSet") + "\r\n" + two + "\r\n").toUtf8());
    staff.close();
    dialogs.queueHook([&](QDialog&) {
        click("input_series_radio");
        control<QLineEdit>("output_path").setText(at("out"));
        tool.OK_Btn_Clicked();
        auto& series = control<QComboBox>("batch_list");
        EXPECT_EQ(series.itemText(0), kSelectPrompt);
        series.setCurrentIndex(series.findText(QStringLiteral("Staff")));
        messages.queueAnswers({1, 0});  // No, then Yes
        tool.OK_Btn_Clicked();
        EXPECT_FALSE(onPage2());
        click("batch_replace_radio");
        tool.OK_Btn_Clicked();
        EXPECT_TRUE(onPage2());
        EXPECT_EQ(tool.listedPaths(), QStringList({one, two}));
        EXPECT_EQ(tool.Crop_Input_Path, one);
        tool.Cancel_Btn_Clicked();
    });
    tool.Open_Wnd();
    EXPECT_EQ(messages.texts(),
              QStringList({"\nPlease select batch series.",
                           "This action will create new batch series with all new cropped images.\nAre you sure you want to continue?",
                           "This action will replace selected batch series items with all new cropped images.\nAre you sure you want to continue?"}));
}

TEST_F(CroppingToolTest, DirectSeriesAndColumnRunsListEveryLineAndEmptySourcesCloseWithNought)
{
    const QString one = picture(QStringLiteral("one.png"), noisePicture(QSize(30, 20), 1));
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.write((one + "\n" + at("gone.png") + "\n").toUtf8());
    staff.close();
    QStringList listed;
    dialogs.queueHook([&](QDialog&) { listed = tool.listedPaths(); });
    EXPECT_EQ(tool.Open_Wnd_Direct_Crop_Series(QStringLiteral("Staff")), 0);
    EXPECT_EQ(listed, QStringList({one, at("gone.png")}));
    EXPECT_EQ(tool.Open_Wnd_Direct_Crop_Series(QStringLiteral("Nobody")), 0);

    Data_From_Excel table;
    table.ColList.addColumn(QStringLiteral("Column1"), QStringLiteral("Name"));
    table.ColList.addColumn(QStringLiteral("Column2"), QStringLiteral("Photo"));
    table.Create_List_By_Array({QStringLiteral("Ann"), one}, 2);
    table.Create_List_By_Array({QStringLiteral("Bob"), QString()}, 2);
    dialogs.queueHook([&](QDialog&) { listed = tool.listedPaths(); });
    EXPECT_EQ(tool.Open_Wnd_Direct_Excel_Column(QStringLiteral("Photo"), 2), 0);
    EXPECT_EQ(listed, QStringList({one, QString()}));
    EXPECT_EQ(tool.Open_Wnd_Direct_Excel_Column(QStringLiteral("Extension"), 0), 0);
    EXPECT_EQ(messages.texts(),
              QStringList({"\nThe selected series does not contains any image with supported extension.",
                           "\nThe selected control does not contains any image with supported extension."}));
}

TEST_F(CroppingToolTest, CropAllOfAFolderNamesTheCropsInListOrderAndReportsTheFolder)
{
    ASSERT_TRUE(QDir().mkpath(at("in")));
    for (const char* name : {"b10.png", "b2.png", "b1.png"})
        picture(QStringLiteral("in/") + name, noisePicture(QSize(300, 200), 6));
    QString reported;
    dialogs.queueHook([&](QDialog&) {
        click("input_folder_radio");
        control<QLineEdit>("folder_path").setText(at("in"));
        chooseOnePicture({});
        ASSERT_TRUE(onPage2());
        tool.canvas().model().addSelectorWithFrame(QRectF(10, 20, 40, 30));
        click("crop_all_btn");
        EXPECT_EQ(tool.crop_num, 3);
        tool.Cancel_Btn_Clicked();
    });
    dialogs.queueHook([&](QDialog& report) { reported = report.findChild<QLineEdit*>()->text(); });
    tool.Open_Wnd();
    EXPECT_EQ(reported, at("out"));
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files, QDir::Name), QStringList({"Badge.png", "Badge_1.png", "Badge_2.png"}));
    EXPECT_EQ(QImage(at("out/Badge_2.png")).size(), QSize(40, 30));
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(CroppingToolTest, CropAllWithTheFaceMethodAndNoFaceOnShowSaysSo)
{
    tool.setFaceDetector(std::make_unique<FixedFaces>(std::nullopt));
    ASSERT_TRUE(QDir().mkpath(at("in")));
    picture(QStringLiteral("in/a.png"), noisePicture(QSize(60, 40), 1));
    click("input_folder_radio");
    control<QLineEdit>("folder_path").setText(at("in"));
    chooseOnePicture({});
    click("crop_face_radio");
    click("crop_all_btn");
    EXPECT_EQ(messages.texts(), QStringList({"\nNo face detected.", "\nNo face detected."}));
    EXPECT_FALSE(QDir(at("out")).exists());
}

TEST_F(CroppingToolTest, ADirectSeriesRunMakesANewSeriesAndClosesWithIt)
{
    const QString one = picture(QStringLiteral("one.png"), noisePicture(QSize(300, 200), 1));
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.write((one + "\n" + at("gone.png") + "\n").toUtf8());
    staff.close();
    dialogs.queueHook([&](QDialog&) {
        tool.canvas().model().addSelectorWithFrame(QRectF(0, 0, 30, 20));
        messages.queueAnswers({1});  // No: the window stays
        click("Crop_direct_Btn");
        messages.queueAnswers({0});
        click("Crop_direct_Btn");
    });
    EXPECT_EQ(tool.Open_Wnd_Direct_Crop_Series(QStringLiteral("Staff")), 1);
    EXPECT_EQ(tool.Crop_Direct_Series(), "Staff (1)");
    QFile made(at("DataSet/Staff (1).txt"));
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(made.readAll()), at("Cropped_Images/Staff (1)/one.png") + "\n" + at("gone.png") + "\n");
    EXPECT_EQ(QImage(at("Cropped_Images/Staff (1)/one.png")).size(), QSize(30, 20));
    EXPECT_EQ(messages.records().last().request.text, "1 picture was cropped.\n\n1 picture was left out:");
    EXPECT_EQ(messages.records().last().request.details, QStringList{"gone.png: the picture could not be read."});
}

// The list's View button: the series in the series viewer ("Please select the series." without
// one), the loaded data table for the column source; the one-picture source has none.
TEST_F(CroppingToolTest, TheViewButtonShowsTheListedSeriesOrTheLoadedTable)
{
    const QString one = picture(QStringLiteral("one.png"), noisePicture(QSize(30, 20), 1));
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.write((one + "\n").toUtf8());
    staff.close();
    Data_From_Excel table;
    table.ColList.addColumn(QStringLiteral("Column1"), QStringLiteral("Photo"));
    table.Create_List_By_Array({one}, 1);
    QStringList seen;
    const auto view = [&](bool opens) {
        auto& button = control<QPushButton>("view_series_btn");
        seen << (button.isVisibleTo(&tool) ? "button" : "no button");
        if (opens) {
            dialogs.queueHook([&](QDialog& window) {
                if (&window == &View_Data_Series::defaultInstance().window())
                    seen << "series " + View_Data_Series::defaultInstance().file_name;
                else if (dynamic_cast<DataRowsView*>(&window))
                    seen << "table";
            });
        }
        button.click();
    };
    dialogs.queueHook([&](QDialog&) {
        view(true);
        control<QComboBox>("batch_list").setCurrentIndex(0);
        view(false);
        tool.Close_Box_With_Cancel();
    });
    tool.Open_Wnd_Direct_Crop_Series(QStringLiteral("Staff"));
    dialogs.queueHook([&](QDialog&) {
        view(true);
        tool.Close_Box_With_Cancel();
    });
    tool.Open_Wnd_Direct_Excel_Column(QStringLiteral("Photo"), 1);
    dialogs.queueHook([&](QDialog&) {
        seen << (control<QPushButton>("view_series_btn").isVisibleTo(&tool) ? "button" : "no button");
        tool.Close_Box_With_Cancel();
    });
    tool.Open_Wnd_Direct_To_Crop(one);
    EXPECT_EQ(seen, QStringList({"button", "series Staff", "button", "button", "table", "no button"}));
    EXPECT_EQ(messages.texts(), QStringList{"\nPlease select the series."});
}

TEST_F(CroppingToolTest, ADirectColumnRunAddsAColumnOfTheCropsKeepingMissingPicturesAsListed)
{
    const QString one = picture(QStringLiteral("one.png"), noisePicture(QSize(300, 200), 1));
    Data_From_Excel table;
    table.ColList.addColumn(QStringLiteral("Column1"), QStringLiteral("Photo"));
    table.Create_List_By_Array({at("gone.png")}, 1);
    table.Create_List_By_Array({one}, 1);
    dialogs.queueHook([&](QDialog&) {
        tool.canvas().model().addSelectorWithFrame(QRectF(0, 0, 30, 20));
        click("Crop_direct_Btn");
    });
    EXPECT_EQ(tool.Open_Wnd_Direct_Excel_Column(QStringLiteral("Photo"), 1), 1);
    EXPECT_EQ(tool.Crop_New_Excel_Col_Index(), 2);
    EXPECT_EQ(tool.Crop_New_Excel_Col_Name(), "Column2");
    EXPECT_EQ(table.objectValue(QStringLiteral("Column2"), 0), at("gone.png"));
    EXPECT_EQ(table.objectValue(QStringLiteral("Column2"), 1), at("Cropped_Images/Column 3/one.png"));
    EXPECT_EQ(QImage(at("Cropped_Images/Column 3/one.png")).size(), QSize(30, 20));
}

TEST_F(CroppingToolTest, ASelectionPastThePictureCropsOnlyWhatLiesOnItAndNoCroppedFolderIsRefused)
{
    const QString wide = picture(QStringLiteral("wide.png"), noisePicture(QSize(200, 100), 8));
    chooseOnePicture(wide);
    tool.canvas().model().addSelectorWithFrame(QRectF(150, 50, 100, 100));
    tool.Crop_Single_Image_Clicked();
    const QImage written(at("out/Badge.png"));
    EXPECT_EQ(written, noisePicture(QSize(200, 100), 8).copy(150, 0, 50, 50).convertToFormat(written.format()));

    Cropped_Img_Path = QString();
    dialogs.queueHook([&](QDialog&) {
        tool.canvas().model().addSelectorWithFrame(QRectF(0, 0, 30, 20));
        click("Crop_direct_Btn");
        tool.Close_Box_With_Cancel();
    });
    EXPECT_EQ(tool.Open_Wnd_Direct_To_Crop(wide), 0);
    EXPECT_EQ(messages.texts(), QStringList({"\nThe folder for the cropped pictures could not be made."}));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/wide.png")));
}

// Crop All finds each face where Crop does: on the picture as flipped or turned.
TEST_F(CroppingToolTest, CropAllCutsTheFaceCropCutsWithTheFlipOrTheTurn)
{
    const QString astronaut = kSkimageData + QStringLiteral("astronaut.png");
    if (!QFileInfo(astronaut).isFile())
        GTEST_SKIP() << "needs python3-skimage's astronaut.png";
    ASSERT_TRUE(QDir().mkpath(at("in")));
    ASSERT_TRUE(QFile::copy(astronaut, at("in/astronaut.png")));
    for (const char* adjustment : {"Image_FIH_chk", "Rotate_slidr"}) {
        SCOPED_TRACE(adjustment);
        QDir(at("out")).removeRecursively();
        QDir(at("all")).removeRecursively();
        click("input_folder_radio");
        control<QLineEdit>("folder_path").setText(at("in"));
        chooseOnePicture({});
        ASSERT_TRUE(onPage2());
        // Ten degrees: the frontal-face cascade finds no face turned much further.
        if (QString(adjustment) == "Rotate_slidr")
            control<QSlider>(adjustment).setValue(100);
        else
            click(adjustment);
        click("crop_face_radio");
        ASSERT_TRUE(tool.Find_Face);
        tool.Crop_Single_Image_Clicked();
        tool.Crop_Output_Path = at("all");
        click("crop_all_btn");
        const QStringList all = QDir(at("all")).entryList(QDir::Files);
        ASSERT_EQ(all.size(), 1);
        const QString single = at("out/Badge.png"), batch = at("all/") + all.first();
        const auto size = [](const QString& path) {
            return TestEnvironment::run(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%wx%h"), path})
                .out.toStdString();
        };
        EXPECT_EQ(size(single), size(batch));
        const auto compared = TestEnvironment::run(
            QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"), single, batch, QStringLiteral("null:")});
        EXPECT_EQ(compared.err.trimmed().toStdString(), "0") << "pixels that differ";
        tool.Back_Btn_Clicked();
        tool.Reset_Image_Editing_Controls();
    }
}

// A custom name names a file in the output folder, never a way out of it.
TEST_F(CroppingToolTest, ACustomNameThatLeavesTheOutputFolderIsRefusedAtNext)
{
    const QString photo = picture(QStringLiteral("photo.png"), noisePicture(QSize(60, 40), 3));
    ASSERT_TRUE(QDir().mkpath(at("out")));
    int asked = 0;
    for (const QString name : {"../escaped", "sub/Badge", "a\\b", "..", "...", "..Badge", "."}) {
        SCOPED_TRACE(name.toStdString());
        control<QLineEdit>("file_path").setText(photo);
        control<QLineEdit>("output_path").setText(at("out"));
        click("output_custom_radio");
        control<QLineEdit>("output_custom_name").setText(name);
        tool.OK_Btn_Clicked();
        EXPECT_FALSE(onPage2());
        EXPECT_EQ(messages.texts().value(asked++),
                  "\nPlease type a file name as the custom name: not \".\", not starting with \"..\", and without \"/\" "
                  "or \"\\\".");
    }
    EXPECT_EQ(messages.texts().size(), 7);
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files), QStringList{"photo.png"});
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files), QStringList());
    // A name with dots inside is a file name.
    control<QLineEdit>("output_custom_name").setText(QStringLiteral("Badge.v2"));
    tool.OK_Btn_Clicked();
    EXPECT_TRUE(onPage2());
}

// Every crop counts towards the next custom name, whatever its source or name; a folder listed
// anew starts again from the first name.
TEST_F(CroppingToolTest, CustomNamesCountEveryCropUntilAFolderIsListed)
{
    const QString one = picture(QStringLiteral("one.png"), noisePicture(QSize(60, 40), 1));
    const QString two = picture(QStringLiteral("two.png"), noisePicture(QSize(60, 40), 2));
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.write((one + "\n" + two + "\n").toUtf8());
    staff.close();
    ASSERT_TRUE(QDir().mkpath(at("in")));
    picture(QStringLiteral("in/three.png"), noisePicture(QSize(60, 40), 3));
    const auto pageTwo = [&](const char* source, const char* output, const char* folder) {
        tool.Back_Btn_Clicked();
        click(source);
        click(output);
        control<QLineEdit>("output_path").setText(at(folder));
        tool.OK_Btn_Clicked();
    };
    dialogs.queueHook([&](QDialog&) {
        // A picture, cropped under its own name, then under the custom name; then another picture.
        control<QLineEdit>("file_path").setText(one);
        control<QLineEdit>("output_path").setText(at("out"));
        control<QComboBox>("output_format_combo").setCurrentIndex(2);
        tool.OK_Btn_Clicked();
        tool.canvas().model().addSelectorWithFrame(QRectF(0, 0, 20, 20));
        tool.Crop_Single_Image_Clicked();
        control<QLineEdit>("output_custom_name").setText(QStringLiteral("Badge"));
        pageTwo("input_file_radio", "output_custom_radio", "out");
        tool.Crop_Single_Image_Clicked();
        control<QLineEdit>("file_path").setText(two);
        pageTwo("input_file_radio", "output_custom_radio", "out");
        tool.Crop_Single_Image_Clicked();

        // A series cropped under its own names, then under the custom name into another folder.
        auto& series = control<QComboBox>("batch_list");
        series.setCurrentIndex(series.findText(QStringLiteral("Staff")));
        messages.queueAnswers({0});
        pageTwo("input_series_radio", "output_name_radio", "own");
        click("crop_all_btn");
        messages.queueAnswers({0});
        pageTwo("input_series_radio", "output_custom_radio", "custom");
        click("crop_all_btn");

        // A folder starts again from Badge.
        control<QLineEdit>("folder_path").setText(at("in"));
        pageTwo("input_folder_radio", "output_custom_radio", "custom");
        click("crop_all_btn");
        tool.Cancel_Btn_Clicked();
    });
    tool.Open_Wnd();
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files, QDir::Name),
              QStringList({"Badge_1.png", "Badge_2.png", "one.png"}));
    EXPECT_EQ(QDir(at("own")).entryList(QDir::Files, QDir::Name), QStringList({"one.png", "two.png"}));
    EXPECT_EQ(QDir(at("custom")).entryList(QDir::Files, QDir::Name),
              QStringList({"Badge.png", "Badge_5.png", "Badge_6.png"}));
    // Nothing was asked but the two questions before the series runs.
    EXPECT_EQ(messages.texts().size(), 2);
}

// The selection is hidden while Crop All runs and is back, as it was left, when the run reports.
TEST_F(CroppingToolTest, TheSelectionIsBackWhenCropAllReports)
{
    ASSERT_TRUE(QDir().mkpath(at("in")));
    for (const char* name : {"a.png", "b.png"})
        picture(QStringLiteral("in/") + name, noisePicture(QSize(300, 200), 6));
    click("input_folder_radio");
    control<QLineEdit>("folder_path").setText(at("in"));
    chooseOnePicture({});
    ASSERT_TRUE(onPage2());
    tool.canvas().model().removeAllSelectorsFromCanvas();
    tool.canvas().model().addSelectorWithFrame(QRectF(10, 20, 40, 30));
    bool shownAtTheReport = false;
    dialogs.queueHook([&](QDialog&) { shownAtTheReport = tool.canvas().model().selectors().back()->isShown(); });
    click("crop_all_btn");
    EXPECT_TRUE(shownAtTheReport);
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files).size(), 2);
    ASSERT_TRUE(tool.canvas().model().hasSelectors());
    EXPECT_TRUE(tool.canvas().model().selectors().back()->isShown());
    EXPECT_EQ(selection(), QRectF(10, 20, 40, 30));
}

// Crop All shows each picture as it takes it: the run ends on the last row and its picture.
TEST_F(CroppingToolTest, CropAllEndsShowingTheLastPictureOfTheList)
{
    ASSERT_TRUE(QDir().mkpath(at("in")));
    const QList<QColor> colours{Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < colours.size(); ++i) {
        QImage plain(300, 200, QImage::Format_RGB32);
        plain.fill(colours[i]);
        picture(QStringLiteral("in/p%1.png").arg(i), plain);
    }
    click("input_folder_radio");
    control<QLineEdit>("folder_path").setText(at("in"));
    chooseOnePicture({});
    tool.canvas().model().addSelectorWithFrame(QRectF(10, 20, 40, 30));
    click("crop_all_btn");
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files).size(), 3);
    const QList<QTableWidgetItem*> selected = control<QTableWidget>("ColList").selectedItems();
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_EQ(selected.front()->row(), 2);
    EXPECT_EQ(tool.Crop_Input_Path, at("in/p2.png"));
    EXPECT_EQ(tool.User_Picture.pixelColor(150, 100), QColor(Qt::blue));
    EXPECT_EQ(selection(), QRectF(10, 20, 40, 30));
}

// A face the cascade can see is found, however small a share of the picture it is: the astronaut
// at half size on a grey field, her face some 53 pixels across.
TEST_F(CroppingToolTest, TheFaceMethodFindsASmallFaceOnAWideField)
{
    QImage field(512, 512, QImage::Format_RGB32);
    field.fill(QColor(128, 128, 128));
    QPainter(&field).drawImage(QRect(128, 128, 256, 256), QImage(kSkimageData + QStringLiteral("astronaut.png")));
    chooseOnePicture(picture(QStringLiteral("small-face.png"), field));
    click("crop_face_radio");
    ASSERT_TRUE(tool.Find_Face);
    EXPECT_EQ(messages.texts(), QStringList());
    // Her face, y up, in the preview's pixels (500 of 512): about x 208 to 261, y 293 to 346.
    const QRectF face = tool.Find_Face_Rect;
    EXPECT_TRUE(QRectF(190, 275, 100, 100).contains(face)) << face.x() << "," << face.y();
    EXPECT_GT(face.width(), 40);
}

// The crop of a 2000 x 1500 picture looks as its 500 x 375 preview did: blur and sharpening reach
// as far on the full picture as on the preview. ImageMagick compares the crop with the preview's
// part enlarged to the crop's size (a root mean square of 0.023 with no adjustment at all).
TEST_F(CroppingToolTest, ACropLooksAsItsPreviewDid)
{
    QImage board(2000, 1500, QImage::Format_RGB32), waves(2000, 1500, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x) {
            board.setPixel(x, y, (x / 100 + y / 100) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            const int v = int(127.5 + 100 * std::sin(x * M_PI / 16) * std::sin(y * M_PI / 16));
            waves.setPixel(x, y, qRgb(v, v, v));
        }
    // Blur 20 of squares 25 pixels wide on the preview: flat grey there, as in the crop. Sharpness
    // 1 of waves 8 pixels long on the preview: their crests are as steep in the crop.
    const struct {
        const char* slider;
        int value;
        QImage picture;
        double bound;
    } cases[] = {{"blr_slidr", 20, board, 0.02}, {"shrp_slidr", 100, waves, 0.06}};
    for (const auto& adjusted : cases) {
        SCOPED_TRACE(adjusted.slider);
        QDir(at("out")).removeRecursively();
        chooseOnePicture(picture(QStringLiteral("large.png"), adjusted.picture));
        control<QSlider>(adjusted.slider).setValue(adjusted.value);
        // (100, 100, 200, 150) of the preview shown at its size, y up: rows 125 to 274 from the top.
        ASSERT_EQ(tool.originalImageRatio(), QSizeF(1, 1));
        tool.canvas().model().removeAllSelectorsFromCanvas();
        tool.canvas().model().addSelectorWithFrame(QRectF(100, 100, 200, 150));
        tool.Crop_Single_Image_Clicked();
        ASSERT_TRUE(tool.User_Picture.copy(100, 125, 200, 150).save(at("preview.png")));
        ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), {at("preview.png"), QStringLiteral("-resize"),
                                                                  QStringLiteral("800x600!"), at("enlarged.png")})
                      .exitCode,
                  0);
        const QStringList written = QDir(at("out")).entryList(QDir::Files);
        ASSERT_EQ(written.size(), 1);
        const QString rmse = QString::fromLatin1(
            TestEnvironment::run(QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("RMSE"),
                                                             at("out/") + written.first(), at("enlarged.png"),
                                                             QStringLiteral("null:")})
                .err);
        EXPECT_LT(rmse.section(u'(', 1).section(u')', 0, 0).toDouble(), adjusted.bound) << rmse.toStdString();
        control<QSlider>(adjusted.slider).setValue(0);
        tool.Back_Btn_Clicked();
    }
}

// Around the face crops the face, large or small, one person or two: the astronaut (whose face
// the cascade finds at x 171, y 63, 96 pixels across on her 512-pixel picture) placed on grey
// fields. The crop's box is within about twice the face's size and centred on it, by Crop and by
// Crop All over a folder of the same pictures.
TEST_F(CroppingToolTest, AroundTheFaceCropsTheFaceWhateverItsSize)
{
    const QImage astronaut(kSkimageData + QStringLiteral("astronaut.png"));
    ASSERT_FALSE(astronaut.isNull()) << "python3-skimage is a test dependency";
    struct Placed {
        int size, x, y;
        QRectF face() const { return QRectF(x + size * 171.0 / 512, y + size * 63.0 / 512, size * 96.0 / 512, size * 96.0 / 512); }
    };
    const struct { const char* name; QSize field; QList<Placed> people; } cases[] = {
        {"large.png", {900, 600}, {{400, 250, 100}}},
        {"two.png", {900, 600}, {{200, 50, 300}, {400, 450, 100}}},
        {"small.png", {512, 512}, {{256, 128, 128}}},
    };
    ASSERT_TRUE(QDir().mkpath(at("in")));
    QList<int> cropWidths;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage field(c.field, QImage::Format_RGB32);
        field.fill(QColor(128, 128, 128));
        QPainter painter(&field);
        for (const Placed& person : c.people)
            painter.drawImage(QRect(person.x, person.y, person.size, person.size), astronaut);
        painter.end();
        ASSERT_TRUE(field.save(at(QStringLiteral("in/") + QLatin1String(c.name))));
        QDir(at("out")).removeRecursively();
        chooseOnePicture(at(QStringLiteral("in/") + QLatin1String(c.name)));
        click("crop_face_radio");
        ASSERT_TRUE(tool.Find_Face);
        // The selection (preview pixels through the view's ratio, y up) in the field's pixels.
        const QSizeF ratio = tool.originalImageRatio();
        const double toField = double(c.field.width()) / tool.User_Picture.width();
        const QRectF shown = selection();
        const QRectF box(shown.x() / ratio.width() * toField,
                         c.field.height() - (shown.y() + shown.height()) / ratio.height() * toField,
                         shown.width() / ratio.width() * toField, shown.height() / ratio.height() * toField);
        // The face of the largest person: the one a card photo is of.
        const QRectF face = std::max_element(c.people.begin(), c.people.end(), [](const Placed& a, const Placed& b) {
                                return a.size < b.size;
                            })->face();
        EXPECT_LE(box.width(), 2 * face.width()) << box.width() << " for a face of " << face.width();
        EXPECT_GE(box.width(), face.width() / 2);
        EXPECT_LT(QLineF(box.center(), face.center()).length(), face.width() / 4)
            << "box centred at " << box.center().x() << "," << box.center().y() << ", face at " << face.center().x()
            << "," << face.center().y();
        tool.Crop_Single_Image_Clicked();
        const QStringList written = QDir(at("out")).entryList(QDir::Files);
        ASSERT_EQ(written.size(), 1);
        const QImage crop(at(QStringLiteral("out/") + written.first()));
        EXPECT_NEAR(crop.width(), box.width(), 3);
        cropWidths << crop.width();
        EXPECT_EQ(messages.texts(), QStringList());
    }
    // Crop All over the folder cuts each picture as Crop did.
    click("input_folder_radio");
    control<QLineEdit>("folder_path").setText(at("in"));
    chooseOnePicture({});
    click("crop_face_radio");
    tool.Crop_Output_Path = at("all");
    click("crop_all_btn");
    QList<int> allWidths;
    for (const QString& written : QDir(at("all")).entryList(QDir::Files))
        allWidths << QImage(at(QStringLiteral("all/") + written)).width();
    std::sort(cropWidths.begin(), cropWidths.end());
    std::sort(allWidths.begin(), allWidths.end());
    EXPECT_EQ(allWidths, cropWidths);
}
