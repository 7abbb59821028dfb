// The print window's settings as the 26 texts of a print profile, and back.
#include <algorithm>

#include "platform/NumberText.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/PrintWindowLogic.h"

namespace {

constexpr int kProfileItems = 26;
constexpr float kMmPerPoint = 0.3527777777778f;

QString flag(bool on) { return on ? QStringLiteral("Y") : QStringLiteral("N"); }
bool isOn(const QString& text) { return text == QLatin1String("Y"); }

}  // namespace

QStringList PrintWindowLogic::profileItems(const QString& printer) const
{
    static const QString sides[] = {QStringLiteral("BOTH"), QStringLiteral("F"), QStringLiteral("B")};
    const int row = std::clamp(fields.sideRow, 0, 2);
    return {printer,
            fields.Paper_id,
            fields.Size_id,
            numberText(m_settings.paperWidth * kMmPerPoint, 2),
            numberText(m_settings.paperHeight * kMmPerPoint, 2),
            fields.orientation == 0 ? QStringLiteral("Portrait") : QStringLiteral("Landscape"),
            QString::number(fields.rows),
            QString::number(fields.columns),
            numberText(fields.horzGap, 2),
            numberText(fields.vertGap, 2),
            numberText(fields.sideMargin, 2),
            fields.l_mar_id,
            fields.t_mar_id,
            fields.r_mar_id,
            fields.b_mar_id,
            QString::number(fields.align),
            flag(fields.autoCentre),
            sides[row],
            QString::number(row == 0 ? fields.bothLayout : fields.oneLayout),
            flag(fields.mirror),
            fields.mirrorColumn == 0 ? QStringLiteral("FH") : QStringLiteral("FV"),
            flag(fields.showMargins),
            flag(fields.series),
            flag(fields.spreadsheet),
            flag(fields.cropMarks),
            flag(fields.fit)};
}

bool PrintWindowLogic::applyProfileItems(const QStringList& items)
{
    using namespace PrintFieldLimits;
    if (items.size() < kProfileItems)
        return false;
    m_loading = true;
    // A printer that is not installed here leaves the chosen one.
    if (fields.printers.contains(items[0]))
        setPrinterAndPaper(items[0]);
    fields.Paper_id = items[1];
    fields.Size_id = items[2];
    if (items[5] == QLatin1String("Portrait"))
        orientationSelected(0);
    else if (items[5] == QLatin1String("Landscape"))
        orientationSelected(1);
    fields.rows = std::clamp(int(leadingInt(items[6])), 1, kMaxRowsColumns);
    fields.columns = std::clamp(int(leadingInt(items[7])), 1, kMaxRowsColumns);
    fields.horzGap = std::clamp(leadingDouble(items[8]), 0.0, kMaxGapMm);
    fields.vertGap = std::clamp(leadingDouble(items[9]), 0.0, kMaxGapMm);
    fields.sideMargin = std::clamp(leadingDouble(items[10]), 0.0, kMaxGapMm);
    fields.l_mar_id = items[11];
    fields.t_mar_id = items[12];
    fields.r_mar_id = items[13];
    fields.b_mar_id = items[14];
    alignmentClicked(leadingInt(items[15]));
    Auto_Center_Checked(isOn(items[16]));

    // A layout index out of the list's range is brought into it: the file may come from a
    // two-sided design or from another hand.
    const int layout = leadingInt(items[18]);
    int row = 1;
    if (m_settings.twoSidedDesign) {
        row = items[17] == QLatin1String("BOTH") ? 0 : items[17] == QLatin1String("F") ? 1 : 2;
        if (row == 0)
            fields.bothLayout = std::clamp(layout, 0, kBothSidesLayouts - 1);
    }
    if (row != 0)
        fields.oneLayout = std::clamp(layout, 0, kOneSideLayouts - 1);
    card_side_CellClick(row);

    Mirror_image_chk_clicked(isOn(items[19]));
    Mirror_Image_Type_CellClick(items[20] == QLatin1String("FH") ? 0 : 1);
    Show_Margin_Checked(isOn(items[21]));
    // "Y" keeps a data box on only while the run takes that data: a profile brings back neither
    // data the user turned off nor data the design does not use. "N" leaves the box as it is.
    if (isOn(items[22]))
        fields.series = fields.series && fields.seriesAvailable;
    if (isOn(items[23]))
        fields.spreadsheet = fields.spreadsheet && fields.spreadsheetAvailable;
    Enable_Crop_Mark_clicked(isOn(items[24]));
    Fit_To_Frame_clicked(isOn(items[25]));

    m_loading = false;
    if (rangeBoxChanged)
        rangeBoxChanged();
    Set_values_From_Printer();
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
    return true;
}
