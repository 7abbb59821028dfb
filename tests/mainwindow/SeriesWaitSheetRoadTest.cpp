// On the real window with a design open: each series window shows the please-wait panel while it
// reads a series, a text file or a workbook, and hides it when the reading is over, also when it
// failed, before any message. On an X server the panel is pictured over the series manager.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MainWindowFixture.h"
#include "support/CanvasMouse.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/dialogs/PleaseWait_Modeless.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/series/BatchWizard.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/Import_Wizard.h"
#include "views/series/SeriesValueModel.h"
#include "views/series/SheetColumnList.h"
#include "views/series/View_Data_Series.h"

namespace {

// The sample's title text, on the card.
const QRectF kTitle(70, 8, 165, 22);

PleaseWait_Modeless& panel()
{
    return PleaseWait_Modeless::defaultInstance();
}

// Notes what a probe answers each time the panel is shown, and how often it is hidden.
class PanelWatch : public QObject {
public:
    explicit PanelWatch(std::function<QString()> probe) : m_probe(std::move(probe)) { panel().installEventFilter(this); }
    ~PanelWatch() override { panel().removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            shownWhile << m_probe();
        else if (event->type() == QEvent::Hide)
            ++hides;
        return false;
    }
    QStringList shownWhile;
    int hides = 0;

private:
    std::function<QString()> m_probe;
};

// Messages as scripted, each noting whether the panel was up when it came.
class MessagesOverPanel : public ScriptedMessagePresenter {
public:
    int present(const MessageBoxRequest& request) override
    {
        overPanel << panel().isVisible();
        return ScriptedMessagePresenter::present(request);
    }
    QList<bool> overPanel;
};

class SeriesWaitSheetRoadTest : public MainWindowFixture {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(openSampleWithStaffSeries("Ada Lovelace\nGrace Hopper\n")); }
    bool seriesExists(const QString& name) const { return QFile::exists(QDir(Data_Folder_Path).filePath(name + ".txt")); }
    QString file(const QString& name, const QByteArray& bytes) const
    {
        QFile out(scratch.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }
    // The File menu's import wizard with the text file or workbook as the source of "Imported".
    void importThroughWizard(bool workbook, const QString& path, const std::function<void(QDialog&)>& sheetWindow = {})
    {
        dialogs.queueHook([=](QDialog& window) {
            auto& wizard = static_cast<Import_Wizard&>(window);
            workbook ? wizard.Excel_RD_Pressed() : wizard.Text_RD_Pressed();
            wizard.findChild<QLineEdit*>(workbook ? "Excel_path" : "Text_path")->setText(path);
            wizard.findChild<QLineEdit*>("Text_file_name")->setText("Imported");
            wizard.OKPressed();
        });
        if (sheetWindow)
            dialogs.queueHook(sheetWindow);
        action(QStringLiteral("Import_Wizard_Button")).trigger();
    }

    MessagesOverPanel watched;
    ScopedMessagePresenter watchedScope{watched};
};

TEST_F(SeriesWaitSheetRoadTest, EachSeriesWindowShowsThePanelWhileItReadsAndHidesItAfter)
{
    const QString text = file("guests.txt", "Katherine Johnson\nMary Jackson\n");
    const QString workbook = scratch.filePath("people.xlsx");
    const auto made = TestEnvironment::runPython(
        "import sys, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
        "ws.append(['Imported']); ws.append(['Dorothy Vaughan']); wb.save(sys.argv[1])\n",
        {workbook});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const auto values = [](const SeriesValueModel& model) { return QString::number(model.count()) + " values"; };
    const struct {
        const char* road;
        std::function<QString()> probe;
        std::function<void()> run;
        QStringList shownWhile;
    } roads[] = {
        {"the series manager opens a series", [&] { return values(BatchWizard::defaultInstance().ListData_value()); },
         [&] {
             dialogs.queueHook([](QDialog&) {
                 BatchWizard& manager = BatchWizard::defaultInstance();
                 QTableView& list = *manager.view().findChild<QTableView*>("List");
                 list.selectRow(int(manager.ListData().texts().indexOf("Staff")));
                 manager.On_Update();
                 EXPECT_FALSE(panel().isVisible());
                 EXPECT_EQ(manager.ListData_value().texts(), (QStringList{"Ada Lovelace", "Grace Hopper"}));
                 manager.Close_Btn_Clicked();
             });
             action(QStringLiteral("Batch_Series_Button")).trigger();
         },
         {"0 values"}},
        {"the data page's view button shows a series", [&] { return values(View_Data_Series::defaultInstance().ListData()); },
         [&] {
             canvas_mouse::drag(*controller.editedGraphicView(), kTitle.center(), kTitle.center());
             ASSERT_TRUE(inspector().showPage(QStringLiteral("datasource_tab")));
             QComboBox& source = control<QComboBox>("Data_source_type");
             source.setCurrentIndex(source.findText("Series"));
             control<QComboBox>("Batch_Series").setCurrentIndex(control<QComboBox>("Batch_Series").findText("Staff"));
             dialogs.queueHook([](QDialog& viewer) {
                 EXPECT_FALSE(panel().isVisible());
                 EXPECT_EQ(View_Data_Series::defaultInstance().ListData().count(), 2);
                 viewer.done(1);
             });
             control<QPushButton>("view_series_btn").click();
         },
         {"0 values"}},
        {"the import wizard reads a text file and writes it",
         [&] { return seriesExists("Imported") ? QStringLiteral("written") : QStringLiteral("not written"); },
         [&] { importThroughWizard(false, text); }, {"not written", "not written"}},
        {"the sheet window reads a workbook, its first row, then its rows",
         [&] { return seriesExists("Imported") ? QStringLiteral("written") : QStringLiteral("not written"); },
         [&] {
             importThroughWizard(true, workbook, [](QDialog& window) {
                 EXPECT_FALSE(panel().isVisible());
                 auto& sheet = static_cast<Import_Excel_DataSheet&>(window);
                 sheet.columns().setAllTicked(true);
                 sheet.OKPressed();
             });
         },
         {"not written", "not written", "not written"}},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.road);
        QFile::remove(QDir(Data_Folder_Path).filePath("Imported.txt"));
        const PanelWatch watch(road.probe);
        road.run();
        EXPECT_EQ(watch.shownWhile, road.shownWhile);
        EXPECT_EQ(watch.hides, road.shownWhile.size());
        EXPECT_FALSE(panel().isVisible());
    }
    EXPECT_EQ(QFile(QDir(Data_Folder_Path).filePath("Imported.txt")).size(), QByteArray("Dorothy Vaughan\n").size());
    EXPECT_EQ(watched.texts(), QStringList());
}

TEST_F(SeriesWaitSheetRoadTest, AFailedReadHidesThePanelBeforeAnyMessage)
{
    const PanelWatch watch([] { return QString(); });
    importThroughWizard(false, file("empty.txt", ""));
    // A text file past the limit is refused unread, the message naming the limit.
    QFile huge(scratch.filePath("huge.txt"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(256) << 20) + 1));
    huge.close();
    importThroughWizard(false, huge.fileName());
    // A file that is no workbook is named at once; no column window opens on it.
    importThroughWizard(true, file("broken.xlsx", "not a workbook"));
    EXPECT_EQ(watched.texts(),
              (QStringList{"\nPlease select a valid file.",
                           "\nPlease select a valid file.\n\nThe file is larger than 256 MB, the largest text file a series is made from.",
                           "\nThe file \"broken.xlsx\" cannot be read as a workbook."}));
    EXPECT_EQ(watched.overPanel, (QList<bool>{false, false, false}));
    EXPECT_GE(watch.shownWhile.size(), 2);
    EXPECT_EQ(watch.hides, watch.shownWhile.size());
    EXPECT_FALSE(seriesExists("Imported"));
}

// The panel as the application shows it, over the series manager reading a series.
TEST_F(SeriesWaitSheetRoadTest, OnAnXServerThePanelShowsOverTheManagerWhileItReads)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QDir artifacts(QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    QtDialogPresenter real;
    setDialogPresenter(&real);
    bool pictured = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (window = QApplication::activeModalWidget()); }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        BatchWizard& manager = BatchWizard::defaultInstance();
        // The first value read: the panel is up; a moment for the X server to show it.
        const QMetaObject::Connection first =
            QObject::connect(&manager.ListData_value(), &SeriesValueModel::rowsInserted, window, [&] {
                if (pictured)
                    return;
                pictured = true;
                EXPECT_TRUE(panel().isVisible());
                QTest::qWait(400);
                const QRect area = window->frameGeometry().united(panel().frameGeometry()).adjusted(-20, -20, 20, 20);
                EXPECT_TRUE(window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                .save(artifacts.filePath("series-wait-sheet.png")));
            });
        manager.view().findChild<QTableView*>("List")->selectRow(int(manager.ListData().texts().indexOf("Staff")));
        manager.On_Update();
        QObject::disconnect(first);
        manager.Close_Btn_Clicked();
    });
    action(QStringLiteral("Batch_Series_Button")).trigger();
    setDialogPresenter(&dialogs);
    EXPECT_TRUE(pictured);
    EXPECT_FALSE(panel().isVisible());
}

}  // namespace
