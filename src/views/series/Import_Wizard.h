#pragma once
// The series import wizard: series from a workbook's columns, a text file (txt, csv, rtf), typed
// lines or a folder of pictures, written as a new series or added to the series the manager edits.
// Every source reads its values first, so a source without values replaces nothing.
#include <QDialog>
#include <memory>

#include "views/series/SeriesWindowLinks.h"

class Import_Excel;
class Import_Excel_DataSheet;
namespace Ui {
class Import_Wizard;
}

inline const QString kSelectValidFileMessage = QStringLiteral("Please select a valid file.");
inline const QString kEnterSomeDataMessage = QStringLiteral("Please enter some data.");

class Import_Wizard : public QDialog {
    Q_OBJECT
public:
    enum ImportOption { Workbook = 0, TextFile = 1, TypedLines = 2, PictureFolder = 3 };

    explicit Import_Wizard(SeriesWindowLinks links = {}, QWidget* parent = nullptr);
    ~Import_Wizard() override;

    SeriesWindowFlags flags;
    int import_option = Workbook;

    // Resets the wizard and runs it modally: 1 once a source was imported, else 0.
    int Open_Wnd();
    void Excel_RD_Pressed();
    void Text_RD_Pressed();
    void Manual_RD_Pressed();
    void Image_RD_Pressed();
    void Browse_Excel_Pressed();
    void Browse_Text_Pressed();
    void Browse_Image_Pressed();
    // Imports the chosen source; the wizard closes with 1 when that worked, else stays open.
    void OKPressed();
    void CancelPressed();

    bool Create_And_Save_Text_Data_Sheet(const QString& path);
    bool Create_And_Save_Manual_Paste_data_Sheet();
    bool Create_And_Save_Image_data_Sheet(const QString& folder);

    // The spreadsheet windows the workbook source hands over to.
    Import_Excel& spreadsheetWindow();
    Import_Excel_DataSheet& sheetColumnsWindow();

private:
    void selectOption(int option);
    // Writes values that are already read; false when the destination refused them.
    bool saveValues(const QString& typedName, const QStringList& values);
    bool importWorkbook(const QString& path);

    std::unique_ptr<Ui::Import_Wizard> ui;
    SeriesWindowLinks _links;
    std::unique_ptr<Import_Excel> _spreadsheetWindow;
    std::unique_ptr<Import_Excel_DataSheet> _sheetColumnsWindow;
};
