// The total, from and to fields of the card-making windows: what a user types is taken as a
// record number within the records, or refused, before anything reads it.
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/FieldTyping.h"
#include "views/output/RecordRangeFields.h"

namespace {

class RecordRangeFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* column = new QVBoxLayout(&window);
        for (CheckedSpinBox* field : {&total, &from, &to})
            column->addWidget(field);
        window.show();
        range.setRecordCount(120);
        range.setSourcesInUse(true);
        range.Set_Tot_Value(120, 120, QStringLiteral("A"));
        from.setValue(1);
    }

    QWidget window;
    CheckedSpinBox total, from, to;
    RecordRangeFields range{total, from, to};
};

TEST_F(RecordRangeFieldsTest, TypedRecordNumbersAreBroughtWithinTheRecords)
{
    typeAndEnter(from, "0");
    EXPECT_EQ(from.value(), 1);
    typeAndEnter(from, "500");
    EXPECT_EQ(from.value(), 120);
    typeAndEnter(from, "37");
    EXPECT_EQ(from.value(), 37);

    typeAndEnter(to, "0");
    EXPECT_EQ(to.value(), 1);
    typeAndEnter(to, "300");
    EXPECT_EQ(to.value(), 120);
    EXPECT_EQ(range.stepperMaximum(), 120);

    typeAndEnter(total, "0");
    EXPECT_EQ(total.value(), 1);
    typeAndEnter(total, "121");
    EXPECT_EQ(total.value(), 120);

    // Text that is no number reads as 0 and shows 1 as it is typed; a lone minus sign too, so a
    // negative number never reaches the fields' readers.
    typeAndEnter(from, "abc");
    EXPECT_EQ(from.value(), 1);
    typeAndEnter(to, "-4");
    EXPECT_EQ(to.value(), 14);
}

TEST_F(RecordRangeFieldsTest, WithoutADataSourceTheTotalGoesToTheLimit)
{
    range.setSourcesInUse(false);
    range.setRecordCount(1);
    typeAndEnter(total, "5000");
    EXPECT_EQ(total.value(), 5000);
    EXPECT_EQ(range.stepperMaximum(), RecordRangeFields::kMaxRecords);
    range.Set_Tot_Value(1200000, 1, QStringLiteral("A"));
    EXPECT_EQ(total.value(), RecordRangeFields::kMaxRecords);
    EXPECT_EQ(to.value(), RecordRangeFields::kMaxRecords);
    range.Set_Tot_Value(0, 1, QStringLiteral("TOT"));
    EXPECT_EQ(total.value(), 1);
    EXPECT_EQ(to.value(), RecordRangeFields::kMaxRecords);
    // The to field stays within the records whatever the sources.
    typeAndEnter(to, "3");
    EXPECT_EQ(to.value(), 1);
}

}  // namespace
