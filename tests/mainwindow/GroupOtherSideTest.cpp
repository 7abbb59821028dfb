// The other side of a group card on the real window, in a project of 200 people whose workbook is
// read back with openpyxl: the side tabs and the View menu show the side's panel with the chosen
// record, so no road writes one person into another's row; copying the design asks about typing
// not saved; a logo or other picture clicked on the card is no one's photo.
#include <QTabBar>
#include <QTest>

#include "LiveModeRoadFixture.h"
#include "model/SKTImage.h"
#include "support/CanvasMouse.h"
#include "views/visitors/VisitorPassDesign.h"

namespace {

constexpr int kPeople = 200;

enum class Road { Tabs, Menu };

// Name, Title, Company, StaffID, Email and Photo of 200 people, all six shown on the front.
class GroupStaff : public LiveModeRoad {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(LiveModeRoad::SetUp());
        const QString workbook = scratch.filePath(QStringLiteral("staff.xlsx"));
        const auto made = TestEnvironment::runPython(
            "import sys, openpyxl\n"
            "wb = openpyxl.Workbook(); ws = wb.active\n"
            "ws.append(['Name', 'Title', 'Company', 'StaffID', 'Email', 'Photo'])\n"
            "for n in range(1, 201): ws.append(['Person %03d' % n, 'Title %d' % n, 'Company %d' % n,\n"
            "                                   'ID%d' % (100000 + n), 'p%d@example.com' % n, sys.argv[2] % n])\n"
            "wb.save(sys.argv[1])\n",
            {workbook, scratch.filePath(QStringLiteral("face%d.png"))});
        ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
        for (int n = 1; n <= kPeople; ++n)
            visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face%1.png").arg(n), QColor::fromHsv(n, 150, 200));
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
    void reopen()
    {
        dialogs.queueOpenFile(Project_File_Name);
        ASSERT_TRUE(Open_Btn_Clicked(controller));
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
    // The side whose panel the window shows; -1 none.
    int sideOfShownPanel() const
    {
        for (int side : {0, 1}) {
            if (controller.liveModes().panel(side).isVisibleTo(controller.window()))
                return side;
        }
        return -1;
    }
    Profile_Side_Panel& shownPanel() const { return controller.liveModes().panel(sideOfShownPanel()); }
    void typeInShownPanel(const char* id, const QString& text)
    {
        QLineEdit& box = *shownPanel().textBox(QLatin1String(id));
        box.setText(text);
        Q_EMIT box.textEdited(text);
    }
    QString onCard(SKTDocument::Side side, const char* id) const
    {
        const GraphicPtr element = controller.graphicView(side)->Selcect_Ctrl_With_ID(QLatin1String(id));
        return element ? element->Text_Value : QStringLiteral("(none)");
    }
    void copyDesign(std::initializer_list<int> answers)
    {
        messages.queueAnswers(answers);
        action(QStringLiteral("Copy_Card_Design_btn")).trigger();
    }
};

}  // namespace

// A project opened afresh: the Back tab or View -> Back Side shows the back's panel, record 4 goes
// onto it, and then either the Front tab or menu item and record 6 (both sides bound) ask nothing
// and leave every row as it was, or Save Details (the front alone bound) saves the typing into
// record 4's row and names record 4.
TEST_F(GroupStaff, TheSideTabsAndTheViewMenuShowTheSidesPanelAndKeepEachPersonInTheirRow)
{
    const struct {
        Road road;
        bool bothSides;
        const char* title;  // typed into record 4 on the back, then Save Details
    } cases[] = {{Road::Tabs, false, "Typed by tab"}, {Road::Menu, false, "Typed by menu"},
                 {Road::Tabs, true, nullptr}, {Road::Menu, true, nullptr}};
    QString fourth = stored(4);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.road == Road::Tabs ? "tabs" : "menu") + (c.bothSides ? ", both sides" : ", front"));
        if (c.bothSides && onCard(SKTDocument::BackSide, "Fup_Name") == "(none)") {
            showSide(Road::Menu, SKTDocument::FrontSide);
            copyDesign({0});
            ASSERT_TRUE(Save_Btn_Clicked(controller));
        }
        ASSERT_NO_FATAL_FAILURE(reopen());
        const qsizetype said = messages.texts().size();
        showSide(c.road, SKTDocument::BackSide);
        EXPECT_EQ(sideOfShownPanel(), 1);
        clickRecord(4);
        EXPECT_EQ(shownPanel().textBox(QStringLiteral("Fup_Name"))->text(), "Person 004");
        QString said4;
        if (c.title) {
            typeInShownPanel("Fup_Title", QLatin1String(c.title));
            shownPanel().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
            fourth = stored(4, QLatin1String(c.title));
            said4 = u'\n' + kRecordSavedMessage.arg(QStringLiteral("4 - Person 004"), QStringLiteral("People.xlsx"));
            EXPECT_EQ(onCard(SKTDocument::BackSide, "Fup_Title"), QLatin1String(c.title));
        } else {
            EXPECT_EQ(onCard(SKTDocument::BackSide, "Fup_Name"), "Person 004");
            picture(QStringLiteral("group-back-side-record-4.png"));
            showSide(c.road, SKTDocument::FrontSide);
            EXPECT_EQ(sideOfShownPanel(), 0);
            EXPECT_EQ(shownPanel().textBox(QStringLiteral("Fup_Name"))->text(), "Person 004");
            clickRecord(6);  // a question would be answered Yes
            EXPECT_EQ(onCard(SKTDocument::FrontSide, "Fup_Name"), "Person 006");
        }
        EXPECT_EQ(messages.texts().mid(said).join(u'|'), said4);
        EXPECT_EQ(workbookRecords({1, 4, 6}), QStringList({stored(1), fourth, stored(6)}).join(u'\n'));
    }
}

// Typing over record 3, then Copy Design to Other Side: the user is asked as when another record
// is chosen. Cancel copies nothing and keeps the typing; No drops it; Yes saves it into record 3's
// row first. Either way both panels and both cards show the same record 3 after the copy.
TEST_F(GroupStaff, CopyDesignAsksAboutTypingNotSavedAndSavesDropsOrKeepsIt)
{
    enum Answer { Save = 0, Discard = 1, Stay = 2 };
    const QString question = kUnsavedBeforeCopyQuestion.arg(QStringLiteral("3 - Person 003"));
    for (const Answer answer : {Stay, Discard, Save}) {
        SCOPED_TRACE(answer);
        action(QStringLiteral("Front_Side_btn")).trigger();
        clickRecord(3);
        const QString typed = QStringLiteral("CopyTest Title %1").arg(int(answer));
        type("Fup_Title", typed);
        const qsizetype said = messages.texts().size();
        copyDesign({0, answer});
        QStringList expected{kCopyDesignQuestion, question};
        if (answer == Save)
            expected << u'\n' + kRecordSavedMessage.arg(QStringLiteral("3 - Person 003"), QStringLiteral("People.xlsx"));
        EXPECT_EQ(messages.texts().mid(said).join(u'|'), expected.join(u'|'));
        const QString shown = answer == Discard ? QStringLiteral("Title 3") : typed;
        EXPECT_EQ(field("Fup_Title").text(), shown);
        EXPECT_EQ(onCard(SKTDocument::FrontSide, "Fup_Title"), shown);
        if (answer == Stay) {
            EXPECT_EQ(onCard(SKTDocument::BackSide, "Fup_Title"), "(none)");
            EXPECT_EQ(sideOfShownPanel(), 0);
            QCoreApplication::processEvents();
            EXPECT_TRUE(controller.window()->isWindowModified());
        } else {
            EXPECT_EQ(controller.liveModes().panel(1).textBox(QStringLiteral("Fup_Title"))->text(), shown);
            EXPECT_EQ(onCard(SKTDocument::BackSide, "Fup_Title"), shown);
        }
        EXPECT_EQ(workbookRecords({3}), stored(3, answer == Save ? typed : QString()));
    }
}

// A logo (no identifier) or a picture field clicked on the card of record 2 is no one's photo:
// the panel keeps the person's, and Save Details leaves it in the record's row.
TEST_F(GroupStaff, APictureOfTheCardClickedIsNotThePersonsPhoto)
{
    const QString logo = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("logo.png"), Qt::darkRed);
    for (const char* id : {"", "F_Pic1"}) {
        SCOPED_TRACE(id);
        const QRectF place(200, 110, 30, 30);
        document.insertGraphic(visitortest::placed(SKTImage::initWithPath_With_ID(place.topLeft(), logo, QLatin1String(id)),
                                                   place, QLatin1String(id)),
                               0);
        clickRecord(2);
        canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), place.center(), place.center());
        ASSERT_EQ(controller.graphicView(SKTDocument::FrontSide)->selectedGraphics().value(0), document.graphics().first());
        EXPECT_EQ(front().photoPath(), scratch.filePath(QStringLiteral("face2.png")));
        front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
        EXPECT_EQ(workbookRecords({2}), stored(2));
    }
}

// Typing over record 5 on the front, then the other side chosen by a tab or the View menu: the
// user is asked as when another record is chosen. Cancel stays on the front with the typing (the
// front chosen again keeps it too); No drops it; Yes saves it into record 5's row. The side then
// shown shows record 5 as its row holds it.
TEST_F(GroupStaff, TypingIsAskedAboutBeforeTheOtherSideShows)
{
    enum Answer { Save = 0, Discard = 1, Stay = 2 };
    const struct {
        Road road;
        Answer answer;
    } cases[] = {{Road::Tabs, Stay}, {Road::Menu, Stay}, {Road::Tabs, Discard}, {Road::Menu, Save}};
    clickRecord(5);
    QString title = QStringLiteral("Title 5");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.road == Road::Tabs ? "tabs, " : "menu, ") + char('0' + c.answer));
        showSide(Road::Menu, SKTDocument::FrontSide);
        const QString typed = QStringLiteral("Side typed %1").arg(int(c.answer));
        type("Fup_Title", typed);
        const qsizetype said = messages.texts().size();
        messages.queueAnswers({c.answer});
        showSide(c.road, SKTDocument::BackSide);
        QStringList expected{kUnsavedBeforeSideQuestion.arg(QStringLiteral("5 - Person 005"))};
        if (c.answer == Save) {
            title = typed;
            expected << u'\n' + kRecordSavedMessage.arg(QStringLiteral("5 - Person 005"), QStringLiteral("People.xlsx"));
        }
        EXPECT_EQ(messages.texts().mid(said).join(u'|'), expected.join(u'|'));
        const int shown = c.answer == Stay ? 0 : 1;
        EXPECT_EQ(sideOfShownPanel(), shown);
        EXPECT_EQ(controller.windowLayout().currentSide(), shown);
        EXPECT_EQ(Card_Front_Or_Back, shown);
        EXPECT_EQ(shownPanel().textBox(QStringLiteral("Fup_Title"))->text(), c.answer == Stay ? typed : title);
        if (c.answer == Stay) {
            showSide(Road::Menu, SKTDocument::FrontSide);
            EXPECT_EQ(field("Fup_Title").text(), typed);
            EXPECT_EQ(onCard(SKTDocument::FrontSide, "Fup_Title"), typed);
            EXPECT_EQ(messages.texts().size(), said + 1);
        }
        EXPECT_EQ(workbookRecords({5}), stored(5, title == QStringLiteral("Title 5") ? QString() : title));
    }
}
