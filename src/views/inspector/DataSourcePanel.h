#pragma once
// The data-source page of texts and pictures: where their value comes from (typed, a series or a
// column of the loaded spreadsheet), the states of the controls that go with each source, and the
// binding it writes into the selected elements, showing the first value.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "model/SKTGraphic.h"
#include "platform/MessageBoxes.h"
#include "views/inspector/CroppedPictureBinding.h"
#include "views/series/View_Data_Series.h"

class InspectorView;
class InspectorWindow;
class QComboBox;

namespace Ui {
class DataSourcePage;
}

// What the series list may show in place of a choice; it stands for none.
inline const QString kSeriesPlaceholder = QStringLiteral("<--Select-->");
inline const QString kDataSourceHelpTitle = QStringLiteral("Batch Processing Settings Help :");
inline const QString kDataSourceHelpText =
    QStringLiteral("Select Data Source as 'Manual' to enter value manually.\n"
                   "Select 'Series' to fetch the value from the list of existing Batch Processing Series.\n"
                   "Select 'Excel' to fetch the value from the selected excel file.");

class DataSourcePanel : public QObject, public CroppedPictureBinding {
    Q_OBJECT
public:
    DataSourcePanel(InspectorView& view, InspectorWindow& window, QObject* parent = nullptr);
    ~DataSourcePanel() override;

    Ui::DataSourcePage& page() const { return *ui; }

    // What the text and picture pages do after a binding changed their elements: the text page
    // shows the focused element's new text and runs its writer; the picture page shows the new
    // path and runs its writer with a render; each redraws once and takes one undo snapshot.
    // The inspector hands over all three as it makes the pages, before any binding.
    void setTextBound(std::function<void(SKTGraphic&)> bound) { m_textBound = std::move(bound); }
    void setPictureBound(std::function<void(const QString&)> bound) { m_pictureBound = std::move(bound); }
    // The picture page's check that one picture at most is selected (with its message for the
    // word "Select"); true when the binding may go on.
    void setOnePictureCheck(std::function<bool()> check) { m_onePicture = std::move(check); }

    // The data-source block of a text's or picture's load: the source and the chosen value, with
    // the dependent controls set for the source.
    void loadDataSourceBlock(SKTGraphic& graphic);
    // A signature's shorter block: the source and a series chosen by name.
    void loadSignatureSource(SKTGraphic& graphic);

    // The routing of the two data-source combos.
    void Data_source_type_Changed();
    void Batch_Series_Changed();
    // Binds the selection: type 0 typed, 1 series (name and its index in the list), 2 column
    // (index); index -1 while no value is chosen yet. A series that cannot be read is reported
    // and nothing changes.
    void Change_Data_Source_To_selected_Control(int type, const QString& ser_name, int ser_col_index);
    // The series viewer on the chosen series, or the loaded data table's viewer for a column.
    void View_batch_Series_Button();
    // What the three sources mean, in the shared help box.
    void Data_Source_Help_Button();
    // The series list again, after series were made, renamed or deleted, keeping the choice.
    void Refresh_All_Series_Combobox();

    // The source combo offers "Excel" exactly while the design uses the spreadsheet; the change
    // binds nothing.
    void Sync_Excel_Item();
    // After a spreadsheet was loaded again: a column source lists the new sheet's columns.
    void Refresh_Column_Source();

    // What a crop of a series- or column-bound picture finds here once the cropping tool wrote
    // its series or table column: the page shows that source chosen, quietly.
    int showSeriesChoosing(const QString& seriesName) override;
    QString Get_First_Value_Of_Dataset(const QString& seriesName) const override;
    int Calculate_Excel_table_rows() override;
    QString Get_Excel_Column_Name_Of_Index(int column) const override;
    void showColumnsChoosing(int column) override;
    QString Get_First_Value_Of_Excel_Binding(int column) const override;

    // The spreadsheet entry "Excel" of a data-source combo: added to one of two entries, removed
    // from one of three.
    static void Add_Excel_Col_Name_In_Combo(QComboBox& combo);
    static void Remove_Excel_Col_Name_In_Combo(QComboBox& combo);

private:
    enum class Source { Manual, Series, Column };
    Source chosenSource() const;
    // The editor, browse, date and template controls, the series combo and its button for a
    // source; the series combo's entries are set apart.
    void showSourceState(Source source);
    // Refills the series combo with the series names; false, with the message unless quiet,
    // when there is none.
    bool fillSeries(bool quiet);
    void fillColumns();

    InspectorView& m_view;
    InspectorWindow& m_window;
    std::unique_ptr<Ui::DataSourcePage> ui;
    std::function<void(SKTGraphic&)> m_textBound;
    std::function<void(const QString&)> m_pictureBound;
    std::function<bool()> m_onePicture;
};

// The index of a series name among the names, compared without regard to case; -1 when absent
// or empty.
int Get_Data_SetIndex_According_Name(const QStringList& names, const QString& name);
