#include "views/output/OutputRangeBlock.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "views/inspector/CheckedNumberField.h"

OutputRangeBlock::OutputRangeBlock(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* sources = new QHBoxLayout;
    Export_with_batch_chk = new QCheckBox(QStringLiteral("Use series data"), this);
    Export_with_excel_chk = new QCheckBox(QStringLiteral("Use spreadsheet data"), this);
    sources->addWidget(Export_with_batch_chk);
    sources->addWidget(Export_with_excel_chk);
    sources->addStretch();
    column->addLayout(sources);

    export_range_box = new QGroupBox(QStringLiteral("Cards"), this);
    auto* grid = new QGridLayout(export_range_box);
    All_print_rd = new QRadioButton(QStringLiteral("All records"), export_range_box);
    rd_one_per_recp = new QRadioButton(QStringLiteral("One per recipient"), export_range_box);
    Sel_print_rd = new QRadioButton(QStringLiteral("Selected range"), export_range_box);
    auto* radios = new QButtonGroup(this);
    radios->addButton(All_print_rd);
    radios->addButton(rd_one_per_recp);
    radios->addButton(Sel_print_rd);
    tot_label = new QLabel(QStringLiteral("Total:"), export_range_box);
    from_label = new QLabel(QStringLiteral("From:"), export_range_box);
    to_label = new QLabel(QStringLiteral("To:"), export_range_box);
    Total_Text = new CheckedSpinBox(export_range_box);
    from_Text = new CheckedSpinBox(export_range_box);
    To_Text = new CheckedSpinBox(export_range_box);
    grid->addWidget(All_print_rd, 0, 0, 1, 2);
    grid->addWidget(tot_label, 0, 2);
    grid->addWidget(Total_Text, 0, 3);
    grid->addWidget(rd_one_per_recp, 1, 0, 1, 2);
    grid->addWidget(Sel_print_rd, 2, 0, 1, 2);
    grid->addWidget(from_label, 3, 0);
    grid->addWidget(from_Text, 3, 1);
    grid->addWidget(to_label, 3, 2);
    grid->addWidget(To_Text, 3, 3);
    column->addWidget(export_range_box);
    m_fields = new RecordRangeFields(*Total_Text, *from_Text, *To_Text, this);

    auto* mirrorRow = new QHBoxLayout;
    mirror_chk_box = new QCheckBox(QStringLiteral("Mirror image"), this);
    mirror_horizontal = new QRadioButton(QStringLiteral("Horizontal"), this);
    mirror_vertical = new QRadioButton(QStringLiteral("Vertical"), this);
    auto* mirrors = new QButtonGroup(this);
    mirrors->addButton(mirror_horizontal);
    mirrors->addButton(mirror_vertical);
    mirrorRow->addWidget(mirror_chk_box);
    mirrorRow->addWidget(mirror_horizontal);
    mirrorRow->addWidget(mirror_vertical);
    mirrorRow->addStretch();
    column->addLayout(mirrorRow);

    connect(Export_with_batch_chk, &QCheckBox::clicked, this, &OutputRangeBlock::Export_With_Batch_Changed);
    connect(Export_with_excel_chk, &QCheckBox::clicked, this, &OutputRangeBlock::Export_With_Excel_Changed);
    connect(All_print_rd, &QRadioButton::clicked, this, &OutputRangeBlock::All_print_RD_Clicked);
    connect(rd_one_per_recp, &QRadioButton::clicked, this, &OutputRangeBlock::obo_rd_select);
    connect(Sel_print_rd, &QRadioButton::clicked, this, &OutputRangeBlock::Sel_Print_RD_Clicked);
    connect(mirror_chk_box, &QCheckBox::clicked, this, &OutputRangeBlock::Mirror_image_chk_clicked);
    prepare(false, false, {});
}

void OutputRangeBlock::prepare(bool usesSeries, bool usesSpreadsheet, RecordCounter counter)
{
    // The export sheet keeps its total hidden: all records or a range.
    showFor(Window::Export);
    reset(usesSeries, usesSpreadsheet, std::move(counter));
}

void OutputRangeBlock::preparePrint(bool usesSeries, bool usesSpreadsheet, RecordCounter counter)
{
    m_cellsPerSheet = 1;
    showFor(Window::Print);
    reset(usesSeries, usesSpreadsheet, std::move(counter));
}

void OutputRangeBlock::prepareMail(bool usesSeries, bool usesSpreadsheet, RecordCounter counter)
{
    showFor(Window::Mail);
    reset(usesSeries, usesSpreadsheet, std::move(counter));
}

void OutputRangeBlock::showFor(Window window)
{
    m_window = window;
    tot_label->setVisible(window != Window::Export);
    Total_Text->setVisible(window != Window::Export);
    rd_one_per_recp->setVisible(window == Window::Mail);
}

void OutputRangeBlock::reset(bool usesSeries, bool usesSpreadsheet, RecordCounter counter)
{
    m_counter = std::move(counter);
    mirror_chk_box->setChecked(false);
    mirror_horizontal->setChecked(true);
    Mirror_image_chk_clicked();
    All_print_rd->setChecked(true);
    from_Text->setValue(1);
    Export_with_batch_chk->setEnabled(usesSeries);
    Export_with_batch_chk->setChecked(usesSeries);
    Export_with_excel_chk->setEnabled(usesSpreadsheet);
    Export_with_excel_chk->setChecked(usesSpreadsheet);
    sourcesChanged();
}

void OutputRangeBlock::setCellsPerSheet(int cells)
{
    m_cellsPerSheet = std::max(1, cells);
    if (!isPrintWindow() || anySourceOn())
        return;
    m_totalLabel = m_cellsPerSheet;
    m_fields->Set_Tot_Value(m_totalLabel, m_fields->stepperMaximum(), QStringLiteral("A"));
}

bool OutputRangeBlock::seriesOn() const { return Export_with_batch_chk->isChecked(); }

bool OutputRangeBlock::spreadsheetOn() const { return Export_with_excel_chk->isChecked(); }

bool OutputRangeBlock::Mirror_Image_Create() const { return mirror_chk_box->isChecked(); }

bool OutputRangeBlock::Mirror_Vertical_Not_Horz() const { return mirror_vertical->isChecked(); }

bool OutputRangeBlock::range(int* first, int* end) const
{
    if (!anySourceOn()) {
        *first = 0;
        *end = isPrintWindow() ? Total_Text->value() : m_totalLabel;
        return true;
    }
    if (All_print_rd->isChecked() || rd_one_per_recp->isChecked()) {
        *first = 0;
        // The total counts the cards where the window shows it; one per recipient takes every record.
        *end = m_window != Window::Export && All_print_rd->isChecked() ? Total_Text->value() : m_records;
        return true;
    }
    if (from_Text->value() > To_Text->value())
        return false;
    *first = from_Text->value() - 1;
    *end = To_Text->value();
    return true;
}

void OutputRangeBlock::Export_With_Batch_Changed() { sourcesChanged(); }

void OutputRangeBlock::Export_With_Excel_Changed() { sourcesChanged(); }

void OutputRangeBlock::sourcesChanged()
{
    m_records = std::max(1, m_counter ? m_counter(seriesOn(), spreadsheetOn()) : 1);
    m_totalLabel = anySourceOn() ? m_records : (isPrintWindow() ? m_cellsPerSheet : 1);
    m_fields->setRecordCount(m_records);
    m_fields->setSourcesInUse(anySourceOn());
    m_fields->Set_Tot_Value(m_totalLabel, m_totalLabel, QStringLiteral("A"));
    Set_Enable_Diable_Range_Box();
}

void OutputRangeBlock::Set_Enable_Diable_Range_Box()
{
    if (isPrintWindow() && !anySourceOn()) {
        // Without data the print window still takes the number of cards: all of them, typed.
        enableRange(false);
        All_print_RD_Clicked();
        return;
    }
    enableRange(anySourceOn());
    if (!anySourceOn())
        return;
    if (All_print_rd->isChecked())
        All_print_RD_Clicked();
    else if (rd_one_per_recp->isChecked())
        obo_rd_select();
    else
        Sel_Print_RD_Clicked();
}

void OutputRangeBlock::enableRange(bool on)
{
    if (!isPrintWindow()) {
        export_range_box->setEnabled(on);
        return;
    }
    // The box stays enabled so that the total inside it can be, whatever the radios show.
    export_range_box->setEnabled(true);
    All_print_rd->setEnabled(on);
    Sel_print_rd->setEnabled(on);
}

void OutputRangeBlock::All_print_RD_Clicked()
{
    All_print_rd->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{tot_label, Total_Text})
        w->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{from_label, from_Text, to_label, To_Text})
        w->setEnabled(false);
}

void OutputRangeBlock::Sel_Print_RD_Clicked()
{
    Sel_print_rd->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{tot_label, Total_Text})
        w->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{from_label, from_Text, to_label, To_Text})
        w->setEnabled(true);
}

void OutputRangeBlock::obo_rd_select()
{
    rd_one_per_recp->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{tot_label, Total_Text, from_label, from_Text, to_label, To_Text})
        w->setEnabled(false);
}

void OutputRangeBlock::Mirror_image_chk_clicked()
{
    mirror_horizontal->setEnabled(mirror_chk_box->isChecked());
    mirror_vertical->setEnabled(mirror_chk_box->isChecked());
}
