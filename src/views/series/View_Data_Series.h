#pragma once
// The series viewer: the values of one series as the manager reads them, in a one-column table
// with their count. It only shows; nothing is chosen or returned. One instance for the run.
#include <QDialog>
#include <QString>
#include <memory>

class SeriesValueModel;
namespace Ui {
class View_Data_Series;
}

class View_Data_Series {
public:
    explicit View_Data_Series(QWidget* parent = nullptr);
    ~View_Data_Series();
    View_Data_Series(const View_Data_Series&) = delete;
    View_Data_Series& operator=(const View_Data_Series&) = delete;

    static View_Data_Series& defaultInstance();

    // The series to show, set before Open_Wnd.
    QString file_name;

    QDialog& window() const { return *m_window; }
    Ui::View_Data_Series& ui() const { return *m_ui; }
    SeriesValueModel& ListData() const { return *m_values; }

    // Shows file_name's values and runs the window modally. A missing or unreadable series shows
    // an empty table (an unreadable one is logged).
    void Open_Wnd();
    // Reads the series into the table, from empty.
    void Load_file_Func(const QString& name);
    void Create_Avail_List(const QString& value);
    void Update_batch_List_Count();
    void OK_Btn_Clicked();

private:
    std::unique_ptr<QDialog> m_window;
    std::unique_ptr<Ui::View_Data_Series> m_ui;
    SeriesValueModel* m_values;
};

// Shows a series in the shared viewer.
void Open_Series_Viewer(const QString& name);

// What the viewer buttons say without a series chosen.
inline const QString kSelectSeriesMessage = QStringLiteral("Please select the series.");
// The viewer on the series chosen in a list; a choice that names none (empty once trimmed, or the
// list's "<--Select-->") says kSelectSeriesMessage instead.
void Open_Chosen_Series_Viewer(const QString& chosen);
