// The other side of a group card on the real window, in a project of 200 people whose workbook is
// read back with openpyxl: the side tabs and the View menu show the side's panel with the chosen
// record, so no road writes one person into another's row; copying the design or showing the
// other side asks about typing not saved; a logo or other picture clicked on the card is no one's
// photo.
#include "GroupStaffFixture.h"
#include "data/SeriesStore.h"
#include "output/RecordRun.h"
#include "model/SKTImage.h"
#include "support/CanvasMouse.h"
#include "views/visitors/VisitorPassDesign.h"

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
            action(QStringLiteral("Copy_Card_Design_btn")).trigger();  // "Yes"
            ASSERT_TRUE(Save_Btn_Clicked(controller));
        }
        dialogs.queueOpenFile(Project_File_Name);
        ASSERT_TRUE(Open_Btn_Clicked(controller));
        const qsizetype said = messages.texts().size();
        showSide(c.road, SKTDocument::BackSide);
        EXPECT_EQ(sideOfShownPanel(), 1);
        clickRecord(4);
        EXPECT_EQ(shownPanel().textBox(QStringLiteral("Fup_Name"))->text(), "Person 004");
        QString said4;
        if (c.title) {
            QLineEdit& typed = *shownPanel().textBox(QStringLiteral("Fup_Title"));
            typed.setText(QLatin1String(c.title));
            Q_EMIT typed.textEdited(typed.text());
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

// Typing over record 3 on the front, then Copy Design to Other Side, or the other side chosen by
// a tab or the View menu, which would show the stored record again: the user is asked as when
// another record is chosen. Cancel copies nothing and stays on the front with the typing (the
// front chosen again keeps it too); No drops it; Yes saves it into record 3's row first. Then the
// back, the copy's or the one chosen, shows record 3 as its row holds it.
TEST_F(GroupStaff, TypingIsAskedAboutBeforeTheCopyOrTheOtherSideShowsTheStoredRecord)
{
    enum Answer { Save = 0, Discard = 1, Stay = 2 };
    enum class Step { Copy, Tab, Menu };
    const struct {
        Step step;
        Answer answer;
    } cases[] = {{Step::Copy, Stay}, {Step::Copy, Discard}, {Step::Copy, Save}, {Step::Tab, Stay},
                 {Step::Menu, Stay},  {Step::Tab, Discard},  {Step::Menu, Save}};
    clickRecord(3);
    QString title = QStringLiteral("Title 3");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.step) << " answered " << c.answer);
        showSide(Road::Menu, SKTDocument::FrontSide);
        const QString typed = QStringLiteral("Typed %1").arg(&c - cases);
        type("Fup_Title", typed);
        const qsizetype said = messages.texts().size();
        QStringList asked;
        if (c.step == Step::Copy) {
            messages.queueAnswers({0, c.answer});
            action(QStringLiteral("Copy_Card_Design_btn")).trigger();
            asked << kCopyDesignQuestion << kUnsavedBeforeCopyQuestion.arg(QStringLiteral("3 - Person 003"));
        } else {
            messages.queueAnswers({c.answer});
            showSide(c.step == Step::Tab ? Road::Tabs : Road::Menu, SKTDocument::BackSide);
            asked << kUnsavedBeforeSideQuestion.arg(QStringLiteral("3 - Person 003"));
        }
        if (c.answer == Save)
            asked << u'\n' + kRecordSavedMessage.arg(QStringLiteral("3 - Person 003"), QStringLiteral("People.xlsx"));
        title = c.answer == Save ? typed : title;
        EXPECT_EQ(messages.texts().mid(said).join(u'|'), asked.join(u'|'));
        const auto shown = c.answer == Stay ? SKTDocument::FrontSide : SKTDocument::BackSide;
        EXPECT_EQ(sideOfShownPanel(), shown);
        EXPECT_EQ(Card_Front_Or_Back, shown);
        EXPECT_EQ(controller.windowLayout().currentSide(), shown);
        EXPECT_EQ(shownPanel().textBox(QStringLiteral("Fup_Title"))->text(), c.answer == Stay ? typed : title);
        EXPECT_EQ(onCard(shown, "Fup_Title"), c.answer == Stay ? typed : title);
        if (c.answer == Stay) {
            EXPECT_EQ(onCard(SKTDocument::BackSide, "Fup_Title"), c.step == Step::Copy ? QStringLiteral("(none)") : title);
            showSide(Road::Menu, SKTDocument::FrontSide);
            EXPECT_EQ(field("Fup_Title").text(), typed);
            QCoreApplication::processEvents();
            EXPECT_TRUE(controller.window()->isWindowModified());
        }
        EXPECT_EQ(workbookRecords({3}), stored(3, title));
    }
    // Typing on the back is asked about before the front shows; the preview shows no panel.
    QLineEdit& back = *shownPanel().textBox(QStringLiteral("Fup_Title"));
    back.setText(QStringLiteral("Typed on the back"));
    Q_EMIT back.textEdited(back.text());
    const qsizetype said = messages.texts().size();
    action(QStringLiteral("Temp_Side_btn")).trigger();
    messages.queueAnswers({Discard});
    showSide(Road::Tabs, SKTDocument::FrontSide);
    EXPECT_EQ(messages.texts().mid(said), QStringList{kUnsavedBeforeSideQuestion.arg(QStringLiteral("3 - Person 003"))});
    EXPECT_EQ(sideOfShownPanel(), 0);
    EXPECT_EQ(back.text(), title);
}

// A field shows one column on both cards, as both panels list it: None chosen for the title on
// one side takes the title's column off the other side too, and Undo or the column chosen again
// brings it back on both; what export binds for record 4 on each side is what its card shows.
TEST_F(GroupStaff, AColumnChosenForAFieldOnOneSideIsItsColumnOnTheOtherSideToo)
{
    visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face4.png"), Qt::blue);
    action(QStringLiteral("Copy_Card_Design_btn")).trigger();  // "Yes"
    clickRecord(4);
    const auto chooseColumn = [this](const char* id, SKTDocument::Side side, int column) {
        showSide(Road::Menu, side);
        auto* box = controller.liveModes().panel(side).findChild<QComboBox*>(QLatin1String(id) + "_col");
        box->setCurrentIndex(column);
        Q_EMIT box->activated(column);
    };
    const auto chooseTitleColumn = [&](SKTDocument::Side side, int column) { chooseColumn("Fup_Title", side, column); };
    const auto exported = [this](SKTDocument::Side side) {
        const SeriesStore store;
        RecordRun run(controller.document(), store, Loaded_Data_Table(), true);
        QString refusal;
        for (const GraphicPtr& element : run.recordOnCopies(3, side ? CardSide::Back : CardSide::Front, &refusal))
            if (element->control_ID == QLatin1String("Fup_Title"))
                return element->Text_Value;
        return QStringLiteral("(none: %1)").arg(refusal);
    };
    const struct {
        const char* step;
        std::function<void()> take;
        int column;
        QString title;
    } steps[] = {{"None on the front", [&] { chooseTitleColumn(SKTDocument::FrontSide, 0); }, -1, QString()},
                 {"Undo on the front", [&] { action(QStringLiteral("Undo_btn")).trigger(); }, 2, QStringLiteral("Title 4")},
                 {"None on the back", [&] { chooseTitleColumn(SKTDocument::BackSide, 0); }, -1, QString()},
                 {"Name, freed on the front, on the back",
                  [&] {
                      chooseColumn("Fup_Name", SKTDocument::FrontSide, 0);
                      chooseTitleColumn(SKTDocument::BackSide, 1);
                  },
                  1, QStringLiteral("Person 004")},
                 {"Title on the front", [&] { chooseTitleColumn(SKTDocument::FrontSide, 2); }, 2, QStringLiteral("Title 4")}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.take();
        for (const auto side : {SKTDocument::FrontSide, SKTDocument::BackSide}) {
            const Profile_Side_Panel& panel = controller.liveModes().panel(side);
            EXPECT_EQ(panel.chosenColumn(QStringLiteral("Fup_Title")), step.column) << side;
            EXPECT_EQ(panel.textBox(QStringLiteral("Fup_Title"))->text(), step.title) << side;
            EXPECT_EQ(onCard(side, "Fup_Title"), step.title) << side;
            EXPECT_EQ(controller.graphicView(side)->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Title"))->ctrl_is_visible,
                      !step.title.isEmpty())
                << side;
            EXPECT_EQ(exported(side), step.title) << side;
        }
    }
}

// Typing on the back, the preview shown, then the Front tab: Cancel keeps the preview and the
// back as the side edited, so the record chosen next goes onto the back, whose panel is seen.
TEST_F(GroupStaff, TheFrontRefusedFromThePreviewLeavesTheBackEdited)
{
    action(QStringLiteral("Copy_Card_Design_btn")).trigger();  // "Yes"
    showSide(Road::Menu, SKTDocument::BackSide);
    clickRecord(4);
    QLineEdit& title = *shownPanel().textBox(QStringLiteral("Fup_Title"));
    title.setText(QStringLiteral("Typed on the back"));
    Q_EMIT title.textEdited(title.text());
    action(QStringLiteral("Temp_Side_btn")).trigger();
    messages.queueAnswers({2});  // "Cancel"
    showSide(Road::Tabs, SKTDocument::FrontSide);
    EXPECT_EQ(controller.windowLayout().currentSide(), SKTDocument::PreviewSide);
    EXPECT_EQ(sideOfShownPanel(), 1);
    EXPECT_EQ(Card_Front_Or_Back, 1);
    messages.queueAnswers({1});  // "No": the typing is dropped
    clickRecord(5);
    EXPECT_EQ(shownPanel().textBox(QStringLiteral("Fup_Name"))->text(), "Person 005");
    EXPECT_EQ(onCard(SKTDocument::BackSide, "Fup_Name"), "Person 005");
}
