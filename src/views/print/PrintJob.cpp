#include "views/print/PrintJob.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "views/output/OutputRangeBlock.h"

namespace {

const QString kCardBiggerThanPaper = QStringLiteral(
    "'Card Size' is bigger than selected 'Paper Size' or drawn card may be out of margin area.\n\n"
    "Do you want to continue?");
const QString kPreviewLimited = QStringLiteral(
    "For Qualitative and Performance reason, previewer shows print previews of only first 50 sheets. "
    "However, printing has no such restriction.");

// Of the screen's free area, what the preview takes: room for the window manager's frame is left.
constexpr double kPreviewShareOfScreen = 0.85;

// At its own size the preview is a strip that fits the sheet in a few per cent of its size: it
// opens over most of the screen instead.
void openLarge(QPrintPreviewDialog& dialog, const QWidget* window)
{
    if (const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen())
        dialog.resize((QSizeF(screen->availableGeometry().size()) * kPreviewShareOfScreen).toSize());
}

}  // namespace

PrintRange printRangeFrom(const OutputRangeBlock& block)
{
    int first = 0;
    int end = 0;
    const bool valid = block.range(&first, &end);
    return {first, end - first, valid};
}

PrintJob::PrintJob(const PrintSheetSettings& sheet, PrintRecords records, QWidget* window)
    : m_sheet(sheet), m_records(std::move(records)), m_window(window)
{
}

bool PrintJob::cellFitsPaper() const
{
    const PrintSheetSettings& s = m_sheet;
    return s.label_width + s.Left_Mar + s.Rite_Mar + s.horz_mar <= s.paperWidth
           && s.label_hight + s.Top_Mar + s.Bot_Mar + s.vert_mar <= s.paperHeight;
}

bool PrintJob::preparePages(const PrintRange& range)
{
    if (!range.valid) {
        Show_MessageBox(QStringLiteral("Please select valid range."));
        return false;
    }
    SheetRun run;
    run.Print_Start = range.first;
    run.Total_Label_Real = m_sheet.Duplex_Printing ? 2 * range.count : range.count;
    run.cellsPerSheet = std::max(1, m_sheet.Print_Row) * std::max(1, m_sheet.Print_Col);
    run.duplex = m_sheet.Duplex_Printing;
    run.dataRun = m_records.dataRun;
    run.records = m_records.Total_Batch_Excel_Card;
    m_run = run;
    if (run.Total_Label_Real <= 0) {
        Show_MessageBox(QStringLiteral("There is no barcode to print."));
        return false;
    }
    return true;
}

bool PrintJob::Execute_Printing(bool preview, QPrinter& printer, const PrintRange& range)
{
    if (!cellFitsPaper() && Show_YES_NO_MessageBox(kCardBiggerThanPaper) != 1)
        return false;
    m_status.clear();
    if (!preparePages(range))
        return false;
    if (m_records.refused)
        m_records.refused->clear();
    const bool done = Call_Print_Box_1(preview, printer);
    if (done)
        reportRefusedCards(preview, printer);
    return done;
}

void PrintJob::reportRefusedCards(bool preview, const QPrinter& printer)
{
    const int refused = m_records.refused ? m_records.refused->count() : 0;
    QString sent;
    if (!preview) {
        const int sheets = sheetCount(m_run);
        const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        sent = QStringLiteral("%1 went to %2.").arg(countOf(sheets, QStringLiteral("sheet"), QStringLiteral("sheets")),
                                                    target);
        m_status = refused > 0 ? sent + u' ' + cardsLeftOutPhrase(refused) + u'.' : sent;
    }
    if (refused == 0)
        return;
    // The box counts the cards left out once, above their list.
    const QString said = preview ? QStringLiteral("The preview shows \"Invalid Data\" where a card was left out.") : sent;
    Show_Report_Box(said + listIntroduction(refused), m_records.refused->lines());
}

bool PrintJob::Call_Print_Box_1(bool preview, QPrinter& printer)
{
    if (!preview) {
        if (paintPages(printer, false))
            return true;
        Show_MessageBox(QStringLiteral("The printer could not be started."));
        return false;
    }
    // Told once per job here, not each time the preview window asks for its pages again.
    if (sheetCount(m_run) > kPreviewPageLimit)
        Show_MessageBox(kPreviewLimited);
    QPrintPreviewDialog dialog(&printer, m_window);
    openLarge(dialog, m_window);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* target) { paintPages(*target, true); });
    dialogPresenter().runModal(dialog);
    return true;
}

bool PrintJob::paintPages(QPrinter& printer, bool preview) const
{
    // Cards are laid out in points: a 72-dpi page with no margins of its own keeps points as units.
    printer.setFullPage(true);
    printer.setResolution(72);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const Printing_View view(m_sheet, m_run, !preview, m_records.recordSide);
    const int pages = view.numberOfPages();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !printer.newPage())
            return false;
        view.drawPage(painter, page);
    }
    return painter.end();
}
