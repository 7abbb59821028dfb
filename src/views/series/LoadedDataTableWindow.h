#pragma once
// The loaded data table's viewer: its rows under its columns, with the row count and the column
// count (the row-number column included, group mode's manual-photo columns not). It only shows.
#include <memory>

class DataRowsModel;
class DataRowsView;
class QWidget;

class LoadedDataTableWindow {
public:
    explicit LoadedDataTableWindow(QWidget* parent = nullptr);
    ~LoadedDataTableWindow();

    static LoadedDataTableWindow& defaultInstance();

    DataRowsView& view() const { return *m_view; }
    DataRowsModel& model() const { return *m_model; }

    // Shows the table as it now is and runs the window modally: 1 after OK, 0 when closed.
    int Open_Wnd();
    // Takes the table's columns and rows and sets the counts.
    void reload();
    void OK_Click();

private:
    std::unique_ptr<DataRowsView> m_view;
    DataRowsModel* m_model;
};
