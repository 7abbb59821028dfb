// Undo and Redo in a group project on the real window ask about typing over the record shown that
// is not saved, as another record or side does: Yes saves it into the workbook (read back with
// openpyxl) and then takes the step, No drops it and takes the step, Cancel leaves everything.
#include <QTest>

#include "GroupPeopleFixture.h"
#include "support/CanvasMouse.h"

namespace {

enum Answer { Save = 0, Discard = 1, Stay = 2 };  // the question's buttons: Yes, No, Cancel

class GroupUndoTyping : public GroupPeople {
protected:
    SKTGraphicView& canvas() const { return *controller.graphicView(SKTDocument::FrontSide); }
    // The template's band across the top of the card.
    GraphicPtr band() const
    {
        for (const GraphicPtr& element : document.graphics()) {
            if (element->kind() == GraphicKind::Shape)
                return element;
        }
        return nullptr;
    }
    // The band one point to the right, as a click on it and the → key put it.
    void moveBandByKey()
    {
        canvas().changeSelectionIndexes({int(document.graphics().indexOf(band()))});
        QTest::keyClick(&canvas(), Qt::Key_Right);
    }
    void clickEmptyCanvas()
    {
        const QPointF empty(236, 148);
        ASSERT_EQ(canvas().graphicUnderPoint(empty), nullptr);
        canvas_mouse::drag(canvas(), empty, empty);
    }
};

}  // namespace

// Record n shown, the band moved by the → key (and taken back for a Redo), the canvas clicked,
// "Probe n" typed as the record's name; then Undo or Redo, answered Yes, No or Cancel.
TEST_F(GroupUndoTyping, UndoAndRedoAskBeforeTypingOverTheRecordIsLost)
{
    const struct {
        const char* command;
        Answer answer;
    } cases[] = {{"Undo_btn", Save}, {"Undo_btn", Discard}, {"Undo_btn", Stay},
                 {"Redo_btn", Save}, {"Redo_btn", Discard}, {"Redo_btn", Stay}};
    int row = 0;
    for (const auto& c : cases) {
        const bool redo = QLatin1String(c.command) == QLatin1String("Redo_btn");
        SCOPED_TRACE(std::string(c.command) + " answered " + std::to_string(c.answer));
        clickGroupRow(++row);
        const QString person = QStringLiteral("Person %1").arg(row + 1);
        const QString typed = QStringLiteral("Probe %1").arg(row + 1);
        ASSERT_EQ(field("Fup_Name").text(), person);
        const double startX = band()->bounds().x();
        moveBandByKey();
        if (redo)
            undo();
        ASSERT_EQ(band()->bounds().x(), redo ? startX : startX + 1);
        ASSERT_NO_FATAL_FAILURE(clickEmptyCanvas());
        type("Fup_Name", typed);

        const qsizetype said = messages.texts().size();
        messages.queueAnswers({c.answer});
        action(QLatin1String(c.command)).trigger();

        const QString recordText = QStringLiteral("%1 - %2").arg(row + 1);
        const QString question = redo ? kUnsavedBeforeRedoQuestion : kUnsavedBeforeUndoQuestion;
        QStringList expected{question.arg(recordText.arg(person))};
        if (c.answer == Save)
            expected << u'\n' + kRecordSavedMessage.arg(recordText.arg(typed), QStringLiteral("People.xlsx"));
        EXPECT_EQ(messages.texts().mid(said), expected);
        const QString name = c.answer == Discard ? person : typed;
        EXPECT_EQ(field("Fup_Name").text(), name);
        EXPECT_EQ(frontElement("Fup_Name")->Text_Value, name);
        // The step is taken unless the question was cancelled: the band moves back or again.
        const bool stepTaken = c.answer != Stay;
        EXPECT_EQ(band()->bounds().x(), startX + (stepTaken == redo ? 1 : 0));
        EXPECT_EQ(workbookRow(row + 2), QStringLiteral("Staff %1|Firm %2|%3|ID%4")
                                            .arg(c.answer == Save ? typed : person)
                                            .arg(row + 1)
                                            .arg(photos[row])
                                            .arg(row + 1, 4, 10, QChar(u'0')));
        if (c.answer == Stay)
            type("Fup_Name", person);  // typed back: nothing left to ask about
    }
}
