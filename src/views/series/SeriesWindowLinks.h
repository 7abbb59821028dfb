#pragma once
// What the series-making windows ask of the windows around them. The main window answers whether
// a series is bound to the design; the series manager takes values into the series it edits and
// reloads its list. A link left empty does nothing (no series is in use).
#include <QString>
#include <functional>

struct SeriesWindowLinks {
    std::function<bool(const QString& name)> isInUse;          // Check_Batch_File_In_Use_Validation
    std::function<void(const QString& value)> Create_Value_List;  // the series being edited
    std::function<void()> Fill_List;                           // the manager's series list
    // True (the reason shown) when a chosen path is no usable file or folder.
    std::function<bool(const QString& path)> Check_And_Validate_File_Path;

    bool seriesInUse(const QString& name) const { return isInUse && isInUse(name); }
    void addToEditedSeries(const QString& value) const
    {
        if (Create_Value_List)
            Create_Value_List(value);
    }
    bool pathProblem(const QString& path) const;
    void refreshManager() const
    {
        if (Fill_List)
            Fill_List();
    }
};

// The two flags every caller sets before opening a series-making window: file_name_required 1
// writes a new series file (else the values go to the series being edited), file_name_Insert 1
// has the manager reload its list afterwards.
struct SeriesWindowFlags {
    int file_name_required = 0;
    int file_name_Insert = 0;
};
