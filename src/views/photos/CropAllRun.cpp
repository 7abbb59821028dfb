#include "views/photos/CropAllRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QTimer>
#include <QtConcurrent/QtConcurrent>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "platform/CanvasGlobals.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/dialogs/SharedDialogs.h"

namespace {

constexpr int kProgressTickMs = 500;
constexpr int kPollMs = 20;
const QString kCroppedMessage = QStringLiteral("Image has been cropped successfully.");

bool stopAsked() { return Stop_SMS_Sending_Now != 0 && replace_keep_file_flag == ReplaceKeep::CancelAll; }

// The worker crops and reads the stop flags itself; the GUI thread keeps the windows alive and
// counts every half second.
bool runWithProgress(CropBatchRun& run)
{
    Send_Modeless& progress = Send_Modeless::defaultInstance();
    progress.total_count = run.total();
    progress.current_count = 0;
    const bool spinnerShown = progress.Round_Progress->isVisibleTo(&progress);
    progress.Round_Progress->setVisible(false);
    progress.showForJob(QStringLiteral("Total Images :"));
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { progress.current_count = run.done(); });
    tick.start(kProgressTickMs);
    QFuture<bool> worker = QtConcurrent::run([&run] { return run.run(); });
    while (!worker.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, kPollMs);
    tick.stop();
    progress.current_count = run.done();
    progress.refreshFromJob();
    progress.closeForJob();
    progress.Round_Progress->setVisible(spinnerShown);
    return worker.result();
}

QString failureText(const QStringList& failures)
{
    return QStringLiteral("These pictures could not be cropped:\n") + failures.join(u'\n');
}

}  // namespace

CropAllOutcome Crop_All_Run(CropAllSettings settings, const CropBatchRun::DetectorMaker& makeDetector)
{
    CropAllOutcome outcome;
    outcome.nextCounter = settings.plan.firstCounter;
    Stop_SMS_Sending_Now = 0;
    replace_keep_file_flag = ReplaceKeep::Replace;
    Msg_Apply_All_Chk = 0;
    check_any_card_exported = 0;
    CropBatchPlan& plan = settings.plan;
    const bool direct = settings.crop_direct == 2 || settings.crop_direct == 3;
    plan.direct = direct;
    if (direct) {
        // Without it the pictures would go to the top of the file system.
        if (QString(Cropped_Img_Path).isEmpty()) {
            Show_MessageBox(kCropFolderFailure);
            return outcome;
        }
        plan.outputFolder = Cropped_Img_Path;
    }
    if (settings.input_selection == 3) {
        plan.seriesPath = croppedSeriesPath(SeriesStore(), settings.seriesName, settings.replaceSeries);
        if (plan.seriesPath.isEmpty()) {
            Show_MessageBox(kSeriesFileFailure);
            return outcome;
        }
        if (settings.crop_direct == 2) {
            outcome.Crop_Direct_Series = QFileInfo(plan.seriesPath).completeBaseName();
            plan.outputFolder = QDir(plan.outputFolder).filePath(outcome.Crop_Direct_Series);
        }
    }
    CroppedColumn column;
    const bool newColumn = settings.input_selection == 4 && settings.crop_direct == 3;
    if (newColumn) {
        column = croppedColumnOf(Loaded_Data_Table());
        plan.outputFolder = QDir(plan.outputFolder).filePath(column.header);
    }
    if (!Create_Folder(plan.outputFolder)) {
        Show_MessageBox(kCropFolderFailure);
        return outcome;
    }
    outcome.outputFolder = plan.outputFolder;
    CropBatchRun run(plan, makeDetector, direct ? KeepReplaceAnswers::Prompt() : KeepReplaceAnswers::Prompt(&askKeepOrReplace));
    run.stopWhen(&stopAsked);
    if (!runWithProgress(run)) {
        Show_MessageBox(kSeriesFileFailure);
        return outcome;
    }
    outcome.ran = true;
    outcome.entries = run.entries();
    outcome.filesWritten = run.filesWritten();
    outcome.nextCounter = run.nextCounter();
    if (newColumn) {
        fillCroppedColumn(Loaded_Data_Table(), column, outcome.entries);
        outcome.Crop_New_Excel_Col_Index = column.index;
        outcome.Crop_New_Excel_Col_Name = column.key;
    }
    check_any_card_exported = outcome.filesWritten > 0 ? 1 : 0;
    Export_File_Path = outcome.outputFolder;
    Export_File_Message = kCroppedMessage;
    if (!run.failures().isEmpty())
        Show_MessageBox(failureText(run.failures()));
    if (!direct)
        Open_Export_Log::defaultInstance().Open_Export_File_Box();
    return outcome;
}
