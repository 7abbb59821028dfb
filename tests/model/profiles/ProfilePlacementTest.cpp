// Where new profile elements go, and the unbinding of columns left from an earlier sheet.
#include <gtest/gtest.h>

#include "model/profiles/ProfilePlacement.h"
#include "model/profiles/StaleSheetBindings.h"
#include "model/profiles/User_Profile_Class.h"

namespace {

TEST(ProfilePlacement, TheFrontsShapeChoosesTheLayoutCaptionsSitTenAboveAndOthersGetTheCorner)
{
    const QSizeF landscape(243, 154), portrait(154, 243), square(200, 200);
    EXPECT_EQ(Get_Control_Rect_From_Template(landscape, "Fup_Name"), QRectF(85, 12, 150, 20));
    EXPECT_EQ(Get_Control_Rect_From_Template(landscape, "Fup_lbl_Name"), QRectF(85, 2, 150, 20));
    EXPECT_EQ(Get_Control_Rect_From_Template(landscape, "Fup_UniqueNo"), QRectF(85, 133.5, 150, 20));
    EXPECT_EQ(Get_Control_Rect_From_Template(landscape, "Fup_Photo"), QRectF(10, 20, 65, 80));
    EXPECT_EQ(Get_Control_Rect_From_Template(square, "Fup_Name"), QRectF(85, 12, 150, 20));
    EXPECT_EQ(Get_Control_Rect_From_Template(portrait, "Fup_Name"), QRectF(10, 100, 134, 20));
    EXPECT_EQ(Get_Control_Rect_From_Template(portrait, "Fup_lbl_Title"), QRectF(10, 103, 134, 20));
    EXPECT_EQ(Get_Control_Rect_From_Template(portrait, "Fup_Photo"), QRectF(47, 15, 60, 75));
    for (const char* other : {"Fup_lbl_Photo", "Fup_Date", "Fup_Time", "PARTY_TITLE", ""}) {
        EXPECT_EQ(Get_Control_Rect_From_Template(landscape, other), QRectF(0, 134, 0, 0)) << other;
        EXPECT_EQ(Get_Control_Rect_From_Template(portrait, other), QRectF(0, 223, 0, 0)) << other;
    }
}

TEST(ProfilePlacement, EveryProfileElementLandsOnTheReferenceCardOfItsShape)
{
    for (const QSizeF card : {QSizeF(243, 154), QSizeF(154, 243)}) {
        const QRectF onCard(QPointF(0, 0), card);
        for (const User_Profile_Field& field : User_Profile_Fields()) {
            EXPECT_TRUE(onCard.contains(Get_Control_Rect_From_Template(card, field.valueId))) << field.valueId;
            if (QLatin1String(field.captionId) != QLatin1String("Fup_lbl_Photo")) {
                EXPECT_TRUE(onCard.contains(Get_Control_Rect_From_Template(card, field.captionId))) << field.captionId;
            }
        }
    }
}

GraphicPtr boundElement(GraphicKind kind, const char* id, int type)
{
    GraphicPtr element = SKTGraphic::create(kind);
    element->control_ID = QString::fromLatin1(id);
    element->Set_Data_source_type(type);
    if (type == 2)
        element->Set_Excel_binding_Index(3);
    if (type == 1)
        element->Set_Batch_List_Name(QStringLiteral("Staff"));
    return element;
}

TEST(StaleSheetBindings, TheFilledSideKeepsItsProfileElementsTheOtherSideLosesEveryColumn)
{
    const auto makeSide = [] {
        return GraphicList{boundElement(GraphicKind::Text, "Dept", 2), boundElement(GraphicKind::Barcode, "", 2),
                           boundElement(GraphicKind::Text, "Fup_Name", 2), boundElement(GraphicKind::Text, "Team", 1),
                           boundElement(GraphicKind::Signature, "Sign", 2), boundElement(GraphicKind::Shape, "", 2)};
    };
    const auto types = [](const GraphicList& side) {
        QList<int> list;
        for (const GraphicPtr& e : side)
            list.append(e->excel_binding ? 20 + e->excel_col_indx : e->data_source_type_val());
        return list;
    };
    const GraphicList filled = makeSide();
    Unbind_Stale_Sheet_Columns_Of_Filled_Side(filled);
    EXPECT_EQ(types(filled), QList<int>({0, 0, 23, 1, 23, 23}));
    EXPECT_EQ(filled[0]->excel_col_indx, -1);
    EXPECT_EQ(filled[3]->batch_list_name_val(), QStringLiteral("Staff"));

    const GraphicList other = makeSide();
    Unbind_Stale_Sheet_Columns_Of_Other_Side(other);
    EXPECT_EQ(types(other), QList<int>({0, 0, 0, 1, 23, 23}));
}

} // namespace
