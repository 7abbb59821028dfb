// The series generator driven through its fields with scripted answers.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "data/SeriesGenerator.h"
#include "views/series/Generate_List.h"
#include "views/series/BatchWizard.h"
#include "views/series/SeriesDestination.h"

namespace {

class GenerateListTest : public ::testing::Test {
protected:
    void SetUp() override { Data_Folder_Path = folder.path(); }

    QLineEdit& field(const char* name) { return *window.findChild<QLineEdit*>(QLatin1String(name)); }
    QByteArray series(const QString& name)
    {
        QFile file(QDir(folder.path()).filePath(name + ".txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Opens the window with these flags and runs the script inside it; the window's answer.
    int run(int required, int insert, const std::function<void()>& script)
    {
        window.flags = {required, insert};
        presenter.queueHook([&](QDialog&) { script(); });
        return window.Open_Wnd();
    }

    QTemporaryDir folder;
    ScriptedDialogPresenter presenter;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scoped{messages};
    QStringList managerValues;
    int fillLists = 0;
    QStringList inUse;
    Generate_List window{{[this](const QString& n) { return inUse.contains(n); },
                          [this](const QString& v) { managerValues.append(v); }, [this] { ++fillLists; }}};
};

}  // namespace

TEST_F(GenerateListTest, SequentialSeriesIsWrittenAsANewFile)
{
    EXPECT_EQ(run(1, 0, [&] {
                  EXPECT_EQ(field("seq_file_name").text(), "Untitled");
                  EXPECT_FALSE(field("value_txt").isEnabled());
                  field("seq_file_name").setText("Numbers");
                  field("from_txt").setText("0");
                  field("to_txt").setText("200");
                  window.findChild<QCheckBox*>("manage_digit_chk")->setChecked(true);
                  window.OKPressed();
              }),
              1);
    const QList<QByteArray> lines = series("Numbers").split('\n');
    ASSERT_EQ(lines.size(), 202);
    EXPECT_EQ(lines.first(), "000");
    EXPECT_EQ(lines.at(200), "200");
    EXPECT_EQ(lines.last(), "");
    EXPECT_EQ(fillLists, 0);

    run(1, 1, [&] {
        field("seq_file_name").setText("IDs");
        field("prefix_txt").setText("ID-");
        field("suffix_txt").setText("-A");
        field("from_txt").setText("8");
        field("to_txt").setText("10");
        window.OKPressed();
    });
    EXPECT_EQ(series("IDs"), "ID-8-A\nID-9-A\nID-10-A\n");
    EXPECT_EQ(fillLists, 1);
}

TEST_F(GenerateListTest, FailedChecksKeepTheWindowOpen)
{
    run(1, 0, [&] {
        field("from_txt").setText("5");
        field("to_txt").setText("5");
        window.OKPressed();
        EXPECT_EQ(window.result(), 0);
        field("to_txt").setText("1000000");
        field("from_txt").setText("-1");
        window.OKPressed();
        field("from_txt").setText("1");
        field("seq_file_name").setText(" \t ");
        window.OKPressed();
        window.CancelPressed();
    });
    EXPECT_EQ(messages.texts(), QStringList({"\n" + SeriesGenerator::kFromNotSmallerMessage,
                                             "\n" + SeriesGenerator::kTooManyValuesMessage,
                                             "\n" + kValidSeriesNameMessage}));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(GenerateListTest, ExistingSeriesIsReplacedOnlyAfterYesAndNeverWhileInUse)
{
    QFile old(QDir(folder.path()).filePath("Codes.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\n");
    old.close();
    const auto constant = [&] {
        window.Constant_Radio_Pressed();
        field("const_file_name").setText("Codes");
        field("value_txt").setText("X");
        field("count_txt").setText("3");
        window.OKPressed();
    };
    messages.queueAnswers({1});  // No
    EXPECT_EQ(run(1, 0, constant), 0);
    EXPECT_EQ(series("Codes"), "old\n");
    inUse = {"Codes"};
    EXPECT_EQ(run(1, 0, constant), 0);
    EXPECT_EQ(series("Codes"), "old\n");
    EXPECT_EQ(messages.texts().last(), "\n" + kSeriesCreateInUseMessage);
    inUse.clear();
    messages.queueAnswers({0});  // Yes
    EXPECT_EQ(run(1, 0, constant), 1);
    EXPECT_EQ(series("Codes"), "X\nX\nX\n");
}

TEST_F(GenerateListTest, ValuesGoToTheEditedSeriesWithoutAFile)
{
    run(0, 1, [&] {
        EXPECT_FALSE(field("seq_file_name").isVisibleTo(&window));
        window.Random_Radio_Pressed();
        field("rand_prefix_txt").setText("R");
        field("rand_length_txt").setText("9");
        field("rand_count_txt").setText("50");
        window.OKPressed();
    });
    ASSERT_EQ(managerValues.size(), 50);
    for (const QString& value : managerValues)
        EXPECT_TRUE(value.size() == 10 && value.startsWith('R')) << value.toStdString();
    EXPECT_EQ(fillLists, 1);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(GenerateListTest, TypedCountsAndLengthsAreKeptWithinTheirLimits)
{
    run(1, 0, [&] {
        window.Random_Radio_Pressed();
        QLineEdit& count = field("rand_count_txt");
        count.selectAll();
        QTest::keyClicks(&count, "20000");
        EXPECT_EQ(count.text(), "10000");
        QLineEdit& length = field("rand_length_txt");
        length.selectAll();
        QTest::keyClicks(&length, "12");
        EXPECT_EQ(length.text(), "1");
        // A lone sign is refused with a beep in every number field.
        const std::pair<const char*, void (Generate_List::*)()> numbers[] = {
            {"rand_count_txt", &Generate_List::Random_Radio_Pressed},
            {"rand_length_txt", &Generate_List::Random_Radio_Pressed},
            {"count_txt", &Generate_List::Constant_Radio_Pressed},
            {"from_txt", &Generate_List::Sequintial_Radio_Pressed},
            {"to_txt", &Generate_List::Sequintial_Radio_Pressed}};
        for (const auto& [name, mode] : numbers) {
            (window.*mode)();
            QLineEdit& number = field(name);
            const QString before = number.text();
            const int beeps = messages.beeps();
            number.selectAll();
            QTest::keyClicks(&number, "-");
            EXPECT_EQ(number.text(), before) << name;
            EXPECT_EQ(messages.beeps(), beeps + 1) << name;
        }
        window.CancelPressed();
    });
}

// The help of the digits box: its title as the message, one "OK", the example below it.
TEST_F(GenerateListTest, TheDigitsHelpShowsItsTitleWithTheExampleBelow)
{
    window.findChild<QPushButton*>("help_btn")->click();
    ASSERT_EQ(messages.records().size(), 1);
    const MessageBoxRequest& shown = messages.records().constFirst().request;
    EXPECT_EQ(shown.text, "Maintain number of Digits By adding 0's before smaller values. ");
    EXPECT_EQ(shown.buttons, QStringList{"OK"});
    EXPECT_TRUE(shown.informativeText.startsWith("For example:\r\nIf you have to generate a series"));
    EXPECT_TRUE(shown.informativeText.endsWith("same as the highest value in the series."));
}
