#include "views/series/LoadedDataTableWindow.h"

#include "data/Data_From_Excel.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "ui_DataRowsView.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/series/DataRowsModel.h"
#include "views/series/DataRowsView.h"

LoadedDataTableWindow::LoadedDataTableWindow(QWidget* parent)
    : m_view(std::make_unique<DataRowsView>(parent)),
      m_model(new DataRowsModel(false, m_view.get()))
{
    m_view->ui().ColList->setModel(m_model);
}

LoadedDataTableWindow::~LoadedDataTableWindow() = default;

LoadedDataTableWindow& LoadedDataTableWindow::defaultInstance()
{
    return sharedDialogInstance<LoadedDataTableWindow>();
}

void LoadedDataTableWindow::reload()
{
    Data_From_Excel& table = Loaded_Data_Table();
    m_model->reload(table.ListData, columnsOf(table.ColList));
    m_view->fitRowNumberColumn();
    m_view->ui().rows_count->setText(QString::number(table.rowCount()));
    m_view->ui().column_count->setText(QString::number(table.shownColumnCount(Start_Card_Option)));
}

int LoadedDataTableWindow::Open_Wnd()
{
    reload();
    const int code = dialogPresenter().runModal(*m_view);
    m_view->hide();
    return code == 1 ? 1 : 0;
}

void LoadedDataTableWindow::OK_Click() { m_view->done(1); }
