#include "views/inspector/CardSizePanel.h"

#include <cmath>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

#include "model/Card_Property.h"
#include "model/NumberBounds.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/CardRescale.h"
#include "views/inspector/CardSizeLists.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/GroupRowSelection.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PrintInfo.h"
#include "views/inspector/UnitLabels.h"
#include "views/inspector/Unit_PrefWindow.h"
#include "ui_CardSizePage.h"

CardSizePanel::CardSizePanel(InspectorView& view, InspectorWindow& window, CardPanel& card, QObject* parent)
    : QObject(parent), m_view(view), m_window(window), m_card(card)
{
    m_view.cardSize().ColList->setModel(&m_sizes);
    // The group list shows with group mode's panel; the inspector keeps its records.
    m_groupList = new QTableView(&m_view);
    m_groupList->setObjectName(QStringLiteral("GroupList"));
    m_groupList->setModel(&m_groups);
    m_groupList->setSelectionModel(new GroupRowSelection(&m_groups, m_groupList));
    m_groupList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_groupList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_groupList->hide();
    showSizeInUnit(0, 0);
    connectControls();
    m_card.setApplySize([this] { Apply_Size_Clicked(); });
}

void CardSizePanel::connectControls()
{
    Ui::CardSizePage& size = m_view.cardSize();
    connect(size.Preset_ComboBox, &QComboBox::activated, this, &CardSizePanel::Preset_ComboBox_Changed);
    connect(size.Category_ComboBox, &QComboBox::activated, this, &CardSizePanel::Category_ComboBox_Changed);
    connect(size.width_Stepper, &QDoubleSpinBox::valueChanged, this, &CardSizePanel::Card_Width_Changed);
    connect(size.height_Stepper, &QDoubleSpinBox::valueChanged, this, &CardSizePanel::Card_Height_Changed);
    connect(size.page_frm_printer_btn, &QPushButton::clicked, this, &CardSizePanel::Page_From_Printer_Click);
    connect(size.ColList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        // Selecting by code (Mark_List_New_Selection) happens under the change guard.
        if (Not_Draw_Only_Prop_Change || IS_Custom_Card_Option_Selected() || selectedSizeRow() < 0)
            return;
        Change_Value_According_List_Selection(selectedSizeRow());
    });
}

// ---- The size list ----------------------------------------------------------------------------

void CardSizePanel::Create_List(const QString& name)
{
    m_sizes.Create_List(name);
}

bool CardSizePanel::IS_Custom_Card_Option_Selected() const
{
    const int preset = m_view.cardSize().Preset_ComboBox->currentIndex();
    return preset < 0 || preset == kCustomOrientation;
}

int CardSizePanel::selectedSizeRow() const
{
    const QModelIndexList rows = m_view.cardSize().ColList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CardSizePanel::Mark_List_New_Selection(int row)
{
    if (IS_Custom_Card_Option_Selected())
        return;
    QTableView& list = *m_view.cardSize().ColList;
    const NotDrawOnlyPropChangeGuard quiet;
    list.selectionModel()->clearSelection();
    if (row >= 0 && row < m_sizes.rowCount())
        list.selectionModel()->select(m_sizes.index(row), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QSizeF CardSizePanel::presetOfRow(int row) const
{
    const Ui::CardSizePage& size = m_view.cardSize();
    return presetSize(m_window, size.Preset_ComboBox->currentText(), size.Category_ComboBox->currentText(), row);
}

void CardSizePanel::Change_Value_According_List_Selection(int row)
{
    Set_Card_Size_In_Control(presetOfRow(row));
    Apply_Size_Clicked();
}

int CardSizePanel::rowOfCardSize() const
{
    // Presets are kept in single precision; a hundredth of a millimetre tells them apart.
    constexpr double kSameSizeMillimetres = 0.01;
    const QSizeF card = m_window.frontCanvasBounds().size();
    const QSizeF millimetres(pointsToMillimetres(card.width()), pointsToMillimetres(card.height()));
    for (int row = 0; row < m_sizes.rowCount(); ++row) {
        const QSizeF preset = presetOfRow(row);
        if (std::abs(preset.width() - millimetres.width()) < kSameSizeMillimetres
            && std::abs(preset.height() - millimetres.height()) < kSameSizeMillimetres)
            return row;
    }
    return -1;
}

void CardSizePanel::turnCard(const QString& previousPreset)
{
    const QString preset = m_view.cardSize().Preset_ComboBox->currentText();
    const QStringList turns{QStringLiteral("Horizontal"), QStringLiteral("Vertical")};
    if (preset == previousPreset || !turns.contains(preset) || !turns.contains(previousPreset))
        return;
    const QSizeF card = m_window.frontCanvasBounds().size();
    Set_Card_Size_In_Control(QSizeF(pointsToMillimetres(card.height()), pointsToMillimetres(card.width())));
    Apply_Size_Clicked();
}

void CardSizePanel::fillSizeList()
{
    m_sizes.clear();
    for (const QString& name : sizeNamesOfCategory(m_window, m_view.cardSize().Category_ComboBox->currentIndex()))
        Create_List(name);
}

void CardSizePanel::setGroupRowGate(std::function<bool(int row)> gate)
{
    static_cast<GroupRowSelection*>(m_groupList->selectionModel())->setGate(std::move(gate));
}

void CardSizePanel::Mark_Group_List_New_Selection(int row)
{
    m_groupList->selectionModel()->clearSelection();
    if (row < 0 || row >= m_groups.rowCount())
        return;
    // Current as well as selected, so that the arrow keys go on from this row.
    m_groupList->selectionModel()->setCurrentIndex(m_groups.index(row),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_groupList->scrollTo(m_groups.index(row));
    m_groupList->setFocus();
}

// ---- The card's size --------------------------------------------------------------------------

void CardSizePanel::Apply_Size_Clicked()
{
    m_window.Set_Canvas_to_100_percent();
    const QSizeF before = m_window.frontCanvasBounds().size();
    m_window.applyCanvasSize(sizeInPoints(Measument_Unit_Is));
    const bool elementsChanged = Card_Control_Size_Change_or_not();
    m_card.Update_All_Card_Content();
    rememberShownSize(m_window.frontCanvasBounds().size());
    if (elementsChanged || m_window.frontCanvasBounds().size() != before)
        m_window.Restart_Undo_History_After_Resize();
}

QSizeF CardSizePanel::sizeInPoints(int unit) const
{
    const Ui::CardSizePage& size = m_view.cardSize();
    const auto side = [unit](const QDoubleSpinBox& field, double shownValue, double shownPoints) {
        if (shownPoints > 0 && field.value() == shownValue)
            return shownPoints;
        return double(unitToPoints(float(field.value()), unit));
    };
    return {side(*size.width_Stepper, m_shownValues.width(), m_shownPoints.width()),
            side(*size.height_Stepper, m_shownValues.height(), m_shownPoints.height())};
}

void CardSizePanel::rememberShownSize(QSizeF points)
{
    const Ui::CardSizePage& size = m_view.cardSize();
    m_shownPoints = points;
    m_shownValues = QSizeF(size.width_Stepper->value(), size.height_Stepper->value());
}

void CardSizePanel::Card_Width_Changed()
{
    if (!Not_Draw_Only_Prop_Change)
        Apply_Size_Clicked();
}

void CardSizePanel::Card_Height_Changed()
{
    if (!Not_Draw_Only_Prop_Change)
        Apply_Size_Clicked();
}

void CardSizePanel::Page_From_Printer_Click()
{
    const std::optional<QSizeF> paper = Page_From_Printer(&m_view);
    if (!paper)
        return;
    Set_Card_Size_In_Control(QSizeF(pointsToMillimetres(paper->width()), pointsToMillimetres(paper->height())));
    Apply_Size_Clicked();
}

bool CardSizePanel::Card_Control_Size_Change_or_not()
{
    const Card_Property& front = m_window.cardRecord(0);
    const Ui::CardSizePage& size = m_view.cardSize();
    const CardSizeChoice before{front.Card_Preset(), front.Card_Category(), front.Card_Cat_index()};
    const CardSizeChoice after{size.Preset_ComboBox->currentText(), size.Category_ComboBox->currentText(),
                               selectedSizeRow()};
    const DesignFacts design{m_window.hasEditsSinceStart(), m_window.Project_File_Name(), Start_Card_Option,
                             m_window.Selected_Template_Path()};
    const CardSizeChange change = cardSizeChangeFor(before, after, design);
    if (!change.templateVariant.isEmpty()) {
        const NotDrawOnlyPropChangeGuard reading;
        if (m_window.readTemplate(change.templateVariant) != 1)
            return false;
        // The content font and colour, border, fill and watermark the card pages hold are those of
        // the design just replaced: the writer that follows must find the variant's own, or it
        // would stamp the previous ones on every text of the variant.
        m_card.loadCardPages(m_window.sideInForce());
    }
    if (!change.rescale)
        return !change.templateVariant.isEmpty();
    // The record may have been replaced by the template just read.
    const QSizeF oldSize = m_window.cardRecord(0).Card_Size();
    const QSizeF newSize = m_window.frontCanvasBounds().size();
    Set_Control_Location_Size_IF_Card_Size_Change(m_window.graphicsOfSide(0), m_window.graphicsOfSide(1),
                                                  float(oldSize.width()), float(oldSize.height()),
                                                  float(newSize.width()), float(newSize.height()), true);
    return !change.templateVariant.isEmpty() || oldSize != newSize;
}

void CardSizePanel::Set_Card_Size_In_Control(QSizeF millimetres)
{
    showSizeInUnit(::Apply_unit_Chaneg_Values(float(millimetres.width()), kUnitMillimetre, Measument_Unit_Is),
                   ::Apply_unit_Chaneg_Values(float(millimetres.height()), kUnitMillimetre, Measument_Unit_Is));
    last_unit_val = Measument_Unit_Is;
    m_shownPoints = QSizeF();
}

void CardSizePanel::Show_Card_Size(QSizeF points)
{
    Set_Card_Size_In_Control(QSizeF(pointsToMillimetres(points.width()), pointsToMillimetres(points.height())));
    rememberShownSize(points);
}

void CardSizePanel::showSizeInUnit(float width, float height)
{
    Ui::CardSizePage& size = m_view.cardSize();
    const QString unit = unitLabels(Measument_Unit_Is).abbreviation;
    for (auto [field, value] : {std::pair{size.width_Stepper, width}, std::pair{size.height_Stepper, height}}) {
        // The range first, so that a size in the new unit is not clamped by the old unit's range.
        const NumberBounds::Range range = NumberBounds::cardSideInUnit(Measument_Unit_Is, field->decimals());
        const QSignalBlocker quiet(field);
        field->setRange(range.low, range.high);
        field->setUnit(unit);
        field->setValue(value);
    }
}

// ---- Units ------------------------------------------------------------------------------------

void CardSizePanel::_setLabels()
{
    const UnitLabels labels = unitLabels(Measument_Unit_Is);
    for (const char* name : {"ctrl_x_pos_unit_lbl", "ctrl_y_pos_unit_lbl"}) {
        if (auto* label = m_view.findChild<QLabel*>(QString::fromLatin1(name)))
            label->setText(labels.position);
    }
    for (const char* name : {"unit_width_label", "unit_height_label", "ctrl_width_unit_lbl", "ctrl_height_unit_lbl"}) {
        if (auto* label = m_view.findChild<QLabel*>(QString::fromLatin1(name)))
            label->setText(labels.size);
    }
    m_view.cardSize().card_size_box->setTitle(labels.cardSizeBox);
}

void CardSizePanel::Apply_unit_Chaneg_Values()
{
    // The size in points does not change with the unit: the fields show what they stood for.
    const QSizeF points = sizeInPoints(last_unit_val);
    const float width = pointsToUnit(float(points.width()), Measument_Unit_Is);
    const float height = pointsToUnit(float(points.height()), Measument_Unit_Is);
    showSizeInUnit(width, height);
    rememberShownSize(points);
}

void CardSizePanel::doPreferences()
{
    if (const std::optional<int> unit = ::doPreferences(&m_view, Measument_Unit_Is))
        On_OK_of_Unit_Panel(*unit);
}

void CardSizePanel::On_OK_of_Unit_Panel(int unit)
{
    Measument_Unit_Is = unit;
    _setLabels();
    Apply_unit_Chaneg_Values();
    last_unit_val = Measument_Unit_Is;
    m_card.reloadCardPages();
}

// ---- The page's combo boxes -------------------------------------------------------------------

void CardSizePanel::loadSizePage(const Card_Property& side)
{
    Ui::CardSizePage& size = m_view.cardSize();
    selectComboText(*size.Preset_ComboBox, side.Card_Preset(), [this] { Preset_ComboBox_Changed(); });
    selectComboText(*size.Category_ComboBox, side.Card_Category(), [this] { Category_ComboBox_Changed(); });
    Mark_List_New_Selection(side.Card_Cat_index());
}

void CardSizePanel::showSizeChoice(int preset, int category, int row)
{
    Ui::CardSizePage& size = m_view.cardSize();
    selectComboIndex(*size.Preset_ComboBox, preset, [this] { Preset_ComboBox_Changed(); });
    selectComboIndex(*size.Category_ComboBox, category, [this] { Category_ComboBox_Changed(); });
    Mark_List_New_Selection(row);
}

void CardSizePanel::enableSizeControls()
{
    Ui::CardSizePage& size = m_view.cardSize();
    const bool custom = size.Preset_ComboBox->currentIndex() == kCustomOrientation;
    for (QWidget* control : {static_cast<QWidget*>(size.width_Stepper), static_cast<QWidget*>(size.height_Stepper),
                             static_cast<QWidget*>(size.page_frm_printer_btn)})
        control->setEnabled(custom);
    size.Category_ComboBox->setEnabled(!custom);
    size.ColList->setEnabled(!custom);
}

void CardSizePanel::Preset_ComboBox_Changed()
{
    if (m_view.cardSize().Preset_ComboBox->currentIndex() < 0)
        return;
    enableSizeControls();
    if (Not_Draw_Only_Prop_Change)
        return;
    if (!IS_Custom_Card_Option_Selected()) {
        if (selectedSizeRow() >= 0)
            Change_Value_According_List_Selection(selectedSizeRow());
        else
            turnCard(m_window.cardRecord(0).Card_Preset());
    }
    m_card.Update_Card_Graphics();
}

void CardSizePanel::Category_ComboBox_Changed()
{
    fillSizeList();
    // Showing the card pages selects the category too; that must never move an element.
    if (Not_Draw_Only_Prop_Change) {
        Mark_List_New_Selection(m_window.cardRecord(0).Card_Cat_index());
        m_card.Update_Card_Graphics();
        return;
    }
    // The highlighted row is the card's size, or none until the user chooses one: a row of the
    // former category's index would claim a size the card does not have.
    Mark_List_New_Selection(rowOfCardSize());
    if (Card_Control_Size_Change_or_not())
        m_window.Restart_Undo_History_After_Resize();
    m_card.Update_Card_Graphics();
}
