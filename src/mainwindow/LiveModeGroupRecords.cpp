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
#include "data/SeriesStore.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/WindowDesignFile.h"
#include "mainwindow/SnapshotUndo.h"
#include "model/SKTGraphic.h"
#include "output/RecordRun.h"
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

QMap<int, QString> LiveModePanels::panelValues(int side, int row) const
{
    QMap<int, QString> values;
    const Data_From_Excel& table = Loaded_Data_Table();
    // Two fields a project binds to one column: the one typed into is the column's value.
    const auto put = [&](int column, const QString& value) {
        const bool typed = row >= 0 && values.contains(column)
                           && values.value(column) != table.objectValue(Column_Key_For_Index(column), row);
        if (!typed)
            values.insert(column, value);
    };
    const Profile_Side_Panel& shown = panel(side);
    for (const QString& id : textFieldIds()) {
        const int column = excel_cb_value[bindingSlot(id, side)];
        if (column >= 1)
            put(column, shown.textBox(id)->text());
    }
    const int photoColumn = photoColumnOf(side);
    // A photo taken off the card leaves the record's own cell as it is, as a deleted field does.
    if (photoColumn >= 1 && view(side).Selcect_Ctrl_With_ID(kPhotoFieldId))
        put(photoColumn, shown.photoPath());
    for (const DynamicControl& dynamic : dynamicControls(side)) {
        if (dynamic.column < 1)
            continue;
        if (const QLineEdit* box = shown.textBox(dynamic.controlId))
            put(dynamic.column, box->text());
        else if (const GraphicPtr picture = view(side).Selcect_Ctrl_With_ID(dynamic.controlId);
                 picture && picture->kind() == GraphicKind::Image)
            put(dynamic.column, picture->_file_path);  // the picture its row chose, as its card shows it
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
    // Another record on the card is no edit of the project: a saved one stays saved, and no undo
    // step brings back the record shown before.
    const int panelSide = side == QLatin1String("B") ? 1 : 0;
    m_controller.designSession().showWithoutChange([&] {
        m_controller.canvasHostOfWindow().snapshotUndo().showRecordWithoutEdit(panelSide,
                                                                              [&] { showRowOnSide(panelSide, row); });
    });
    return true;
}

void LiveModePanels::putRecordOnBoundElements(int side, int row)
{
    // Bound as export, print and mail bind the record, so the card shows what they put out.
    const SeriesStore store;
    RecordRun run(m_controller.document(), store, Loaded_Data_Table(), CARD_SIDE_STR == QLatin1String("2"));
    const QString refusal = run.Assign_Batch_Values_To_Control(view(side).graphics(), row);
    if (!refusal.isEmpty())
        Show_NSLog_Message(QStringLiteral("Record %1 on the card: %2").arg(row + 1).arg(refusal));
}

int LiveModePanels::boundColumnOf(int side, const QString& ctrlId) const
{
    const GraphicPtr element = view(side).Selcect_Ctrl_With_ID(ctrlId);
    if (!element)
        return -1;
    return element->data_source_type == 2 && element->excel_col_indx >= 1 ? element->excel_col_indx : -1;
}

void LiveModePanels::followBindingsOfElements(int side)
{
    for (const QString& id : textFieldIds()) {
        const bool here = view(side).Selcect_Ctrl_With_ID(id) != nullptr;
        const int column = here ? boundColumnOf(side, id) : boundColumnOf(1 - side, id);
        excel_cb_value[bindingSlot(id, side)] = column;
        for (Profile_Side_Panel* shown : m_panels)
            shown->setChosenColumn(id, column);
        if (here)
            sideFollowsColumn(1 - side, id, column);
    }
    // A photo showing the photos set by hand has no column of the user's.
    int photoColumn = boundColumnOf(side, kPhotoFieldId);
    if (GroupRecords::isManualPhotoColumn(Loaded_Data_Table().ColList, photoColumn))
        photoColumn = -1;
    excel_cb_value[bindingSlot(kPhotoFieldId, side)] = photoColumn;
    panel(side).setChosenColumn(kPhotoFieldId, photoColumn);
    for (DynamicControl& dynamic : dynamicControls(side))
        dynamic.column = boundColumnOf(side, dynamic.controlId);
}

void LiveModePanels::Design_Copied_To_Side(int side, int chosenRow)
{
    if (!isVisitorOrGroupMode())
        return;
    // The copy read the design back as an Open does, and the panels follow both cards as they do
    // after an Open: the side copied onto shows its fields ticked with its card's values and its
    // added rows; a visitor's typing stays (the same visitor).
    dynamic_ctrl_list_front = Dynamic_Controls_Of_Side(view(0).graphics());
    dynamic_ctrl_list_back = Dynamic_Controls_Of_Side(view(1).graphics());
    After_Design_Load();
    const int photoColumn = excel_cb_value[bindingSlot(kPhotoFieldId, 1 - side)];
    excel_cb_value[bindingSlot(kPhotoFieldId, side)] = photoColumn;
    panel(side).setChosenColumn(kPhotoFieldId, photoColumn);
    if (Start_Card_Option == QLatin1String("V")) {
        // The card holder's photo where the side has one; a picture field added in the panel or a
        // logo is no one's photo, so a side without the holder's photo shows none.
        const GraphicList& copied = view(side).graphics();
        const auto photo = std::find_if(copied.begin(), copied.end(), [](const GraphicPtr& element) {
            return element && element->kind() == GraphicKind::Image && element->control_ID.trimmed() == kPhotoFieldId;
        });
        if (photo == copied.end())
            panel(side).Set_User_Image_Control(QString(), QImage(), QString());
        else
            panel(side).Set_User_Image_Control((*photo)->_file_path, (*photo)->_contents, (*photo)->control_ID);
    }
    if (Start_Card_Option != QLatin1String("G"))
        return;
    Set_Group_Mode_List_Setting_After_Loading(Project_File_Name, QStringLiteral("A"));
    if (chosenRow > 0)
        markChosenRow(chosenRow);
}

void LiveModePanels::Show_Chosen_Record_After_Rebuild(int side)
{
    if (Start_Card_Option == QLatin1String("V")) {
        putKeptTypingBack(side);
        sidesShowVisitorAfterRebuild(side);
    }
    if (Start_Card_Option != QLatin1String("G"))
        return;
    followBindingsOfElements(side);
    const int row = selectedRow();
    if (row < Loaded_Data_Table().rowCount())
        Set_GP_mode_Value_From_Excel(side == 1 ? QStringLiteral("B") : QStringLiteral("F"), row);
}

void LiveModePanels::showRowOnSide(int panelSide, int row)
{
    m_shownRow = row;
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
    const int photoColumn = photoColumnOf(panelSide);
    if (photoColumn >= 1)
        setPhoto(panelSide, table.objectValue(Column_Key_For_Index(photoColumn), row));
    for (const DynamicControl& dynamic : dynamicControls(panelSide)) {
        if (dynamic.column < 1)
            continue;
        const QString value = table.objectValue(Column_Key_For_Index(dynamic.column), row);
        if (QLineEdit* box = shown.textBox(dynamic.controlId))
            box->setText(value);
        if (const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(dynamic.controlId); element && element->kind() == GraphicKind::Text)
            element->Set_text_value(value);
    }
    putRecordOnBoundElements(panelSide, row);
    // A bound picture field's row shows the record's picture its element took.
    for (const DynamicControl& dynamic : dynamicControls(panelSide)) {
        const GraphicPtr element = dynamic.column >= 1 ? canvas.Selcect_Ctrl_With_ID(dynamic.controlId) : nullptr;
        if (element && element->kind() == GraphicKind::Image)
            showPictureOfElement(panelSide, element->_file_path, element->_contents, dynamic.controlId);
    }
    canvas.update();
}

void LiveModePanels::showRow(int row)
{
    Set_GP_mode_Value_From_Excel(sideInForce() == 1 ? QStringLiteral("B") : QStringLiteral("F"), row);
}

void LiveModePanels::Assign_value_to_card_in_group_mode_list_selection()
{
    if (Start_Card_Option != QLatin1String("G"))
        return;
    const int row = selectedRow();
    if (row < Loaded_Data_Table().rowCount())
        Set_GP_mode_Value_From_Excel(sideInForce() == 1 ? QStringLiteral("B") : QStringLiteral("F"), row);
}

void LiveModePanels::Select_Excel_First_Row()
{
    // The selection puts the record on the card.
    markChosenRow(0);
    m_controller.selectArrowTool();
}

int LiveModePanels::recordShown() const
{
    // While another row is being chosen, the one whose values the panel holds.
    return m_shownRow >= 0 && m_shownRow < Loaded_Data_Table().rowCount() ? m_shownRow : selectedRow();
}

int LiveModePanels::recordOnCard() const
{
    return Start_Card_Option == QLatin1String("G") ? recordShown() : 0;
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
    // The sheet keeps the user's name: the project workbook's own, or at first its source's.
    const QString sheetName =
        SpreadsheetWriter::firstSheetName(QFileInfo::exists(workbook) ? workbook : Excel_Source_Path);
    if (!SpreadsheetWriter::WriteWorkbook(workbook, GroupRecords::workbookRows(Loaded_Data_Table()), true, sheetName))
        Show_MessageBox(kWorkbookNotWrittenMessage.arg(workbook));
}

void LiveModePanels::Save_Group_Mode_List_Details_In_XL_Data_List()
{
    Data_From_Excel& table = Loaded_Data_Table();
    if (table.rowCount() == 0)
        return;
    const int row = recordShown();
    const std::optional<DataRow> values = GroupRecords::Get_Array_For_Excel_List(
        table, table.ColList.count(), row, GroupRecords::RowMode::Save, panelValues(sideInForce(), row));
    if (!values || !GroupRecords::replaceRow(table, row, *values))
        return;
    Create_Group_List_By_Excel_List();
    markChosenRow(row);
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
    GroupRecords::forgetNoPicturePaths(Loaded_Data_Table());
    const DataColumnList& columns = Loaded_Data_Table().ColList;
    const GroupRecords::ManualPhotoColumns manual = GroupRecords::manualPhotoColumns(columns);
    Excel_Binding_Use = true;
    for (int side : {0, 1}) {
        panel(side).setColumnTitles(columns.titles().mid(1), {manual.front, manual.back});
        for (const QString& id : boundFieldIds())
            panel(side).setChosenColumn(id, excel_cb_value[bindingSlot(id, side)]);
        for (const DynamicControl& dynamic : dynamicControls(side))
            panel(side).setChosenColumn(dynamic.controlId, dynamic.column);
    }
    markChosenRow(0);
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
    markChosenRow(table.rowCount() - 1);
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
    markChosenRow(std::min(row, table.rowCount() - 1));
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

