#include "views/inspector/Unit_PrefWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>

#include "platform/DialogPresenter.h"
#include "platform/Units.h"
#include "ui_Unit_PrefWindow.h"
#include "views/dialogs/WholeTitles.h"

Unit_PrefWindow::Unit_PrefWindow(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Unit_PrefWindow>())
{
    ui->setupUi(this);
    // The rows' ids are the unit codes the rest of the program stores.
    ui->unit_matrix->setId(ui->unit_inch, kUnitInch);
    ui->unit_matrix->setId(ui->unit_centimetre, kUnitCentimetre);
    ui->unit_matrix->setId(ui->unit_millimetre, kUnitMillimetre);
    setMinimumWidth(minimumSizeHint().width());
    keepTitleWhole(*this);
}

Unit_PrefWindow::~Unit_PrefWindow() = default;

void Unit_PrefWindow::selectUnit(int unit)
{
    QAbstractButton* row = ui->unit_matrix->button(unit);
    if (!row)
        row = ui->unit_millimetre;
    row->setChecked(true);
    // Focus on the chosen row also makes it the one that Tab reaches of the three.
    row->setFocus();
}

int Unit_PrefWindow::selectedUnit() const
{
    return ui->unit_matrix->checkedId();
}

QButtonGroup& Unit_PrefWindow::unit_matrix() const
{
    return *ui->unit_matrix;
}

std::optional<int> doPreferences(QWidget* parent, int currentUnit)
{
    Unit_PrefWindow window(parent);
    window.selectUnit(currentUnit);
    if (dialogPresenter().runModal(window) != QDialog::Accepted)
        return std::nullopt;
    return window.selectedUnit();
}
