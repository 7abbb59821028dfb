// The sample value a profile form shows for a field bound to a series or a spreadsheet column.
#include <QFile>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SeriesFiles.h"
#include "platform/AppContext.h"

namespace {

TEST(ProfileSample, TheFirstLineAsItStandsAndASpaceForAnEmptyOne)
{
    QTemporaryDir folder;
    const QScopedValueRollback dataFolder(Data_Folder_Path, folder.path());
    const auto write = [&](const char* name, const QByteArray& lines) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
    };
    write("Names.txt", " Ada \nGrace\n");
    write("Gaps.txt", "\nGrace\n");
    EXPECT_EQ(Get_Profile_Sample_Of_Dataset("Names"), QStringLiteral(" Ada "));
    EXPECT_EQ(Get_Profile_Sample_Of_Dataset("Gaps"), QStringLiteral(" "));
    EXPECT_EQ(Get_Profile_Sample_Of_Dataset("Missing"), QString());
}

// A row's cell, a space for an empty one, nothing for a row the table does not have.
TEST(ProfileSample, TheCellOfTheRecordShown)
{
    Data_From_Excel& table = Loaded_Data_Table();
    const QScopedValueRollback columns(table.ColList);
    const QScopedValueRollback rows(table.ListData);
    table.ColList.removeDataColumns();
    table.ListData.clear();
    table.ColList.addColumn(Column_Key_For_Index(1), QStringLiteral("Name"));
    for (const QString& name : {QStringLiteral("Ada"), QString()})
        table.Create_List_By_Array({name}, 1);
    const QList<std::optional<QString>> samples{Get_Value_Of_Excel_Binding(0, 1), Get_Value_Of_Excel_Binding(1, 1),
                                                Get_Value_Of_Excel_Binding(2, 1), Get_Value_Of_Excel_Binding(-1, 1)};
    EXPECT_EQ(samples, (QList<std::optional<QString>>{QStringLiteral("Ada"), QStringLiteral(" "), QString(), QString()}));
}

}  // namespace
