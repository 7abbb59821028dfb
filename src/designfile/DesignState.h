#pragma once
// Everything a design file holds, apart from any window: the work mode, the card settings of
// both sides, the spreadsheet binding with its table, the group-mode column bindings and the
// elements of both sides.
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "data/Data_From_Excel.h"
#include "model/Card_Property.h"
#include "model/SKTGraphic.h"

// The group mode binds twelve profile fields to spreadsheet columns; -1 is no column.
inline constexpr int kGroupColumnBindingCount = 12;
using GroupColumnBindings = std::array<qint32, kGroupColumnBindingCount>;
GroupColumnBindings unboundGroupColumns();

// A text or picture element that the visitor and group-mode panels show as a row.
struct DynamicControl {
    QString controlId;
    QString value;      // a text element's text, a picture element's file path
    bool visible = false;
    qint32 column = -1; // the bound spreadsheet column, -1 when not bound to the spreadsheet
    QString kind;       // "T" text, "P" picture
    // What the panel names the row by: a caption's text, a value's caption, a picture field's name;
    // the identifier when there is none.
    QString caption;

    // The five strings the panels read: identifier, value, "Y"/"N", column, kind.
    QStringList toStrings() const;
    bool operator==(const DynamicControl&) const = default;
};

// The panel rows of a side: one per text or picture element with an identifier of its own (not a
// profile field "Fup_..." nor an extra picture "F_Pic..."), then a row for each label without its
// field ("F_field<name>") and each field without its label ("F_label<name>"). A picture field
// keeps its name as its element's text.
QList<DynamicControl> Dynamic_Controls_Of_Side(const GraphicList& elements);

struct DesignState {
    QString startMode;  // "L", "V", "G", "T", "W" or empty; "T" for a template
    Card_Property front;
    Card_Property back;
    bool excelBindingUse = false;
    QString excelSourcePath;
    QStringList columnTitles;  // every column of the loaded table, the row-number column included
    QList<DataRow> rows;
    GroupColumnBindings groupColumns = unboundGroupColumns();
    GraphicList frontElements;  // every element, hidden ones included, in list order
    GraphicList backElements;
    // Filled by the reader from the elements read.
    QList<DynamicControl> dynamicFront;
    QList<DynamicControl> dynamicBack;
};
