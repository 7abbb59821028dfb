#include "views/series/Import_Excel.h"

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/series/SeriesMakerWindows.h"
#include "views/series/SeriesWindowStyle.h"
#include "views/series/SheetWindowCore.h"
#include "ui_Import_Excel.h"
#include "views/dialogs/SharedDialogs.h"

Import_Excel::Import_Excel(SeriesWindowLinks links, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Import_Excel>()), _links(std::move(links))
{
    ui->setupUi(this);
    styleSeriesWindow(*this);
    _core = std::make_unique<SheetWindowCore>(
        *this, SheetWindowWidgets{ui->file_path, ui->contains_header, ui->Sheet_ComboBox, ui->ColList,
                                  ui->Select_ALL_btn, ui->Clear_All_btn});
    ui->ColList->hideColumn(SheetColumnList::Header);
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &Import_Excel::OKPressed);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &Import_Excel::CancelPressed);
}

Import_Excel::~Import_Excel() = default;

Import_Excel& Import_Excel::defaultInstance()
{
    return sharedDialogInstance<Import_Excel>([] { return new Import_Excel(seriesMakerLinks({}, {})); });
}

SheetColumnList& Import_Excel::columns()
{
    return _core->columns();
}

int Import_Excel::Open_excel_Wnd(const QString& path)
{
    return Load_file_Func(path) ? dialogPresenter().runModal(*this) : 0;
}

bool Import_Excel::Load_file_Func(const QString& path)
{
    return _core->open(path);
}

void Import_Excel::sheetChosen(int index)
{
    ui->Sheet_ComboBox->setCurrentIndex(index);
    _core->sheetChosen(index);
}

void Import_Excel::OKPressed()
{
    if (!_core->ticksHold())
        return;
    SheetRows rows = _core->readRows();
    if (open_mode == QLatin1String("D"))
        Insert_file_Func(rows);
    else
        Create_Excel_List_Func(std::move(rows));
    done(1);
}

void Import_Excel::CancelPressed()
{
    done(0);
}

void Import_Excel::Create_Excel_List_Func(SheetRows rows)
{
    Data_From_Excel& table = Loaded_Data_Table();
    const QList<int> ticked = columns().tickedPositions();
    // Without rows the table is left empty, columns and rows alike: callers go by its row count.
    table.ColList.removeDataColumns();
    table.ListData.clear();
    if (rows.isEmpty()) {
        Show_MessageBox(kCorruptedWorkbookMessage);
        return;
    }
    const QStringList header = rows.first();
    // Record n is the sheet's n-th row, as in a series made of the same columns: an empty row
    // keeps its place. The records end at the last value, where such a series ends (its text is
    // trimmed at its end), so a sheet formatted far below its data gives no empty cards.
    rows.resize(rowsUpToLastValue(rows, ticked));
    QString tooLarge;
    if (!table.Fill_From_Sheet(rows, _core->firstDataRow(), ticked, &tooLarge)) {
        Show_MessageBox(tooLarge);
        return;
    }
    int k = 0;
    for (const int position : ticked) {
        ++k;
        const QString title = Trim_Str(header.value(position));
        table.ColList.addColumn(Column_Key_For_Index(k), title.isEmpty() ? Untitled_Column_Title(k) : title);
    }
}

void Import_Excel::Insert_file_Func(const SheetRows& rows)
{
    if (rows.isEmpty()) {
        Show_MessageBox(kCorruptedWorkbookMessage);
        return;
    }
    const QList<int> ticked = columns().tickedPositions();
    QString tooLarge;
    if (!SpreadsheetWriter::fillFits(rows.size(), ticked.size(), &tooLarge)) {
        Show_MessageBox(tooLarge);
        return;
    }
    for (qsizetype r = _core->firstDataRow(); r < rows.size(); ++r) {
        for (const int position : ticked)
            _links.addToEditedSeries(Trim_Str(rows.at(r).value(position)));
    }
}
