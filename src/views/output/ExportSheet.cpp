#include "views/output/ExportSheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/MessageBoxes.h"

ExportSheet::ExportSheet(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export Cards"));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    fileFormatPopup = new QComboBox(this);
    fileFormatPopup->addItems({QStringLiteral("PNG"), QStringLiteral("JPG"), QStringLiteral("TIFF"), QStringLiteral("BMP"),
                               QStringLiteral("PDF"), QStringLiteral("EPS")});
    saveDPIText = new QComboBox(this);
    saveDPIText->addItem(QStringLiteral("600 dpi"));
    form->addRow(QStringLiteral("Format:"), fileFormatPopup);
    form->addRow(QStringLiteral("Resolution:"), saveDPIText);
    column->addLayout(form);

    auto* sides = new QGroupBox(QStringLiteral("Card side"), this);
    auto* sideRow = new QHBoxLayout(sides);
    side_both = new QRadioButton(QStringLiteral("Both sides"), sides);
    side_front = new QRadioButton(QStringLiteral("Front"), sides);
    side_back = new QRadioButton(QStringLiteral("Back"), sides);
    auto* sideGroup = new QButtonGroup(this);
    for (QRadioButton* button : {side_both, side_front, side_back}) {
        sideGroup->addButton(button);
        sideRow->addWidget(button);
        connect(button, &QRadioButton::clicked, this, &ExportSheet::export_card_side_CellClick);
    }
    column->addWidget(sides);
    export_combined_image_chk = new QCheckBox(QStringLiteral("Front and back in one picture"), this);
    combined_image_H_or_V_chk = new QCheckBox(QStringLiteral("Side by side"), this);
    column->addWidget(export_combined_image_chk);
    column->addWidget(combined_image_H_or_V_chk);

    rangeBlock = new OutputRangeBlock(this);
    column->addWidget(rangeBlock);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Export"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportSheet::exportOkay);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportSheet::exportCancel);
    column->addWidget(buttons);
    connect(fileFormatPopup, &QComboBox::currentIndexChanged, this, &ExportSheet::exportFileTypeChanged);
}

void ExportSheet::prepare(bool twoSided, bool usesSeries, bool usesSpreadsheet, OutputRangeBlock::RecordCounter counter)
{
    fileFormatPopup->setCurrentIndex(0);
    exportFileTypeChanged();
    export_combined_image_chk->setChecked(false);
    combined_image_H_or_V_chk->setChecked(false);
    side_both->setEnabled(twoSided);
    side_back->setEnabled(twoSided);
    (twoSided ? side_both : side_front)->setChecked(true);
    export_card_side_CellClick();
    rangeBlock->prepare(usesSeries, usesSpreadsheet, std::move(counter));
}

QString ExportSheet::extension() const { return fileFormatPopup->currentText(); }

QString ExportSheet::export_card_side() const
{
    if (side_both->isChecked())
        return QStringLiteral("BOTH");
    return side_back->isChecked() ? QStringLiteral("B") : QStringLiteral("F");
}

bool ExportSheet::joined() const { return side_both->isChecked() && export_combined_image_chk->isChecked(); }

bool ExportSheet::sideBySide() const { return combined_image_H_or_V_chk->isChecked(); }

void ExportSheet::exportOkay()
{
    if (!rangeBlock->range(&Print_Start, &Total_Label)) {
        Show_MessageBox(QStringLiteral("Please select valid range."));
        return;
    }
    accept();
}

void ExportSheet::exportCancel() { reject(); }

void ExportSheet::exportFileTypeChanged()
{
    // Raster formats are always written at 600 dpi; the choice is shown, not read.
    const QString format = fileFormatPopup->currentText();
    saveDPIText->setEnabled(fileFormatPopup->currentIndex() == 0 || format == QLatin1String("TIFF"));
}

void ExportSheet::export_card_side_CellClick()
{
    const bool both = side_both->isChecked();
    export_combined_image_chk->setEnabled(both);
    combined_image_H_or_V_chk->setEnabled(both);
}
