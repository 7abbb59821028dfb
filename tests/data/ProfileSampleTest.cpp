// The sample value a profile form shows for a field bound to a series.
#include <QFile>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

}  // namespace
