#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "output/OutputTestSupport.h"
#include "output/RunSources.h"

using namespace OutputTest;

namespace {

class RunSourcesTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    SeriesStore store{folder.path()};
    Data_From_Excel table;
    RunSources sources{store, table};

    void series(const QString& fileName, const QByteArray& bytes) { writeFile(folder.filePath(fileName), bytes); }
};

}  // namespace

TEST_F(RunSourcesTest, TheRunHasTheRecordsOfItsLongestSourceAndShorterSourcesGiveEmptyValues)
{
    series("Three.txt", "a\nb\nc\n");
    series("Five.txt", "1\n2\n3\n4\n5");
    fillTable(table, {{"r1"}, {"r2"}, {"r3"}, {"r4"}});
    GraphicList front{seriesBound(GraphicKind::Text, "Three"), columnBound(GraphicKind::Text, 1)};
    GraphicList back{seriesBound(GraphicKind::Barcode, "Five")};
    sources.Check_Series_Or_Excel_Use_or_not(front, back, true);
    EXPECT_TRUE(sources.Use_Data_Sheet_Values);
    EXPECT_TRUE(sources.Use_Excel_Binding_Values);
    EXPECT_EQ(sources.Data_table_rows, 5);
    EXPECT_EQ(sources.Excel_table_rows, 4);
    EXPECT_EQ(sources.Total_Batch_Excel_Card, 5);
    const int three = sources.bindingTable().Get_Data_SetIndex_According_Name("three");
    const int five = sources.bindingTable().Get_Data_SetIndex_According_Name("FIVE");
    EXPECT_EQ(sources.Get_sel_row_col_value_of_dataset(2, three), "c");
    EXPECT_EQ(sources.Get_sel_row_col_value_of_dataset(3, three), "");
    EXPECT_EQ(sources.Get_sel_row_col_value_of_dataset(4, five), "5");
    EXPECT_EQ(sources.Get_sel_row_col_value_of_Excel(3, 1), "r4");
    EXPECT_EQ(sources.Get_sel_row_col_value_of_Excel(4, 1), "");
    EXPECT_EQ(sources.Get_sel_row_col_value_of_Excel(2, 0), "3");  // column 0: the row number

    // A one-sided card never looks at the back.
    sources.Check_Series_Or_Excel_Use_or_not(front, back, false);
    EXPECT_EQ(sources.Total_Batch_Excel_Card, 4);
    EXPECT_FALSE(sources.bindingTable().isLoaded(five));
}

TEST_F(RunSourcesTest, UnboundAndExcludedElementsMakeOneCardButAnExcludedSeriesStillCounts)
{
    series("Long.txt", "1\n2\n3\n4\n5\n6");
    series("Short.txt", "x\ny");
    fillTable(table, {{"a"}});
    GraphicPtr excluded = seriesBound(GraphicKind::Text, "Long");
    excluded->print_object = 1;
    GraphicPtr unboundColumn = columnBound(GraphicKind::Text, -1);
    GraphicPtr line = seriesBound(GraphicKind::Line, "Short");
    sources.Check_Series_Or_Excel_Use_or_not({excluded, unboundColumn, line}, {}, true);
    EXPECT_FALSE(sources.Use_Data_Sheet_Values);
    EXPECT_FALSE(sources.Use_Excel_Binding_Values);
    EXPECT_EQ(sources.Total_Batch_Excel_Card, 1);

    sources.Check_Series_Or_Excel_Use_or_not({excluded, seriesBound(GraphicKind::Text, "Short")}, {}, true);
    EXPECT_EQ(sources.Total_Batch_Excel_Card, 6);

    // An empty series is one record with an empty value; a missing one none.
    series("Empty.txt", "");
    sources.Check_Series_Or_Excel_Use_or_not({seriesBound(GraphicKind::Text, "Empty")}, {}, true);
    EXPECT_TRUE(sources.Use_Data_Sheet_Values);
    EXPECT_EQ(sources.Data_table_rows, 1);
    QFile::remove(folder.filePath("Empty.txt"));
    sources.Check_Series_Or_Excel_Use_or_not({seriesBound(GraphicKind::Text, "Empty")}, {}, true);
    EXPECT_EQ(sources.Data_table_rows, 0);
    EXPECT_EQ(sources.Total_Batch_Excel_Card, 1);

    // A bound column over an empty table turns the table source off again.
    table.ListData.clear();
    sources.Check_Series_Or_Excel_Use_or_not({columnBound(GraphicKind::Text, 1)}, {}, true);
    EXPECT_FALSE(sources.Use_Excel_Binding_Values);
    EXPECT_EQ(sources.Total_Batch_Excel_Card, 1);
}

TEST_F(RunSourcesTest, EachSeriesFileIsReadOncePerRunHoweverManyElementsAreBoundToIt)
{
    series("Codes.txt", "1\n2\n3");
    series("Other.txt", "x");
    QStringList reads;
    sources.setSeriesReader([&](const QString& name) {
        reads.append(name);
        return store.readRecords(name);
    });
    GraphicList front{seriesBound(GraphicKind::Text, "Codes"), seriesBound(GraphicKind::Barcode, "codes"),
                      seriesBound(GraphicKind::Image, "CODES")};
    GraphicList back{seriesBound(GraphicKind::Text, "Codes"), seriesBound(GraphicKind::Text, "Other")};
    sources.Check_Series_Or_Excel_Use_or_not(front, back, true);
    for (int n = 0; n < 3; ++n)
        sources.Get_sel_row_col_value_of_dataset(n, 0);
    EXPECT_EQ(reads, (QStringList{"Codes", "Other"}));
}
