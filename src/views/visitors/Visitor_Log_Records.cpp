#include "views/visitors/Visitor_Log_Records.h"

#include <algorithm>

#include "platform/DialogPresenter.h"
#include "ui_Visitor_Log_Records.h"
#include "views/dialogs/SharedDialogs.h"
#include "visitors/VisitorLogExport.h"

Visitor_Log_Records::Visitor_Log_Records(VisitorLog& log, QWidget* parent)
    : QDialog(parent), logic(log), ui(new Ui::Visitor_Log_Records)
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    ui->Visitor_Table->setColumnCount(int(visitorLogTitles().size()));
    ui->Visitor_Table->setHorizontalHeaderLabels(visitorLogTitles());
    connect(ui->Search_Field, &QLineEdit::textEdited, this, &Visitor_Log_Records::Refresh_Rows);
    connect(ui->Visitor_Table, &QTableWidget::itemSelectionChanged, this, &Visitor_Log_Records::rowSelected);
    connect(ui->Print_Button, &QPushButton::clicked, this, [this] { logic.Execute_Printing(false, this); });
    connect(ui->Preview_Button, &QPushButton::clicked, this, [this] { logic.Execute_Printing(true, this); });
    connect(ui->Export_Button, &QPushButton::clicked, this, [this] { logic.Export_To_Excel(this); });
    connect(ui->Close_Button, &QPushButton::clicked, this, &QDialog::reject);
}

Visitor_Log_Records::~Visitor_Log_Records()
{
    delete ui;
}

int Visitor_Log_Records::Open_Wnd()
{
    ui->Search_Field->clear();
    Refresh_Rows();
    return dialogPresenter().runModal(*this);
}

void Visitor_Log_Records::Refresh_Rows()
{
    logic.Search(ui->Search_Field->text());
    showRows();
    showPhoto();
}

void Visitor_Log_Records::showRows()
{
    QTableWidget& table = *ui->Visitor_Table;
    const QSignalBlocker quiet(table);
    table.clearContents();
    table.setRowCount(int(logic.rows().size()));
    QList<int> rowsOfLines;
    for (int row = 0; row < logic.rows().size(); ++row) {
        const QStringList cells = visitorLogRow(logic.rows().at(row));
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table.setItem(row, column, item);
        }
        if (std::any_of(cells.cbegin(), cells.cend(), [](const QString& cell) { return cell.contains(u'\n'); }))
            rowsOfLines << row;
    }
    table.resizeColumnsToContents();
    // A text of several lines shows them all; the other rows keep the height of one.
    for (const int row : rowsOfLines)
        table.resizeRowToContents(row);
    const QString count = QStringLiteral("%1 visitor(s)").arg(logic.rows().size());
    ui->Count_Label->setText(logic.note().isEmpty() ? count : count + QStringLiteral(" \u2014 ") + logic.note());
}

void Visitor_Log_Records::showPhoto()
{
    const QImage& photo = logic.photo();
    if (photo.isNull()) {
        ui->Photo_View->clear();
        return;
    }
    ui->Photo_View->setPixmap(QPixmap::fromImage(
        photo.scaled(ui->Photo_View->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Visitor_Log_Records::rowSelected()
{
    const QList<QTableWidgetSelectionRange> ranges = ui->Visitor_Table->selectedRanges();
    logic.selectRow(ranges.isEmpty() ? -1 : ranges.first().topRow());
    showPhoto();
}
