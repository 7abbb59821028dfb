// No typing is lost in a group project on the real window: another record chosen by mouse or
// arrow key over unsaved typing asks first, Save Details says what it saved, one column shows one
// field of a side, and Undo after another record is chosen takes back the last edit. The project's
// workbook is read back with openpyxl.
#include <QAction>
#include <QTest>

#include "GroupPeopleFixture.h"
#include "mainwindow/SideCommands.h"

namespace {

class GroupRecordTyping : public GroupPeople {
protected:
    bool marked() const
    {
        QCoreApplication::processEvents();
        return controller.window()->isWindowModified();
    }
    QString nameOnCard() const { return frontElement("Fup_Name")->Text_Value; }
    void chooseColumnOn(int side, const char* id, int column)
    {
        auto* box = controller.liveModes().panel(side).findChild<QComboBox*>(QLatin1String(id) + QStringLiteral("_col"));
        box->setCurrentIndex(column);
        Q_EMIT box->activated(column);
    }
    void saveRecord() { front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click(); }
    // A field "Badge" of the kind (0 text, 1 picture) added in the panel, its element (with this
    // identifier) bound to the column, in the project saved and opened again: a project saved so.
    void addFieldBoundTo(int kind, const char* id, int column)
    {
        front().findChild<QComboBox*>(QStringLiteral("new_ctrl_type"))->setCurrentIndex(kind);
        front().findChild<QLineEdit*>(QStringLiteral("new_ctrl_name"))->setText(QStringLiteral("Badge"));
        front().findChild<QPushButton*>(QStringLiteral("add_field_btn"))->click();
        const GraphicPtr added = frontElement(id);
        ASSERT_NE(added, nullptr);
        added->Set_Data_source_type(2);
        added->Set_Excel_binding(true);
        added->Set_Excel_binding_Index(column);
        ASSERT_TRUE(Save_Btn_Clicked(controller));
        dialogs.queueOpenFile(Project_File_Name);
        ASSERT_TRUE(Open_Btn_Clicked(controller));
    }
};

// The photo shows no column: the Photo column is free for a picture field.
class GroupPictureField : public GroupRecordTyping {
protected:
    GroupPictureField() { bindPhotoColumn = false; }
};

enum class Way { Mouse, ArrowKey };
enum Answer { Save = 0, Discard = 1, Stay = 2 };  // the question's buttons: Yes, No, Cancel

}  // namespace

// Typed over a record, then another chosen by a click or the Down key: the question names both
// records; Yes saves the typing into the record's row of the workbook and says so, No drops it,
// Cancel stays on the record with the typing and the title's mark.
TEST_F(GroupRecordTyping, AnotherRecordChosenOverTypingAsksToSaveDropOrStay)
{
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const struct {
        Way way;
        Answer answer;
    } cases[] = {{Way::Mouse, Save}, {Way::ArrowKey, Save}, {Way::Mouse, Discard},
                 {Way::ArrowKey, Discard}, {Way::Mouse, Stay}, {Way::ArrowKey, Stay}};
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names << QStringLiteral("Person %1").arg(n);
    for (const auto& c : cases) {
        const int row = controller.liveModes().selectedRow();
        const QString typed = QStringLiteral("Typed over %1").arg(row + 1);
        SCOPED_TRACE(typed.toStdString() + (c.way == Way::Mouse ? " by mouse" : " by key"));
        type("Fup_Name", typed);
        EXPECT_TRUE(marked());
        const qsizetype said = messages.texts().size();
        messages.queueAnswers({c.answer});
        if (c.way == Way::Mouse) {
            groupList().scrollTo(groupList().model()->index(row + 1, 0));
            QTest::mouseClick(groupList().viewport(), Qt::LeftButton, {},
                              groupList().visualRect(groupList().model()->index(row + 1, 0)).center());
        } else {
            groupList().setFocus();
            QTest::keyClick(&groupList(), Qt::Key_Down);
        }
        QStringList expected{
            kUnsavedRecordQuestion.arg(QStringLiteral("%1 - %2").arg(row + 1).arg(names[row]),
                                       QStringLiteral("%1 - %2").arg(row + 2).arg(names[row + 1]))};
        if (c.answer == Save) {
            names[row] = typed;
            expected << u'\n' + kRecordSavedMessage.arg(QStringLiteral("%1 - %2").arg(row + 1).arg(typed),
                                                        QStringLiteral("People.xlsx"));
        }
        EXPECT_EQ(messages.texts().mid(said), expected);
        const int shown = c.answer == Stay ? row : row + 1;
        EXPECT_EQ(controller.liveModes().selectedRow(), shown);
        EXPECT_EQ(field("Fup_Name").text(), c.answer == Stay ? typed : names[shown]);
        EXPECT_EQ(nameOnCard(), field("Fup_Name").text());
        EXPECT_EQ(marked(), c.answer == Stay);
        EXPECT_EQ(workbookRow(row + 2), QStringLiteral("Staff %1|Firm %2|%3|ID%4")
                                            .arg(names[row])
                                            .arg(row + 1)
                                            .arg(photos[row])
                                            .arg(row + 1, 4, 10, QChar(u'0')));
    }
}

// Two fields on one column: the second binding made in the panel is refused and says which field
// has the column; a project that binds both (made before) saves the value typed, not the other
// field's.
TEST_F(GroupRecordTyping, OneColumnShowsOneFieldOrTheTypedValueIsSaved)
{
    chooseColumn("Fup_Title", 2);
    chooseColumn("Fup_CompanySlogan", 2);
    EXPECT_EQ(messages.texts().last(),
              u'\n' + kColumnTakenMessage.arg(QStringLiteral("Company"), QStringLiteral("Position / Title"),
                                              QStringLiteral("Company Slogan")));
    EXPECT_EQ(front().chosenColumn("Fup_CompanySlogan"), -1);
    EXPECT_EQ(frontElement("Fup_CompanySlogan"), nullptr);
    EXPECT_EQ(front().chosenColumn("Fup_Title"), 2);

    // As a project saved with both fields on the column opens.
    controller.liveModes().excel_cb_value[3] = 2;
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    dialogs.queueOpenFile(Project_File_Name);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    ASSERT_EQ(front().chosenColumn("Fup_CompanySlogan"), 2);
    ASSERT_EQ(front().chosenColumn("Fup_Title"), 2);
    clickGroupRow(2);
    for (const char* id : {"Fup_Title", "Fup_CompanySlogan"}) {
        SCOPED_TRACE(id);
        type(id, QStringLiteral("Typed into %1").arg(QLatin1String(id)));
        saveRecord();
        EXPECT_EQ(workbookRow(4), QStringLiteral("Staff Person 3|Typed into %1|%2|ID0003").arg(QLatin1String(id), photos[2]));
    }
}

// A column a field added in the panel shows (in a project saved so) is refused to a profile field,
// named by the added field's caption; a column no field shows is taken.
TEST_F(GroupRecordTyping, AColumnAnAddedFieldShowsIsRefusedToAProfileField)
{
    ASSERT_NO_FATAL_FAILURE(addFieldBoundTo(0, "F_field1", 2));
    chooseColumn("Fup_Title", 2);
    EXPECT_EQ(messages.texts().last(),
              u'\n' + kColumnTakenMessage.arg(QStringLiteral("Company"), QStringLiteral("Badge"), QStringLiteral("Position / Title")));
    EXPECT_EQ(front().chosenColumn("Fup_Title"), -1);
    EXPECT_EQ(frontElement("Fup_Title"), nullptr);
    // A column no field shows is the title's.
    const qsizetype said = messages.texts().size();
    chooseColumn("Fup_Title", 4);
    EXPECT_EQ(messages.texts().size(), said);
    EXPECT_EQ(front().chosenColumn("Fup_Title"), 4);
    ASSERT_NE(frontElement("Fup_Title"), nullptr);
    EXPECT_EQ(frontElement("Fup_Title")->Text_Value, "ID0001");
}

// The first Undo after another record is chosen takes back the last edit; after Undo and Redo a
// field that only the other side holds still shows its column in this side's panel.
TEST_F(GroupRecordTyping, UndoAfterAnotherRecordTakesBackTheLastEditAndKeepsTheOtherSidesColumns)
{
    chooseColumn("Fup_CompanySlogan", 2);
    ASSERT_NE(frontElement("Fup_CompanySlogan"), nullptr);
    clickGroupRow(4);
    EXPECT_EQ(front().textBox("Fup_CompanySlogan")->text(), "Firm 5");
    undo();
    EXPECT_EQ(frontElement("Fup_CompanySlogan"), nullptr);
    EXPECT_EQ(front().chosenColumn("Fup_CompanySlogan"), -1);
    EXPECT_EQ(nameOnCard(), "Person 5");

    CARD_SIDE_STR = QStringLiteral("2");
    controller.sideCommands().Select_back_side();
    chooseColumnOn(1, "Fup_Address", 2);
    ASSERT_NE(controller.graphicView(SKTDocument::BackSide)->Selcect_Ctrl_With_ID("Fup_Address"), nullptr);
    controller.sideCommands().Select_front_side();
    chooseColumn("Fup_PhoneNO", 4);
    for (const char* command : {"Undo_btn", "Redo_btn"}) {
        SCOPED_TRACE(command);
        action(QLatin1String(command)).trigger();
        EXPECT_EQ(frontElement("Fup_PhoneNO") != nullptr, QLatin1String(command) == QLatin1String("Redo_btn"));
        EXPECT_EQ(front().chosenColumn("Fup_Address"), 2);
        EXPECT_EQ(front().findChild<QComboBox*>(QStringLiteral("Fup_Address_col"))->currentText(), "Company");
    }
}

// A picture field added in the panel and bound to the Photo column (in a project saved so): the
// record's picture shows on it and in its row, and one chosen with the row's Browse… is what Save
// Details writes into the record's row of the workbook.
TEST_F(GroupPictureField, SaveDetailsWritesThePictureChosenForABoundPictureField)
{
    ASSERT_NO_FATAL_FAILURE(addFieldBoundTo(1, "F_Photo1", 3));
    clickGroupRow(2);
    ASSERT_EQ(frontElement("F_Photo1")->_file_path, photos[2]);
    const auto shownInRow = [this] {
        const QImage shown = qobject_cast<QLabel*>(front().Get_Dynamic_Photo_Ctrl(QStringLiteral("F_Photo1")))->pixmap().toImage();
        return shown.isNull() ? QColor() : shown.pixelColor(shown.width() / 2, shown.height() / 2);
    };
    EXPECT_EQ(shownInRow().rgb(), QColor::fromHsv(3 * 30, 200, 200).rgb());

    const QString red = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("red.png"), Qt::red);
    dialogs.queueOpenFile(red);
    front().findChild<QPushButton*>(QStringLiteral("F_Photo1_browse"))->click();
    ASSERT_EQ(frontElement("F_Photo1")->_file_path, red);
    EXPECT_EQ(shownInRow().rgb(), QColor(Qt::red).rgb());
    saveRecord();
    EXPECT_EQ(workbookRow(4), QStringLiteral("Staff Person 3|Firm 3|%1|ID0003").arg(red));
}
