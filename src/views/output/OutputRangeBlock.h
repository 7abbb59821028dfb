#pragma once
// The block of controls every card-making window carries: a box per data source, the range box
// (all records or from-to, and the total), and mirroring. It decides how many cards a run makes,
// from which record, and whether the card pictures are mirrored.
#include <QWidget>
#include <functional>

#include "views/output/RecordRangeFields.h"

class CheckedSpinBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

class OutputRangeBlock : public QWidget {
    Q_OBJECT
public:
    // Records of the run with the series and the spreadsheet source on or off
    // (Get_total_Card_count after narrowing the sources).
    using RecordCounter = std::function<int(bool series, bool spreadsheet)>;

    explicit OutputRangeBlock(QWidget* parent = nullptr);

    // Resets the block for a window that opens: mirror off, all records, from 1; each source box
    // enabled and ticked when the design uses that source.
    void prepare(bool usesSeries, bool usesSpreadsheet, RecordCounter counter);
    // The same for the print window, whose total shows and stays editable: without a source on,
    // a run prints the total typed (at first 1, then a sheet's cells as rows and columns change).
    void preparePrint(bool usesSeries, bool usesSpreadsheet, RecordCounter counter);
    // The same for the mail window: its total shows, and a third radio sends one card to each
    // recipient, every record, with the total and the range off.
    void prepareMail(bool usesSeries, bool usesSpreadsheet, RecordCounter counter);
    // Cards on one sheet (rows x columns): the total of a print run that uses no data
    // (Calculate_label_acc_row_col).
    void setCellsPerSheet(int cells);

    QCheckBox* Export_with_batch_chk = nullptr;
    QCheckBox* Export_with_excel_chk = nullptr;
    QGroupBox* export_range_box = nullptr;
    QRadioButton* All_print_rd = nullptr;
    QRadioButton* rd_one_per_recp = nullptr;  // the mail window's only
    QRadioButton* Sel_print_rd = nullptr;
    CheckedSpinBox* Total_Text = nullptr;
    CheckedSpinBox* from_Text = nullptr;
    CheckedSpinBox* To_Text = nullptr;
    QLabel* tot_label = nullptr;
    QLabel* from_label = nullptr;
    QLabel* to_label = nullptr;
    QCheckBox* mirror_chk_box = nullptr;
    QRadioButton* mirror_horizontal = nullptr;
    QRadioButton* mirror_vertical = nullptr;

    int Total_Label() const { return m_totalLabel; }
    int Total_Batch_Excel_Card() const { return m_records; }
    bool seriesOn() const;
    bool spreadsheetOn() const;
    bool anySourceOn() const { return seriesOn() || spreadsheetOn(); }
    bool Mirror_Image_Create() const;
    bool Mirror_Vertical_Not_Horz() const;

    // The run's records, first up to but not including end (Print_Start, Total_Label); false
    // when from is above to. Where the total shows (print and mail), a run of all records makes
    // as many cards as it says.
    bool range(int* first, int* end) const;

public Q_SLOTS:
    void Export_With_Batch_Changed();
    void Export_With_Excel_Changed();
    void Set_Enable_Diable_Range_Box();
    void All_print_RD_Clicked();
    void Sel_Print_RD_Clicked();
    void obo_rd_select();
    void Mirror_image_chk_clicked();

private:
    enum class Window { Export, Print, Mail };
    void showFor(Window window);
    bool isPrintWindow() const { return m_window == Window::Print; }
    void sourcesChanged();
    void reset(bool usesSeries, bool usesSpreadsheet, RecordCounter counter);
    void enableRange(bool on);

    RecordCounter m_counter;
    RecordRangeFields* m_fields = nullptr;
    int m_records = 1;
    int m_totalLabel = 1;
    Window m_window = Window::Export;
    int m_cellsPerSheet = 1;
};
