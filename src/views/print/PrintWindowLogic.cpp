#include "views/print/PrintWindowLogic.h"

#include <algorithm>

#include "output/SheetLayout.h"
#include "platform/NumberText.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/PrintInfo.h"

namespace {

constexpr float kPointsPerMm = 2.834645669291f;
constexpr float kMmPerPoint = 0.3527777777778f;

float toPoints(double mm) { return float(mm) * kPointsPerMm; }
float toMm(float points) { return points * kMmPerPoint; }
QString mmText(float points) { return numberText(toMm(points), 2); }

}  // namespace

QStringList bothSidesLayoutTexts()
{
    return {QStringLiteral("Front above, back turned"), QStringLiteral("Front above back"),
            QStringLiteral("Front beside back"), QStringLiteral("Duplex, back upright"),
            QStringLiteral("Duplex, back turned")};
}

QStringList oneSideLayoutTexts()
{
    return {QStringLiteral("Upright"), QStringLiteral("Turned")};
}

PrintWindowLogic::PrintWindowLogic(PrintSheetSettings& settings) : m_settings(settings) {}

void PrintWindowLogic::Open(const PrintDesign& design)
{
    m_loading = true;
    m_settings.draw_printing_or_visitor_pass = false;
    fields.mirror = false;
    fields.mirrorColumn = 0;
    fields.mirrorMatrixEnabled = false;
    m_settings.Mirror_Image_Create = false;
    m_settings.Mirror_Vertical_Not_Horz = false;
    m_settings.sel_card_side = design.sideShown;
    m_settings.side_mar = 0;
    fields.fit = false;
    fields.cropMarks = false;
    m_settings.Fit_Picture_To_Frame = false;
    m_settings.Enable_Crop_Marks = false;

    m_settings.twoSidedDesign = design.twoSided;
    fields.sideRow = design.twoSided ? 0 : 1;
    fields.sideRowEnabled = {design.twoSided, true, design.twoSided};
    fields.sideMarginEnabled = design.twoSided;
    m_settings.Print_Card_Side = design.twoSided ? QStringLiteral("BOTH") : QStringLiteral("F");
    fields.bothLayout = 0;
    fields.oneLayout = 0;
    Set_Demo_align_image();
    fields.autoCentre = false;
    m_settings.auto_center_flag = false;
    fields.showMargins = true;
    m_settings.Show_margin_rect = true;
    // The preview outlines each card as the canvas shows the card.
    m_settings.Card_Shape = Card_Shape;
    m_settings.Print_Row = 1;
    m_settings.Print_Col = 1;

    m_settings.front_image = design.front_image;
    m_settings.back_image = design.back_image;
    fields.seriesAvailable = design.usesSeries;
    fields.spreadsheetAvailable = design.usesSpreadsheet;
    fields.series = design.usesSeries;
    fields.spreadsheet = design.usesSpreadsheet;

    // The cell of the card as it was drawn; a side that could not be drawn has no size.
    const CardImage& card = design.front_image.isNull() ? design.back_image : design.front_image;
    fields.width = toMm(float(card.size().width()));
    fields.height = toMm(float(card.size().height()));
    fields.rows = 1;
    fields.columns = 1;
    fields.sideMargin = 0;
    fields.horzGap = 0;
    fields.vertGap = 0;
    fields.gapsEnabled = true;
    fields.rowsColumnsEnabled = true;
    fields.cardAlignBoxEnabled = true;
    fields.alignGroupEnabled = true;
    fields.align = 1;
    m_settings.label_align_val = 1;
    LAST_Side_Mar = LAST_Horz_Mar = LAST_Vert_Mar = 0;
    LAST_Row = LAST_Column = 1;

    QPageLayout page = printInfo();
    page.setMargins(QMarginsF());
    setPrintInfo(page);
    fields.printers = printerCatalog().printerNames();
    setPrinterAndPaper(fields.printers.value(0));
    m_loading = false;
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
    Refresh_Preview();
}

void PrintWindowLogic::setPrinterAndPaper(const QString& name)
{
    fields.printer = name;
    m_printer = name;
    Set_values_From_Printer();
}

void PrintWindowLogic::Set_values_From_Printer()
{
    m_paper = printerCatalog().paper(m_printer, printInfo());
    fields.Paper_id = m_paper.name;
    fields.Size_id = QStringLiteral("%1 x %2").arg(mmText(m_paper.width), mmText(m_paper.height));
    fields.orientation = m_paper.landscape ? 1 : 0;
    m_settings.paperWidth = m_paper.width;
    m_settings.paperHeight = m_paper.height;
    m_settings.landscape = m_paper.landscape;
    m_settings.Left_Mar = m_paper.left;
    m_settings.Rite_Mar = m_paper.right;
    m_settings.Top_Mar = m_paper.top;
    m_settings.Bot_Mar = m_paper.bottom;
    fields.l_mar_id = mmText(m_paper.left);
    fields.r_mar_id = mmText(m_paper.right);
    fields.t_mar_id = mmText(m_paper.top);
    fields.b_mar_id = mmText(m_paper.bottom);
    Refresh_Preview();
}

void PrintWindowLogic::printerSelected(const QString& name)
{
    if (name.isEmpty() || !fields.printers.contains(name))
        return;
    setPrinterAndPaper(name);
    Check_Max_Cell_Value();
}

void PrintWindowLogic::orientationSelected(int index)
{
    QPageLayout page = printInfo();
    page.setOrientation(index == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    setPrintInfo(page);
    Set_values_From_Printer();
    Check_Max_Cell_Value();
}

void PrintWindowLogic::pagesetup(QWidget* parent)
{
    QPageLayout page = printInfo();
    if (!printerCatalog().runPageSetup(m_printer, page, parent))
        return;
    setPrintInfo(page);
    Set_values_From_Printer();
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Check_Max_Cell_Value()
{
    if (!hasPaper() || m_loading)
        return;
    SheetCellRequest request;
    request.cardWidth = toPoints(fields.width);
    request.cardHeight = toPoints(fields.height);
    request.horzGap = toPoints(fields.horzGap);
    request.vertGap = toPoints(fields.vertGap);
    request.sideMargin = toPoints(fields.sideMargin);
    request.rows = fields.rows;
    request.columns = fields.columns;
    const SheetCountsShown cut = ::Check_Max_Cell_Value(m_settings, request);
    // A card of no size leaves the fields as typed: its one cell prints "Invalid Data".
    if (request.cardWidth > 0 && request.cardHeight > 0) {
        if (cut.columnsChanged)
            fields.columns = m_settings.Print_Col;
        if (cut.rowsChanged)
            fields.rows = m_settings.Print_Row;
    }
    Refresh_Preview();
}

void PrintWindowLogic::Calculate_label_acc_row_col()
{
    if (fields.series || fields.spreadsheet)
        return;
    if (totalChanged)
        totalChanged(m_settings.Print_Row * m_settings.Print_Col);
}

void PrintWindowLogic::card_side_CellClick(int row)
{
    static const QString sides[] = {QStringLiteral("BOTH"), QStringLiteral("F"), QStringLiteral("B")};
    fields.sideRow = std::clamp(row, 0, 2);
    fields.sideMarginEnabled = fields.sideRow == 0 && !fields.fit;
    m_settings.Print_Card_Side = sides[fields.sideRow];
    Set_Demo_align_image();
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
}

void PrintWindowLogic::Set_Demo_align_image()
{
    Capture_Last_Values();
    Normal_Printing_Is_Selected();
    m_settings.Print_One_Card_Algn = QStringLiteral("U");
    m_settings.Duplex_Printing = false;
    if (fields.sideRow == 0) {
        static const char* const codes[] = {"UD", "U", "L", "DU", "DD"};
        static const char* const pictures[] = {"up-down-flip", "up-down", "left-rite", "both_up", "head_up_head_down"};
        const int index = fields.bothLayout;
        if (index < 0 || index >= PrintFieldLimits::kBothSidesLayouts)
            return;
        if (index >= 3)
            Duplex_Printing_Is_Selected();
        m_settings.Print_Card_Algn = QLatin1String(codes[index]);
        fields.layoutPicture = QLatin1String(pictures[index]);
        return;
    }
    const bool upright = fields.oneLayout == 0;
    m_settings.Print_One_Card_Algn = upright ? QStringLiteral("U") : QStringLiteral("D");
    const QString side = fields.sideRow == 1 ? QStringLiteral("front") : QStringLiteral("back");
    fields.layoutPicture = upright ? side : side + QStringLiteral("_flip");
}

void PrintWindowLogic::bothLayoutSelected(int index)
{
    fields.bothLayout = index;
    Set_Demo_align_image();
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
}

void PrintWindowLogic::oneLayoutSelected(int index)
{
    fields.oneLayout = index;
    Set_Demo_align_image();
    Refresh_Preview();
}

void PrintWindowLogic::Capture_Last_Values()
{
    LAST_Side_Mar = fields.sideMargin;
    LAST_Horz_Mar = fields.horzGap;
    LAST_Vert_Mar = fields.vertGap;
    LAST_Row = fields.rows;
    LAST_Column = fields.columns;
}

void PrintWindowLogic::Disable_for_fit_or_duplex()
{
    Capture_Last_Values();
    fields.sideMarginEnabled = false;
    fields.gapsEnabled = false;
    fields.sideMargin = fields.horzGap = fields.vertGap = 0;
    fields.rowsColumnsEnabled = false;
    fields.rows = fields.columns = 1;
    fields.cardAlignBoxEnabled = false;
}

void PrintWindowLogic::Duplex_Printing_Is_Selected()
{
    m_settings.Duplex_Printing = true;
    Disable_for_fit_or_duplex();
}

void PrintWindowLogic::Normal_Printing_Is_Selected()
{
    if (fields.fit)
        return;
    fields.cardAlignBoxEnabled = true;
    if (fields.autoCentre)
        fields.alignGroupEnabled = false;
    if (fields.sideRow == 0) {
        fields.sideMarginEnabled = true;
        fields.sideMargin = LAST_Side_Mar;
    }
    fields.gapsEnabled = true;
    fields.horzGap = LAST_Horz_Mar;
    fields.vertGap = LAST_Vert_Mar;
    fields.rowsColumnsEnabled = true;
    fields.rows = LAST_Row;
    fields.columns = LAST_Column;
}

void PrintWindowLogic::alignmentClicked(int value)
{
    if (value < 1 || value > 9)
        return;
    fields.align = value;
    m_settings.label_align_val = value;
    if (!fields.fit)
        Refresh_Preview();
}

void PrintWindowLogic::Auto_Center_Checked(bool on)
{
    fields.autoCentre = on;
    if (fields.fit)
        return;
    m_settings.auto_center_flag = on;
    fields.gapsEnabled = !on;
    fields.alignGroupEnabled = !on;
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Fit_To_Frame_clicked(bool on)
{
    fields.fit = on;
    m_settings.Fit_Picture_To_Frame = on;
    if (on) {
        Disable_for_fit_or_duplex();
    } else {
        // A duplex layout keeps its one card a sheet and its locked fields.
        if (!m_settings.Duplex_Printing)
            Normal_Printing_Is_Selected();
        // The auto-centre box may have changed while fit had it ignored.
        m_settings.auto_center_flag = fields.autoCentre;
    }
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Enable_Crop_Mark_clicked(bool on)
{
    fields.cropMarks = on;
    m_settings.Enable_Crop_Marks = on;
    Refresh_Preview();
}

void PrintWindowLogic::Show_Margin_Checked(bool on)
{
    fields.showMargins = on;
    m_settings.Show_margin_rect = on;
    Refresh_Preview();
}

void PrintWindowLogic::Mirror_image_chk_clicked(bool on)
{
    fields.mirror = on;
    fields.mirrorMatrixEnabled = on;
    m_settings.Mirror_Image_Create = on;
    Refresh_Preview();
}

void PrintWindowLogic::Mirror_Image_Type_CellClick(int column)
{
    fields.mirrorColumn = column == 0 ? 0 : 1;
    m_settings.Mirror_Vertical_Not_Horz = column != 0;
    Refresh_Preview();
}

void PrintWindowLogic::Width_Changed(double mm)
{
    fields.width = std::clamp(mm, 0.0, PrintFieldLimits::kMaxCardMm);
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Height_Changed(double mm)
{
    fields.height = std::clamp(mm, 0.0, PrintFieldLimits::kMaxCardMm);
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Side_Margin_Changed(double mm)
{
    fields.sideMargin = std::clamp(mm, 0.0, PrintFieldLimits::kMaxGapMm);
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Horz_Margin_Changed(double mm)
{
    fields.horzGap = std::clamp(mm, 0.0, PrintFieldLimits::kMaxGapMm);
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Vert_Margin_Changed(double mm)
{
    fields.vertGap = std::clamp(mm, 0.0, PrintFieldLimits::kMaxGapMm);
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Row_Changed(int rows)
{
    fields.rows = std::clamp(rows, 1, PrintFieldLimits::kMaxRowsColumns);
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
    Check_Max_Cell_Value();
}

void PrintWindowLogic::Col_Changed(int columns)
{
    fields.columns = std::clamp(columns, 1, PrintFieldLimits::kMaxRowsColumns);
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
    Check_Max_Cell_Value();
}

void PrintWindowLogic::dataBoxesChanged(bool series, bool spreadsheet)
{
    fields.series = series && fields.seriesAvailable;
    fields.spreadsheet = spreadsheet && fields.spreadsheetAvailable;
    Calculate_label_acc_row_col();
}

void PrintWindowLogic::Refresh_Preview()
{
    if (!hasPaper() || m_loading)
        return;
    if (previewChanged)
        previewChanged();
}
