// The series import wizard driven through its fields with scripted answers.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

#include "data/SeriesPictureFolder.h"
#include "data/SeriesTextImport.h"
#include "SeriesWindowFixture.h"
#include "views/series/Import_Excel.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/Import_Wizard.h"
#include "views/series/SeriesDestination.h"
#include "views/series/SheetColumnList.h"

namespace {

class ImportWizardTest : public SeriesWindowFixture {
protected:
    QLineEdit& field(const char* name) { return *wizard.findChild<QLineEdit*>(QLatin1String(name)); }
    // Opens the wizard with these flags and runs the script in it; the wizard's answer.
    int run(int required, int insert, const std::function<void()>& script)
    {
        wizard.flags = {required, insert};
        dialogs.queueHook([&](QDialog&) { script(); });
        return wizard.Open_Wnd();
    }
    int importText(const QString& name, const QString& file)
    {
        return run(1, 0, [&] {
            wizard.Text_RD_Pressed();
            field("Text_file_name").setText(name);
            field("Text_path").setText(file);
            wizard.OKPressed();
        });
    }

    Import_Wizard wizard{links};
};

}  // namespace

TEST_F(ImportWizardTest, TextCsvAndRichTextFilesBecomeSeries)
{
    writeFile(at("names.txt"), "{Alice}\n  Bob  \n\nCarol\n");
    EXPECT_EQ(importText("Names", at("names.txt")), 1);
    EXPECT_EQ(series("Names"), "Alice\nBob\nCarol\n");

    writeFile(at("people.CSV"), "name,city\n\"Smith, John\",Oslo\nsolo\n");
    EXPECT_EQ(importText("People", at("people.CSV")), 1);
    EXPECT_EQ(series("People"), "name\ncity\nSmith, John\nOslo\nsolo\n");

    writeFile(at("letter.rtf"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Helvetica;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                "\\f0 First {\\b\\cf1 run}\\par Caf\\'e9\\line {\\i Last}\\par}");
    EXPECT_EQ(importText("Letter", at("letter.rtf")), 1);
    EXPECT_EQ(series("Letter"), QStringLiteral("First run\nCafé\nLast\n").toUtf8());

    writeFile(at("latin1.txt"), "Zo\xEB\n");
    EXPECT_EQ(importText("Latin", at("latin1.txt")), 0);
    EXPECT_EQ(messages.texts().last(), "\n" + SeriesTextImport::kUnreadableTextMessage);
    EXPECT_EQ(series("Latin"), "<missing>");
}

// A text file is refused unread past 256 MB, the message naming the limit; one of 256 MB is read
// (these are sparse: their NUL bytes are no text).
TEST_F(ImportWizardTest, ATextFilePastTheLimitIsRefusedNamingTheLimit)
{
    const struct {
        qint64 bytes;
        QString message;
    } files[] = {
        {0, "\nPlease select a valid file."},
        {qint64(256) << 20, "\n" + SeriesTextImport::kUnreadableTextMessage},
        {(qint64(256) << 20) + 1,
         "\nPlease select a valid file.\n\nThe file is larger than 256 MB, the largest text file a series is made from."},
    };
    for (const auto& file : files) {
        QFile sparse(at("big.txt"));
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(file.bytes));
        sparse.close();
        EXPECT_EQ(importText("Big", sparse.fileName()), 0) << file.bytes;
        EXPECT_EQ(messages.texts().last(), file.message) << file.bytes;
        EXPECT_EQ(series("Big"), "<missing>") << file.bytes;
    }
}

TEST_F(ImportWizardTest, AnsweringNoKeepsTheOldSeriesAndTheWizardOpen)
{
    writeSeries("Names", "old\n");
    writeFile(at("names.txt"), "new\n");
    messages.queueAnswers({1});  // No
    EXPECT_EQ(importText("Names", at("names.txt")), 0);
    EXPECT_EQ(series("Names"), "old\n");
    messages.queueAnswers({0});  // Yes
    EXPECT_EQ(importText("Names", at("names.txt")), 1);
    EXPECT_EQ(series("Names"), "new\n");
}

TEST_F(ImportWizardTest, TypedLinesAndValuesForTheEditedSeries)
{
    EXPECT_EQ(run(1, 1, [&] {
                  wizard.Manual_RD_Pressed();
                  field("Manual_file_name").setText("Typed");
                  wizard.findChild<QPlainTextEdit*>("ManualEdit")->setPlainText("one\n\n two\nthree\n");
                  wizard.OKPressed();
              }),
              1);
    EXPECT_EQ(series("Typed"), "one\n two\nthree\n");
    EXPECT_EQ(fillLists, 1);
    // A name that names no file saves nothing and keeps the wizard open.
    EXPECT_EQ(run(1, 1, [&] {
                  wizard.Manual_RD_Pressed();
                  field("Manual_file_name").setText("  ");
                  wizard.findChild<QPlainTextEdit*>("ManualEdit")->setPlainText("four\n");
                  wizard.OKPressed();
              }),
              0);
    EXPECT_EQ(seriesFiles(), QStringList({"Typed.txt"}));

    writeFile(at("lf.txt"), "a\nb\n");
    run(0, 1, [&] {
        EXPECT_FALSE(field("Text_file_name").isVisibleTo(&wizard));
        wizard.Text_RD_Pressed();
        field("Text_path").setText(at("lf.txt"));
        wizard.OKPressed();
    });
    EXPECT_EQ(managerValues, QStringList({"a", "b"}));
    EXPECT_EQ(seriesFiles(), QStringList({"Typed.txt"}));
}

TEST_F(ImportWizardTest, PictureFolderGivesPathsAndAnEmptyFolderReplacesNothing)
{
    QDir pictures(at("pictures"));
    ASSERT_TRUE(pictures.mkpath("sub.png"));
    for (const char* name : {"b.JPG", "a.png", "notes.txt", "c.tiff"})
        writeFile(pictures.filePath(name), "x");
    const auto importFolder = [&](const QString& folder) {
        return run(1, 0, [&] {
            wizard.Image_RD_Pressed();
            field("Image_file_name").setText("Photos");
            field("Image_path").setText(folder);
            wizard.OKPressed();
        });
    };
    EXPECT_EQ(importFolder(pictures.path()), 1);
    EXPECT_EQ(series("Photos"), (pictures.filePath("a.png") + "\n" + pictures.filePath("b.JPG") + "\n"
                                 + pictures.filePath("c.tiff") + "\n")
                                    .toUtf8());

    QDir empty(at("empty"));
    ASSERT_TRUE(empty.mkpath("inner"));
    writeFile(empty.filePath("readme.txt"), "x");
    const int asked = int(messages.records().size());
    EXPECT_EQ(importFolder(empty.path()), 0);
    EXPECT_EQ(messages.texts().mid(asked), QStringList({"\n" + kNoPictureInFolderMessage}));
    EXPECT_TRUE(series("Photos").startsWith(pictures.filePath("a.png").toUtf8()));
}

TEST_F(ImportWizardTest, WorkbookColumnsGoToTheEditedSeriesOrToNewSeries)
{
    const QString book = workbook();
    // Without a name: the ticked cells, row by row, into the series being edited.
    dialogs.queueHook([&](QDialog&) {
        wizard.Excel_RD_Pressed();
        field("Excel_path").setText(book);
        dialogs.queueHook([&](QDialog& sheet) {
            auto& window = static_cast<Import_Excel&>(sheet);
            window.columns().setTicked(0, true);
            window.columns().setTicked(2, true);
            window.OKPressed();
        });
        wizard.OKPressed();
    });
    wizard.flags = {0, 1};
    EXPECT_EQ(wizard.Open_Wnd(), 1);
    EXPECT_EQ(managerValues, QStringList({QStringLiteral("Zoë"), "zoe.png", "Bob", "bob.png", "Ann", ""}));

    // With a name: each ticked column its own series.
    dialogs.queueHook([&](QDialog&) {
        field("Excel_path").setText(book);
        dialogs.queueHook([&](QDialog& sheet) {
            auto& window = static_cast<Import_Excel_DataSheet&>(sheet);
            window.columns().setTicked(3, true);
            window.OKPressed();
        });
        wizard.OKPressed();
    });
    wizard.flags = {1, 1};
    EXPECT_EQ(wizard.Open_Wnd(), 1);
    EXPECT_EQ(series(QStringLiteral("Città")), QStringLiteral("Zürich\n日本\nOslo\n").toUtf8());
    EXPECT_EQ(fillLists, 1);

    // A file that is no workbook is named on either road, and the wizard stays open.
    writeFile(at("notes.xlsx"), "Name\nZoë\n");
    for (const int required : {0, 1})
        EXPECT_EQ(run(required, 1, [&] {
            wizard.Excel_RD_Pressed();
            field("Excel_path").setText(at("notes.xlsx"));
            wizard.OKPressed();
        }), 0);
    EXPECT_EQ(messages.texts(), QStringList(2, "\nThe file \"notes.xlsx\" cannot be read as a workbook."));
}
