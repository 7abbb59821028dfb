#pragma once
// What the profile dialogs ask of the main window: its three profile records, the sides' elements,
// the series manager and the preview. The main window implements it; tests implement it apart.
#include <QImage>
#include <QString>
#include <QStringList>

#include "data/Data_From_Excel.h"
#include "model/SKTGraphic.h"

class User_Profile_Class;

enum class ProfileRecord { Front, Back, Preview };

class ProfileFormHost {
public:
    virtual ~ProfileFormHost() = default;
    // Front_user_profile, Back_user_profile or TEMP_user_profile; the dialogs never replace them.
    virtual User_Profile_Class& profileRecord(ProfileRecord which) = 0;
    // 0 while the front is being edited, 1 the back.
    virtual int Card_Front_Or_Back() const = 0;
    // The live element list of side 0 (front) or 1 (back).
    virtual GraphicList graphicsOfSide(int side) const = 0;
    // The series manager runs modally, then the main window refreshes its own series lists.
    virtual void Batch_Series_Button() = 0;
    // True, with "Please select valid file path." shown, when a chosen path is empty or missing.
    virtual bool Check_And_Validate_File_Path(const QString& path) = 0;
    // Removes the folder spreadsheets are unpacked into.
    virtual void Delete_Excel_File_Temp_Folder() = 0;
    // The picture extensions every picture chooser accepts.
    virtual QStringList Allowd_Image_fileTypes() const = 0;
    // The preview canvas shows copies of the side ("F" or "B") with the preview record written
    // onto them; the sides themselves stay as they are. Answers a picture of what it shows, for the
    // dialog to show beside its form (the canvas lies behind the modal dialog); null for none.
    virtual QImage Show_Profile_Preview(const QString& side) = 0;
    // The row of the loaded data table the card shows (0 the first), whose cells the form shows
    // for fields bound to columns, and the workbook that table is kept in.
    virtual int recordShown() const { return 0; }
    virtual QString recordsWorkbook() const { return Excel_Source_Path; }
};
