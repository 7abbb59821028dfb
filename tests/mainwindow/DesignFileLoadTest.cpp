// Saving the open design and loading a design file into the live objects; files that are refused.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

#include "mainwindow/DesignFileSamples.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/designfile/DesignElementRecords.h"
#include "mainwindow/designfile/DesignFileController.h"
#include "platform/PropertyList.h"
#include "support/ScriptedMessagePresenter.h"

namespace {

QStringList captured;
void captureLog(QtMsgType, const QMessageLogContext&, const QString& text) { captured.append(text); }

// Message boxes show their text below an empty line.
QStringList shown(const QString& text) { return {QLatin1Char('\n') + text}; }

QVariantList entriesOf(const GraphicList& elements)
{
    QVariantList entries;
    for (const GraphicPtr& element : elements)
        entries.append(QVariant(Get_Control_Prop_To_Array(*element)));
    return entries;
}

// The reset is the main window's to run; tests start a new design with it directly.
class ResettableController : public DesignFileController {
public:
    using DesignFileController::DesignFileController;
    using DesignFileController::New_Project_Setting_Reset;
};

class DesignFileLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        picture = dir.filePath(QStringLiteral("photo.png"));
        QImage photo(40, 50, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        photo.save(picture);
        Start_Card_Option = QStringLiteral("G"), CARD_SIDE_STR = QStringLiteral("2"), Card_Front_Or_Back = 0;
        Not_Draw_Only_Prop_Change = false, Project_File_Name.clear();
        Data_Folder_Path = dir.filePath(QStringLiteral("DataSet"));
    }
    void TearDown() override
    {
        Start_Card_Option.clear(), Excel_Binding_Use = false, Excel_Source_Path.clear();
        // Every file written as an XML property list; the cut, plain and binary ones are not.
        DesignSamples::expectPlistToolsAccept(QDir(dir.path()), {"cut.did", "old.did", "bin.did"});
    }

    // The sample design as the open one.
    void openSample()
    {
        design = DesignSamples::fullDesign(picture);
        front = design.front, back = design.back;
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, design.frontElements);
        document.replaceGraphicsOnSide(SKTDocument::BackSide, design.backElements);
        table.ColList.removeDataColumns();
        for (int i = 1; i < design.columnTitles.size(); ++i)
            table.ColList.addColumn(Column_Key_For_Index(i), design.columnTitles[i]);
        table.ListData = design.rows;
        Excel_Binding_Use = design.excelBindingUse, Excel_Source_Path = design.excelSourcePath;
        controller.excel_cb_value = design.groupColumns;
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QVariantList itemsAt(const QString& file) { return PropertyList::readFile(file).value_or(QVariant()).toList(); }
    void writeItems(const QString& file, const QVariantList& items)
    {
        ASSERT_TRUE(PropertyList::writeFile(file, items, PropertyList::Format::Xml));
    }

    QTemporaryDir dir;
    QString picture;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter presenterScope{messages};
    SKTDocument document;
    Card_Property front, back;
    Data_From_Excel table;
    ResettableController controller{document, front, back};
    DesignState design;
};

TEST_F(DesignFileLoad, SavingAndOpeningRestoresBothSidesTheTableAndTheBindings)
{
    openSample();
    ASSERT_TRUE(controller.Save_project_file(QStringLiteral("  ") + path("g.did"), true, QStringLiteral("L")));
    EXPECT_EQ(messages.texts(), shown(kDesignSavedMessage));
    const QVariantList frontEntries = entriesOf(document.graphics()), backEntries = entriesOf(document.graphics_back());

    // Another design is open, in another mode, with another table.
    controller.New_Project_Setting_Reset(true);
    table.ListData.clear(), table.ColList.removeDataColumns(), Excel_Binding_Use = false;
    Start_Card_Option = QStringLiteral("L");
    Card_Front_Or_Back = 1;

    ASSERT_EQ(controller.Read_and_load_design_Log_NEW_METHOD(path("g.did"), QStringLiteral("L"), true), 1);
    EXPECT_EQ(entriesOf(document.graphics()), frontEntries) << "hidden shape placed too";
    EXPECT_EQ(entriesOf(document.graphics_back()), backEntries);
    EXPECT_FALSE(document.graphics()[3]->_contents.isNull()) << "the picture loaded from its file";
    EXPECT_TRUE(front == design.front);
    EXPECT_EQ(back.Card_BG_Image_Path(), picture);
    EXPECT_EQ(table.ColList.titles(), (QStringList{"No.", "Name", "Untitled Column 3", "Photo"}));
    EXPECT_EQ(table.ColList.at(3).identifier, "Column3");
    EXPECT_EQ(table.ListData, design.rows);
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_EQ(controller.excel_cb_value, design.groupColumns);
    EXPECT_EQ(controller.dynamic_ctrl_list_back.size(), 2);
    EXPECT_EQ(Start_Card_Option, "L") << "an opened design puts the run in mode L";
    EXPECT_EQ(Project_File_Name, path("g.did"));
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    EXPECT_TRUE(document.undoManager().isUndoRegistrationEnabled());
}

TEST_F(DesignFileLoad, TemplateFormDropsTheTableAndEveryBindingAndReadingOneKeepsTheCurrentTable)
{
    openSample();
    ASSERT_TRUE(controller.Save_project_file(path("t.did"), false, QStringLiteral("T")));
    EXPECT_TRUE(messages.texts().isEmpty());
    const QVariantList items = itemsAt(path("t.did"));
    EXPECT_EQ(items[1].toString(), "T");
    EXPECT_TRUE(items[72].toList().isEmpty());
    EXPECT_TRUE(items[73].toList().isEmpty());
    for (const int at : {87, 90, 91}) {  // text, image, barcode
        const QVariantList binding = items[at].toList().mid(20, 5);
        EXPECT_EQ(binding, (QVariantList{"0", "", "-1", "N", "-1"})) << at;
    }
    EXPECT_EQ(document.graphics()[0]->data_source_type, 0) << "the open design loses its bindings too";

    const QList<DataRow> rows = table.ListData;
    Start_Card_Option = QStringLiteral("T");
    ASSERT_EQ(controller.Read_and_load_design_Log_NEW_METHOD(path("t.did"), QStringLiteral("T"), false), 1);
    EXPECT_EQ(table.ListData, rows);
    EXPECT_EQ(table.ColList.count(), 4);
    EXPECT_EQ(Project_File_Name, "");
    EXPECT_EQ(Start_Card_Option, "T");
    EXPECT_EQ(controller.excel_cb_value, design.groupColumns);
}

TEST_F(DesignFileLoad, SidesChoiceAndBackgroundPathsAreSetOnSavingAndOneSidedCardsOpenOnTheFront)
{
    openSample();
    CARD_SIDE_STR = QStringLiteral("1");
    front.setCard_BG_Image_Path(picture);  // the front's fill is a gradient, not a picture
    ASSERT_TRUE(controller.Save_project_file(path("one.did"), false, QStringLiteral("L")));
    const QVariantList items = itemsAt(path("one.did"));
    EXPECT_EQ(items[15].toString(), "1");
    EXPECT_EQ(items[49].toString(), "1");
    EXPECT_EQ(items[26].toString(), "");
    EXPECT_EQ(items[60].toString(), picture);
    EXPECT_EQ(front.Card_BG_Image_Path(), "");

    CARD_SIDE_STR = QStringLiteral("2"), Card_Front_Or_Back = 1;
    ASSERT_EQ(controller.Read_and_load_design_Log_NEW_METHOD(path("one.did"), QStringLiteral("L"), true), 1);
    EXPECT_EQ(CARD_SIDE_STR, "1");
    EXPECT_EQ(Card_Front_Or_Back, 0);
}

TEST_F(DesignFileLoad, FailedSaveSaysSoForgetsTheFileNameAndLeavesTheOldFileWhole)
{
    openSample();
    Project_File_Name = path("missing/a.did");
    EXPECT_FALSE(controller.Save_project_file(Project_File_Name, true, QStringLiteral("L")));
    EXPECT_EQ(messages.texts(), shown(kDesignNotSavedMessage));
    EXPECT_EQ(Project_File_Name, "");
    EXPECT_FALSE(QFile::exists(path("missing/a.did")));

    // A disk that fills up half-way through the write.
    QFile old(path("old.did"));
    old.open(QIODevice::WriteOnly), old.write("the design saved before"), old.close();
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = controller.Save_project_file(path("old.did"), true, QStringLiteral("L"));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.texts().last(), shown(kDesignNotSavedMessage).first());
    old.open(QIODevice::ReadOnly);
    EXPECT_EQ(old.readAll(), "the design saved before");
}

TEST_F(DesignFileLoad, BadFilesAreRefusedAndLeaveTheOpenDesignAsItWas)
{
    openSample();
    ASSERT_TRUE(controller.Save_project_file(path("good.did"), false, QStringLiteral("L")));
    const QVariantList good = itemsAt(path("good.did"));
    const auto withItem = [&](int at, const QVariant& value) {
        QVariantList items = good;
        items[at] = value;
        return items;
    };
    const auto withEntryItem = [&](int at, int inner, const QVariant& value) {
        QVariantList entry = good[at].toList();
        entry[inner] = value;
        return withItem(at, QVariant(entry));
    };
    const struct { const char* what; QVariantList items; int index; } cases[] = {
        {"wrong marker", withItem(0, "ZOVAMACIDCARDS"), 0},
        {"front count beyond the items", withItem(86, "9"), 86},
        {"front count one too many", withItem(86, "7"), 93},
        {"negative front count", withItem(86, "-1"), 86},
        {"front count not a number", withItem(86, "six"), 86},
        {"back count beyond the items", withItem(93, "3"), 93},
        {"truncated after the counts", good.mid(0, 90), 86},
        {"card size too large", withItem(20, "{1e9, 100}"), 20},
        {"negative card size", withItem(54, "{-5, 100}"), 54},
        {"not-a-number bounds", withEntryItem(88, 1, "{{nan, 0}, {10, 10}}"), 88},
        {"huge bounds", withEntryItem(88, 1, "{{0, 0}, {1e12, 10}}"), 88},
        {"wrong entry length", withItem(89, QVariant(good[89].toList().mid(0, 24))), 89},
        {"text where an array belongs", withItem(72, "Name"), 72},
        {"row holding a number", withItem(73, QVariantList{QVariantMap{{"Column1", 5}}}), 73},
        {"group column below -1", withItem(74, "-2"), 74},
        {"font without its separator", withEntryItem(87, 25, "DejaVu Sans 12"), 87},
        {"data source type out of range", withEntryItem(87, 20, "7"), 87},
    };
    const GraphicList openFront = document.graphics();
    const Card_Property openCard = front;
    for (const auto& c : cases) {
        DesignFileError error;
        EXPECT_FALSE(designStateFromItems(c.items, &error)) << c.what;
        EXPECT_EQ(error.itemIndex, c.index) << c.what << ": " << qPrintable(error.reason);

        writeItems(path("bad.did"), c.items);
        EXPECT_EQ(controller.Read_and_load_design_Log_NEW_METHOD(path("bad.did"), QStringLiteral("L"), true), 0);
        EXPECT_EQ(messages.texts().last(), shown(kCorruptDesignFileMessage).first()) << c.what;
        EXPECT_EQ(document.graphics(), openFront) << c.what;
        EXPECT_TRUE(front == openCard) << c.what;
        EXPECT_EQ(table.ListData, design.rows) << c.what;
    }
    QFile whole(path("good.did")), truncated(path("cut.did"));
    whole.open(QIODevice::ReadOnly), truncated.open(QIODevice::WriteOnly);
    truncated.write(whole.readAll().left(4000)), truncated.close();
    EXPECT_EQ(controller.Read_and_load_design_Log_NEW_METHOD(path("cut.did"), QStringLiteral("L"), true), 0);
    EXPECT_EQ(document.graphics(), openFront);

    ASSERT_TRUE(PropertyList::writeFile(path("bin.did"), good, PropertyList::Format::Binary));
    EXPECT_EQ(controller.Read_and_load_design_Log_NEW_METHOD(path("bin.did"), QStringLiteral("L"), true), 1)
        << "binary lists are read too";
}

TEST_F(DesignFileLoad, GarbagePicturesAreMadeAgainUnknownEntriesSkippedAndSeriesStayInTheDataFolder)
{
    openSample();
    ASSERT_TRUE(controller.Save_project_file(path("good.did"), false, QStringLiteral("L")));
    QVariantList items = itemsAt(path("good.did"));
    QVariantList barcode = items[91].toList();
    barcode[25] = QByteArray("\x89PNG\r\n\x1a\n garbage that is no picture");
    barcode[20] = QStringLiteral("1"), barcode[21] = QStringLiteral("../secret");  // a series outside the data folder
    items[91] = barcode;
    QVariantList unknown = items[88].toList();
    unknown[0] = QStringLiteral("Z");
    items[88] = unknown;
    writeItems(path("odd.did"), items);
    QDir().mkpath(Data_Folder_Path);
    QFile secret(dir.filePath(QStringLiteral("secret.txt")));
    secret.open(QIODevice::WriteOnly), secret.write("do not read\n"), secret.close();

    captured.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);
    const int loaded = controller.Read_and_load_design_Log_NEW_METHOD(path("odd.did"), QStringLiteral("L"), true);
    qInstallMessageHandler(previous);
    ASSERT_EQ(loaded, 1);
    ASSERT_EQ(document.graphics().size(), 5) << "the unknown entry is skipped";
    EXPECT_TRUE(captured.filter("unknown kind \"Z\"").size() == 1) << qPrintable(captured.join('\n'));
    const GraphicPtr made = document.graphics()[3];
    ASSERT_EQ(made->kind(), GraphicKind::Barcode);
    EXPECT_FALSE(made->_barcode_image.isNull());
    EXPECT_EQ(made->bounds().size(), made->_barcode_image.deviceIndependentSize());
    EXPECT_EQ(made->bar_image_ctrl_bounds, made->bounds());
    EXPECT_EQ(Barcode_output_image, made->_barcode_image);
    EXPECT_EQ(Get_First_Value_Of_Dataset(QStringLiteral("../secret")), "");

    QFile series(QDir(Data_Folder_Path).filePath(QStringLiteral("Codes.txt")));
    series.open(QIODevice::WriteOnly), series.write("12345 \nsecond\n"), series.close();
    EXPECT_EQ(Get_First_Value_Of_Dataset(QStringLiteral("Codes")), "12345 ");
}

}  // namespace
