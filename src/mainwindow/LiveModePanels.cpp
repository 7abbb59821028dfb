#include "mainwindow/LiveModePanels.h"

#include <algorithm>

#include <QCheckBox>
#include <QDateTime>
#include <QDockWidget>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QScrollArea>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "data/Data_From_Excel.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/SnapshotUndo.h"
#include "mainwindow/VisitorCommands.h"
#include "model/SKTImage.h"
#include "model/drawing/TextLayout.h"
#include "model/profiles/AddedFieldIds.h"
#include "model/profiles/ProfileCaptions.h"
#include "model/profiles/ProfilePlacement.h"
#include "model/profiles/User_Profile_Class.h"
#include "output/RecordRun.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/inspector/PropertyInspector.h"
#include "views/photos/CameraWindow.h"
#include "views/photos/PhotoWindows.h"
#include "views/visitors/Profile_Side_Panel.h"
#include "visitors/VisitorPass.h"

namespace {

constexpr int kFrontPhotoSlot = 10;

bool groupMode()
{
    return Start_Card_Option == QLatin1String("G");
}

// The width of a text's value on one line, as the card lays it out.
double textWidthOf(const SKTGraphic& text)
{
    return TextBoxLayout(text.Text_Value, shownTextFont(text.textStyle), 0, 0).usedWidth();
}

}  // namespace

// The ten text fields of the profile, in the record's order: their binding slots.
QStringList LiveModePanels::textFieldIds()
{
    QStringList ids;
    for (const User_Profile_Field& field : User_Profile_Fields()) {
        if (QLatin1String(field.valueId) != kPhotoFieldId)
            ids.append(QLatin1String(field.valueId));
    }
    return ids;
}

// The fields a column can be chosen for: the text fields, then the photo.
QStringList LiveModePanels::boundFieldIds()
{
    QStringList ids = textFieldIds();
    ids.append(kPhotoFieldId);
    return ids;
}

LiveModePanels::LiveModePanels(SKTWindowController& controller)
    : QObject(&controller)
    , m_controller(controller)
{
    m_pane = new QDockWidget(QStringLiteral("Card Holder"), controller.window());
    m_pane->setObjectName(QStringLiteral("visitor_view"));
    m_pane->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_sides = new QStackedWidget(m_pane);
    for (int side : {0, 1}) {
        m_panels[side] = new Profile_Side_Panel(side);
        m_panels[side]->setNoPicture(controller.canvasHostOfWindow().no_image_ctrl_GP());
        m_panels[side]->setElementSelector([this, side](const QString& id) { return selectElementWithId(side, id); });
        m_scrolls[side] = new QScrollArea(m_sides);
        m_scrolls[side]->setWidgetResizable(true);
        m_scrolls[side]->setWidget(m_panels[side]);
        m_sides->addWidget(m_scrolls[side]);
        connectPanel(*m_panels[side]);
    }
    // The group list the inspector keeps shows above the panels in group mode.
    auto* content = new QWidget(m_pane);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    QTableView& groups = controller.inspector().sizePanel().GroupList();
    groups.setParent(content);
    groups.horizontalHeader()->setStretchLastSection(true);
    groups.horizontalHeader()->hide();
    groups.verticalHeader()->hide();
    groups.setMaximumHeight(180);
    column->addWidget(&groups);
    column->addWidget(m_sides, 1);
    m_pane->setWidget(content);
    m_pane->setMinimumWidth(320);
    controller.window()->addDockWidget(Qt::LeftDockWidgetArea, m_pane);
    m_pane->hide();
    Front_Profile_Panel_OBJ = m_panels[0];
    Back_Profile_Panel_OBJ = m_panels[1];

    // A row chosen by the mouse, the keys or the program puts its record on the card, once what
    // was typed over the record shown is saved, dropped or kept as the user says.
    controller.inspector().sizePanel().setGroupRowGate([this](int row) {
        return !groupMode() || m_programSelects || row == m_shownRow || leaveRecordShown(row);
    });
    connect(groups.selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, &groups] {
        const QModelIndexList rows = groups.selectionModel()->selectedRows();
        if (!groupMode() || rows.isEmpty())
            return;
        // The record shown chosen again shows afresh, unless that would drop typing.
        const int row = rows.first().row();
        if (m_programSelects || row != m_shownRow || !hasUnsavedTyping())
            showRow(row);
    });
}

LiveModePanels::~LiveModePanels()
{
    if (Front_Profile_Panel_OBJ == m_panels[0])
        Front_Profile_Panel_OBJ = nullptr;
    if (Back_Profile_Panel_OBJ == m_panels[1])
        Back_Profile_Panel_OBJ = nullptr;
}

Profile_Side_Panel& LiveModePanels::panel(int side) const
{
    return *m_panels[side == 1 ? 1 : 0];
}

int LiveModePanels::sideInForce() const
{
    return Card_Front_Or_Back == 1 ? 1 : 0;
}

SKTGraphicView& LiveModePanels::view(int side) const
{
    return *m_controller.graphicView(side == 1 ? SKTDocument::BackSide : SKTDocument::FrontSide);
}

void LiveModePanels::connectPanel(Profile_Side_Panel& panel)
{
    const int side = panel.side();
    connect(&panel, &Profile_Side_Panel::fieldEdited, this,
            [this, side](const QString& id, const QString& text) { fieldEdited(side, id, text); });
    connect(&panel, &Profile_Side_Panel::fieldShown, this,
            [this, side](const QString& id, bool shown) { fieldShown(side, id, shown); });
    connect(&panel, &Profile_Side_Panel::columnChosen, this,
            [this, side](const QString& id, int column) { columnChosen(side, id, column); });
    connect(&panel, &Profile_Side_Panel::cameraRequested, this, [this, side] { Open_Camera_Clicked(side); });
    connect(&panel, &Profile_Side_Panel::photoFileRequested, this,
            [this, side](const QString& id) { Browse_Photo_Clicked(side, id); });
    connect(&panel, &Profile_Side_Panel::photoFileDropped, this,
            [this, side](const QString& id, const QString& path) { Photo_File_Dropped(side, id, path); });
    connect(&panel, &Profile_Side_Panel::registerRequested, this, [this] { Register_Visitor(m_controller); });
    connect(&panel, &Profile_Side_Panel::passRequested, this,
            [this](bool preview) { Print_Visitor_Pass(m_controller, preview); });
    connect(&panel, &Profile_Side_Panel::logRequested, this, [this] { Open_Visitor_Log(m_controller); });
    connect(&panel, &Profile_Side_Panel::addRecordRequested, this, &LiveModePanels::Add_In_Excel_Details_Btn_Clicked);
    connect(&panel, &Profile_Side_Panel::deleteRecordRequested, this,
            &LiveModePanels::Delete_In_Excel_Details_Btn_Clicked);
    connect(&panel, &Profile_Side_Panel::viewDataRequested, this, &LiveModePanels::View_Excel_Btn_Clicked);
    connect(&panel, &Profile_Side_Panel::fieldAddRequested, this,
            [this, side](const QString& kind, const QString& caption) { Add_User_Field(side, kind, caption); });
    // The project's save puts the panel's values into the selected row first.
    connect(&panel, &Profile_Side_Panel::saveRecordRequested, this, &LiveModePanels::Save_Details_Clicked);
}

// ---- Layout ------------------------------------------------------------------------------------

void LiveModePanels::Show_Hide_Profile_Panel_Live_Mode(bool show)
{
    if (copy_card_design)
        return;
    if (!show || !isVisitorOrGroupMode()) {
        m_pane->hide();
        return;
    }
    const auto mode = groupMode() ? Profile_Side_Panel::Mode::Group : Profile_Side_Panel::Mode::Visitor;
    for (Profile_Side_Panel* panel : m_panels)
        panel->setMode(mode);
    m_pane->setWindowTitle(groupMode() ? QStringLiteral("Group Records") : QStringLiteral("Visitor"));
    m_controller.inspector().sizePanel().GroupList().setVisible(groupMode());
    m_pane->show();
    change_Visitor_Side_View(sideInForce());
}

void LiveModePanels::change_Visitor_Side_View(int side)
{
    const int shown = side == 1 ? 1 : 0;
    m_sides->setCurrentIndex(shown);
    m_scrolls[shown]->verticalScrollBar()->setValue(0);
    shown == 1 ? Set_Back_Panel_Size() : Set_Front_Panel_Size();
}

void LiveModePanels::Hide_Visitor_panel()
{
    m_pane->hide();
}

void LiveModePanels::Set_Front_Panel_Size()
{
    m_panels[0]->resize(m_scrolls[0]->viewport()->width(), m_panels[0]->sizeHint().height());
}

void LiveModePanels::Set_Back_Panel_Size()
{
    m_panels[1]->resize(m_scrolls[1]->viewport()->width(), m_panels[1]->sizeHint().height());
}

// ---- Set-up ------------------------------------------------------------------------------------

void LiveModePanels::Reset_All_Visitor_Grp_Mode_Ctrl()
{
    for (Profile_Side_Panel* panel : m_panels)
        panel->Reset_Controls();
    for (QMap<QString, QString>& typed : m_typed)
        typed.clear();
}

void LiveModePanels::Reset_Group_Mode_Excel_Col_Index()
{
    excel_cb_value = unboundGroupColumns();
    for (Profile_Side_Panel* panel : m_panels) {
        for (const QString& id : boundFieldIds())
            panel->setChosenColumn(id, -1);
    }
}

void LiveModePanels::Create_Control_For_Visitor_Mode()
{
    m_panels[0]->Rebuild_User_Rows(dynamic_ctrl_list_front);
    m_panels[1]->Rebuild_User_Rows(dynamic_ctrl_list_back);
}

void LiveModePanels::Check_For_Defalut_Photo_Control()
{
    for (const GraphicPtr& element : m_controller.Get_Front_Controls_Array()) {
        if (element->kind() == GraphicKind::Image)
            return;
    }
    Check_and_create_control_for_group_mode_FRONT(kPhotoFieldId, m_controller.NO_Image_Path, QStringLiteral("P"), -1, true);
}

void LiveModePanels::Start_Visitor_Panels()
{
    Title_For_Visitor();
    Reset_All_Visitor_Grp_Mode_Ctrl();
    for (Profile_Side_Panel* panel : m_panels)
        panel->Refresh_Controls();
    Check_For_Defalut_Photo_Control();
    Create_Control_For_Visitor_Mode();
    showVisitMoment(QDateTime::currentDateTime());
    showCardInPanels();
    barcodesShowPanelValues();
    sidesShowOneVisitor(0, visitorFieldIds());
    Show_Hide_Profile_Panel_Live_Mode(true);
    change_Visitor_Side_View(0);
}

void LiveModePanels::barcodesShowPanelValues()
{
    // A symbol read from the design file is its stored picture; drawn again from the number it
    // shows, the canvas, the pass and a reprint of it from the log are one and the same.
    for (int side : {0, 1}) {
        for (const VisitorProfileField& field : visitorProfileFields()) {
            const QString id = QLatin1String(field.ctrlId);
            // A field emptied on the card's text empties its symbols too; a field no text shows
            // leaves them the value they were drawn with.
            const QLineEdit* box = panel(side).textBox(id);
            if (box && (!box->text().trimmed().isEmpty() || showsAsText(side, id)))
                showOnBarcodes(side, id, box->text());
        }
    }
}

bool LiveModePanels::showsAsText(int side, const QString& ctrlId) const
{
    const GraphicList& elements = view(side).graphics();
    return std::any_of(elements.cbegin(), elements.cend(), [&ctrlId](const GraphicPtr& element) {
        return element && element->kind() == GraphicKind::Text && element->control_ID.trimmed() == ctrlId;
    });
}

void LiveModePanels::showCardInPanels()
{
    for (int side : {1, 0})
        showSideInPanel(side);
}

void LiveModePanels::showSideInPanel(int side)
{
    // The undo's refill works on the side in force.
    const int inForce = Card_Front_Or_Back;
    Card_Front_Or_Back = side;
    m_controller.canvasHostOfWindow().snapshotUndo().Show_Side_In_Panel();
    Card_Front_Or_Back = inForce;
}

void LiveModePanels::panelFollowsCard(int side)
{
    if (!isVisitorOrGroupMode())
        return;
    showSideInPanel(side);
    if (groupMode()) {
        Show_Chosen_Record_After_Rebuild(side);
        return;
    }
    barcodesShowPanelValues();
    // The visitor the window gave the side is the visitor of both sides.
    sidesShowOneVisitor(side, visitorFieldIds());
}

void LiveModePanels::showVisitMoment(const QDateTime& moment)
{
    // The pass shows when the visitor came, where its design has a date or a time.
    const QString date = moment.toString(QStringLiteral("dd/MM/yyyy"));
    const QString time = moment.toString(QStringLiteral("hh:mm AP"));
    for (int side : {0, 1}) {
        Profile_Side_Panel& shown = panel(side);
        shown.showDateTime(date, time);
        if (!shown.date_manual_chk()->isChecked())
            showOnCard(side, QStringLiteral("Fup_Date"), date);
        if (!shown.time_manual_chk()->isChecked())
            showOnCard(side, QStringLiteral("Fup_Time"), time);
    }
}

void LiveModePanels::After_Design_Load()
{
    if (!isVisitorOrGroupMode()) {
        Title_For_Gen_ID_Card();
        Hide_Visitor_panel();
        return;
    }
    // The captions are those of the design's own mode, whatever mode came before it, and the
    // panels hold only what the design opened holds.
    // A design copied onto the other side is the same visitor's: the panels keep their state.
    const bool newVisitor = !groupMode() && !copy_card_design;
    if (groupMode())
        Title_For_Gen_ID_Card();
    else
        Title_For_Visitor();
    if (groupMode() || newVisitor)
        Reset_All_Visitor_Grp_Mode_Ctrl();
    for (Profile_Side_Panel* panel : m_panels)
        panel->Refresh_Controls();
    Show_Hide_Profile_Panel_Live_Mode(true);
    Create_Control_For_Visitor_Mode();
    if (newVisitor)
        showVisitMoment(QDateTime::currentDateTime());
    showCardInPanels();
    barcodesShowPanelValues();
    // A pass whose back was left showing another visitor shows the front's on both sides.
    sidesShowOneVisitor(0, visitorFieldIds());
    m_controller.sideCommands().Select_front_side();
}

// ---- Fields ------------------------------------------------------------------------------------

QLineEdit* LiveModePanels::Get_text_box_of_visitor_mode(const QString& ctrlId) const
{
    return panel(sideInForce()).textBox(ctrlId);
}

QCheckBox* LiveModePanels::Get_chk_box_of_visitor_mode(const QString& ctrlId) const
{
    return panel(sideInForce()).checkBox(ctrlId);
}

QWidget* LiveModePanels::Get_Dynamic_Photo_Ctrl(const QString& ctrlId) const
{
    return panel(sideInForce()).Get_Dynamic_Photo_Ctrl(ctrlId);
}

int LiveModePanels::bindingSlot(const QString& ctrlId, int side) const
{
    if (ctrlId == kPhotoFieldId)
        return kFrontPhotoSlot + (side == 1 ? 1 : 0);
    return int(textFieldIds().indexOf(ctrlId));
}

int LiveModePanels::Get_Excel_Coulmn_Index_According_ID(const QString& ctrlId) const
{
    const int slot = bindingSlot(ctrlId, sideInForce());
    if (slot >= 0)
        return excel_cb_value[slot];
    const QList<DynamicControl>& rows = dynamicControls(sideInForce());
    for (const DynamicControl& row : rows) {
        if (row.controlId == ctrlId)
            return row.column;
    }
    return -1;
}

void LiveModePanels::Check_and_create_control_for_group_mode_FRONT(const QString& ctrlId, const QString& value,
                                                                   const QString& txtOrPic, int column, bool visible)
{
    Check_and_create_control_for_group_mode(0, ctrlId, value, txtOrPic, column, visible);
}

void LiveModePanels::Check_and_create_control_for_group_mode_BACK(const QString& ctrlId, const QString& value,
                                                                  const QString& txtOrPic, int column, bool visible)
{
    Check_and_create_control_for_group_mode(1, ctrlId, value, txtOrPic, column, visible);
}

void LiveModePanels::Check_and_create_control_for_group_mode(int side, const QString& ctrlId, const QString& value,
                                                             const QString& txtOrPic, int column, bool visible)
{
    const GraphicKind kind = txtOrPic == QLatin1String("P") ? GraphicKind::Image : GraphicKind::Text;
    SKTGraphicView& canvas = view(side);
    if (const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(ctrlId)) {
        showFieldValue(*element, value, column, visible);
        canvas.update();
        return;
    }
    const QRectF place = ::Get_Control_Rect_From_Template(m_controller.Front_card_Prop.Card_Size(), ctrlId);
    // Made, placed and filled as one edit: Undo takes the element away, not only its move or
    // its value.
    ControllerCanvasHost& host = m_controller.canvasHostOfWindow();
    if (!host.Fill_User_Profile())
        host.Insert_In_Undo_Redo();
    {
        const QScopedValueRollback oneUndoStep(live_mode_list_value_change, true);
        canvas.createGraphicOfClass(kind, std::nullopt, true, place, side == 1 ? QStringLiteral("B") : QStringLiteral("F"),
                                    value, ctrlId);
        const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(ctrlId);
        if (!element)
            return;
        if (kind == GraphicKind::Image)
            element->setBounds(place);
        placeClearOfDesign(side, {element}, place.topLeft());
        showFieldValue(*element, value, column, visible);
    }
    canvas.update();
    if (!host.Fill_User_Profile())
        host.Insert_In_Undo_Redo();
}

void LiveModePanels::showFieldValue(SKTGraphic& element, const QString& value, int column, bool visible)
{
    if (element.kind() == GraphicKind::Image)
        static_cast<SKTImage&>(element).setFilePath(value, true);
    else
        element.Set_text_value(value);
    if (column >= 1) {
        element.Set_Data_source_type(2);
        element.Set_Excel_binding(true);
        element.Set_Excel_binding_Index(column);
    } else if (element.data_source_type == 2) {
        element.Set_Data_source_type(0);
        element.Set_Excel_binding(false);
        element.Set_Excel_binding_Index(-1);
    }
    element.Set_Ctrl_Is_Visible(visible);
}

bool LiveModePanels::showOnCard(int side, const QString& ctrlId, const QString& text)
{
    SKTGraphicView& canvas = view(side);
    const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(ctrlId);
    if (!element || element->kind() != GraphicKind::Text)
        return false;
    element->Set_text_value(text);
    canvas.update();
    m_controller.canvasHostOfWindow().designMayHaveChanged();
    return true;
}

void LiveModePanels::showOnBarcodes(int side, const QString& ctrlId, const QString& text)
{
    // The pass draws these barcodes from the visitor's values; the canvas shows what it will print.
    if (groupMode() || !isVisitorProfileValueId(ctrlId))
        return;
    SKTGraphicView& canvas = view(side);
    bool shown = false;
    for (const GraphicPtr& element : canvas.graphics()) {
        if (element && element->kind() == GraphicKind::Barcode && element->control_ID.trimmed() == ctrlId) {
            // Its value too, so that the barcode window opens on what the symbol draws.
            element->barcode.setValue(text.trimmed());
            Bind_Barcode_Value(*element, text.trimmed());
            shown = true;
        }
    }
    if (!shown)
        return;
    canvas.update();
    m_controller.canvasHostOfWindow().designMayHaveChanged();
}

void LiveModePanels::fieldEdited(int side, const QString& ctrlId, const QString& text)
{
    if (Start_Card_Option == QLatin1String("V"))
        m_typed[side].insert(ctrlId, text);
    showOnBarcodes(side, ctrlId, text);
    if (!showOnCard(side, ctrlId, text)) {
        if (!view(side).Selcect_Ctrl_With_ID(ctrlId) && !text.isEmpty())
            Check_and_create_control_for_group_mode(side, ctrlId, text, QStringLiteral("T"),
                                                    Get_Excel_Coulmn_Index_According_ID(ctrlId), true);
        if (QCheckBox* shown = panel(side).checkBox(ctrlId))
            shown->setChecked(true);
    }
    otherSideTakesTyping(side, ctrlId, text);
}

void LiveModePanels::panelFieldFollowsBarcode(int side, const SKTGraphic& barcode)
{
    // Group cards take their symbols from the columns, not from the panel.
    const QString id = barcode.control_ID.trimmed();
    const bool visitorMode = Start_Card_Option == QLatin1String("V");
    QLineEdit* field = visitorMode && isVisitorProfileValueId(id) ? panel(side).textBox(id) : nullptr;
    if (!field)
        return;
    const QString value = barcode.barcode.shownValue().trimmed();
    field->setText(value);
    showOnBarcodes(side, id, value);
    showOnCard(side, id, value);
    otherSideTakesValue(side, id, value);
}

void LiveModePanels::fieldShown(int side, const QString& ctrlId, bool shown)
{
    const GraphicPtr element = view(side).Selcect_Ctrl_With_ID(ctrlId);
    if (!element)
        return;
    element->Set_Ctrl_Is_Visible(shown);
    // An added field's caption comes and goes with its value: the panel shows them as one row.
    if (ctrlId.contains(QLatin1String("_field"))) {
        if (const GraphicPtr label = view(side).Selcect_Ctrl_With_ID(Added_Field_Caption_Id(ctrlId)))
            label->Set_Ctrl_Is_Visible(shown);
    }
    view(side).update();
}

void LiveModePanels::columnChosen(int side, const QString& ctrlId, int column)
{
    const int slot = bindingSlot(ctrlId, side);
    if (slot < 0) {
        addedFieldColumnChosen(side, ctrlId, column);
        return;
    }
    if (refuseColumnTaken(side, ctrlId, column)) {
        panel(side).setChosenColumn(ctrlId, excel_cb_value[slot]);
        return;
    }
    excel_cb_value[slot] = column;
    if (ctrlId != kPhotoFieldId)
        panel(1 - side).setChosenColumn(ctrlId, column);
    const bool photo = ctrlId == kPhotoFieldId;
    // A photo with None shows the photos set by hand, where the project keeps any.
    const int source = photo && column < 1 && groupMode()
                           ? GroupRecords::manualPhotoColumns(Loaded_Data_Table().ColList).of(side)
                           : column;
    const QString value =
        source >= 1 ? Loaded_Data_Table().objectValue(Column_Key_For_Index(source), selectedRow()) : QString();
    if (photo) {
        Check_and_create_control_for_group_mode(side, ctrlId, value, QStringLiteral("P"), source, true);
        setPhoto(side, value);
    } else {
        Check_and_create_control_for_group_mode(side, ctrlId, value, QStringLiteral("T"), column, column >= 1);
        showColumnValueInPanel(side, ctrlId, value, column);
        sideFollowsColumn(1 - side, ctrlId, column);
    }
    // A new binding is an edit of the project: undone as one, and marked unsaved.
    m_controller.canvasHostOfWindow().Insert_In_Undo_Redo();
}

void LiveModePanels::addedFieldColumnChosen(int side, const QString& ctrlId, int column)
{
    QList<DynamicControl>& rows = dynamicControls(side);
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&ctrlId](const DynamicControl& dynamic) { return dynamic.controlId == ctrlId; });
    const GraphicPtr element = view(side).Selcect_Ctrl_With_ID(ctrlId);
    if (row == rows.end() || !element)
        return;
    if (refuseColumnTaken(side, ctrlId, column)) {
        panel(side).setChosenColumn(ctrlId, row->column);
        return;
    }
    const int bound = column >= 1 ? column : -1;
    row->column = bound;
    if (bound < 1) {
        // Unbound, the field keeps what it shows, the same on every card.
        element->Set_Data_source_type(0);
        element->Set_Excel_binding(false);
        element->Set_Excel_binding_Index(-1);
    } else {
        // Bound, it shows the record chosen, as output puts it on the card.
        element->Set_Data_source_type(2);
        element->Set_Excel_binding(true);
        element->Set_Excel_binding_Index(bound);
        element->Set_Ctrl_Is_Visible(true);
        const QString value = Loaded_Data_Table().objectValue(Column_Key_For_Index(bound), recordShown());
        if (element->kind() == GraphicKind::Image) {
            SKTImage& picture = static_cast<SKTImage&>(*element);
            value.trimmed().isEmpty() ? picture.setFilePathUnread(QString()) : picture.setFilePath(value, false);
            showPictureOfElement(side, picture._file_path, picture._contents, ctrlId);
        } else {
            element->Set_text_value(value);
            if (QLineEdit* box = panel(side).textBox(ctrlId))
                box->setText(value);
        }
        if (QCheckBox* shown = panel(side).checkBox(ctrlId))
            shown->setChecked(true);
    }
    view(side).update();
    m_controller.canvasHostOfWindow().Insert_In_Undo_Redo();
}

void LiveModePanels::showColumnValueInPanel(int side, const QString& ctrlId, const QString& value, int column)
{
    if (QLineEdit* box = panel(side).textBox(ctrlId))
        box->setText(value);
    if (QCheckBox* shown = panel(side).checkBox(ctrlId))
        shown->setChecked(column >= 1);
}

void LiveModePanels::sideFollowsColumn(int side, const QString& ctrlId, int column)
{
    // A text field shows one column on both cards, as both panels list it: export binds each
    // side's element by its own binding.
    const GraphicPtr element = view(side).Selcect_Ctrl_With_ID(ctrlId);
    const int bound = column >= 1 ? column : -1;
    if (!element || element->kind() != GraphicKind::Text || boundColumnOf(side, ctrlId) == bound)
        return;
    const QString value =
        bound >= 1 ? Loaded_Data_Table().objectValue(Column_Key_For_Index(bound), selectedRow()) : QString();
    showFieldValue(*element, value, bound, bound >= 1);
    showColumnValueInPanel(side, ctrlId, value, bound);
    view(side).update();
}

void LiveModePanels::Set_User_Image_Control(int side, const QString& path, const QString& ctrlId)
{
    panel(side).Set_User_Image_Control(path, QImage(), ctrlId);
}

void LiveModePanels::Add_User_Field(int side, const QString& kind, const QString& caption)
{
    if (caption.trimmed().isEmpty()) {
        Show_MessageBox(kFieldNameNeededMessage);
        return;
    }
    const SKTGraphicView& canvas = view(side);
    int n = 1;
    while (canvas.Selcect_Ctrl_With_ID(QStringLiteral("F_label%1").arg(n))
           || canvas.Selcect_Ctrl_With_ID(QStringLiteral("F_field%1").arg(n))
           || canvas.Selcect_Ctrl_With_ID(QStringLiteral("F_Photo%1").arg(n)))
        ++n;
    const QString cardSide = side == 1 ? QStringLiteral("B") : QStringLiteral("F");
    const QPointF at = m_controller.Control_New_Point(cardSide);
    const auto add = [&](GraphicKind elementKind, const QString& id, const QString& value, QSizeF size) {
        view(side).createGraphicOfClass(elementKind, std::nullopt, true, QRectF(at, size), cardSide, value, id);
        const GraphicPtr made = view(side).Selcect_Ctrl_With_ID(id);
        if (made) {
            made->setBounds(QRectF(at, size));
            made->Set_Ctrl_Is_Visible(true);
        }
        return made;
    };
    // The side before and after the whole field: one Undo takes back both its elements.
    m_controller.canvasHostOfWindow().Insert_In_Undo_Redo();
    {
        const QScopedValueRollback oneUndoStep(live_mode_list_value_change, true);
        GraphicList field;
        if (kind == QLatin1String("P")) {
            // No picture until one is chosen: it prints nothing, as it shows. Its text is its name.
            if (const GraphicPtr picture = add(GraphicKind::Image, QStringLiteral("F_Photo%1").arg(n), QString(), QSizeF(60, 75))) {
                static_cast<SKTImage&>(*picture).setFilePathUnread(QString());
                picture->Set_text_value(caption.trimmed());
                field << picture;
            }
        } else {
            const QString label = caption.trimmed() + QStringLiteral(" :");
            const GraphicPtr captionElement = add(GraphicKind::Text, QStringLiteral("F_label%1").arg(n), label, QSizeF(90, 20));
            const GraphicPtr value = add(GraphicKind::Text, QStringLiteral("F_field%1").arg(n), QString(), QSizeF(110, 20));
            if (captionElement) {
                captionElement->setBounds(QRectF(at, QSizeF(textWidthOf(*captionElement) + 4, 20)));
                field << captionElement;
            }
            if (value) {
                value->Set_text_value(QString());
                field << value;
            }
        }
        placeClearOfDesign(side, field, at);
    }
    // The new rows show what the card shows, and the rows already there keep what was typed.
    userRowsFollowCard(side);
    view(side).update();
    m_controller.canvasHostOfWindow().Insert_In_Undo_Redo();
}

void LiveModePanels::userRowsFollowCard(int side)
{
    if (!isVisitorOrGroupMode())
        return;
    QList<DynamicControl>& rows = dynamicControls(side);
    rows = Dynamic_Controls_Of_Side(view(side).graphics());
    panel(side).Rebuild_User_Rows(rows);
}

// ---- Photo -------------------------------------------------------------------------------------

void LiveModePanels::setPhoto(int side, const QString& path, bool selectOnCanvas)
{
    // A missing file shows as a missing picture, never as the face the element showed before.
    const GraphicPtr element = view(side).Selcect_Ctrl_With_ID(kPhotoFieldId);
    if (element && element->kind() == GraphicKind::Image)
        static_cast<SKTImage&>(*element).setFilePath(path, true);
    panel(side).Set_User_Image_Control(path, QImage(), selectOnCanvas ? kPhotoFieldId : QString());
    view(side).update();
    photoFollows(side);
}

bool LiveModePanels::selectElementWithId(int side, const QString& ctrlId)
{
    SKTGraphicView& canvas = view(side);
    const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(ctrlId);
    if (!element)
        return false;
    // An element selected already keeps the selection it is part of (several may be being
    // deleted together).
    if (!canvas.isGraphicSelected(element.get())) {
        canvas.changeSelectionIndexes({int(canvas.graphics().indexOf(element))});
        canvas._Selected_Graphic = element;
    }
    // While the inspector is loading, it is loading this element.
    if (side == sideInForce() && !Not_Draw_Only_Prop_Change)
        m_controller.canvasHostOfWindow().Show_RHS_Properties(element.get());
    return true;
}

void LiveModePanels::Open_Camera_Clicked(int side)
{
    if (m_controller.inspector().imagePanel().Check_Multiple_Image_Selection(QStringLiteral("Select"), true))
        return;
    if (const GraphicPtr photo = view(side).Selcect_Ctrl_With_ID(kPhotoFieldId); photo && photo->ctrl_is_locked) {
        Show_MessageBox(QStringLiteral("Selected control is locked."));
        return;
    }
    CameraWindow& camera = cameraWindow();
    if (camera.Open_Wnd() != 1)
        return;
    const QString taken = camera.Camera_Capture_Image();
    Check_and_create_control_for_group_mode(side, kPhotoFieldId, taken, QStringLiteral("P"), columnForPanelPhoto(side),
                                            true);
    setPhoto(side, taken, true);
    Show_Message_To_Update_Data();
}

void LiveModePanels::Browse_Photo_Clicked(int side, const QString& ctrlId)
{
    const QString caption = ctrlId == kPhotoFieldId ? QStringLiteral("Choose a Photo") : QStringLiteral("Choose a Picture");
    const QString chosen = chooseReadablePicture(m_controller.window(), caption, m_controller.Allowd_Image_fileTypes);
    if (!chosen.isEmpty())
        photoChosen(side, ctrlId, chosen);
}

void LiveModePanels::photoChosen(int side, const QString& ctrlId, const QString& path)
{
    if (ctrlId != kPhotoFieldId) {
        showAddedPicture(side, ctrlId, path);
        return;
    }
    Check_and_create_control_for_group_mode(side, kPhotoFieldId, path, QStringLiteral("P"), columnForPanelPhoto(side), true);
    setPhoto(side, path, true);
}

GroupRecords::ManualPhotoColumns LiveModePanels::Check_for_manual_photo_XL_col_for_GP_mode()
{
    if (!groupMode())
        return {};
    return GroupRecords::addManualPhotoColumns(Loaded_Data_Table());
}

int LiveModePanels::photoColumnOf(int side) const
{
    const int chosen = excel_cb_value[bindingSlot(kPhotoFieldId, side)];
    if (chosen >= 1)
        return chosen;
    const int bound = boundColumnOf(side, kPhotoFieldId);
    return GroupRecords::isManualPhotoColumn(Loaded_Data_Table().ColList, bound) ? bound : -1;
}

int LiveModePanels::columnForPanelPhoto(int side)
{
    const int chosen = excel_cb_value[bindingSlot(kPhotoFieldId, side)];
    if (chosen >= 1 || !groupMode())
        return chosen;
    return Check_for_manual_photo_XL_col_for_GP_mode().of(side);
}
