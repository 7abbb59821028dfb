#pragma once
// What a crop of a picture bound to a series or a spreadsheet column asks of the data-source page
// and the data behind it once the cropping tool wrote a new series or column.
#include <QString>

class CroppedPictureBinding {
public:
    virtual ~CroppedPictureBinding() = default;
    // The value list shows the series names again with this one chosen; its index there, -1 when
    // it is not among them.
    virtual int showSeriesChoosing(const QString& seriesName) = 0;
    virtual QString Get_First_Value_Of_Dataset(const QString& seriesName) const = 0;
    // Refreshes the loaded table's row count and returns it.
    virtual int Calculate_Excel_table_rows() = 0;
    virtual QString Get_Excel_Column_Name_Of_Index(int column) const = 0;
    // The value list shows the column titles again with this one chosen.
    virtual void showColumnsChoosing(int column) = 0;
    virtual QString Get_First_Value_Of_Excel_Binding(int column) const = 0;
};
