#pragma once
// The size page of the card: the orientation, category and size list, the width and height in
// the user's unit, the printer's page size, and what a new size does to the design (the elements
// rescaled, or the template's other orientation read in); the unit captions and the unit dialog;
// and the group list of group mode.
#include <functional>
#include <QObject>
#include <QSizeF>
#include <QString>

#include "views/inspector/InspectorLists.h"

class CardPanel;
class Card_Property;
class InspectorView;
class InspectorWindow;
class QTableView;

class CardSizePanel : public QObject {
    Q_OBJECT
public:
    CardSizePanel(InspectorView& view, InspectorWindow& window, CardPanel& card, QObject* parent = nullptr);

    // The size list of the card pages.
    void Create_List(const QString& name);
    QString Get_Item_Text(int row) const { return m_sizes.Get_Item_Text(row); }
    // No orientation chosen, or the custom size (index 2).
    bool IS_Custom_Card_Option_Selected() const;
    // Makes the row the only selected one, unless the custom size is chosen.
    void Mark_List_New_Selection(int row);
    // Applies the size of that row of the chosen category and orientation to the card.
    void Change_Value_According_List_Selection(int row);

    // The group list: its rows are the records of the group.
    GroupListData& groupList() { return m_groups; }
    QTableView& GroupList() const { return *m_groupList; }
    // Asked before the group list's selected record changes (GroupRowSelection).
    void setGroupRowGate(std::function<bool(int row)> gate);
    void Create_Group_List(const QString& name) { m_groups.Create_Group_List(name); }
    void Mark_Group_List_New_Selection(int row);

    // The width and height fields (user unit) to the card; the design follows a new preset.
    void Apply_Size_Clicked();
    void Card_Width_Changed();
    void Card_Height_Changed();
    // The printer's paper size through the page setup dialog; Cancel changes nothing.
    void Page_From_Printer_Click();
    // True when it moved the elements or read the template's other orientation.
    bool Card_Control_Size_Change_or_not();
    // A size in millimetres shown in the fields in the user's unit.
    void Set_Card_Size_In_Control(QSizeF millimetres);
    // The card's own size in points shown in the fields: while they keep showing it, a writer
    // takes it to the last digit, not as the fields round it.
    void Show_Card_Size(QSizeF points);

    // The unit captions of the card size and of the element position and size fields.
    void _setLabels();
    // The card size fields from last_unit_val into Measument_Unit_Is.
    void Apply_unit_Chaneg_Values();
    // The unit dialog; OK applies the unit chosen there.
    void doPreferences();
    void On_OK_of_Unit_Panel(int unit);

    // Orientation and category by index, then the size row, as a start window chose them; the
    // caller holds the change guard, so no size is applied yet.
    void showSizeChoice(int preset, int category, int row);
    // The size page's part of showing the card pages: orientation, category, size row.
    void loadSizePage(const Card_Property& side);

    void Preset_ComboBox_Changed();
    void Category_ComboBox_Changed();

private:
    void connectControls();
    // Width and height in the user's unit into the fields, whose range and unit follow that unit
    // (the card side's bounds converted), with no change signal.
    void showSizeInUnit(float width, float height);
    // The size the fields stand for: what they were last filled from while they still show it,
    // a value typed or chosen since read in the unit.
    QSizeF sizeInPoints(int unit) const;
    void rememberShownSize(QSizeF points);
    void fillSizeList();
    int selectedSizeRow() const;
    // The size in millimetres of that row for the chosen orientation and category.
    QSizeF presetOfRow(int row) const;
    // The row of the size list whose preset is the card's size now, -1 for none.
    int rowOfCardSize() const;
    // With no size row chosen, a change between "Horizontal" and "Vertical" turns the card as it
    // is, as it turns the presets.
    void turnCard(const QString& previousPreset);
    void enableSizeControls();

    InspectorView& m_view;
    InspectorWindow& m_window;
    CardPanel& m_card;
    ListData m_sizes;
    GroupListData m_groups;
    QTableView* m_groupList = nullptr;
    // The card's size in points the fields were last filled from, and the values they showed
    // for it; empty when they were filled from anything else.
    QSizeF m_shownPoints;
    QSizeF m_shownValues;
};
