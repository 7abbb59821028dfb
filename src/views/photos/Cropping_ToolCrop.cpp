// The crop methods of the cropping tool: by the selection, around the first face, or to a given
// size, with their controls, and the crop of the picture on show.
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "output/CardFileNames.h"
#include "output/CardFileWriter.h"
#include "photos/Capture.h"
#include "photos/CropGeometry.h"
#include "photos/FaceDetector.h"
#include "photos/PictureCrop.h"
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "platform/MessageBoxes.h"
#include "platform/NumberText.h"
#include "platform/StringHelpers.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/PleaseWait_Modeless.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/photos/CropAllRun.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "ui_Cropping_Tool.h"

namespace {

// Where a selection first appears on a canvas that has none.
const QRectF kFirstSelection(10, 10, 100, 100);
constexpr int kLongestSizeText = 5;
constexpr int kLargestSize = 10000;

}  // namespace

void Cropping_Tool::cropping_option_CellClick(int row)
{
    croping_selection = row;
    if (input_selection == 2) {
        setMethodControls(row == 1, row == 2);
        // The method applies to the still once it is taken.
        if (capture_ && !capture_->stopped())
            return Show_MessageBox(QStringLiteral("Please first capture image."));
    }
    Check_And_Set_Selection(false);
}

void Cropping_Tool::Show_hide_Crop_Selection(bool show)
{
    SelectionCanvasModel& model = canvas_->model();
    if (!model.hasSelectors() || !model.hasSelector())
        model.addSelectorWithFrame(kFirstSelection);
    const QList<Selector*> selectors = model.selectors();
    for (Selector* selector : selectors)
        selector->Set_selector_show_or_not(show);
    if (show) {
        const QRectF last = selectors.back()->frame();
        model.markAllSelected(false);
        model.currentSelector()->Set_Selector_frame(last);
    }
    model.currentSelector()->Set_selector_show_or_not(show);
    canvas_->update();
}

void Cropping_Tool::setMethodControls(bool face, bool size)
{
    ui->cropping_wid_size->setEnabled(size);
    for (QWidget* control : {static_cast<QWidget*>(ui->extend_face_box), static_cast<QWidget*>(ui->Face_Size_Text),
                             static_cast<QWidget*>(ui->Face_Size_Stepper)})
        control->setEnabled(face);
}

void Cropping_Tool::Check_And_Set_Selection(bool refreshPicture)
{
    ui->crop_select_radio->setChecked(croping_selection == 0);
    ui->crop_face_radio->setChecked(croping_selection == 1);
    ui->crop_size_radio->setChecked(croping_selection == 2);
    if (refreshPicture)
        Update_Image_With_Settings();
    switch (croping_selection) {
    case 0:
        Show_hide_Crop_Selection(true);
        setMethodControls(false, false);
        break;
    case 1:
        Show_hide_Crop_Selection(false);
        Find_Face_Function_In_Image();
        setMethodControls(Find_Face, false);
        if (Find_Face)
            Show_hide_Crop_Selection(true);
        else if (!Crop_All_Thread_Running && !User_Picture.isNull())
            Show_MessageBox(kNoFaceMessage);
        break;
    default:
        Show_hide_Crop_Selection(false);
        setMethodControls(false, true);
        break;
    }
}

void Cropping_Tool::Find_Face_Function_In_Image()
{
    const std::optional<QRectF> face =
        faces_ && !User_Picture.isNull() ? faces_->firstFace(User_Picture) : std::nullopt;
    Find_Face = face.has_value();
    if (!Find_Face) {
        Show_hide_Crop_Selection(false);
        return;
    }
    Find_Face_Rect = *face;
    Face_Rect_Draw_Function();
}

void Cropping_Tool::Face_Rect_Draw_Function()
{
    if (!Find_Face)
        return;
    // The face box is in the preview's pixels; the selection lies over the preview as shown, so
    // the box goes through the same ratio as the crop comes back through.
    const QRectF grown = CropGeometry::grownFaceBox(Find_Face_Rect, ui->Face_Size_Stepper->value());
    const QSizeF ratio = originalImageRatio();
    Crop_Rect = QRectF(grown.x() * ratio.width(), grown.y() * ratio.height(), grown.width() * ratio.width(),
                       grown.height() * ratio.height());
    setSelectionFrame(Crop_Rect);
}

void Cropping_Tool::setSelectionFrame(const QRectF& frame)
{
    Show_hide_Crop_Selection(false);
    canvas_->model().currentSelector()->Set_Selector_frame(frame);
    Show_hide_Crop_Selection(true);
}

void Cropping_Tool::Set_Default_Cropping_Option()
{
    croping_selection = 0;
    ui->crop_select_radio->setChecked(true);
    ui->cropping_wid_size->setEnabled(false);
    ui->aspect_ratio_chk->setChecked(false);
    for (QSpinBox* stepper : {ui->width_Stepper, ui->height_Stepper}) {
        const QSignalBlocker quiet(stepper);
        stepper->setValue(50);
    }
    ui->width_Text->setText(QStringLiteral("50"));
    ui->height_Text->setText(QStringLiteral("50"));
}

void Cropping_Tool::setFieldAndStepper(QLineEdit* field, QSpinBox* stepper, bool fromStepper)
{
    if (fromStepper) {
        field->setText(QString::number(stepper->value()));
        return;
    }
    const QSignalBlocker quiet(stepper);
    stepper->setValue(int(leadingDouble(field->text())));
}

void Cropping_Tool::Width_Changed(bool fromStepper)
{
    setFieldAndStepper(ui->width_Text, ui->width_Stepper, fromStepper);
}

void Cropping_Tool::Height_Changed(bool fromStepper)
{
    setFieldAndStepper(ui->height_Text, ui->height_Stepper, fromStepper);
}

void Cropping_Tool::Extend_Face_Size_Changed(bool fromStepper)
{
    setFieldAndStepper(ui->Face_Size_Text, ui->Face_Size_Stepper, fromStepper);
    Face_Rect_Draw_Function();
}

void Cropping_Tool::controlTextDidChange(QLineEdit* field)
{
    QSpinBox* stepper = field == ui->width_Text ? ui->width_Stepper : ui->height_Stepper;
    const QString typed = Trim_Str(field->text());
    if (typed.isEmpty() || leadingInt(typed) == 0)
        field->setText(QStringLiteral("1"));
    else if (typed.size() > kLongestSizeText)
        field->setText(typed.left(kLongestSizeText));
    if (leadingInt(field->text()) > kLargestSize)
        field->setText(QString::number(kLargestSize));
    const QSignalBlocker quiet(stepper);
    stepper->setValue(leadingInt(field->text()));
}

bool Cropping_Tool::selectionToCrop()
{
    if (croping_selection == 2)
        return true;
    const SelectionCanvasModel& model = canvas_->model();
    if (croping_selection == 0 && !model.hasSelectors()) {
        Show_MessageBox(kSelectAreaMessage);
        return false;
    }
    if (croping_selection == 1 && !Find_Face) {
        Show_hide_Crop_Selection(false);
        Show_MessageBox(kNoFaceMessage);
        return false;
    }
    // The face box as the user may have moved or resized it.
    Crop_Rect = SelectionCanvasModel::defaultRectForFrame(model.selectors().back()->frame());
    return true;
}

CropRequest Cropping_Tool::cropRequest(const QString& target) const
{
    CropRequest request;
    request.source = Crop_Input_Path;
    request.target = target;
    request.method = croping_selection == 2 ? 2 : 0;
    request.selectionInView = Crop_Rect;
    const QSizeF ratio = originalImageRatio();
    request.viewSize = QSizeF(User_Picture.width() * ratio.width(), User_Picture.height() * ratio.height());
    request.givenSize = QSizeF(ui->width_Stepper->value(), ui->height_Stepper->value());
    request.keepProportions = ui->aspect_ratio_chk->isChecked();
    request.adjustments = adjustments();
    return request;
}

bool Cropping_Tool::cropsNothing() const
{
    if (croping_selection == 2)
        return ui->width_Stepper->value() <= 0 || ui->height_Stepper->value() <= 0;
    const QRectF inPicture = CropGeometry::pictureRectOfSelection(Crop_Rect, originalImageRatio());
    return CropGeometry::pixelRectOf(inPicture, User_Picture.size()).isEmpty();
}

QString Cropping_Tool::cropShownPicture(const QString& target)
{
    CropResult result;
    {
        const PleaseWaitSheet wait;
        result = cropPictureFile(cropRequest(target), *faces_);
    }
    if (!result.written) {
        Show_MessageBox(result.error.isEmpty() ? QStringLiteral("The picture could not be cropped.") : result.error);
        return {};
    }
    croped_file = result.target;
    check_any_card_exported = 1;
    Export_File_Path = result.target;
    return result.target;
}

void Cropping_Tool::Crop_Single_Image_Clicked()
{
    check_any_card_exported = 0;
    Msg_Apply_All_Chk = 0;
    if (User_Picture.isNull())
        return Show_MessageBox(kNoImageToCropMessage);
    Stop_SMS_Sending_Now = 0;
    replace_keep_file_flag = ReplaceKeep::Replace;
    if (!selectionToCrop() || cropsNothing())
        return;
    if (!QDir().mkpath(Crop_Output_Path))
        return Show_MessageBox(QStringLiteral("The folder \"%1\" cannot be made.").arg(Crop_Output_Path));
    KeepReplaceAnswers answers(&askKeepOrReplace);
    const QString target = answers.pathToWrite(Cropped_File_Name());
    if (target.isEmpty() || cropShownPicture(target).isEmpty())
        return;
    Export_File_Message = kCroppedMessage;
    Open_Export_Log::defaultInstance().Open_Export_File_Box({}, kOpenFile);
}

QString Cropping_Tool::directTarget() const
{
    const QString folder = Cropped_Img_Path;
    if (folder.isEmpty())
        return {};
    return Check_Exist_Path_and_Create_New(QDir(folder).filePath(QFileInfo(Crop_Input_Path).fileName()));
}

void Cropping_Tool::Crop_Direct_Image_Clicked()
{
    check_any_card_exported = 0;
    Msg_Apply_All_Chk = 0;
    Stop_SMS_Sending_Now = 0;
    replace_keep_file_flag = ReplaceKeep::Replace;
    if (croping_selection == 0 && !canvas_->model().hasSelectors())
        return Show_MessageBox(kSelectAreaMessage);
    if (crop_direct != 1)
        return cropListedDirectly();
    if (!selectionToCrop() || cropsNothing())
        return;
    const QString folder = Cropped_Img_Path;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return Show_MessageBox(kCropFolderFailure);
    Crop_Output_Path = folder;
    Crop_Direct_Path_ = directTarget();
    if (cropShownPicture(Crop_Direct_Path_).isEmpty())
        return;
    const bool groupColumn = Start_Card_Option == QLatin1String("G") && ctrl_data_source_type == 2;
    Export_File_Message = groupColumn
        ? QStringLiteral("Image has been cropped successfully.\n\nPlease click on 'Save Details' button to update "
                         "your changes in your project data.")
        : kCroppedMessage;
    Close_Box_With_OK();
}

void Cropping_Tool::Open_Output_Folder_Clicked()
{
    const QString folder = Trim_Str(ui->output_path->text());
    if (!folder.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
