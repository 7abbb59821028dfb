#pragma once
// A group project of 200 people on the real window, all six of their fields shown on the front,
// its workbook read back with openpyxl; shared by the group roads over a large project.
#include <QTabBar>
#include <QTest>

#include "LiveModeRoadFixture.h"

// How the user shows a side: its tab over the canvas or the View menu.
enum class Road { Tabs, Menu };

// Name, Title, Company, StaffID, Email and Photo of 200 people, all six shown on the front.
class GroupStaff : public LiveModeRoad {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(LiveModeRoad::SetUp());
        const QString workbook = openpyxlWorkbook(
            QStringLiteral("staff.xlsx"),
            "ws.append(['Name', 'Title', 'Company', 'StaffID', 'Email', 'Photo'])\n"
            "for n in range(1, 201): ws.append(['Person %03d' % n, 'Title %d' % n, 'Company %d' % n,\n"
            "                                   'ID%d' % (100000 + n), 'p%d@example.com' % n, sys.argv[2] % n])\n",
            {scratch.filePath(QStringLiteral("face%d.png"))});
        ASSERT_NO_FATAL_FAILURE(startGroupProject(workbook));
        int column = 0;
        for (const char* id : {"Fup_Name", "Fup_Title", "Fup_Company", "Fup_UniqueNo", "Fup_EmailID", "Fup_Photo"})
            chooseColumn(id, ++column);
        ASSERT_TRUE(Save_Btn_Clicked(controller));
    }
    // The workbook's rows of the records (1 the first), as openpyxl reads them, one a line.
    QString workbookRecords(const QList<int>& records) const
    {
        QStringList arguments{LiveModePanels::projectWorkbookPath(Project_File_Name)};
        for (int n : records)
            arguments << QString::number(n);
        const auto read = TestEnvironment::runPython("import sys, warnings, openpyxl\nwarnings.simplefilter('ignore')\n"
                                                     "rows = list(openpyxl.load_workbook(sys.argv[1]).active.values)\n"
                                                     "for n in sys.argv[2:]: print('|'.join(str(c or '') for c in rows[int(n)]))\n",
                                                     arguments);
        return QString::fromUtf8(read.out).trimmed();
    }
    // The record's row as the workbook was made, with the title given.
    QString stored(int n, const QString& title = {}) const
    {
        return QStringLiteral("Person %1|%2|Company %3|ID%4|p%3@example.com|%5")
            .arg(n, 3, 10, QChar(u'0'))
            .arg(title.isEmpty() ? QStringLiteral("Title %1").arg(n) : title)
            .arg(n)
            .arg(100000 + n)
            .arg(scratch.filePath(QStringLiteral("face%1.png").arg(n)));
    }
    void showSide(Road road, SKTDocument::Side side)
    {
        if (road == Road::Menu) {
            action(side == SKTDocument::BackSide ? QStringLiteral("Back_Side_btn") : QStringLiteral("Front_Side_btn")).trigger();
            return;
        }
        auto* tabs = controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(side).center());
    }
    void clickRecord(int n)
    {
        QTableView& list = controller.inspector().sizePanel().GroupList();
        const QModelIndex row = list.model()->index(n - 1, 0);
        list.scrollTo(row);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(row).center());
    }
    // The side whose panel the window shows.
    int sideOfShownPanel() const { return controller.liveModes().panel(1).isVisibleTo(controller.window()) ? 1 : 0; }
    Profile_Side_Panel& shownPanel() const { return controller.liveModes().panel(sideOfShownPanel()); }
    QString onCard(SKTDocument::Side side, const char* id) const
    {
        const GraphicPtr element = controller.graphicView(side)->Selcect_Ctrl_With_ID(QLatin1String(id));
        return element ? element->Text_Value : QStringLiteral("(none)");
    }
};
