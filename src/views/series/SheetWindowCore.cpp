#include "views/series/SheetWindowCore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

#include "data/Data_From_Excel.h"
#include "platform/MessageBoxes.h"
#include "views/dialogs/PleaseWait_Modeless.h"

SheetWindowCore::SheetWindowCore(QDialog& window, const SheetWindowWidgets& widgets)
    : _widgets(widgets), _columns(&window)
{
    _widgets.ColList->setModel(&_columns);
    _widgets.ColList->horizontalHeader()->setStretchLastSection(true);
    _widgets.ColList->verticalHeader()->hide();
    _widgets.ColList->setColumnWidth(SheetColumnList::StateAndName, 220);
    QObject::connect(_widgets.Sheet_ComboBox, &QComboBox::activated, &window, [this](int index) { sheetChosen(index); });
    QObject::connect(_widgets.selectAll, &QPushButton::clicked, &window, [this] { _columns.setAllTicked(true); });
    QObject::connect(_widgets.clearAll, &QPushButton::clicked, &window, [this] { _columns.setAllTicked(false); });
}

bool SheetWindowCore::open(const QString& path)
{
    Excel_Sheet_Number = 1;
    _widgets.file_path->setText(path);
    _widgets.contains_header->setChecked(true);
    _columns.fill({}, 0);
    _widgets.Sheet_ComboBox->clear();
    PleaseWaitSheet::around([&path] { return SpreadsheetWriter::ReadWorkbook(path, true); });
    showRefusal();
    return listSheets();
}

void SheetWindowCore::showRefusal()
{
    const QString& refusal = SpreadsheetWriter::sharedInstance()->readRefusal;
    if (!refusal.isEmpty())
        Show_MessageBox(refusal);
}

bool SheetWindowCore::listSheets()
{
    QStringList names;
    for (const SpreadsheetWriter::SheetItem& item : SpreadsheetWriter::Sheet_List())
        names.append(item.name);
    {
        const QSignalBlocker quiet(_widgets.Sheet_ComboBox);
        _widgets.Sheet_ComboBox->addItems(names);
    }
    if (names.isEmpty())
        return false;
    _widgets.Sheet_ComboBox->setCurrentIndex(0);
    sheetChosen(0);
    return true;
}

void SheetWindowCore::sheetChosen(int index)
{
    Excel_Sheet_Number = index + 1;
    const SheetRows header = PleaseWaitSheet::around([] { return SpreadsheetWriter::ReadData_only_column(); });
    showRefusal();
    // A sheet without a first row lists no columns, never the previous sheet's.
    _columns.fill(header.value(0), header.isEmpty() ? 0 : Excel_Sheet_Columns);
}

bool SheetWindowCore::ticksHold() const
{
    if (_columns.entryCount() == 0) {
        Show_MessageBox(kNoColumnMessage);
        return false;
    }
    if (_columns.tickedPositions().isEmpty()) {
        Show_MessageBox(kNoColumnSelectedMessage);
        return false;
    }
    return true;
}

SheetRows SheetWindowCore::readRows() const
{
    return PleaseWaitSheet::around([this] { return SpreadsheetWriter::ReadWorkbook(path(), false); });
}

int SheetWindowCore::firstDataRow() const
{
    return _widgets.contains_header->isChecked() ? 1 : 0;
}

QString SheetWindowCore::path() const
{
    return _widgets.file_path->text();
}
