// The panel rows a side's added fields give: a caption "F_label<name>" and its value
// "F_field<name>" find each other by the name, spaces around it not counted, and either one alone
// gets a hidden partner row, as an opened design's panels show them.
#include <gtest/gtest.h>
#include <string>

#include "designfile/DesignState.h"
#include "model/SKTGraphic.h"

namespace {

GraphicPtr textWithId(const char* id, const char* text)
{
    GraphicPtr element = SKTGraphic::create(GraphicKind::Text);
    element->control_ID = QLatin1String(id);
    element->Set_text_value(QLatin1String(text));
    element->Set_Ctrl_Is_Visible(true);
    return element;
}

// Each row as "identifier|caption|shown", the rows joined by " / ".
std::string rowsOf(const GraphicList& side)
{
    QStringList rows;
    for (const DynamicControl& row : Dynamic_Controls_Of_Side(side))
        rows << QStringLiteral("%1|%2|%3").arg(row.controlId, row.caption, row.visible ? QStringLiteral("Y") : QStringLiteral("N"));
    return rows.join(QStringLiteral(" / ")).toStdString();
}

TEST(AddedFieldRows, ACaptionAndItsValueFindEachOtherByTheirNameAndALoneOneGetsAHiddenPartner)
{
    const struct {
        const char* what;
        GraphicList side;
        QStringList rows;
    } cases[] = {
        {"a pair",
         {textWithId("F_labelBlood", "Blood group :"), textWithId("F_fieldBlood", "O+")},
         {"F_labelBlood|Blood group :|Y", "F_fieldBlood|Blood group :|Y"}},
        {"a pair whose identifiers carry spaces",
         {textWithId("F_label3 ", "Lanyard :"), textWithId("F_field 3", "Blue")},
         {"F_label3 |Lanyard :|Y", "F_field 3|Lanyard :|Y"}},
        {"a pair of an older version",
         {textWithId("B_label6", "Desk :"), textWithId("B_field6", "7")},
         {"B_label6|Desk :|Y", "B_field6|Desk :|Y"}},
        {"a value alone", {textWithId("F_field4", "x")}, {"F_field4|4|Y", "F_label4|F_label4|N"}},
        {"a caption alone", {textWithId("F_label5", "Floor :")}, {"F_label5|Floor :|Y", "F_field5|Floor :|N"}},
        {"the profile's own and the program's extra pictures", {textWithId("Fup_Name", "Ana"), textWithId("F_Pic1", "p")}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rowsOf(c.side), c.rows.join(QStringLiteral(" / ")).toStdString()) << c.what;
}

}  // namespace
