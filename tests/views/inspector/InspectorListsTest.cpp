// The card-size list and the group list as item models.
#include <gtest/gtest.h>

#include "views/inspector/InspectorLists.h"

namespace {

QStringList logged;

void collect(QtMsgType, const QMessageLogContext&, const QString& text)
{
    logged.append(text);
}

}  // namespace

TEST(InspectorListsTest, SizeListSkipsBlanksGroupListKeepsThem)
{
    ListData sizes;
    GroupListData group;
    for (const QString& name : {QStringLiteral("  CR80\n"), QStringLiteral(" \t "), QStringLiteral("CR79")}) {
        sizes.Create_List(name);
        group.Create_Group_List(name);
    }
    EXPECT_EQ(sizes.rowCount(), 2);
    EXPECT_EQ(sizes.Get_Item_Text(0), QStringLiteral("CR80"));
    EXPECT_EQ(sizes.data(sizes.index(1)), QStringLiteral("CR79"));
    EXPECT_EQ(group.rowCount(), 3);
    EXPECT_EQ(group.Get_Item_Text(1), QString());
    for (int row : {-1, 3, 100})
        EXPECT_EQ(group.Get_Item_Text(row), QString()) << row;
    EXPECT_EQ(sizes.headerData(0, Qt::Horizontal), QStringLiteral("Extension"));
    EXPECT_EQ(group.headerData(0, Qt::Horizontal), QStringLiteral("BatchList"));
}

TEST(InspectorListsTest, EditsStoreInRangeAndLogTheRest)
{
    ListData sizes;
    GroupListData group;
    sizes.Create_List(QStringLiteral("CR80"));
    group.Create_Group_List(QStringLiteral("Ann"));
    EXPECT_TRUE(sizes.flags(sizes.index(0)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(sizes.setData(sizes.index(0), QStringLiteral("CR90")));
    EXPECT_EQ(sizes.Get_Item_Text(0), QStringLiteral("CR90"));

    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    const bool outOfRange = sizes.setData(sizes.index(3), QStringLiteral("lost"));
    const bool otherModels = sizes.setData(group.index(0), QStringLiteral("lost"));
    qInstallMessageHandler(previous);
    EXPECT_FALSE(outOfRange);
    EXPECT_FALSE(otherModels);
    EXPECT_EQ(sizes.rowCount(), 1);
    EXPECT_EQ(sizes.Get_Item_Text(0), QStringLiteral("CR90"));
    EXPECT_EQ(group.Get_Item_Text(0), QStringLiteral("Ann"));
    EXPECT_EQ(logged.size(), 2);
}
