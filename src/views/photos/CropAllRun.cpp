#include "views/photos/CropAllRun.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <atomic>
#include <utility>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "output/RefusedRecords.h"
#include "platform/CanvasGlobals.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/dialogs/SharedDialogs.h"

namespace {

const QString kCroppedMessage = QStringLiteral("Image has been cropped successfully.");

bool stopAsked() { return Stop_SMS_Sending_Now != 0 && replace_keep_file_flag == ReplaceKeep::CancelAll; }

// The worker crops and reads the stop flags itself; the progress window counts what it did and
// holds it while the user is asked whether to stop. While the run goes, each count also tells the
// window the row the run is at: a run faster than the window skips rows, never waits for it. At
// the end the window shows the last picture taken.
bool runWithProgress(CropBatchRun& run, const std::function<void(int)>& showing)
{
    int shown = -1;
    const auto follow = [&](int row) {
        row = std::clamp(row, 0, run.total() - 1);
        if (showing && run.total() > 0 && row != shown)
            showing(shown = row);
    };
    bool completed = false;
    std::atomic<bool> ended{false};
    Send_Modeless::defaultInstance().runCountedJob(
        QStringLiteral("Total Images :"), run.total(),
        [&] {
            completed = run.run();
            ended = true;
        },
        [&] {
            const int done = run.done();
            if (!ended)
                follow(done);
            return done;
        },
        [&] {
            if (stopAsked())
                run.stop();
        },
        [&](bool paused) { paused ? run.pause() : run.resume(); });
    follow(run.done() - 1);
    return completed;
}

// What the end of a run says: the success message when every picture was cropped, else how many
// were, with the introduction of the list of those left out ("2 pictures were left out:").
QString cropRunMessage(int cropped, int leftOut, bool stopped, const QStringList& failures)
{
    if (leftOut == 0 && !stopped && failures.isEmpty())
        return kCroppedMessage;
    QStringList said{
        countOf(cropped, QStringLiteral("picture was cropped."), QStringLiteral("pictures were cropped."))};
    if (stopped)
        said << QStringLiteral("Cropping was stopped.");
    said << failures;
    return said.join(u' ') + listIntroduction(0, leftOut, QStringLiteral("picture was left out"),
                                             QStringLiteral("pictures were left out"));
}

}  // namespace

CropAllOutcome Crop_All_Run(CropAllSettings settings, const CropBatchRun::DetectorMaker& makeDetector)
{
    // The caller hears once that the run has ended: when it has, or at the latest on leaving.
    std::function<void()> ended = std::exchange(settings.ended, {});
    const auto tellEnded = [&ended] {
        if (ended)
            std::exchange(ended, {})();
    };
    const auto atTheLatest = qScopeGuard(tellEnded);
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
    const bool ran = runWithProgress(run, settings.showing);
    tellEnded();
    if (!ran) {
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
    outcome.leftOut = run.leftOut();
    const QString message =
        cropRunMessage(outcome.filesWritten, int(outcome.leftOut.size()), run.stopped(), run.failures());
    if (!direct) {
        Open_Export_Log::Show_Closing_Box(outcome.outputFolder, message, outcome.leftOut, outcome.filesWritten);
        return outcome;
    }
    check_any_card_exported = outcome.filesWritten > 0 ? 1 : 0;
    Export_File_Path = outcome.outputFolder;
    Export_File_Message = message;
    return outcome;
}
