// The picture page on real canvases: loading a picture's fields, the writer's common rule over mixed
// selections, the filter chain reaching the drawn picture, the sources (camera, file, library,
// cropping tool) through their windows, the one-picture check, the reset and refused input.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "ElementPanelFixture.h"
#include "support/ScriptedPhotoWindows.h"
#include "filters/ImageProcesser.h"
#include "model/SKTGraphicKinds.h"
#include "platform/PictureReading.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/CroppedPictureBinding.h"
#include "views/inspector/FloatSlider.h"
#include "views/inspector/ImagePanel.h"

namespace {

const QString kOnePicture = QStringLiteral("\nPlease select only one image control to '%1 Image'.");
const QString kNoImage = QStringLiteral("\nThe selected control does not contains any image with supported extension.");

// Red above, blue below: a turn and a tone both show in a few pixels.
QImage bands()
{
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(QColor(220, 20, 20));
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 15, 40, 15), QColor(20, 20, 220));
    return picture;
}

// Red, green, blue and yellow quarters: a mirror either way shows in the corners.
QImage quarters()
{
    QImage picture(40, 30, QImage::Format_ARGB32);
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 0, 20, 15), QColor(220, 20, 20));
    painter.fillRect(QRect(20, 0, 20, 15), QColor(20, 200, 20));
    painter.fillRect(QRect(0, 15, 20, 15), QColor(20, 20, 220));
    painter.fillRect(QRect(20, 15, 20, 15), QColor(230, 230, 20));
    return picture;
}

QImage solid(const QColor& colour)
{
    QImage picture(24, 24, QImage::Format_ARGB32);
    picture.fill(colour);
    return picture;
}

// The element as the canvas draws it, on a white card of its own box.
QImage drawn(SKTGraphic& graphic)
{
    QImage card(graphic.bounds().size().toSize(), QImage::Format_ARGB32);
    card.fill(Qt::white);
    QPainter painter(&card);
    painter.translate(-graphic.bounds().topLeft());
    graphic.drawContentsInView(painter, false);
    return card;
}

struct ScriptedBinding : CroppedPictureBinding {
    int showSeriesChoosing(const QString& name) override
    {
        shown << QStringLiteral("series ") + name;
        return 3;
    }
    QString Get_First_Value_Of_Dataset(const QString&) const override { return firstValue; }
    int Calculate_Excel_table_rows() override
    {
        shown << QStringLiteral("rows");
        return 5;
    }
    QString Get_Excel_Column_Name_Of_Index(int column) const override { return QStringLiteral("Photo %1").arg(column); }
    void showColumnsChoosing(int column) override { shown << QStringLiteral("column %1").arg(column); }
    QString Get_First_Value_Of_Excel_Binding(int) const override { return firstValue; }
    QString firstValue;
    QStringList shown;
};

class ImagePanelTest : public ElementPanelFixture {
protected:
    void SetUp() override
    {
        ElementPanelFixture::SetUp();
        bandsFile = save(QStringLiteral("bands.png"), bands());
        greenFile = save(QStringLiteral("green.png"), solid(Qt::green));
        yellowFile = save(QStringLiteral("yellow.png"), solid(Qt::yellow));
        QFile text(scratch.filePath(QStringLiteral("notes.png")));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("no picture here");
        unreadableFile = text.fileName();
    }

    QString save(const QString& name, const QImage& picture)
    {
        const QString path = scratch.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    std::shared_ptr<SKTImage> picture(const QString& path, const QRectF& box = QRectF(10, 10, 40, 30))
    {
        auto image = SKTImage::initWithPath(box.center(), path);
        image->setBounds(box);
        image->ctrl_is_visible = true;
        return image;
    }
    void moveSlider(const char* name, QAbstractSlider::SliderAction action)
    {
        control<FloatSlider>(name).triggerAction(action);
    }
    ImagePanel& panel() { return inspector.imagePanel(); }

    QTemporaryDir scratch;
    QString bandsFile, greenFile, yellowFile, unreadableFile;
    std::unique_ptr<ScriptedPhotoWindows> photos = std::make_unique<ScriptedPhotoWindows>();
};

TEST_F(ImagePanelTest, LoadShowsThePicturesFieldsAndWhetherItsFileIsThere)
{
    auto image = picture(bandsFile);
    image->_isDrawingStroke = true, image->_strokeWidth = 2.5, image->_strokeColor = QColor(10, 120, 30);
    image->_stroke_border_type = QStringLiteral("DO");
    PictureSettings& s = image->picture;
    s.rotate_image = 45.7f, s.img_trnsp_val = 60, s.hue_val = 0.5f, s.sat_val = 1.25f, s.brt_val = -0.1f;
    s.con_val = 1.5f, s.srp_val = 0.3f, s.ev_val = 0.5f, s.blr_val = 2, s.Sepia = true, s._isFlippedVertically = true;
    image->control_ID = QStringLiteral("F_Pic1");
    ASSERT_NO_FATAL_FAILURE(showView());
    placeAndShow({image});
    ASSERT_TRUE(view.showPage(QStringLiteral("image_tab")));

    EXPECT_TRUE(control<QCheckBox>("Image_border_chk").isChecked());
    EXPECT_EQ(control<QSpinBox>("Image_bor_Stepper").value(), 2);
    EXPECT_EQ(control<QComboBox>("Image_border_style").currentIndex(), 2);
    EXPECT_TRUE(control<QWidget>("Image_Border_Box").isEnabled());
    const QList<std::pair<const char*, double>> shown{{"Rotate_slidr_val", 45.7}, {"Trsp_slidr_val", 60},
                                                      {"Hue_slidr_val", 0.5},     {"Sat_slidr_val", 1.25},
                                                      {"Brt_slidr_val", -0.1},    {"Con_slidr_val", 1.5},
                                                      {"shrp_slidr_val", 0.3},    {"ev_slidr_val", 0.5},
                                                      {"blr_slidr_val", 2}};
    for (const auto& [name, value] : shown) {
        EXPECT_NEAR(control<QDoubleSpinBox>(name).value(), value, 1e-6) << name;
        EXPECT_NEAR(control<FloatSlider>(QByteArray(name).chopped(4).constData()).floatValue(), value, 1e-6) << name;
    }
    EXPECT_TRUE(control<QCheckBox>("Image_Sepia_chk").isChecked());
    EXPECT_FALSE(control<QCheckBox>("Image_Gray_Scale_chk").isChecked());
    EXPECT_TRUE(control<QCheckBox>("Image_FIV_chk").isChecked());
    EXPECT_FALSE(control<QCheckBox>("Image_FIH_chk").isChecked());
    EXPECT_TRUE(control<QCheckBox>("draw_image_filter_chkbox").isChecked());
    EXPECT_EQ(control<QPlainTextEdit>("Manual_image_path").toPlainText(), bandsFile);
    EXPECT_EQ(control<QLabel>("img_ctrl_id_val").text(), "F_Pic1");
    EXPECT_FALSE(control<QLabel>("img_ctrl_id_val").isVisible()) << "the identifier is for the code, not the eye";
    EXPECT_TRUE(control<QWidget>("Manual_image_path").isVisible());
    EXPECT_TRUE(control<QLabel>("invalid_source_label").isHidden());

    // A picture whose file was moved away says so.
    auto moved = picture(greenFile, QRectF(60, 10, 24, 24));
    ASSERT_TRUE(QFile::remove(greenFile));
    window.document.insertGraphicsOnSide(SKTDocument::FrontSide, {moved}, {1});
    window.frontView.changeSelectionIndexes({1});
    inspector.Show_RHS_Properties(moved.get());
    EXPECT_FALSE(control<QLabel>("invalid_source_label").isHidden());
}

// Two pictures, a locked one, a signature and a shape selected: a change reaches exactly the two
// unlocked pictures, with one redraw and one snapshot; nothing while controls are being filled.
TEST_F(ImagePanelTest, WritersChangeExactlyTheUnlockedPicturesWithOneRedrawAndOneSnapshot)
{
    auto first = picture(bandsFile), second = picture(greenFile, QRectF(60, 10, 24, 24));
    auto locked = picture(yellowFile, QRectF(100, 10, 24, 24));
    locked->ctrl_is_locked = true;
    GraphicPtr signature = SKTGraphic::create(GraphicKind::Signature), shape = SKTGraphic::create(GraphicKind::Shape);
    second->_isDrawingStroke = true, second->_strokeWidth = 1.5;  // a width the field shows as 1
    placeAndShow({first, second, locked, signature, shape});
    const QByteArray lockedBefore = locked->archiveDigest(), signatureBefore = signature->archiveDigest(),
                     shapeBefore = shape->archiveDigest();

    control<QCheckBox>("Image_Sepia_chk").click();
    EXPECT_TRUE(first->picture.Sepia);
    EXPECT_TRUE(second->picture.Sepia);
    EXPECT_TRUE(first->textStyle.Drawing_Shadow);
    EXPECT_FALSE(locked->picture.Sepia);
    EXPECT_EQ(window.refreshes, 1);
    // The snapshot waits for the pictures, which it holds too; then the side shows them.
    EXPECT_EQ(window.snapshots, 0);
    panel().finishRendering();
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_EQ(window.refreshes, 2);
    EXPECT_TRUE(first->adjustedPictureIsCurrent());
    EXPECT_TRUE(second->adjustedPictureIsCurrent());
    // The border was off in the panel: the second picture's border goes off, its width stays.
    EXPECT_FALSE(second->_isDrawingStroke);
    EXPECT_EQ(second->_strokeWidth, 1.5);

    // Both sliders' values reach both pictures, unscaled; transparency does not make the picture again.
    moveSlider("Hue_slidr", QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FLOAT_EQ(first->picture.hue_val, 0.01f);
    EXPECT_FLOAT_EQ(second->picture.hue_val, 0.01f);
    typeAndEnter(control<QDoubleSpinBox>("Trsp_slidr_val"), QStringLiteral("35"));
    EXPECT_EQ(first->picture.img_trnsp_val, 35);
    EXPECT_EQ(second->picture.img_trnsp_val, 35);
    EXPECT_EQ(control<FloatSlider>("Trsp_slidr").floatValue(), 35);
    panel().finishRendering();
    const QImage adjusted = first->_contents_with_settings;
    typeAndEnter(control<QDoubleSpinBox>("Trsp_slidr_val"), QStringLiteral("50"));
    panel().finishRendering();
    EXPECT_EQ(first->_contents_with_settings.cacheKey(), adjusted.cacheKey());

    control<ColorWell>("Image_bordr_clr").setColor(Qt::red);
    control<QCheckBox>("Image_border_chk").click();
    EXPECT_TRUE(second->_isDrawingStroke);
    EXPECT_EQ(second->_strokeWidth, 1.5);  // the field still shows what it showed for it
    EXPECT_EQ(second->_strokeColor, QColor(Qt::red));

    EXPECT_EQ(locked->archiveDigest(), lockedBefore);
    EXPECT_EQ(signature->archiveDigest(), signatureBefore);
    EXPECT_EQ(shape->archiveDigest(), shapeBefore);

    // Two pictures selected: a source refuses with its word; the sliders still apply to both.
    panel().finishRendering();
    const int snapshots = window.snapshots;
    control<QPushButton>("Open_Camera_btn").click();
    control<QPushButton>("Manual_Image_Browse_btn").click();
    control<QPushButton>("Manual_Library_Browse_btn").click();
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(messages.texts(), QStringList({kOnePicture.arg("Capture"), kOnePicture.arg("Browse"),
                                             kOnePicture.arg("Select"), kOnePicture.arg("Crop")}));
    EXPECT_TRUE(photos->calls.isEmpty());
    EXPECT_EQ(window.snapshots, snapshots);

    // Nothing is written while the controls are being filled.
    const int refreshes = window.refreshes;
    {
        const NotDrawOnlyPropChangeGuard filling;
        control<QCheckBox>("Image_Gray_Scale_chk").click();
    }
    EXPECT_FALSE(first->picture.gray_Scale);
    EXPECT_EQ(window.refreshes, refreshes);
    EXPECT_EQ(window.snapshots, snapshots);
}

// A turn of 45.7 degrees is stored as set and rendered as 45; sepia and a quarter turn reach the
// drawn picture.
TEST_F(ImagePanelTest, TurnsAndTonesReachTheDrawnPictureInWholeDegrees)
{
    auto image = picture(bandsFile);
    placeAndShow({image});
    typeAndEnter(control<QDoubleSpinBox>("Rotate_slidr_val"), QStringLiteral("45.7"));
    EXPECT_FLOAT_EQ(image->picture.rotate_image, 45.7f);
    panel().finishRendering();
    PictureSettings whole = image->picture;
    whole.rotate_image = 45;
    EXPECT_EQ(image->_contents_with_settings, ImageProcesser::Get_Processed_Image_Full_Combined(image->_contents, whole));
    whole.rotate_image = 46;
    EXPECT_NE(image->_contents_with_settings, ImageProcesser::Get_Processed_Image_Full_Combined(image->_contents, whole));

    // Before: red above, blue below.
    QImage card = drawn(*image);
    EXPECT_EQ(card.pixelColor(20, 5), QColor(220, 20, 20));
    EXPECT_EQ(card.pixelColor(20, 25), QColor(20, 20, 220));
    typeAndEnter(control<QDoubleSpinBox>("Rotate_slidr_val"), QStringLiteral("90"));
    control<QCheckBox>("Image_Sepia_chk").click();
    panel().finishRendering();
    card = drawn(*image);
    // A quarter turn clockwise puts the red band on the right, the blue on the left, both in
    // sepia's brown: red over green over blue, and no longer the band's own colour.
    const QColor left = card.pixelColor(8, 15), right = card.pixelColor(32, 15);
    EXPECT_GT(right.red(), left.red());
    for (const QColor& toned : {left, right}) {
        EXPECT_GT(toned.red(), toned.green());
        EXPECT_GT(toned.green(), toned.blue());
    }
}

// Each adjustment alone, with nothing else asking for the picture, makes the drawn picture again.
TEST_F(ImagePanelTest, EachAdjustmentAloneRemakesTheDrawnPicture)
{
    auto image = picture(save(QStringLiteral("quarters.png"), quarters()));
    placeAndShow({image});
    const auto corners = [&image] {
        const QImage card = drawn(*image);
        return QList<QColor>{card.pixelColor(5, 5), card.pixelColor(35, 5), card.pixelColor(5, 25), card.pixelColor(35, 25)};
    };
    const QColor red(220, 20, 20), green(20, 200, 20), blue(20, 20, 220), yellow(230, 230, 20);
    const QList<QColor> asLoaded{red, green, blue, yellow};
    ASSERT_EQ(corners(), asLoaded);
    const auto tick = [this](const char* box) {
        control<QCheckBox>(box).click();
        panel().finishRendering();
    };

    tick("Image_FIH_chk");
    EXPECT_EQ(corners(), (QList<QColor>{green, red, yellow, blue}));
    tick("Image_FIH_chk");
    EXPECT_EQ(corners(), asLoaded);
    tick("Image_FIV_chk");
    EXPECT_EQ(corners(), (QList<QColor>{blue, yellow, red, green}));
    tick("Image_FIV_chk");

    tick("Image_Sepia_chk");
    for (const QColor& toned : corners()) {
        EXPECT_GT(toned.red(), toned.green()) << toned.name().toStdString();
        EXPECT_GT(toned.green(), toned.blue()) << toned.name().toStdString();
    }
    tick("Image_Sepia_chk");
    tick("Image_Gray_Scale_chk");
    for (const QColor& grey : corners()) {
        EXPECT_NEAR(grey.red(), grey.green(), 1) << grey.name().toStdString();
        EXPECT_NEAR(grey.green(), grey.blue(), 1) << grey.name().toStdString();
    }
    tick("Image_Gray_Scale_chk");
    EXPECT_EQ(corners(), asLoaded);

    // Every slider but opacity, one page on from neutral: the picture shown is the one its
    // settings give.
    const QImage neutral = image->_contents_with_settings;
    for (const char* slider : {"Rotate_slidr", "Hue_slidr", "Sat_slidr", "Brt_slidr", "Con_slidr", "shrp_slidr",
                               "ev_slidr", "blr_slidr"}) {
        moveSlider(slider, QAbstractSlider::SliderPageStepAdd);
        panel().finishRendering();
        EXPECT_NE(image->_contents_with_settings, neutral) << slider;
        EXPECT_EQ(image->_contents_with_settings,
                  ImageProcesser::Get_Processed_Image_Full_Combined(image->_contents, image->picture))
            << slider;
        moveSlider(slider, QAbstractSlider::SliderPageStepSub);
        panel().finishRendering();
    }
    EXPECT_EQ(image->picture, PictureSettings());
    EXPECT_EQ(window.snapshots, 24) << "one for each change";
}

TEST_F(ImagePanelTest, ResetAsksThenGoesNeutralAndReloadsFromTheFilePath)
{
    auto image = picture(bandsFile);
    image->picture.Sepia = true, image->picture.hue_val = 1, image->picture.rotate_image = 30;
    image->Text_Value = scratch.filePath(QStringLiteral("gone.png"));  // names no file
    image->_file_path = greenFile;  // the picture now at the element's path
    placeAndShow({image});

    messages.queueAnswers({1});  // No
    control<QPushButton>("Image_reset_btn").click();
    EXPECT_TRUE(image->picture.Sepia);
    EXPECT_EQ(window.snapshots, 0);

    messages.queueAnswers({0});  // Yes
    control<QPushButton>("Image_reset_btn").click();
    panel().finishRendering();
    EXPECT_EQ(messages.texts().last(), "Are you sure you want to reset image settings?");
    PictureSettings neutral;
    EXPECT_EQ(image->picture, neutral);
    EXPECT_EQ(image->_contents.pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(image->Text_Value, greenFile);
    EXPECT_EQ(control<QPlainTextEdit>("Manual_image_path").toPlainText(), greenFile);
    EXPECT_EQ(control<QDoubleSpinBox>("Sat_slidr_val").value(), 1);
    EXPECT_EQ(control<QDoubleSpinBox>("Trsp_slidr_val").value(), 100);
    EXPECT_EQ(window.snapshots, 1);
}

TEST_F(ImagePanelTest, SourcesGiveTheSelectedPictureTheirFile)
{
    auto image = picture(bandsFile);
    placeAndShow({image});

    photos->cameraAnswer = 1, photos->cameraFile = greenFile;
    control<QPushButton>("Open_Camera_btn").click();
    panel().finishRendering();
    EXPECT_EQ(image->_file_path, greenFile);
    EXPECT_EQ(image->Text_Value, greenFile);
    EXPECT_EQ(image->_contents.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(control<QPlainTextEdit>("Manual_image_path").toPlainText(), greenFile);

    dialogs.queueOpenFile(yellowFile);
    control<QPushButton>("Manual_Image_Browse_btn").click();
    panel().finishRendering();
    EXPECT_EQ(image->_file_path, yellowFile);
    EXPECT_EQ(Library_Selected_Image, yellowFile);
    control<QPushButton>("Manual_Image_Browse_btn").click();  // cancelled
    EXPECT_EQ(image->_file_path, yellowFile);
    EXPECT_EQ(Library_Selected_Image, "");

    photos->libraryAnswer = 1, photos->libraryFile = bandsFile;
    control<QPushButton>("Manual_Library_Browse_btn").click();
    panel().finishRendering();
    EXPECT_EQ(image->_file_path, bandsFile);
    EXPECT_EQ(photos->calls, QStringList({"camera", "library C"}));
    EXPECT_EQ(window.snapshots, 3);
    EXPECT_TRUE(messages.texts().isEmpty());
}

// A file that gives no picture, from any source, is refused and the element keeps its picture.
TEST_F(ImagePanelTest, AnUnreadablePictureIsRefusedAndThePictureKept)
{
    auto image = picture(bandsFile);
    placeAndShow({image});
    const QImage before = image->_contents;

    photos->cameraAnswer = 1, photos->cameraFile = unreadableFile;
    control<QPushButton>("Open_Camera_btn").click();
    photos->libraryAnswer = 1, photos->libraryFile = scratch.filePath(QStringLiteral("missing.png"));
    control<QPushButton>("Manual_Library_Browse_btn").click();
    dialogs.queueOpenFile(unreadableFile);
    control<QPushButton>("Manual_Image_Browse_btn").click();

    EXPECT_EQ(messages.texts(), QStringList({QLatin1Char('\n') + unreadablePictureMessage(unreadableFile),
                                             QLatin1Char('\n') + unreadablePictureMessage(photos->libraryFile),
                                             QLatin1Char('\n') + unreadablePictureMessage(unreadableFile)}));
    EXPECT_EQ(image->_contents, before);
    EXPECT_EQ(image->_file_path, bandsFile);
    EXPECT_EQ(window.snapshots, 0);
}

// Typed numbers are taken only whole and within range; anything else leaves the elements alone.
TEST_F(ImagePanelTest, NumbersTypedIntoTheFieldsAreCheckedBeforeTheyReachAPicture)
{
    auto image = picture(bandsFile);
    image->_isDrawingStroke = true, image->_strokeWidth = 3, image->picture.hue_val = 0.5f;
    placeAndShow({image});
    typeAndEnter(control<QSpinBox>("Image_bor_Stepper"), QStringLiteral("5000"));
    typeAndEnter(control<QDoubleSpinBox>("Hue_slidr_val"), QStringLiteral("9"));
    typeAndEnter(control<QDoubleSpinBox>("blr_slidr_val"), QStringLiteral("-4"));
    typeAndEnter(control<QDoubleSpinBox>("Rotate_slidr_val"), QStringLiteral("1e9"));
    EXPECT_EQ(image->_strokeWidth, 3);
    EXPECT_EQ(image->picture.hue_val, 0.5f);
    EXPECT_EQ(image->picture.blr_val, 0);
    EXPECT_EQ(image->picture.rotate_image, 0);
    EXPECT_EQ(control<QSpinBox>("Image_bor_Stepper").value(), 3);
    EXPECT_EQ(control<QDoubleSpinBox>("Hue_slidr_val").value(), 0.5);
    EXPECT_EQ(window.snapshots, 0);

    typeAndEnter(control<QSpinBox>("Image_bor_Stepper"), QStringLiteral("7"));
    EXPECT_EQ(image->_strokeWidth, 7);
}

TEST_F(ImagePanelTest, CropsGoThroughTheCroppingToolForEachSource)
{
    auto image = picture(bandsFile);
    placeAndShow({image});
    ScriptedBinding binding;
    panel().setCroppedPictureBinding(&binding);

    photos->cropAnswer = 1, photos->croppedFile = greenFile;
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(photos->calls, QStringList({"crop " + bandsFile}));
    EXPECT_EQ(photos->sourceType, 0);
    EXPECT_EQ(image->_file_path, greenFile);
    EXPECT_EQ(image->Text_Value, bandsFile);  // the value keeps the picture cropped from
    EXPECT_EQ(Library_Selected_Image, greenFile);
    EXPECT_EQ(window.snapshots, 1);

    image->data_source_type = 1, image->batch_list_name = QStringLiteral("<--Select-->");
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(messages.texts().last(), "\nPlease select the series.");

    image->batch_list_name = QStringLiteral("Staff");
    photos->croppedSeries = QStringLiteral("Staff_cropped"), binding.firstValue = yellowFile;
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(photos->calls.last(), "crop series Staff");
    EXPECT_EQ(image->batch_list_name, "Staff_cropped");
    EXPECT_EQ(image->batch_list_index, 3);
    EXPECT_EQ(image->_file_path, yellowFile);
    EXPECT_EQ(binding.shown, QStringList({"series Staff_cropped", "series Staff_cropped"}));

    image->data_source_type = 2, image->excel_col_indx = -1;
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(messages.texts().last(), "\nPlease select the excel column.");
    image->excel_col_indx = 2, binding.firstValue = greenFile, photos->croppedColumn = 4;
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(photos->calls.last(), "crop column Photo 2 2");
    EXPECT_EQ(image->excel_col_indx, 4);
    EXPECT_EQ(image->_file_path, greenFile);
    EXPECT_EQ(image->Text_Value, greenFile);

    // A typed picture whose file is gone cannot be cropped.
    image->data_source_type = 0, image->_file_path = scratch.filePath(QStringLiteral("gone.png"));
    const int crops = int(photos->calls.size());
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(messages.texts().last(), kNoImage);
    EXPECT_EQ(photos->calls.size(), crops);
}

// Which window the Crop button opens, by the picture's source and the mode, when its own file is
// there and when it is not: a picture whose file is missing is never handed to the tool.
TEST_F(ImagePanelTest, CropOpensTheToolForTheSourceOnlyWhenThePictureShownIsThere)
{
    auto image = picture(bandsFile);
    placeAndShow({image});
    ScriptedBinding binding;
    panel().setCroppedPictureBinding(&binding);
    const QString gone = scratch.filePath(QStringLiteral("gone.png"));
    const auto crop = [&](int source, const QString& file) {
        image->data_source_type = source;
        image->_file_path = file;
        control<QPushButton>("Cropping_Selected_Image_btn").click();
    };
    image->batch_list_name = QStringLiteral("Staff"), image->excel_col_indx = 2;

    // Design mode, bound to a spreadsheet column: the tool opens on the column, unless the
    // column's picture shown is missing.
    crop(2, bandsFile);
    EXPECT_EQ(photos->calls, QStringList({"crop column Photo 2 2"}));
    EXPECT_EQ(photos->sourceType, 2);
    crop(2, gone);
    EXPECT_EQ(photos->calls.size(), 1);
    EXPECT_EQ(messages.texts(), QStringList({kNoImage}));
    EXPECT_EQ(binding.shown, QStringList({"rows", "rows"}));

    // Group mode, bound to a series: the tool opens on the series, unless its picture is missing;
    // bound to a column, the one picture is cropped.
    Start_Card_Option = QStringLiteral("G");
    crop(1, bandsFile);
    EXPECT_EQ(photos->calls.last(), "crop series Staff");
    EXPECT_EQ(photos->sourceType, 1);
    crop(1, gone);
    crop(2, bandsFile);
    EXPECT_EQ(photos->calls, QStringList({"crop column Photo 2 2", "crop series Staff", "crop " + bandsFile}));
    crop(2, gone);
    EXPECT_EQ(photos->calls.size(), 3);
    EXPECT_EQ(messages.texts(), QStringList({kNoImage, kNoImage, kNoImage}));

    // Design mode, a typed picture without a file.
    Start_Card_Option = QStringLiteral("L");
    crop(0, QString());
    EXPECT_EQ(photos->calls.size(), 3);
    EXPECT_EQ(messages.texts().last(), "\nThe selected control does not contains any image with supported extension.");
    EXPECT_EQ(image->_file_path, QString()) << "a crop that did not open changes nothing";
}

// A locked picture keeps its file: a file chosen shows in the path field only, and it is not cropped.
TEST_F(ImagePanelTest, ALockedPictureTakesNoFileAndNoCrop)
{
    auto image = picture(bandsFile);
    image->ctrl_is_locked = true;
    placeAndShow({image});

    dialogs.queueOpenFile(yellowFile);
    control<QPushButton>("Manual_Image_Browse_btn").click();
    EXPECT_EQ(control<QPlainTextEdit>("Manual_image_path").toPlainText(), yellowFile);
    EXPECT_EQ(image->_file_path, bandsFile);

    photos->cropAnswer = 1, photos->croppedFile = greenFile;
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_TRUE(photos->calls.isEmpty());
    EXPECT_EQ(image->_file_path, bandsFile);
    EXPECT_EQ(image->_contents.pixelColor(5, 5), QColor(220, 20, 20));
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(window.snapshots, 0);
}

// Without the photo windows the application says that each is not there yet.
TEST_F(ImagePanelTest, TheCameraLibraryAndCroppingToolSayTheyAreNotAvailableYet)
{
    photos.reset();
    auto image = picture(bandsFile);
    placeAndShow({image});
    control<QPushButton>("Open_Camera_btn").click();
    control<QPushButton>("Manual_Library_Browse_btn").click();
    control<QPushButton>("Cropping_Selected_Image_btn").click();
    EXPECT_EQ(messages.texts(), QStringList({"\nThe camera is not available yet.",
                                             "\nThe picture library is not available yet.",
                                             "\nThe cropping tool is not available yet."}));
    EXPECT_EQ(image->_file_path, bandsFile);
}

}  // namespace
