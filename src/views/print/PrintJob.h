#pragma once
// One print or preview of the sheet the print window set up: the size check, the run's cells and
// first record from the range, then the pages through the printer, or through the print preview
// window, which may ask for them again after a page set-up change and gets the same pages.
#include <functional>

#include "output/Printing_View.h"
#include "output/PrintSheetSettings.h"
#include "output/RefusedRecords.h"

class OutputRangeBlock;
class QPrinter;
class QWidget;

// The cards a job prints: record first (from 0) and count cells, as the range block gives them;
// valid is false when the range's from is above its to.
struct PrintRange {
    int first = 0;
    int count = 1;
    bool valid = true;
};
// The range the window's range block shows: all its total, or from-to.
PrintRange printRangeFrom(const OutputRangeBlock& block);

// Where a run's cards come from: the design's two pictures, or records of series or spreadsheet
// data bound one by one, each job from the design as it was.
struct PrintRecords {
    bool dataRun = false;
    int Total_Batch_Excel_Card = 1;
    Printing_View::RecordSide recordSide;
    // Where recordSide notes the records it refuses (not owned); emptied as each job starts.
    RefusedRecords* refused = nullptr;
};

class PrintJob {
public:
    PrintJob(const PrintSheetSettings& sheet, PrintRecords records, QWidget* window = nullptr);

    // Checks the sheet and the range, then previews (in the print preview window) or prints on
    // the printer, and lists the cards left out at the end. False when a check stopped the job
    // or the printer could not start.
    bool Execute_Printing(bool preview, QPrinter& printer, const PrintRange& range);
    // What the last print sent, for the window's status line: "2 sheets went to Office." and
    // the cards left out; empty after a preview or a job that did not print.
    QString statusText() const { return m_status; }

    // The last job's cells (doubled for duplex) and first record.
    int Total_Label() const { return m_run.Total_Label_Real; }
    int Print_Start() const { return m_run.Print_Start; }

    // Sets up the run's cells and first record from the range; false, after saying why, when the
    // range is reversed or holds no cells.
    bool preparePages(const PrintRange& range);
    // Draws every page of the run on the printer; false when it could not be started.
    bool paintPages(QPrinter& printer, bool preview) const;

private:
    bool cellFitsPaper() const;
    bool Call_Print_Box_1(bool preview, QPrinter& printer);
    void reportRefusedCards(bool preview, const QPrinter& printer);

    const PrintSheetSettings& m_sheet;
    PrintRecords m_records;
    QWidget* m_window;
    SheetRun m_run;
    QString m_status;
};
