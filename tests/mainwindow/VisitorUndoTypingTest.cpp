// Undo and Redo in visitor mode on the real window ask before they take back what was typed in
// the visitor's panel along with the edit made after it: Yes keeps the typing and takes back or
// brings back the edit alone, No takes the typing along, Cancel leaves everything. Register
// Visitor then logs what the pass shows (sqlite3).
#include "VisitorDeskFixture.h"
#include "mainwindow/SideCommands.h"

namespace {

enum Answer { Keep = 0, Drop = 1, Stay = 2 };  // the question's buttons: Yes, No, Cancel

class VisitorUndoTyping : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedPass());
    }
    GraphicPtr frontOfKind(const char* id, GraphicKind kind) const
    {
        for (const GraphicPtr& element : controller.Get_Front_Controls_Array())
            if (element->control_ID == QLatin1String(id) && element->kind() == kind)
                return element;
        return nullptr;
    }
    void giveNumber(const QString& number) { giveBarcodeValue(frontOfKind("Fup_UniqueNo", GraphicKind::Barcode), number); }
    // The name and number as the card's texts, the symbol and the panel show them.
    QString shown() const
    {
        return QStringList{frontOfKind("Fup_Name", GraphicKind::Text)->Text_Value, front().textBox("Fup_Name")->text(),
                           frontOfKind("Fup_UniqueNo", GraphicKind::Text)->Text_Value,
                           frontOfKind("Fup_UniqueNo", GraphicKind::Barcode)->barcode.shownValue(),
                           front().textBox("Fup_UniqueNo")->text()}
            .join(u'|');
    }
    static QString visitor(const char* name, const char* number)
    {
        return QStringLiteral("%1|%1|%2|%2|%2").arg(QLatin1String(name), QLatin1String(number));
    }
};

struct HistoryCase {
    const char* command;
    Answer answer;
    const char* name;  // what the pass shows after the answer
    const char* number;
};

class VisitorHistoryAnswer : public VisitorUndoTyping, public ::testing::WithParamInterface<HistoryCase> {};

}  // namespace

// "First Visitor" typed, V-222 given in the barcode window, "Third Visitor" typed, the back and
// the front shown, V-333 given; then Undo, or (after an Undo dropping the typing and "Fourth
// Visitor" typed) Redo, answered Yes, No or Cancel.
TEST_P(VisitorHistoryAnswer, UndoAndRedoAskBeforeTheyTakeTypingAlongWithTheEdit)
{
    const HistoryCase& c = GetParam();
    const bool redo = QLatin1String(c.command) == QLatin1String("Redo_btn");
    type("Fup_Name", QStringLiteral("First Visitor"));
    giveNumber(QStringLiteral("V-222"));
    type("Fup_Name", QStringLiteral("Third Visitor"));
    controller.sideCommands().Select_back_side();
    controller.sideCommands().Select_front_side();
    giveNumber(QStringLiteral("V-333"));
    ASSERT_EQ(shown(), visitor("Third Visitor", "V-333"));
    QString typed = QStringLiteral("Third Visitor");
    if (redo) {
        messages.queueAnswers({Drop});
        action(QStringLiteral("Undo_btn")).trigger();
        ASSERT_EQ(shown(), visitor("First Visitor", "V-222"));
        typed = QStringLiteral("Fourth Visitor");
        type("Fup_Name", typed);
    }

    const qsizetype said = messages.texts().size();
    messages.queueAnswers({c.answer});
    action(QLatin1String(c.command)).trigger();
    const QString question = redo ? kVisitorTypingBeforeRedoQuestion : kVisitorTypingBeforeUndoQuestion;
    EXPECT_EQ(messages.texts().mid(said), QStringList{question.arg(QStringLiteral("Name \"%1\"").arg(typed))});
    EXPECT_EQ(shown(), visitor(c.name, c.number));
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Visitor_No"), QStringLiteral("%1|%2").arg(QLatin1String(c.name), QLatin1String(c.number)));
}

INSTANTIATE_TEST_SUITE_P(YesNoCancel, VisitorHistoryAnswer,
                         ::testing::Values(HistoryCase{"Undo_btn", Keep, "Third Visitor", "V-222"},
                                           HistoryCase{"Undo_btn", Drop, "First Visitor", "V-222"},
                                           HistoryCase{"Undo_btn", Stay, "Third Visitor", "V-333"},
                                           HistoryCase{"Redo_btn", Keep, "Fourth Visitor", "V-333"},
                                           HistoryCase{"Redo_btn", Drop, "Third Visitor", "V-333"},
                                           HistoryCase{"Redo_btn", Stay, "Fourth Visitor", "V-222"}));

// Undo whose step leaves the typing as it is asks nothing: the name typed before the last two
// numbers stays while the last number is taken back.
TEST_F(VisitorUndoTyping, UndoThatLeavesTheTypingAsItIsAsksNothing)
{
    giveNumber(QStringLiteral("V-222"));
    type("Fup_Name", QStringLiteral("Ana Souza"));
    giveNumber(QStringLiteral("V-333"));
    giveNumber(QStringLiteral("V-444"));
    const qsizetype said = messages.texts().size();
    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(messages.texts().mid(said), QStringList());
    EXPECT_EQ(shown(), visitor("Ana Souza", "V-333"));
}

// Typing that an Undo answered No took along is the history's from then on: Redo brings it back
// and Undo takes it again without asking.
TEST_F(VisitorUndoTyping, TypingTakenAlongByAnUndoIsNotAskedAboutAgain)
{
    type("Fup_Name", QStringLiteral("First Visitor"));
    giveNumber(QStringLiteral("V-222"));
    type("Fup_Name", QStringLiteral("Third Visitor"));
    giveNumber(QStringLiteral("V-333"));
    const qsizetype said = messages.texts().size();
    messages.queueAnswers({Drop});
    action(QStringLiteral("Undo_btn")).trigger();
    ASSERT_EQ(messages.texts().size(), said + 1);
    ASSERT_EQ(shown(), visitor("First Visitor", "V-222"));
    action(QStringLiteral("Redo_btn")).trigger();
    EXPECT_EQ(shown(), visitor("Third Visitor", "V-333"));
    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(shown(), visitor("First Visitor", "V-222"));
    EXPECT_EQ(messages.texts().mid(said + 1), QStringList());
}

// The number typed in the panel is the symbol's value: the barcode window opens on it, so OK
// there leaves it, and Undo answered Yes keeps it in the symbol.
TEST_F(VisitorUndoTyping, ANumberTypedInThePanelIsTheSymbolsValue)
{
    giveNumber(QStringLiteral("V-222"));
    const QString name = front().textBox("Fup_Name")->text();
    const QString withNumber = QStringLiteral("%1|%1|V-555|V-555|V-555").arg(name);
    type("Fup_UniqueNo", QStringLiteral("V-555"));
    EXPECT_EQ(shown(), withNumber);
    QString opened;
    dialogs.queueHook([&opened](QDialog& window) {
        opened = window.findChild<QLineEdit*>(QStringLiteral("dataText"))->text();
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    const GraphicPtr symbol = frontOfKind("Fup_UniqueNo", GraphicKind::Barcode);
    canvas_mouse::doubleClick(*controller.graphicView(SKTDocument::FrontSide), symbol->bounds().center());
    dialogs.clearHooks();
    EXPECT_EQ(opened, "V-555");
    EXPECT_EQ(shown(), withNumber);

    type("Fup_UniqueNo", QStringLiteral("V-556"));
    const qsizetype elements = controller.Get_Front_Controls_Array().size();
    addField(front(), 0, QStringLiteral("Extra"));
    ASSERT_GT(controller.Get_Front_Controls_Array().size(), elements);
    const QString typed = QStringLiteral("%1|%1|V-556|V-556|V-556").arg(name);
    const qsizetype said = messages.texts().size();
    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(shown(), typed);
    EXPECT_EQ(controller.Get_Front_Controls_Array().size(), elements) << "the added field stays";
    // The next Undo would take the typed number back: kept, it stays in the symbol too.
    messages.queueAnswers({Keep});
    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(messages.texts().mid(said).size(), 1);
    EXPECT_EQ(shown(), typed);
    click("register_visitor_btn");
    EXPECT_EQ(logged("Visitor_No"), "V-556");
}
