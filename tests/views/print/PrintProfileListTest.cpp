// Print profiles: the table of named settings files, loading a row into the window, Add, Edit,
// Save and Delete, and the files another program reads.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "StandInPrinters.h"
#include "platform/PropertyList.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/PrintProfileList.h"
#include "views/print/PrintWindowLogic.h"

namespace {

QStringList profile(const QString& sides, const QString& layout, const QString& series = QStringLiteral("N"))
{
    return {"Card Printer", "A4", "210.00 x 297.00", "210.00", "297.00", "Landscape", "3", "2", "4.00", "5.00",
            "2.00", "0", "0", "0", "0", "6", "N", sides, layout, "Y", "FV", "N", series, "N", "Y", "N"};
}

struct ProfileWindow {
    explicit ProfileWindow(bool twoSided = true)
    {
        QPageLayout portrait = printInfo();
        portrait.setOrientation(QPageLayout::Portrait);
        setPrintInfo(portrait);
        logic.Open({twoSided, 0, false, false, {}, {}});
        logic.Width_Changed(50);
        logic.Height_Changed(30);
        list.nameSheet = [this](const QString& name, const QString& printer) {
            sheetCalls.append({name, printer});
            return answer;
        };
    }
    void writeFile(const QString& fileName, const QVariant& value)
    {
        ASSERT_TRUE(PropertyList::writeFile(folder.filePath(fileName), value, PropertyList::Format::Xml));
    }
    void writeProfile(const QString& fileName, const QStringList& items)
    {
        QVariantList values;
        for (const QString& item : items)
            values.append(item);
        writeFile(fileName, values);
    }
    QStringList names() const
    {
        QStringList result;
        for (const PrintProfileEntry& entry : list.ListData_profile())
            result.append(entry.name);
        return result;
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir folder;
    StandInPrinters printers;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scoped{messages};
    PrintSheetSettings settings;
    PrintWindowLogic logic{settings};
    PrintProfileList list{logic, PrintProfileStore(folder.path())};
    std::optional<ProfileNameAnswer> answer;
    QList<QStringList> sheetCalls;
};

}  // namespace

TEST(PrintProfileListTest, ASavedProfileIsTwentySixStringsAndReloadsIntoTheSameWindow)
{
    ProfileWindow w;
    w.logic.printerSelected("Card Printer");
    w.logic.orientationSelected(1);
    w.logic.Col_Changed(3);
    w.logic.Row_Changed(2);
    w.logic.Horz_Margin_Changed(4.5);
    w.logic.Vert_Margin_Changed(2.25);
    w.logic.Side_Margin_Changed(3);
    w.logic.bothLayoutSelected(2);
    w.logic.alignmentClicked(8);
    w.logic.Mirror_image_chk_clicked(true);
    w.logic.Mirror_Image_Type_CellClick(1);
    w.logic.Enable_Crop_Mark_clicked(true);
    w.logic.Show_Margin_Checked(false);
    const PrintWindowFields saved = w.logic.fields;
    const QStringList savedItems = w.logic.profileItems("Card Printer");
    const PrintSheetSettings published = w.settings;
    w.answer = ProfileNameAnswer{"Card Printer", "Office"};
    w.list.Add_profile_btn_clicked();
    EXPECT_EQ(w.messages.texts(), QStringList({"\nPrint Profile has been saved successfully."}));
    ASSERT_EQ(w.files(), QStringList({"Office.zvp"}));

    const auto read = TestEnvironment::runPython(
        "import plistlib,sys\n"
        "a=plistlib.load(open(sys.argv[1],'rb'))\n"
        "assert len(a)==26 and all(isinstance(s,str) for s in a), a\n"
        "print('|'.join(a))\n",
        {w.folder.filePath("Office.zvp")});
    ASSERT_EQ(read.exitCode, 0) << read.err.constData();
    EXPECT_EQ(QString::fromUtf8(read.out).trimmed(),
              "Card Printer|A4|297.00 x 210.00|297.00|210.00|Landscape|2|2|4.50|2.25|3.00|1.76|1.76|1.76|1.76"
              "|8|N|BOTH|2|Y|FV|N|N|N|Y|N");

    // Another state, then the profile chosen again.
    w.logic.printerSelected("Office Laser");
    w.logic.orientationSelected(0);
    w.logic.bothLayoutSelected(4);
    w.logic.Mirror_image_chk_clicked(false);
    w.logic.alignmentClicked(1);
    w.list.Make_select_on_index(0);
    EXPECT_EQ(w.logic.fields.printer, "Card Printer");
    EXPECT_EQ(w.logic.fields.orientation, 1);
    EXPECT_EQ(std::pair(w.logic.fields.rows, w.logic.fields.columns), std::pair(saved.rows, saved.columns));
    EXPECT_DOUBLE_EQ(w.logic.fields.horzGap, 4.5);
    EXPECT_DOUBLE_EQ(w.logic.fields.vertGap, 2.25);
    EXPECT_DOUBLE_EQ(w.logic.fields.sideMargin, 3);
    EXPECT_EQ(w.logic.fields.bothLayout, 2);
    EXPECT_EQ(w.logic.fields.align, 8);
    EXPECT_EQ(w.logic.fields.mirrorColumn, 1);
    EXPECT_EQ(w.logic.profileItems("Card Printer"), savedItems);
    EXPECT_EQ(w.settings.Print_Card_Algn, "L");
    EXPECT_EQ(w.settings.label_align_val, 8);
    EXPECT_TRUE(w.settings.Mirror_Image_Create && w.settings.Mirror_Vertical_Not_Horz && w.settings.Enable_Crop_Marks);
    EXPECT_FALSE(w.settings.Show_margin_rect);
    EXPECT_EQ(std::pair(w.settings.Print_Row, w.settings.Print_Col), std::pair(published.Print_Row, published.Print_Col));
    EXPECT_FLOAT_EQ(w.settings.label_width, published.label_width);
    EXPECT_FLOAT_EQ(w.settings.paperWidth, published.paperWidth);
}

TEST(PrintProfileListTest, SidesAndLayoutIndexesFollowTheDesign)
{
    ProfileWindow twoSided;
    twoSided.writeProfile("Duplex.zvp", profile("BOTH", "3"));
    twoSided.list.Load_Print_Profile();
    EXPECT_EQ(twoSided.logic.fields.sideRow, 0);
    EXPECT_EQ(twoSided.settings.Print_Card_Algn, "DU");
    EXPECT_TRUE(twoSided.settings.Duplex_Printing);
    EXPECT_EQ(std::pair(twoSided.logic.fields.rows, twoSided.logic.fields.columns), std::pair(1, 1));
    EXPECT_FALSE(twoSided.logic.fields.sideMarginEnabled || twoSided.logic.fields.rowsColumnsEnabled);

    ProfileWindow oneSided(false);
    oneSided.writeProfile("Back.zvp", profile("B", "0"));
    oneSided.list.Load_Print_Profile();
    EXPECT_EQ(oneSided.logic.fields.sideRow, 1);
    EXPECT_EQ(oneSided.settings.Print_Card_Side, "F");

    // A duplex profile in a one-sided design: the index goes into the one-side list's range.
    oneSided.writeProfile("Back.zvp", profile("BOTH", "3"));
    oneSided.list.Load_Print_Profile();
    EXPECT_EQ(oneSided.logic.fields.oneLayout, 1);
    EXPECT_EQ(oneSided.settings.Print_One_Card_Algn, "D");
    EXPECT_EQ(oneSided.logic.profileItems("x")[18], "1");
    EXPECT_FALSE(oneSided.logic.loading());
    EXPECT_EQ(oneSided.settings.Print_Row, 3);
}

TEST(PrintProfileListTest, TheSeriesBoxIsOnlyTurnedOnForADesignThatUsesSeries)
{
    ProfileWindow w;
    w.writeProfile("Series.zvp", profile("BOTH", "0", "Y"));
    w.list.Load_Print_Profile();
    EXPECT_FALSE(w.logic.fields.series);
}

TEST(PrintProfileListTest, EachRowUsesItsOwnFileForLoadSaveAndDelete)
{
    ProfileWindow w;
    w.writeProfile("Default.zvp", profile("BOTH", "0"));
    w.writeProfile("Office.ZVP", profile("BOTH", "1"));
    w.writeFile("Notes.txt", QVariantList{});
    w.list.Load_Print_Profile();
    EXPECT_EQ(w.names(), QStringList({"Default", "Office"}));
    EXPECT_FALSE(w.list.deleteEnabled());

    w.list.Make_select_on_index(1);
    EXPECT_TRUE(w.list.deleteEnabled());
    EXPECT_EQ(w.settings.Print_Card_Algn, "U");
    w.logic.Col_Changed(1);
    w.list.Save_profile_btn_clicked();
    EXPECT_EQ(w.files(), QStringList({"Default.zvp", "Notes.txt", "Office.ZVP"}));
    EXPECT_EQ(PropertyList::readFile(w.folder.filePath("Office.ZVP"))->toList().value(7).toString(), "1");
    EXPECT_EQ(w.list.selectedRow(), 1);

    w.messages.queueAnswers({0});  // Yes
    w.list.Delete_profile_btn_clicked();
    EXPECT_EQ(w.files(), QStringList({"Default.zvp", "Notes.txt"}));
    EXPECT_EQ(w.names(), QStringList({"Default"}));
}

TEST(PrintProfileListTest, EditUnderANewNameMovesTheFileAndNamesAreCleaned)
{
    ProfileWindow w;
    w.writeProfile("Office.zvp", profile("BOTH", "0"));
    w.list.Load_Print_Profile();
    w.answer = ProfileNameAnswer{"Office Laser", "Office A"};
    w.list.Edit_profile_btn_clicked();
    EXPECT_EQ(w.sheetCalls.value(0), QStringList({"Office", "Card Printer"}));
    EXPECT_EQ(w.files(), QStringList({"Office A.zvp"}));
    EXPECT_EQ(w.names().value(w.list.selectedRow()), "Office A");

    EXPECT_EQ(cleanProfileName("/Cards/"), "Cards");
    EXPECT_EQ(cleanProfileName(" a/b "), "a_b");
    EXPECT_EQ(profileNameRefusal("Office Laser", "DeFault").value_or(""),
              "This is a Default profile name.\n\nPlease enter another profile name.");
    EXPECT_EQ(profileNameRefusal("", "Cards").value_or(""), "Please select printer.");
    EXPECT_EQ(profileNameRefusal("Office Laser", "  ").value_or(""), "Please enter profile name.");
    EXPECT_FALSE(profileNameRefusal("Office Laser", "Cards"));

    w.messages.queueAnswers({});
    w.list.Make_select_on_index(5);
    EXPECT_EQ(w.list.selectedRow(), 0);
}

TEST(PrintProfileListTest, ButtonsWithoutARowAndBrokenFilesChangeNothing)
{
    ProfileWindow w;
    w.list.Edit_profile_btn_clicked();
    w.list.Save_profile_btn_clicked();
    w.list.Delete_profile_btn_clicked();
    EXPECT_EQ(w.messages.texts(), QStringList(3, "\nPlease select a print profile"));
    EXPECT_TRUE(w.sheetCalls.isEmpty());

    w.logic.Col_Changed(2);
    QStringList shortList = profile("BOTH", "2");
    shortList.removeLast();
    w.writeProfile("Short.zvp", shortList);
    w.writeFile("Numbers.zvp", QVariantList{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                            22, 23, 24, 25, 26});
    QFile garbage(w.folder.filePath("Garbage.zvp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a property list");
    garbage.close();
    const QStringList before = w.logic.profileItems("p");
    w.list.Load_Print_Profile();
    for (int row = 0; row < 3; ++row)
        w.list.Make_select_on_index(row);
    EXPECT_EQ(w.names(), QStringList({"Garbage", "Numbers", "Short"}));
    EXPECT_EQ(w.logic.profileItems("p"), before);
}
