#pragma once
// The cropping tool: its standard mode, from the File menu, and its direct modes, each run modally
// from the picture page's crop button: one picture, the pictures of a series, or those of a
// spreadsheet column. Each direct mode answers 1 when the crop was made, anything else when it was
// not.
#include <QString>

class CroppingTool {
public:
    virtual ~CroppingTool() = default;
    // The tool with its first page, where the user chooses the pictures; 0 once it is closed.
    virtual int Open_Crop_Wnd() = 0;
    // Where the element's picture comes from (0 typed, 1 series, 2 spreadsheet column).
    virtual void setCtrlDataSourceType(int type) = 0;
    // The cropped copy of the picture is then at Crop_Direct_Path().
    virtual int Open_Wnd_Direct_To_Crop(const QString& path) = 0;
    virtual QString Crop_Direct_Path() const = 0;
    // The series of the cropped pictures is then named Crop_Direct_Series().
    virtual int Open_Wnd_Direct_Crop_Series(const QString& seriesName) = 0;
    virtual QString Crop_Direct_Series() const = 0;
    // The column of the cropped pictures is then at Crop_New_Excel_Col_Index().
    virtual int Open_Wnd_Direct_Excel_Column(const QString& columnTitle, int columnIndex) = 0;
    virtual int Crop_New_Excel_Col_Index() const = 0;
};
