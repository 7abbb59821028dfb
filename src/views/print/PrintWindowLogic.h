#pragma once
// What the print window shows and does, without widgets: the printer and its paper, the card
// size, rows and columns, gaps, sides and layout, the block's place and the options. Every change
// that moves cards ends in Check_Max_Cell_Value, which publishes the sheet layout into
// Print_Sheet_Settings for the printing view and the sheet preview; the view mirrors the fields
// into its controls after each call.
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "output/PrintSheetSettings.h"
#include "views/print/PrinterCatalog.h"

// The controls' contents. Lengths are millimetres, as the fields show them.
struct PrintWindowFields {
    QStringList printers;
    QString printer;  // the selected printer; empty without printers
    QString Paper_id;
    QString Size_id;
    QString l_mar_id, r_mar_id, t_mar_id, b_mar_id;
    int orientation = 0;  // 0 "Portrait", 1 "Landscape"

    double width = 0;
    double height = 0;
    double horzGap = 0;
    double vertGap = 0;
    double sideMargin = 0;
    int rows = 1;
    int columns = 1;

    int sideRow = 0;  // 0 both sides, 1 front, 2 back
    std::array<bool, 3> sideRowEnabled{true, true, true};
    int bothLayout = 0;  // "UD", "U", "L", "DU", "DD"
    int oneLayout = 0;   // 0 upright, 1 turned
    QString layoutPicture;

    int align = 1;  // 1-9 row by row from the top left
    bool autoCentre = false;
    bool fit = false;
    bool cropMarks = false;
    bool showMargins = true;
    bool mirror = false;
    int mirrorColumn = 0;  // 0 horizontal, 1 vertical

    // The run's data boxes; "available" when the design uses that source at all.
    bool series = false;
    bool spreadsheet = false;
    bool seriesAvailable = false;
    bool spreadsheetAvailable = false;

    bool sideMarginEnabled = true;
    bool gapsEnabled = true;
    bool rowsColumnsEnabled = true;
    bool cardAlignBoxEnabled = true;
    bool alignGroupEnabled = true;
    bool mirrorMatrixEnabled = false;
};

// Field limits, shared by the controls and by profiles read from files.
namespace PrintFieldLimits {
inline constexpr double kMaxCardMm = 1000;
inline constexpr double kMaxGapMm = 500;
inline constexpr int kMaxRowsColumns = 100;
inline constexpr int kOneSideLayouts = 2;
inline constexpr int kBothSidesLayouts = 5;
}  // namespace PrintFieldLimits

// The design the window opens for.
struct PrintDesign {
    bool twoSided = false;
    int sideShown = 0;  // the main window's side when the window opens
    bool usesSeries = false;
    bool usesSpreadsheet = false;
    CardImage front_image;
    CardImage back_image;
    QString failure;  // why a side of the design as it stands cannot be drawn
};

class PrintWindowLogic {
public:
    explicit PrintWindowLogic(PrintSheetSettings& settings = Print_Sheet_Settings);

    PrintWindowFields fields;
    PrintSheetSettings& settings() { return m_settings; }
    const PrintSheetSettings& settings() const { return m_settings; }
    // The print settings' printer and page: which printer prints, on which paper.
    QString printInfoPrinter() const { return m_printer; }

    // Asked to redraw the sheet preview.
    std::function<void()> previewChanged;
    // Asked to show a total while no data source is on (rows x columns).
    std::function<void(int)> totalChanged;
    // Asked to bring the range box in line with the data boxes.
    std::function<void()> rangeBoxChanged;

    // The window's reset on opening, the printers listed and the first one chosen.
    void Open(const PrintDesign& design);

    // Printer and paper.
    void Set_values_From_Printer();
    void printerSelected(const QString& name);
    void orientationSelected(int index);
    // The page layout panel on the chosen printer.
    void pagesetup(QWidget* parent);

    // Layout.
    void Check_Max_Cell_Value();
    void Calculate_label_acc_row_col();
    void card_side_CellClick(int row);
    void Set_Demo_align_image();
    void bothLayoutSelected(int index);
    void oneLayoutSelected(int index);
    void alignmentClicked(int value);

    // Options.
    void Auto_Center_Checked(bool on);
    void Fit_To_Frame_clicked(bool on);
    void Enable_Crop_Mark_clicked(bool on);
    void Show_Margin_Checked(bool on);
    void Mirror_image_chk_clicked(bool on);
    void Mirror_Image_Type_CellClick(int column);

    // Value pairs, in millimetres or counts.
    void Width_Changed(double mm);
    void Height_Changed(double mm);
    void Side_Margin_Changed(double mm);
    void Horz_Margin_Changed(double mm);
    void Vert_Margin_Changed(double mm);
    void Row_Changed(int rows);
    void Col_Changed(int columns);

    // The data boxes as the range block leaves them.
    void dataBoxesChanged(bool series, bool spreadsheet);

    // Profiles: the 26 texts of the window's settings for a printer, and the window set from them.
    QStringList profileItems(const QString& printer) const;
    // False, with nothing changed, for fewer than 26 items.
    bool applyProfileItems(const QStringList& items);

    void Refresh_Preview();
    bool loading() const { return m_loading; }

private:
    void Capture_Last_Values();
    void Disable_for_fit_or_duplex();
    void Duplex_Printing_Is_Selected();
    void Normal_Printing_Is_Selected();
    void setPrinterAndPaper(const QString& name);
    bool hasPaper() const { return m_paper.width > 0 && m_paper.height > 0; }

    PrintSheetSettings& m_settings;
    PrinterPaper m_paper;
    QString m_printer;
    bool m_loading = false;
    double LAST_Side_Mar = 0;
    double LAST_Horz_Mar = 0;
    double LAST_Vert_Mar = 0;
    int LAST_Row = 1;
    int LAST_Column = 1;
};

// The window's texts of the five layouts for both sides and the two for one side, in list order.
QStringList bothSidesLayoutTexts();
QStringList oneSideLayoutTexts();
