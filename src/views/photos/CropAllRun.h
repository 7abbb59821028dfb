#pragma once
// The cropping tool's Crop All and its direct series and column runs, as the user sees them: the
// progress window with its stop, the keep/replace question, the series or table column written
// back, and the closing report. The work itself is CropBatchRun's, on a pool; the GUI thread only
// shows progress and takes the stop.
#include <QString>
#include <QStringList>
#include <functional>

#include "photos/CropBatchRun.h"

struct CropAllSettings {
    // The list, the method, the naming and, for a standard run, the output folder.
    CropBatchPlan plan;
    int crop_direct = 0;      // 0 standard, 2 direct series, 3 direct column
    int input_selection = 0;  // 3 series, 4 spreadsheet column; the other sources record nothing
    QString seriesName;       // the chosen series ("" when none)
    bool replaceSeries = false;  // rewrite the chosen series rather than make a new one beside it
    // Called on the GUI thread as the run goes, with the row of the picture it is taking, so the
    // window can follow it; last, before ended, with the row of the last picture taken.
    std::function<void(int row)> showing;
    // Called once the run has ended, however it ends, and before its report.
    std::function<void()> ended;
};

struct CropAllOutcome {
    bool ran = false;       // false when the run was refused before its first picture (said)
    QString outputFolder;   // where the pictures went
    QStringList entries;    // per picture taken: the path written or ""
    int filesWritten = 0;
    QStringList leftOut;    // the pictures taken that gave no file, each with why
    int nextCounter = 0;    // the custom-name counter after the run
    // The direct results.
    QString Crop_Direct_Series;
    int Crop_New_Excel_Col_Index = -1;
    QString Crop_New_Excel_Col_Name;
};

inline const QString kCropFolderFailure = QStringLiteral("The folder for the cropped pictures could not be made.");

// GUI thread; returns when the run has ended. Sets Export_File_Path (the output folder) and
// Export_File_Message. A standard run ends with the report of written files and the pictures left
// out; a direct run leaves closing the window, which shows the message and that list, to the tool.
CropAllOutcome Crop_All_Run(CropAllSettings settings, const CropBatchRun::DetectorMaker& makeDetector);
