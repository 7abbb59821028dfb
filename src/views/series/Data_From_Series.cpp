#include "views/series/Data_From_Series.h"

#include <algorithm>

#include "data/SpreadsheetWriter.h"
#include "platform/DialogPresenter.h"
#include "platform/Log.h"
#include "platform/StringHelpers.h"
#include "ui_DataRowsView.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/series/DataRowsModel.h"
#include "views/series/DataRowsView.h"

Data_From_Series* Data_From_Ser_Window = nullptr;

Data_From_Series::Data_From_Series(QWidget* parent)
    : m_view(std::make_unique<DataRowsView>(parent)), m_model(new DataRowsModel(true, m_view.get()))
{
    m_view->setWindowTitle(QStringLiteral("Series Table"));
    m_view->ui().ColList->setModel(m_model);
    Data_From_Ser_Window = this;
}

Data_From_Series::~Data_From_Series()
{
    if (Data_From_Ser_Window == this)
        Data_From_Ser_Window = nullptr;
}

Data_From_Series& Data_From_Series::defaultInstance()
{
    return sharedDialogInstance<Data_From_Series>();
}

int Data_From_Series::nextRowNumber() const
{
    int highest = 0;
    for (const DataRow& row : ListData)
        highest = std::max(highest, row.value(Extension_Key).toInt());
    return highest + 1;
}

bool Data_From_Series::Create_List_By_Array(const QStringList& cells, int count)
{
    return appendRowOfCells(ListData, nextRowNumber(), cells, count);
}

void Data_From_Series::Create_List_By_Value(const QString& value, const QString& col_key)
{
    ListData.append(DataRow{{col_key, value}});
}

std::optional<QString> Data_From_Series::Get_Item_Text(int row, int col_index) const
{
    return itemTextOfRow(ListData, row, col_index, QStringLiteral("series table"));
}

void Data_From_Series::Mark_List_New_Selection(int row) { m_view->Mark_List_New_Selection(row); }

QList<DataColumn> Data_From_Series::columns() const
{
    int highest = 0;
    for (const DataRow& row : ListData) {
        for (auto key = row.keyBegin(); key != row.keyEnd(); ++key) {
            if (key->startsWith(QLatin1String("Column")))
                highest = std::max(highest, std::min(key->mid(6).toInt(), SpreadsheetWriter::kMaxColumns));
        }
    }
    QList<DataColumn> columns{DataColumn{Extension_Key, QStringLiteral("No.")}};
    for (int n = 1; n <= highest; ++n)
        columns.append(DataColumn{Column_Key_For_Index(n), QStringLiteral("Column %1").arg(n)});
    return columns;
}

int Data_From_Series::Open_Wnd()
{
    const QList<DataColumn> shown = columns();
    m_model->reload(ListData, shown);
    m_view->fitRowNumberColumn();
    m_view->ui().rows_count->setText(QString::number(ListData.size()));
    m_view->ui().column_count->setText(QString::number(shown.size()));
    const int code = dialogPresenter().runModal(*m_view);
    m_view->hide();
    return code == 1 ? 1 : 0;
}

void Data_From_Series::OK_Click() { m_view->done(1); }
