#include "mainwindow/CardPrint.h"

#include <QPrinter>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "output/RecordRun.h"
#include "output/SideSnapshot.h"
#include "platform/MessageBoxes.h"
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
    const SideSnapshot front = snapshotForOutput(document.graphics(), CardSide::Front, run.pictures());
    design.front_image = front.image;
    design.failure = front.failure;
    if (twoSided) {
        const SideSnapshot back = snapshotForOutput(document.graphics_back(), CardSide::Back, run.pictures());
        design.back_image = back.image;
        if (design.failure.isEmpty())
            design.failure = back.failure;
    }
    return design;
}

void printFromWindow(Print_Wnd& window, RecordRun& run, const PrintDesign& design, bool preview)
{
    RunSources& sources = run.sources();
    sources.Use_Data_Sheet_Values = design.usesSeries && window.rangeBlock().seriesOn();
    sources.Use_Excel_Binding_Values = design.usesSpreadsheet && window.rangeBlock().spreadsheetOn();
    sources.Get_total_Card_count();
    PrintRecords records;
    records.dataRun = sources.Use_Data_Sheet_Values || sources.Use_Excel_Binding_Values;
    // Without data every cell is the design as it stands: a side it cannot draw stops the job.
    if (!records.dataRun && !design.failure.isEmpty()) {
        Show_MessageBox(QStringLiteral("The card cannot be printed.\n\n%1").arg(design.failure));
        return;
    }
    records.Total_Batch_Excel_Card = sources.Total_Batch_Excel_Card;
    records.recordSide = [&run](int record, CardSide side) { return run.Set_data_table_value_to_card(record, side); };
    records.refused = &run.refused();
    Card_Value_In_Process = records.dataRun;
    Card_Front_Or_Back = window.logic.settings().sel_card_side;
    QPrinter printer(QPrinter::HighResolution);
    window.setUpPrinter(printer);
    PrintJob job(window.logic.settings(), std::move(records), &window);
    job.Execute_Printing(preview, printer, printRangeFrom(window.rangeBlock()));
    window.showStatus(job.statusText());
}

}  // namespace

void Run_Card_Print(SKTWindowController& controller)
{
    const bool twoSided = CARD_SIDE_STR == QLatin1String("2");
    const SeriesStore store;
    RecordRun run(controller.document(), store, Loaded_Data_Table(), twoSided);
    const PrintDesign design = designToPrint(controller, run, twoSided);
    RunSources& sources = run.sources();
    auto counter = [&sources, &design](bool series, bool sheetOn) {
        sources.Use_Data_Sheet_Values = design.usesSeries && series;
        sources.Use_Excel_Binding_Values = design.usesSpreadsheet && sheetOn;
        sources.Get_total_Card_count();
        return sources.Total_Batch_Excel_Card;
    };
    Print_Wnd& window = sharedDialogInstance<Print_Wnd>();
    window.executePrinting = [&window, &run, &design](bool preview) { printFromWindow(window, run, design, preview); };
    window.Open_Print_Wnd(design, counter);
    window.executePrinting = {};
}
