#include "mainwindow/CardPrint.h"

#include <QPrinter>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "output/RecordRun.h"
#include "output/SideSnapshot.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/print/PrintJob.h"
#include "views/print/Print_Wnd.h"

namespace {

// The sides as the design stands: what a run without data prints, and what sizes the cells.
PrintDesign designToPrint(SKTWindowController& controller, RecordRun& run, bool twoSided)
{
    PrintDesign design;
    design.twoSided = twoSided;
    design.sideShown = Card_Front_Or_Back;
    design.usesSeries = run.sources().Use_Data_Sheet_Values;
    design.usesSpreadsheet = run.sources().Use_Excel_Binding_Values;
    const SKTDocument& document = controller.document();
    design.front_image = snapshotForOutput(document.graphics(), CardSide::Front, run.pictures()).image;
    if (twoSided)
        design.back_image = snapshotForOutput(document.graphics_back(), CardSide::Back, run.pictures()).image;
    return design;
}

void printFromWindow(Print_Wnd& window, RecordRun& run, bool usesSeries, bool usesSheet, bool preview)
{
    RunSources& sources = run.sources();
    sources.Use_Data_Sheet_Values = usesSeries && window.rangeBlock().seriesOn();
    sources.Use_Excel_Binding_Values = usesSheet && window.rangeBlock().spreadsheetOn();
    sources.Get_total_Card_count();
    PrintRecords records;
    records.dataRun = sources.Use_Data_Sheet_Values || sources.Use_Excel_Binding_Values;
    records.Total_Batch_Excel_Card = sources.Total_Batch_Excel_Card;
    records.recordSide = [&run](int record, CardSide side) {
        return run.Set_data_table_value_to_card(record, side).image;
    };
    records.Create_Card_Design_Again = [&run] { run.Create_Card_Design_Again(); };
    Card_Value_In_Process = records.dataRun;
    Card_Front_Or_Back = window.logic.settings().sel_card_side;
    QPrinter printer(QPrinter::HighResolution);
    window.setUpPrinter(printer);
    PrintJob job(window.logic.settings(), std::move(records), &window);
    job.Execute_Printing(preview, printer, printRangeFrom(window.rangeBlock()));
}

}  // namespace

void Run_Card_Print(SKTWindowController& controller)
{
    const bool twoSided = CARD_SIDE_STR == QLatin1String("2");
    const SeriesStore store;
    RecordRun run(controller.document(), store, Loaded_Data_Table(), twoSided);
    const bool usesSeries = run.sources().Use_Data_Sheet_Values;
    const bool usesSheet = run.sources().Use_Excel_Binding_Values;
    RunSources& sources = run.sources();
    auto counter = [&sources, usesSeries, usesSheet](bool series, bool sheetOn) {
        sources.Use_Data_Sheet_Values = usesSeries && series;
        sources.Use_Excel_Binding_Values = usesSheet && sheetOn;
        sources.Get_total_Card_count();
        return sources.Total_Batch_Excel_Card;
    };
    Print_Wnd& window = sharedDialogInstance<Print_Wnd>();
    window.executePrinting = [&window, &run, usesSeries, usesSheet](bool preview) {
        printFromWindow(window, run, usesSeries, usesSheet, preview);
    };
    window.Open_Print_Wnd(designToPrint(controller, run, twoSided), counter);
    window.executePrinting = {};
    run.Create_Card_Design_Again();
}
