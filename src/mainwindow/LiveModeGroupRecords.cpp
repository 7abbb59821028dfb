#include "mainwindow/LiveModePanels.h"

#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>

#include "data/Data_From_Excel.h"
#include "data/GroupRecords.h"
#include "data/SpreadsheetWriter.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/WindowDesignFile.h"
#include "model/SKTGraphic.h"
#include "platform/AppContext.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/InspectorLists.h"
#include "views/inspector/PropertyInspector.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/visitors/Profile_Side_Panel.h"

// The group project's records: the loaded data table edited row by row through the panels.

QMap<int, QString> LiveModePanels::panelValues(int side) const
{
    QMap<int, QString> values;
    const Profile_Side_Panel& shown = panel(side);
    for (const QString& id : textFieldIds()) {
        const int column = excel_cb_value[bindingSlot(id, side)];
        if (column >= 1)
            values.insert(column, shown.textBox(id)->text());
    }
    const int photoColumn = excel_cb_value[bindingSlot(kPhotoFieldId, side)];
    if (photoColumn >= 1)
        values.insert(photoColumn, shown.photoPath());
    for (const DynamicControl& row : side == 1 ? dynamic_ctrl_list_back : dynamic_ctrl_list_front) {
        if (row.column < 1)
            continue;
        if (const QLineEdit* box = shown.textBox(row.controlId))
            values.insert(row.column, box->text());
    }
    return values;
}

bool LiveModePanels::Set_GP_mode_Value_From_Excel(const QString& side, int row)
{
    const Data_From_Excel& table = Loaded_Data_Table();
    if (row < 0 || row >= table.rowCount()) {
        Show_NSLog_Message(kNoSuchRecordMessage.arg(row + 1).arg(table.rowCount()));
        return false;
    }
    // Another record on the card is no edit of the project: a saved one stays saved.
    m_controller.designSession().showWithoutChange([&] { showRowOnSide(side == QLatin1String("B") ? 1 : 0, row); });
    return true;
}

void LiveModePanels::showRowOnSide(int panelSide, int row)
{
    const Data_From_Excel& table = Loaded_Data_Table();
    Profile_Side_Panel& shown = panel(panelSide);
    SKTGraphicView& canvas = view(panelSide);
    for (const QString& id : textFieldIds()) {
        const int column = excel_cb_value[bindingSlot(id, panelSide)];
        if (column < 1)
            continue;
        const QString value = table.objectValue(Column_Key_For_Index(column), row);
        shown.textBox(id)->setText(value);
        if (const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(id))
            element->Set_text_value(value);
    }
    const int photoColumn = excel_cb_value[bindingSlot(kPhotoFieldId, panelSide)];
    if (photoColumn >= 1)
        setPhoto(panelSide, table.objectValue(Column_Key_For_Index(photoColumn), row));
    for (const DynamicControl& dynamic : panelSide == 1 ? dynamic_ctrl_list_back : dynamic_ctrl_list_front) {
        if (dynamic.column < 1)
            continue;
        const QString value = table.objectValue(Column_Key_For_Index(dynamic.column), row);
        if (QLineEdit* box = shown.textBox(dynamic.controlId))
            box->setText(value);
        if (const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(dynamic.controlId); element && element->kind() == GraphicKind::Text)
            element->Set_text_value(value);
    }
    canvas.update();
}

void LiveModePanels::showRow(int row)
{
    Set_GP_mode_Value_From_Excel(sideInForce() == 1 ? QStringLiteral("B") : QStringLiteral("F"), row);
}

void LiveModePanels::Select_Excel_First_Row()
{
    showRow(0);
    m_controller.inspector().sizePanel().Mark_Group_List_New_Selection(0);
    m_controller.selectArrowTool();
}

int LiveModePanels::selectedRow() const
{
    const QItemSelectionModel* selection = m_controller.inspector().sizePanel().GroupList().selectionModel();
    const QModelIndexList rows = selection ? selection->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? 0 : rows.first().row();
}

QString LiveModePanels::projectWorkbookPath(const QString& projectPath)
{
    const QFileInfo design(projectPath);
    return design.dir().filePath(design.completeBaseName() + QStringLiteral(".xlsx"));
}

void LiveModePanels::writeProjectWorkbook() const
{
    if (Project_File_Name.isEmpty())
        return;
    const QString workbook = projectWorkbookPath(Project_File_Name);
    // Without its folder the project's own save fails too, and says so once.
    if (!QFileInfo(workbook).dir().exists())
        return;
    if (!SpreadsheetWriter::WriteWorkbook(workbook, GroupRecords::workbookRows(Loaded_Data_Table()), true))
        Show_MessageBox(kWorkbookNotWrittenMessage.arg(workbook));
}

void LiveModePanels::Save_Group_Mode_List_Details_In_XL_Data_List()
{
    Data_From_Excel& table = Loaded_Data_Table();
    if (table.rowCount() == 0)
        return;
    const int row = selectedRow();
    const std::optional<DataRow> values = GroupRecords::Get_Array_For_Excel_List(
        table, table.ColList.count(), row, GroupRecords::RowMode::Save, panelValues(sideInForce()));
    if (!values || !GroupRecords::replaceRow(table, row, *values))
        return;
    Create_Group_List_By_Excel_List();
    m_controller.inspector().sizePanel().Mark_Group_List_New_Selection(row);
}

void LiveModePanels::Create_Group_List_By_Excel_List()
{
    const Data_From_Excel& table = Loaded_Data_Table();
    GroupListData& groups = m_controller.inspector().sizePanel().groupList();
    groups.clear();
    for (int row = 0; row < table.rowCount(); ++row)
        groups.Create_Group_List(GroupRecords::groupListText(table, row));
    Excel_table_rows = table.rowCount();
}

void LiveModePanels::Set_Group_Mode_List_Setting_After_Loading(const QString& projectPath, const QString& a_or_u)
{
    Q_UNUSED(a_or_u);
    if (Trim_Str(projectPath).isEmpty())
        return;
    Create_Group_List_By_Excel_List();
    const QStringList titles = Loaded_Data_Table().ColList.titles().mid(1);
    Excel_Binding_Use = true;
    for (int side : {0, 1}) {
        panel(side).setColumnTitles(titles);
        for (const QString& id : boundFieldIds())
            panel(side).setChosenColumn(id, excel_cb_value[bindingSlot(id, side)]);
    }
    m_controller.inspector().sizePanel().Mark_Group_List_New_Selection(0);
}

bool LiveModePanels::saveProject()
{
    // The design writer puts the panel's values into the selected row and writes the workbook.
    const bool saved = !Project_File_Name.isEmpty()
        && WindowDesignFile(m_controller).file().Save_project_file(Project_File_Name, false, QStringLiteral("L"));
    if (saved)
        m_controller.designSession().saved();
    else
        Show_MessageBox(kDesignNotSavedMessage);
    return saved;
}

void LiveModePanels::Add_In_Excel_Details_Btn_Clicked()
{
    Data_From_Excel& table = Loaded_Data_Table();
    const std::optional<DataRow> values = GroupRecords::Get_Array_For_Excel_List(
        table, table.ColList.count(), 0, GroupRecords::RowMode::Add, panelValues(sideInForce()));
    GroupRecords::appendRow(table, *values);
    Create_Group_List_By_Excel_List();
    m_controller.inspector().sizePanel().Mark_Group_List_New_Selection(table.rowCount() - 1);
    if (saveProject())
        Show_MessageBox(kRecordAddedMessage);
}

void LiveModePanels::Delete_In_Excel_Details_Btn_Clicked()
{
    Data_From_Excel& table = Loaded_Data_Table();
    if (table.rowCount() <= 1) {
        Show_MessageBox(kLastRecordMessage);
        return;
    }
    if (Show_YES_NO_MessageBox(kDeleteRecordQuestion) != 1)
        return;
    const int row = selectedRow();
    if (GroupRecords::deleteRow(table, row) != GroupRecords::DeleteResult::Deleted)
        return;
    Create_Group_List_By_Excel_List();
    const int shown = std::min(row, table.rowCount() - 1);
    m_controller.inspector().sizePanel().Mark_Group_List_New_Selection(shown);
    showRow(shown);
    if (saveProject())
        Show_MessageBox(kRecordDeletedMessage);
}

void LiveModePanels::View_Excel_Btn_Clicked()
{
    if (Loaded_Data_Table().rowCount() == 0) {
        Show_MessageBox(QStringLiteral("There is no excel data to view."));
        return;
    }
    LoadedDataTableWindow::defaultInstance().Open_Wnd();
}

