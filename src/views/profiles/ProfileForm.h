#pragma once
// The form both profile dialogs are made of: one row per card-holder field (the value, where it
// comes from: typed, a series or a column of the loaded spreadsheet, the series or column chosen,
// and a button that shows them), the photo row (path, picture, camera, picture file, clear) and
// the spreadsheet row. It keeps the rows' controls consistent with their sources, validates the
// form, and writes a field's value source into a profile record. Each dialog lays out its own
// controls and hands them over once with attach(); the rules here apply to both.
#include <QImage>
#include <QObject>
#include <QString>
#include <array>

#include "model/profiles/User_Profile_Class.h"

class ProfileFormHost;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Items of a source combo: typed, a series, a spreadsheet column. "Excel" is there only while the
// loaded data table has rows.
enum ProfileSourceIndex : int { kSourceManual = 0, kSourceSeries = 1, kSourceExcel = 2 };

// The controls of one field's row. The photo's row has no value box: its value is the photo path.
struct ProfileFieldRow {
    QLineEdit* value = nullptr;
    QComboBox* ds_combo = nullptr;
    QComboBox* ser_col_cb = nullptr;
    QPushButton* view_btn = nullptr;
};

struct ProfilePhotoRow {
    QLineEdit* image_path_val = nullptr;
    QLabel* user_picture = nullptr;
    QLabel* invalid_source_label = nullptr;
    QPushButton* camera_btn = nullptr;
    QPushButton* browse_pic_btn = nullptr;
    QPushButton* clear_pic_btn = nullptr;
    // Holds the photo controls; a locked photo disables all of it.
    QWidget* photo_box = nullptr;
};

struct ProfileSheetRow {
    QLineEdit* excel_path_field = nullptr;
    QPushButton* excel_browse_btn = nullptr;
    QPushButton* view_excel_btn = nullptr;
    QPushButton* batch_series_btn = nullptr;
};

// Where the dialog shows the side its Preview made: the picture and the box around it, hidden
// while there is none.
struct ProfilePreviewFrame {
    QWidget* preview_box = nullptr;
    QLabel* preview_picture = nullptr;
};

// Everything attach() takes, rows in the record's field order (User_Profile_Fields(), photo last).
struct ProfileFormControls {
    std::array<ProfileFieldRow, User_Profile_Field_Count> rows;
    ProfilePhotoRow photo;
    ProfileSheetRow sheet;
    ProfilePreviewFrame preview;
};

// What loading a spreadsheet through the form's browse road came to.
enum class SpreadsheetLoad {
    PanelCancelled,  // no file chosen
    InvalidPath,     // the path was refused, its message shown
    NotImported,     // the import window closed without importing
    Imported,        // the data table holds the workbook's sheet now (perhaps no rows)
};

class ProfileForm : public QObject {
    Q_OBJECT
public:
    explicit ProfileForm(ProfileFormHost& host, QObject* parent = nullptr);
    ~ProfileForm() override;

    // Takes the dialog's controls and connects the combos and buttons to the rules below.
    void attach(const ProfileFormControls& controls);
    const ProfileFormControls& controls() const { return m_controls; }
    const ProfileFieldRow& row(int field) const { return m_controls.rows.at(size_t(field)); }
    ProfileFormHost& host() const { return m_host; }

    // The caption global of a field ("Name :" ...); the photo's is Title_image.
    static QString fieldCaption(int field);

    // --- Sources and columns --------------------------------------------------------------
    // Selects the item in the field's source or column combo from code; its rule runs exactly once,
    // as for the user's choice, even when the item was already shown. -1 clears the choice.
    void selectSource(int field, int index);
    void selectColumn(int field, int index);
    // The source combo's index, -1 for none (a spreadsheet source whose item went with its rows).
    int sourceIndex(int field) const;
    int columnIndex(int field) const;
    // The rule of a source choice: typed makes the value box editable and empties the column
    // combo; a series or "Excel" makes it read-only and lists the series or the table's column
    // titles. The value box keeps its text. The photo's camera, file and clear buttons go with
    // the typed source.
    void Source_Chosen(int field);
    // The rule of a column choice: the value box shows a sample (a series' first line, " " for an
    // empty one; a column's cell in the record the card shows, " " when empty); the photo shows
    // that record's picture.
    void Column_Chosen(int field);

    // --- The spreadsheet item and the data table --------------------------------------------
    // Rows of the loaded data table (also refreshes Excel_table_rows).
    static int Calculate_Excel_table_rows();
    // "Excel" into each source combo of two items, then each combo showing it lists the table's
    // columns afresh, its column choice dropped.
    void Add_Excel_in_Data_Source_Combo();
    // "Excel" out of each source combo of three items; a combo that showed it shows no source.
    void Remove_Excel_in_Data_Source_Combo();
    // Adds or removes "Excel" by the table's rows, with the data-table button enabled only with rows.
    void Sync_Excel_Item_With_Table();
    // The spreadsheet state into the design: with rows, Excel_Source_Path becomes the path box's
    // text, unless the box names the workbook the records are kept in, and Excel_Binding_Use
    // true; without, Excel_Binding_Use false and the path is kept.
    void Record_Spreadsheet_State() const;
    // The open panel (xlsx), the path check and the import window in mode "E"; the chosen path in
    // *path. Nothing changes but the data table, and that only on Imported.
    SpreadsheetLoad Load_Spreadsheet_File(QString* path);
    // The data table window, or "There is no excel data to view." when it has no rows.
    void View_Excel_Btn_Clicked();
    // By the field's source: the series viewer on the chosen series ("Please select the series."
    // without one), the data table window, or nothing.
    void View_Data_Series_By_Name(int field);
    // The series manager, then each series-bound field lists the series again with its choice
    // kept, and shows its first value afresh.
    void Batch_Series_Btn_Clicked();

    // --- The photo ----------------------------------------------------------------------------
    // Trims the path into the path box and shows its picture; an empty path or no file there
    // clears the picture and shows the invalid-source note. The path box keeps the path either way.
    void Set_User_Image(const QString& path);
    void Camera_Btn_Clicked();
    void Browse_image_Btn_Clicked();
    void Clear_image_Btn_Clicked();

    // --- The preview ---------------------------------------------------------------------------
    // Shows the previewed side, fitted, beside the form; a null picture empties and hides the frame.
    void Create_and_Set_Preview_picture(const QImage& side);
    const QImage& previewPicture() const { return m_preview; }

    // --- Checking and writing -----------------------------------------------------------------
    // True when every field whose source is a series or "Excel" has one chosen. Otherwise
    // checked_field_name holds the first failing field's caption (photo last). Fails closed: an
    // error inside is logged and answers false.
    bool Check_Validation();
    QString checked_field_name;
    // "Please select the 'Series / Excel Column'" for the failing field: " for 'Name'" from
    // "Name :" (every " :" removed), nothing added for a blank caption.
    QString validationMessage() const;
    // Check_Validation, showing validationMessage() when it fails.
    bool Check_And_Tell();
    // The five binding fields of a field from its source and column combos (typed: none; series:
    // its name and position; "Excel": the column); no source leaves them as they were.
    void Write_Field_Source(int field, User_Profile_Class& record) const;
    // The value box's text, untrimmed ("" for the photo, whose value is the path box).
    QString fieldValue(int field) const;
    // A field taken off a record's side: no value, typed, and for the photo not used.
    static void Clear_Field_Of_Record(int field, User_Profile_Class& record);

    // Empties the form's controls of every field to the typed source with no column chosen, no
    // photo and no preview; captions and side choices are the dialogs' own.
    void Reset_Rows();

protected:
    // Steps a dialog adds to the rules: after a typed source was chosen (the side dialog's lock
    // guard), and after a text field's column was chosen (the side dialog ticks the value box).
    virtual void Manual_Source_Chosen(int field);
    virtual void Text_Column_Chosen(int field);
    // Whether a field lacks the series or column its source needs.
    virtual bool Field_Lacks_Choice(int field) const;

private:
    void connectRow(int field);
    void fillColumnCombo(int field);

    ProfileFormHost& m_host;
    ProfileFormControls m_controls;
    QImage m_preview;
};
