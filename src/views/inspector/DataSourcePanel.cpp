#include "views/inspector/DataSourcePanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <exception>

#include "data/Data_From_Excel.h"
#include "data/SeriesFiles.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/dialogs/Long_SMS_Dlg.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/View_Data_Series.h"
#include "ui_DataSourcePage.h"

namespace {

const QString kNoSeriesMessage = QStringLiteral("Please create batch processing series first.");
const QString kSpreadsheetItem = QStringLiteral("Excel");

// The value a new binding shows until a record is chosen, or why it cannot be had.
struct Preview {
    QString value;
    QString failure;
};

Preview previewOf(int type, const QString& ser_name, int ser_col_index)
{
    if (ser_col_index < 0)
        return {};
    if (type == 1) {
        const SeriesFirstValue first = readFirstSeriesValue(ser_name);
        return {first.value, first.failure};
    }
    if (type == 2)
        return {Get_First_Value_Of_Excel_Binding(ser_col_index).value_or(QString()), QString()};
    return {};
}

void bind(SKTGraphic& graphic, int type, const QString& ser_name, int ser_col_index)
{
    graphic.Set_Data_source_type(type);
    if (type == 1) {
        graphic.Set_Batch_List_Name(ser_name);
        graphic.Set_Batch_List_Index(ser_col_index);
    } else if (type == 2) {
        graphic.Set_Excel_binding_Index(ser_col_index);
    }
}

}  // namespace

int Get_Data_SetIndex_According_Name(const QStringList& names, const QString& name)
{
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

DataSourcePanel::DataSourcePanel(InspectorView& view, InspectorWindow& window, QObject* parent)
    : QObject(parent), m_view(view), m_window(window), ui(std::make_unique<Ui::DataSourcePage>())
{
    ui->setupUi(m_view.page(QStringLiteral("datasource_tab")));
    // Code changes these combos quietly, so a change notice is always the user's choice.
    connect(ui->Data_source_type, &QComboBox::currentIndexChanged, this, &DataSourcePanel::Data_source_type_Changed);
    connect(ui->Batch_Series, &QComboBox::currentIndexChanged, this, &DataSourcePanel::Batch_Series_Changed);
    connect(ui->view_series_btn, &QPushButton::clicked, this, &DataSourcePanel::View_batch_Series_Button);
    connect(ui->Data_Source_Help_Button, &QToolButton::clicked, this, &DataSourcePanel::Data_Source_Help_Button);
}

DataSourcePanel::~DataSourcePanel() = default;

DataSourcePanel::Source DataSourcePanel::chosenSource() const
{
    const QString chosen = ui->Data_source_type->currentText();
    if (chosen == QLatin1String("Manual"))
        return Source::Manual;
    return chosen == QLatin1String("Series") ? Source::Series : Source::Column;
}

void DataSourcePanel::showSourceState(Source source)
{
    const bool manual = source == Source::Manual;
    ui->view_series_btn->setEnabled(!manual);
    ui->Batch_Series->setEnabled(!manual);
    // The value editor and the picture, date and template buttons sit on the text and picture
    // pages.
    if (QWidget* editor = m_view.findChild<QWidget*>(QStringLiteral("Text_value_Edit")))
        editor->setProperty("readOnly", !manual);
    for (const char* name : {"insert_template_btn", "manual_brws_box", "Text_Date_Time_Box"}) {
        if (QWidget* control = m_view.findChild<QWidget*>(QString::fromLatin1(name)))
            control->setEnabled(manual);
    }
}

bool DataSourcePanel::fillSeries(bool quiet)
{
    const QStringList names = Get_datasheet_File_Name_Array();
    fillComboQuietly(*ui->Batch_Series, names);
    if (names.isEmpty() && !quiet)
        Show_MessageBox(kNoSeriesMessage);
    return !names.isEmpty();
}

void DataSourcePanel::fillColumns()
{
    fillComboQuietly(*ui->Batch_Series, Loaded_Data_Table().ColList.titles());
}

void DataSourcePanel::Data_source_type_Changed()
{
    const Source source = chosenSource();
    showSourceState(source);
    if (isVisitorOrGroupMode()) {
        // The side panels bind their fields themselves; only the controls follow here.
        if (source == Source::Series)
            fillSeries(false);
        else if (source == Source::Column)
            fillColumns();
        return;
    }
    if (source == Source::Manual) {
        fillComboQuietly(*ui->Batch_Series, {});
    } else if (source == Source::Series) {
        if (!fillSeries(Not_Draw_Only_Prop_Change))
            return;
        const GraphicPtr selected = m_window.Get_Selected_Graphic();
        if (selected) {
            const int known = Get_Data_SetIndex_According_Name(Get_datasheet_File_Name_Array(), selected->batch_list_name);
            if (known >= 0 && known < ui->Batch_Series->count())
                selectComboIndex(*ui->Batch_Series, known);
        }
    } else {
        fillColumns();
    }
    Change_Data_Source_To_selected_Control(ui->Data_source_type->currentIndex(), QString(), -1);
}

void DataSourcePanel::Batch_Series_Changed()
{
    if (Not_Draw_Only_Prop_Change || isVisitorOrGroupMode() || chosenSource() == Source::Manual)
        return;
    const QString chosen = Trim_Str(ui->Batch_Series->currentText());
    if (chosen.isEmpty() || chosen == kSeriesPlaceholder)
        return;
    Change_Data_Source_To_selected_Control(ui->Data_source_type->currentIndex(), chosen, ui->Batch_Series->currentIndex());
}

void DataSourcePanel::Sync_Excel_Item()
{
    QComboBox& type = *ui->Data_source_type;
    // The spreadsheet is a source while the design is bound to one.
    const QSignalBlocker quiet(type);
    if (Excel_Binding_Use)
        Add_Excel_Col_Name_In_Combo(type);
    else
        Remove_Excel_Col_Name_In_Combo(type);
}

void DataSourcePanel::Refresh_Column_Source()
{
    if (ui->Data_source_type->currentIndex() == 2)
        Data_source_type_Changed();
}

void DataSourcePanel::loadDataSourceBlock(SKTGraphic& graphic)
{
    QComboBox& type = *ui->Data_source_type;
    Sync_Excel_Item();
    selectComboIndex(type, graphic.data_source_type, [this] { Data_source_type_Changed(); });
    QComboBox& series = *ui->Batch_Series;
    if (graphic.data_source_type == 1) {
        QStringList names;
        for (int i = 0; i < series.count(); ++i)
            names.append(series.itemText(i));
        // Found as output finds it, whatever its case.
        selectComboIndex(series, Get_Data_SetIndex_According_Name(names, graphic.batch_list_name));
    } else if (graphic.data_source_type == 2 && graphic.excel_col_indx != -1) {
        selectComboIndex(series, graphic.excel_col_indx < series.count() ? graphic.excel_col_indx : -1);
    }
}

void DataSourcePanel::loadSignatureSource(SKTGraphic& graphic)
{
    selectComboIndex(*ui->Data_source_type, graphic.data_source_type, [this] { Data_source_type_Changed(); });
    if (!graphic.batch_list_name.isEmpty())
        selectComboText(*ui->Batch_Series, graphic.batch_list_name);
}

void DataSourcePanel::Change_Data_Source_To_selected_Control(int type, const QString& ser_name, int ser_col_index)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    const GraphicPtr selected = m_window.Get_Selected_Graphic();
    if (!selected)
        return;
    try {
        const bool picture = selected->kind() == GraphicKind::Image;
        if (picture && !m_onePicture())
            return;
        // The value is read before anything is written, so a series that cannot be read leaves
        // every element as it was.
        const Preview preview = previewOf(type, ser_name, ser_col_index);
        if (!preview.failure.isEmpty()) {
            Show_MessageBox(preview.failure);
            return;
        }
        bool textChanged = false;
        for (const GraphicPtr& graphic : m_window.selectedGraphics()) {
            if (graphic->kind() != GraphicKind::Text || graphic->ctrl_is_locked)
                continue;
            bind(*graphic, type, ser_name, ser_col_index);
            if (ser_col_index >= 0)
                graphic->Set_text_value(preview.value);
            textChanged = true;
        }
        // The one selected picture is bound even when locked: its lock keeps it in place, not
        // off a record run.
        const bool pictureChanged = picture;
        if (pictureChanged) {
            bind(*selected, type, ser_name, ser_col_index);
            if (ser_col_index >= 0)
                static_cast<SKTImage&>(*selected).setFilePath(preview.value, true);
        }
        if (textChanged)
            m_textBound(*selected);
        if (pictureChanged)
            m_pictureBound(selected->FilePath());
    } catch (const std::exception& failure) {
        Show_MessageBox(QString::fromUtf8(failure.what()));
    }
}

void DataSourcePanel::Add_Excel_Col_Name_In_Combo(QComboBox& combo)
{
    if (combo.count() == 2)
        combo.addItem(kSpreadsheetItem);
}

void DataSourcePanel::Remove_Excel_Col_Name_In_Combo(QComboBox& combo)
{
    if (combo.count() == 3)
        combo.removeItem(2);
}

void DataSourcePanel::View_batch_Series_Button()
{
    switch (chosenSource()) {
    case Source::Manual:
        return;
    case Source::Series:
        Open_Chosen_Series_Viewer(ui->Batch_Series->currentText());
        return;
    case Source::Column:
        LoadedDataTableWindow::defaultInstance().Open_Wnd();
        return;
    }
}

int DataSourcePanel::showSeriesChoosing(const QString& seriesName)
{
    selectComboIndex(*ui->Data_source_type, 1);
    showSourceState(Source::Series);
    const QStringList names = Get_datasheet_File_Name_Array();
    const int index = Get_Data_SetIndex_According_Name(names, seriesName);
    fillComboQuietly(*ui->Batch_Series, names, index);
    return index;
}

QString DataSourcePanel::Get_First_Value_Of_Dataset(const QString& seriesName) const
{
    return ::Get_First_Value_Of_Dataset(seriesName);
}

int DataSourcePanel::Calculate_Excel_table_rows()
{
    Excel_table_rows = Loaded_Data_Table().rowCount();
    return Excel_table_rows;
}

QString DataSourcePanel::Get_Excel_Column_Name_Of_Index(int column) const
{
    return Loaded_Data_Table().ColList.titles().value(column);
}

void DataSourcePanel::showColumnsChoosing(int column)
{
    Sync_Excel_Item();
    selectComboIndex(*ui->Data_source_type, 2);
    showSourceState(Source::Column);
    const QStringList titles = Loaded_Data_Table().ColList.titles();
    fillComboQuietly(*ui->Batch_Series, titles, column < titles.size() ? column : -1);
}

QString DataSourcePanel::Get_First_Value_Of_Excel_Binding(int column) const
{
    return ::Get_First_Value_Of_Excel_Binding(column).value_or(QString());
}

void DataSourcePanel::Data_Source_Help_Button()
{
    Open_Help_Box(kDataSourceHelpTitle, kDataSourceHelpText);
}

void DataSourcePanel::Refresh_All_Series_Combobox()
{
    if (chosenSource() != Source::Series)
        return;
    const QString chosen = ui->Batch_Series->currentText();
    const QStringList names = Get_datasheet_File_Name_Array();
    fillComboQuietly(*ui->Batch_Series, names, int(names.indexOf(chosen)));
}
