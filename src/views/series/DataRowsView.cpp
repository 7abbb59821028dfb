#include "views/series/DataRowsView.h"

#include <QHeaderView>
#include <QPushButton>

#include "ui_DataRowsView.h"
#include "views/series/CompactTable.h"
#include "views/dialogs/SharedDialogs.h"

DataRowsView::DataRowsView(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::DataRowsView>())
{
    m_ui->setupUi(this);
    applySharedDialogBackground(*this);
    m_ui->ColList->horizontalHeader()->setDefaultSectionSize(100);
    m_ui->ColList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The first column holds the row numbers.
    m_ui->ColList->verticalHeader()->hide();
    setCompactRows(*m_ui->ColList);
    connect(m_ui->OK_Btn, &QPushButton::clicked, this, [this] { done(1); });
}

DataRowsView::~DataRowsView() = default;

void DataRowsView::fitRowNumberColumn()
{
    m_ui->ColList->setColumnWidth(0, m_ui->ColList->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
}

void DataRowsView::Mark_List_New_Selection(int row)
{
    const QModelIndex cell = m_ui->ColList->model() ? m_ui->ColList->model()->index(row, 0) : QModelIndex();
    if (!cell.isValid())
        return;
    m_ui->ColList->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_ui->ColList->scrollTo(cell);
    m_ui->ColList->setFocus();
}
