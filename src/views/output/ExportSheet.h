#pragma once
// The export sheet: the file format, the sides, whether front and back go into one picture, and
// the output range block. OK takes the range and closes the sheet only for a valid one.
#include <QDialog>

#include "views/output/OutputRangeBlock.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

class ExportSheet : public QDialog {
    Q_OBJECT
public:
    explicit ExportSheet(QWidget* parent = nullptr);

    // Resets the sheet for an export of a one- or two-sided card.
    void prepare(bool twoSided, bool usesSeries, bool usesSpreadsheet, OutputRangeBlock::RecordCounter counter);

    QComboBox* fileFormatPopup = nullptr;
    QComboBox* saveDPIText = nullptr;
    QRadioButton* side_both = nullptr;
    QRadioButton* side_front = nullptr;
    QRadioButton* side_back = nullptr;
    QCheckBox* export_combined_image_chk = nullptr;
    QCheckBox* combined_image_H_or_V_chk = nullptr;
    OutputRangeBlock* rangeBlock = nullptr;

    // The format's title, used as the file extension as it stands ("TIFF").
    QString extension() const;
    // "BOTH", "F" or "B".
    QString export_card_side() const;
    bool joined() const;
    bool sideBySide() const;
    // Set by OK: Print_Start and Total_Label.
    int Print_Start = 0;
    int Total_Label = 1;

public Q_SLOTS:
    void exportOkay();
    void exportCancel();
    void exportFileTypeChanged();
    void export_card_side_CellClick();
};
