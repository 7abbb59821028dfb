#pragma once
// The series manager: its first screen lists the series of the data folder (open, new, delete,
// import, generate), its second shows the values of one series (edit, remove, import or generate
// more, export, save under a name). Values live in memory until Save, which writes the series
// through the series store in one replacing write. One instance for the whole run; GUI thread.
#include <QString>
#include <functional>
#include <memory>

#include "views/series/BatchWizardView.h"

class QTableView;
class SeriesValueModel;

inline const QString kAvailableListEmptyMessage = QStringLiteral("Available list is empty.");
inline const QString kSelectAvailableRecordMessage =
    QStringLiteral("Please select a record from the available list to continue.");
inline const QString kFileAccessErrorMessage = QStringLiteral("Error in file accessing.");
inline const QString kDeleteSeriesQuestion = QStringLiteral("Are you sure want to delete selected Batch Processing Series?");
inline const QString kListEmptyMessage = QStringLiteral("List is empty.");
inline const QString kSelectRecordsMessage = QStringLiteral("Please select at least one record from the list to continue.");
inline const QString kSeriesUpdateInUseMessage =
    QStringLiteral("Batch Processing Series can't be update because it is currently in use.");
inline const QString kSeriesCreateInUseMessage =
    QStringLiteral("Batch Processing Series can't be create because it is currently in use.");
inline const QString kReplaceSeriesQuestion =
    QStringLiteral("Batch Processing Series already exists. Do you want to replace it?");
inline const QString kValidSeriesNameMessage = QStringLiteral("Please enter valid series name.");
inline const QString kSelectOneRecordMessage = QStringLiteral("Please select only one record to update.");
inline const QString kRecordExportedMessage = QStringLiteral("Record has been exported successfully.");
inline const QString kApplyToAllTitle = QStringLiteral("Apply to All");
inline const QString kLoadValuesQuestion = QStringLiteral(
    "The list already holds values.\n\nYes: replace them with the new values.\nNo: add the new values after them.");

// "Series is in use\n\n<name>\n\nBatch Processing Series can't be delete because it is currently in use."
QString seriesInUseDeleteMessage(const QString& name);

// Set while a deletion runs once the user ticked "Apply to All" in an in-use alert.
extern int Msg_Apply_All_Chk_for_in_use;

class BatchWizard {
public:
    // Whether a series is bound to an element of the open design; the main window answers.
    using InUseCheck = std::function<bool(const QString& name)>;
    // Opens the series import wizard or the series generator with their two flags
    // (file_name_required, file_name_Insert).
    using SeriesMaker = std::function<void(int file_name_required, int file_name_Insert)>;

    explicit BatchWizard(QWidget* parent = nullptr);
    ~BatchWizard();
    BatchWizard(const BatchWizard&) = delete;
    BatchWizard& operator=(const BatchWizard&) = delete;

    // The one instance, made on first use (BatchWizard_Window).
    static BatchWizard& defaultInstance();

    InUseCheck seriesInUse;      // none: no series is in use
    SeriesMaker importWizard;    // none: says the window is not available yet
    SeriesMaker generator;       // likewise

    BatchWizardView& view() const { return *m_view; }
    SeriesValueModel& ListData() const { return *m_seriesNames; }
    SeriesValueModel& ListData_value() const { return *m_values; }
    // The name of the series opened for editing; "" while a new one is made.
    const QString& update_list_name() const { return m_updateListName; }
    bool secondScreenShown() const;

    // Shows the first screen with the series listed and runs the window modally: 0 once closed.
    int Open_Wnd();
    void Fill_List();
    void Create_Avail_List(const QString& name);
    // Adds a value to the series being edited (trimmed; an empty one is left out).
    void Create_Value_List(const QString& value);
    QString Get_List_Name_Text(int row) const;
    QString Get_Value_Text(int row) const;

    bool Batch_List_Selection_Validation();
    void On_Update();
    void AddNew_Btn_Clicked();
    // Writes the series being edited; true once written.
    bool Save_Btn_Clicked();
    void Delete_List_Btn_Clicked();
    void Delete_Rows_Btn_Clicked();
    void Import_Btn_Clicked();
    void CreateSeries_Btn_Clicked();
    void Import_Value_Btn_Clicked();
    void Series_Value_Btn_Clicked();
    void doubleClickInTable(QTableView& table);
    void OnGetSelected();
    void Export_Value_Btn_Clicked();
    // The path chosen in the save panel, or "" when cancelled.
    QString Export_list_method_2();
    void Back_Btn_Clicked();
    void Close_Btn_Clicked();
    void Help_Btn_Clicked();

    void Show_hide_first_screen(bool hide);
    void Show_hide_Last_screen(bool hide);
    void Update_batch_List_Count();
    void Update_Value_List_Count();
    void Mark_List_New_Selection(int row);
    void Mark_List_New_Selection_Value(int row);

private:
    bool inUse(const QString& name) const;
    // The row the table reports as selected: the current row when selected, else the first
    // selected one; -1 for none.
    static int reportedRow(QTableView& table);
    static QList<int> selectedRows(QTableView& table);
    static void markRow(QTableView& table, int row);
    // Yes/No/Cancel of the load-values question: 1 replace the values, 0 add to them, else stop.
    int Load_Num_Info();
    void openMaker(const SeriesMaker& maker, const QString& window, int required, int insert);
    void valuesIntoEditedSeries(const SeriesMaker& maker, const QString& window);
    // Shows the in-use alert with its "Apply to All" box; true when the box was ticked.
    bool showInUseAlert(const QString& name);

    std::unique_ptr<BatchWizardView> m_view;
    SeriesValueModel* m_seriesNames;
    SeriesValueModel* m_values;
    QString m_updateListName;
};

extern BatchWizard* BatchWizard_Window;
