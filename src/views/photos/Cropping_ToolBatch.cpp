// The runs of the cropping tool over its whole file list: Crop All of the standard mode and the
// crop button of the direct series and column modes. The run itself is Crop_All_Run's.
#include "photos/FaceDetector.h"
#include "photos/Selector.h"
#include "platform/MessageBoxes.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/photos/CropAllRun.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "ui_Cropping_Tool.h"

namespace {

std::unique_ptr<FaceDetector> cascadeDetector()
{
    return std::make_unique<CascadeFaceDetector>();
}

}  // namespace

CropAllSettings Cropping_Tool::batchSettings() const
{
    CropAllSettings settings;
    CropBatchPlan& plan = settings.plan;
    plan.pictures = listedPaths();
    plan.crop = cropRequest(QString());
    plan.crop.method = croping_selection;
    plan.crop.faceExtensionPercent = ui->Face_Size_Stepper->value();
    plan.view = pictureLayout();
    plan.outputFolder = Crop_Output_Path;
    plan.customName = ui->output_custom_radio->isChecked() ? ui->output_custom_name->text() : QString();
    plan.formatIndex = ui->output_format_combo->currentIndex();
    // The run goes on from the names the crops before it took.
    plan.firstCounter = crop_num;
    plan.extensions = links_.imageTypes;
    settings.crop_direct = crop_direct;
    settings.input_selection = input_selection;
    settings.seriesName = ui->batch_list->currentIndex() > 0 ? ui->batch_list->currentText() : QString();
    settings.replaceSeries = ui->batch_replace_radio->isChecked();
    return settings;
}

CropAllOutcome Cropping_Tool::runBatch()
{
    Crop_All_Thread_Running = true;
    Show_hide_Crop_Selection(false);
    const QRectF drawn = canvas_->model().selectors().back()->frame();
    CropAllSettings settings = batchSettings();
    // The list and the picture follow the run; the selection stays out of sight meanwhile.
    settings.showing = [this](int row) {
        Mark_List_New_Selection(row);
        Show_hide_Crop_Selection(false);
    };
    // The selection is back before the run reports: the one the user drew, or the face box of
    // the last picture shown.
    settings.ended = [this, drawn] {
        Crop_All_Thread_Running = false;
        if (croping_selection == 0)
            setSelectionFrame(drawn);
        else if (croping_selection == 1 && Find_Face)
            Show_hide_Crop_Selection(true);
    };
    return Crop_All_Run(std::move(settings), &cascadeDetector);
}

void Cropping_Tool::Crop_All_Clicked()
{
    // With the face method a picture on show without a face is said, not silently left.
    if (!selectionToCrop())
        return;
    const CropAllOutcome outcome = runBatch();
    if (outcome.ran)
        crop_num = outcome.nextCounter;
    if (input_selection == 3)
        fillSeriesList(ui->batch_list->currentText());
}

void Cropping_Tool::cropListedDirectly()
{
    if (!selectionToCrop())
        return;
    const QString question = crop_direct == 2
        ? QStringLiteral("This action will create new batch series with all new cropped images.\nAre you sure you want to continue?")
        : QStringLiteral("This action will create new excel column with all new cropped images.\nAre you sure you want to continue?");
    if (Show_YES_NO_MessageBox(question) != 1)
        return;
    replace_keep_file_flag = ReplaceKeep::Replace;
    const CropAllOutcome outcome = runBatch();
    if (!outcome.ran)
        return;
    Crop_Direct_Series_ = outcome.Crop_Direct_Series;
    Crop_New_Excel_Col_Index_ = outcome.Crop_New_Excel_Col_Index;
    Crop_New_Excel_Col_Name_ = outcome.Crop_New_Excel_Col_Name;
    Close_Box_With_OK(outcome.leftOut);
}
