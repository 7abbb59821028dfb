#include "mainwindow/CardExport.h"

#include <QDir>
#include <QFileInfo>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include <QMainWindow>

#include "output/BatchExport.h"
#include "output/CardFileNames.h"
#include "output/RecordRun.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/output/ExportSheet.h"

namespace {

const QString kReplaceSingleQuestion = QStringLiteral(" already exists. Do you want to replace it?");

ExportSheet& exportSheet() { return sharedDialogInstance<ExportSheet>(); }

// Says what the run wrote and lists every card left out, every card with one side only and every
// file not written; with nothing written there is no folder to open, only the list, and a run
// that was stopped says so even when it has nothing to list.
void showClosingBox(const QString& path, const ExportReport& report, const QStringList& refusedCards)
{
    const QStringList details = refusedCards + report.oneSided + report.failures;
    if (report.filesWritten == 0 && report.stopped)
        return Show_Report_Box(exportReportMessage(report), details);
    Open_Export_Log::Show_Closing_Box(path, exportReportMessage(report), details, report.filesWritten);
}

BatchExportSettings settingsOf(const ExportSheet& sheet)
{
    BatchExportSettings settings;
    settings.extension = sheet.extension();
    settings.side = sheet.export_card_side();
    settings.joined = sheet.joined();
    settings.sideBySide = sheet.sideBySide();
    settings.first = sheet.Print_Start;
    settings.end = sheet.Total_Label;
    return settings;
}

void exportBatch(SKTWindowController& controller, RecordRun& run, BatchExportSettings settings)
{
    FilePanelRequest request;
    request.parent = controller.window();
    request.caption = QStringLiteral("Choose the folder for the cards");
    settings.folder = dialogPresenter().chooseFolder(request);
    if (settings.folder.isEmpty())
        return;
    BatchExport exporter(settings, [&run](int n, CardSide side) { return run.Set_data_table_value_to_card(n, side); },
                         &askKeepOrReplace);
    replace_keep_file_flag = ReplaceKeep::Replace;
    ExportReport report;
    Send_Modeless::defaultInstance().runCountedJob(
        QStringLiteral("Total Cards :"), exporter.cardCount(), [&] { report = exporter.Export_Batch_File(); },
        [&] { return exporter.cardsDone(); }, [&] { exporter.stop(); },
        [&](bool paused) { paused ? exporter.pause() : exporter.resume(); }, QStringLiteral("Card"));
    if (!report.folderMade) {
        Show_MessageBox(exportReportMessage(report));
        return;
    }
    showClosingBox(exporter.exportFolder(), report, run.refused().lines(report.reachedEnd));
}

// The file a chosen name gives for the sides asked: the joined picture, the back file for the
// back alone, else the front file.
QString askedFile(const QString& path, const BatchExportSettings& settings)
{
    if (settings.side == QLatin1String("BOTH") && settings.joined)
        return path;
    return settings.side == QLatin1String("B") ? Create_Back_Card_Path(path) : Create_Front_Card_Path(path);
}

// The save panel offers "Card_<n>"; when the file that name gives is there and the user will not
// replace it, the panel comes again with the next number. Empty when cancelled.
QString chooseSingleFile(SKTWindowController& controller, const BatchExportSettings& settings)
{
    for (;;) {
        FilePanelRequest request;
        request.parent = controller.window();
        request.caption = QStringLiteral("Export Card");
        request.filter = QStringLiteral("%1 (*.%2)").arg(settings.extension, settings.extension.toLower());
        request.proposedName = QStringLiteral("Card_%1.%2").arg(export_card_counter).arg(settings.extension);
        QString path = dialogPresenter().saveFile(request);
        if (path.isEmpty())
            return QString();
        if (QFileInfo(path).suffix().compare(settings.extension, Qt::CaseInsensitive) != 0)
            path += u'.' + settings.extension;
        const QString asked = askedFile(path, settings);
        if (!cardFileExists(asked)
            || Show_YES_NO_MessageBox(QFileInfo(asked).completeBaseName() + kReplaceSingleQuestion) == 1)
            return path;
        ++export_card_counter;
    }
}

// The design as it stands, no record put in, into the chosen file: "_Front" and "_Back" files,
// or one joined picture. Files already there are replaced without another question: the name
// was asked about when it was chosen, and the back goes with its front.
void exportSingle(SKTWindowController& controller, RecordRun& run, const BatchExportSettings& settings)
{
    const QString path = chooseSingleFile(controller, settings);
    if (path.isEmpty())
        return;
    ++export_card_counter;
    const SKTDocument& design = controller.document();
    auto side = [&](CardSide which) {
        SideSnapshot snapshot = snapshotForOutput(which == CardSide::Front ? design.graphics() : design.graphics_back(),
                                                  which, run.pictures());
        if (run.Mirror_Image_Create && !snapshot.image.isNull())
            snapshot.image = snapshot.image.mirrored(run.Mirror_Vertical_Not_Horz);
        return snapshot;
    };
    const bool both = settings.side == QLatin1String("BOTH");
    const bool backOnly = settings.side == QLatin1String("B");
    const SideSnapshot back = both || backOnly ? side(CardSide::Back) : SideSnapshot();
    const SideSnapshot front = backOnly ? SideSnapshot() : side(CardSide::Front);
    // Half a card is no card: a side that cannot be made stops the export before any file.
    for (const SideSnapshot* made : {both || backOnly ? &back : nullptr, backOnly ? nullptr : &front}) {
        if (made && !made->isWhole()) {
            Show_MessageBox(QStringLiteral("The card was not exported.\n\n%1").arg(made->failure));
            return;
        }
    }
    ExportReport report;
    auto write = [&](const CardFile& file) {
        QString error;
        const QByteArray bytes = cardFileBytes(file, &error);
        if (!bytes.isEmpty() && writeFileWhole(file.path, bytes, &error)) {
            ++report.filesWritten;
            if (report.firstFile.isEmpty())
                report.firstFile = file.path;
            return true;
        }
        report.failures.append(QStringLiteral("%1: %2").arg(QFileInfo(file.path).fileName(), error));
        return false;
    };
    bool whole = true;
    // The box names the file asked for (the front of a pair) and opens the back beside it too.
    const QString named = askedFile(path, settings);
    QString besideNamed;
    if (both && settings.joined) {
        whole = write(CardFile{path, front.image, back.image, true, settings.sideBySide});
    } else if (both) {
        besideNamed = Create_Back_Card_Path(path);
        whole = write(CardFile{besideNamed, back.image});
        whole = write(CardFile{named, front.image}) && whole;
    } else {
        whole = write(CardFile{named, backOnly ? back.image : front.image});
    }
    report.cardsWritten = whole ? 1 : 0;
    QString error;
    if (report.filesWritten > 0)
        syncFolder(QFileInfo(path).absolutePath(), &error);
    if (!whole) {
        showClosingBox(report.firstFile, report, {});
        return;
    }
    Export_Back_File_Path = besideNamed;
    Open_Export_Log::Show_Closing_Box(named,
                                      both && settings.joined ? QStringLiteral("Card has been exported successfully.")
                                                              : QStringLiteral("File has been exported successfully."),
                                      {}, report.filesWritten);
}

}  // namespace

void Run_Card_Export(SKTWindowController& controller)
{
    const int sideShown = Card_Front_Or_Back;
    const bool twoSided = CARD_SIDE_STR == QLatin1String("2");
    const SeriesStore store;
    RecordRun run(controller.document(), store, Loaded_Data_Table(), twoSided);
    RunSources& sources = run.sources();
    // A visitor pass is the one visitor it shows: it is exported as it stands, never filled from
    // the records of a series or a spreadsheet that an element may still name.
    const bool visitorPass = Start_Card_Option == QLatin1String("V");
    const bool usesSeries = !visitorPass && sources.Use_Data_Sheet_Values;
    const bool usesSheet = !visitorPass && sources.Use_Excel_Binding_Values;
    ExportSheet& sheet = exportSheet();
    sheet.prepare(twoSided, usesSeries, usesSheet, [&sources, usesSeries, usesSheet](bool series, bool sheetOn) {
        sources.Use_Data_Sheet_Values = usesSeries && series;
        sources.Use_Excel_Binding_Values = usesSheet && sheetOn;
        sources.Get_total_Card_count();
        return sources.Total_Batch_Excel_Card;
    });
    check_any_card_exported = 0;
    if (dialogPresenter().runModal(sheet) != QDialog::Accepted)
        return;
    Set_Front_Back_Value_To_Print_Export_Mail(controller);
    Card_Value_In_Process = true;
    run.Mirror_Image_Create = sheet.rangeBlock->Mirror_Image_Create();
    run.Mirror_Vertical_Not_Horz = sheet.rangeBlock->Mirror_Vertical_Not_Horz();
    const BatchExportSettings settings = settingsOf(sheet);
    if (sheet.rangeBlock->anySourceOn())
        exportBatch(controller, run, settings);
    else
        exportSingle(controller, run, settings);
    Card_Front_Or_Back = sideShown;
    Set_Graphic_Array_According_Side(controller);
    controller.Refresh_Canvas();
}
