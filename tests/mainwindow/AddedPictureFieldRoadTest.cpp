// A picture field added in the side panel, on the real window in visitor and group mode: its row's
// Browse… and a file dropped on its row's view put the picture on the card's element and in the
// row as one Undo step; a visitor's is the picture the log keeps (sqlite3) and a pass printed
// again from the log shows (pdftoppm). A file that is no picture is refused and changes nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableView>

#include "VisitorDeskFixture.h"
#include "support/FileDrop.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/PropertyInspector.h"
#include "output/OutputPictures.h"
#include "output/SideSnapshot.h"

namespace {

enum class Road { Browse, Drop };

class AddedPictureField : public VisitorDeskFixture {
protected:
    void startVisitorDesk() { ASSERT_NO_FATAL_FAILURE(openDeskPass()); }
    // A group project over the workbook (one person unless given).
    void startGroup(const QString& workbook = {})
    {
        GraphicPtr band = SKTGraphic::create(GraphicKind::Shape);
        band->_bounds = QRectF(0, 0, 242.64, 30);
        writeTemplateFile(QStringLiteral("badge (h)"), QStringLiteral("employee"), QStringLiteral("Horizontal"),
                          QSizeF(242.64, 153.36), {band});
        controller.window()->resize(1280, 800);
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(startGroupProject(workbook.isEmpty() ? openpyxlWorkbook(QStringLiteral("people.xlsx"),
                                                                                        "ws.append(['Name', 'Company'])\n"
                                                                                        "ws.append(['Ana Souza', 'Harbour'])\n")
                                                                     : workbook));
    }
    // The picture field "Badge" added on the front through the panel; its identifier.
    QString addBadge()
    {
        addField(front(), 1, QStringLiteral("Badge"));
        for (const ProfilePanelRow& row : front().view_array_label())
            if (row.controlId.contains(QLatin1String("_Photo")))
                return row.controlId;
        ADD_FAILURE() << "no picture row";
        return {};
    }
    // The file given to the row as a user gives it: chosen in the file panel of the row's
    // Browse…, or dragged from the file manager onto the row's view.
    void give(Road road, const QString& id, const QString& file)
    {
        if (road == Road::Browse) {
            auto* browse = front().findChild<QPushButton*>(id + QStringLiteral("_browse"));
            ASSERT_NE(browse, nullptr) << "the row has no Browse…";
            dialogs.queueOpenFile(file);
            browse->click();
            return;
        }
        dropFile(*front().Get_Dynamic_Photo_Ctrl(id), file);
    }
    // The colour at the middle of the element on the front as output draws it.
    QColor onCardAt(const GraphicPtr& element) const
    {
        OutputPictures pictures;
        const QImage side =
            snapshotForOutput(controller.Get_Front_Controls_Array(), CardSide::Front, pictures, 72).image.toImage(72);
        return side.pixelColor(element->bounds().center().toPoint());
    }
    QColor inRow(const QString& id) const
    {
        const auto* view = qobject_cast<const QLabel*>(front().Get_Dynamic_Photo_Ctrl(id));
        if (!view || view->pixmap().isNull())
            return {};
        const QImage shown = view->pixmap().toImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }
    static bool isRed(const QColor& colour) { return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60; }
    static int redPixelsOf(const QImage& page)
    {
        int count = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                count += isRed(page.pixelColor(x, y));
        return count;
    }
};

}  // namespace

TEST_F(AddedPictureField, TheRowsBrowseAndADropPutThePictureOnTheCardAndInTheRowAsOneStep)
{
    const struct {
        const char* mode;
        Road road;
    } cases[] = {{"V", Road::Browse}, {"V", Road::Drop}, {"G", Road::Browse}, {"G", Road::Drop}};
    QStringList kept;  // the log's rows
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.road == Road::Browse ? " Browse" : " drop"));
        const bool visitor = c.mode == QLatin1String("V");
        ASSERT_NO_FATAL_FAILURE(visitor ? startVisitorDesk() : startGroup());
        ASSERT_EQ(Start_Card_Option, QLatin1String(c.mode));
        const QString id = addBadge();
        ASSERT_NE(onCard(qPrintable(id)), nullptr);
        const QColor fresh = inRow(id);  // the no-picture picture
        const QString red = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("red.png"), Qt::red);
        if (visitor)  // typed just before: a step of its own, which Undo of the picture leaves
            type("Fup_Name", QStringLiteral("Typed Before"));
        give(c.road, id, red);

        const GraphicPtr badge = onCard(qPrintable(id));
        EXPECT_EQ(badge->_file_path, red);
        EXPECT_TRUE(isRed(onCardAt(badge))) << qPrintable(onCardAt(badge).name());
        EXPECT_TRUE(isRed(inRow(id))) << qPrintable(inRow(id).name());
        // The field keeps its name: its row is still "Badge".
        EXPECT_EQ(front().findChild<QLabel*>(id + QStringLiteral("_caption"))->text(), "Badge");

        // One Undo takes the picture off the card and out of the row; Redo brings both back.
        action(QStringLiteral("Undo_btn")).trigger();
        ASSERT_NE(onCard(qPrintable(id)), nullptr) << "Undo took the field away, not its picture";
        EXPECT_EQ(onCard(qPrintable(id))->_file_path, QString());
        EXPECT_FALSE(isRed(onCardAt(onCard(qPrintable(id)))));
        EXPECT_EQ(inRow(id), fresh);
        if (visitor) {
            EXPECT_EQ(front().textBox(QStringLiteral("Fup_Name"))->text(), "Typed Before");
            EXPECT_EQ(onCard("Fup_Name")->Text_Value, "Typed Before");
        }
        action(QStringLiteral("Redo_btn")).trigger();
        EXPECT_EQ(onCard(qPrintable(id))->_file_path, red);
        EXPECT_TRUE(isRed(inRow(id)));
        if (!visitor)
            continue;

        // The visitor is logged with the picture, and the pass printed again from the log shows it.
        type("Fup_Name", QStringLiteral("Ana Souza"));
        click("register_visitor_btn");
        kept << QStringLiteral("Ana Souza|Visitor Type [Fup_FaxNo]: \nBadge [%1]: %2").arg(id, red);
        EXPECT_EQ(logged("Name, Other"), kept.join(u'\n'));
        const QImage again(pageOf(reprint(int(kept.size()) - 1), 72));
        ASSERT_FALSE(again.isNull());
        // The field's box, a pixel a point, is red.
        const QRectF box = onCard(qPrintable(id))->bounds();
        EXPECT_NEAR(redPixelsOf(again), box.width() * box.height(), box.width() + box.height());
        EXPECT_EQ(front().photoPath(), onCard("Fup_Photo")->_file_path) << "the holder's photo stays the holder's";
    }
}

// A picture chosen in a row whose box was unticked shows on the card, its box ticked again.
TEST_F(AddedPictureField, APictureChosenInAnUntickedRowShowsOnTheCard)
{
    ASSERT_NO_FATAL_FAILURE(startVisitorDesk());
    const QString id = addBadge();
    QCheckBox& shown = *front().checkBox(id);
    shown.click();
    ASSERT_FALSE(onCard(qPrintable(id))->ctrl_is_visible);
    give(Road::Browse, id, visitortest::photoFile(QDir(scratch.path()), QStringLiteral("red.png"), Qt::red));
    EXPECT_TRUE(isRed(onCardAt(onCard(qPrintable(id))))) << qPrintable(onCardAt(onCard(qPrintable(id))).name());
    EXPECT_TRUE(shown.isChecked());
}

// A dropped file of a kind the file panel does not offer, and a file that is no picture however
// chosen: each refused with its message, the card and the row as they were and no Undo step.
TEST_F(AddedPictureField, AFileThatIsNoPictureIsRefusedAndChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(startVisitorDesk());
    const QString id = addBadge();
    QFile text(scratch.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    ASSERT_TRUE(QFile::copy(text.fileName(), scratch.filePath(QStringLiteral("broken.png"))));
    const QString kinds = QStringLiteral("jpg, jpeg, jpe, jfif, gif, bmp, png, tif, tiff");
    const struct {
        Road road;
        const char* file;
        QString message;
    } cases[] = {
        {Road::Drop, "notes.txt", QStringLiteral("The file \"notes.txt\" is not a picture of the kinds taken here: %1.").arg(kinds)},
        {Road::Drop, "broken.png", QStringLiteral("The file \"broken.png\" is not a picture that can be read.")},
        {Road::Browse, "broken.png", QStringLiteral("The file \"broken.png\" is not a picture that can be read.")},
    };
    const bool undoBefore = action(QStringLiteral("Undo_btn")).isEnabled();
    const QColor rowBefore = inRow(id);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const qsizetype told = messages.texts().size();
        give(c.road, id, scratch.filePath(QLatin1String(c.file)));
        EXPECT_EQ(messages.texts().mid(told), QStringList{u'\n' + c.message});
        EXPECT_EQ(onCard(qPrintable(id))->_file_path, QString());
        EXPECT_EQ(inRow(id), rowBefore);
    }
    EXPECT_EQ(action(QStringLiteral("Undo_btn")).isEnabled(), undoBefore);
    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(onCard(qPrintable(id)), nullptr) << "Undo takes back the field, the last edit";
}

// A picture field added in the group panel chooses its column as the profile's fields do: each
// record shows its own picture on the card and in the row, and Save Details writes the picture
// browsed into the record's cell of that column (openpyxl).
TEST_F(AddedPictureField, InGroupModeTheRowsColumnGivesEachRecordItsOwnPicture)
{
    const QDir folder(scratch.path());
    const QString blue = visitortest::photoFile(folder, QStringLiteral("blue.png"), Qt::blue);
    const QString green = visitortest::photoFile(folder, QStringLiteral("green.png"), Qt::green);
    const QString red = visitortest::photoFile(folder, QStringLiteral("red.png"), Qt::red);
    ASSERT_NO_FATAL_FAILURE(startGroup(openpyxlWorkbook(QStringLiteral("badges.xlsx"),
                                                        "ws.append(['Name', 'Company', 'Badge'])\n"
                                                        "ws.append(['Ana Souza', 'Harbour', sys.argv[2]])\n"
                                                        "ws.append(['Ben Ode', 'Quay', sys.argv[3]])\n",
                                                        {blue, green})));
    const QString id = addBadge();
    auto* column = front().findChild<QComboBox*>(id + QStringLiteral("_col"));
    ASSERT_NE(column, nullptr) << "the row has no column choice";
    EXPECT_TRUE(column->isVisibleTo(controller.window()));
    ASSERT_EQ(column->itemText(3), "Badge");
    column->setCurrentIndex(3);
    Q_EMIT column->activated(3);
    // The card's and the row's colour.
    const auto shown = [&] { return onCardAt(onCard(qPrintable(id))).name() + u' ' + inRow(id).name(); };
    const auto colour = [](const QColor& c) { return c.name() + u' ' + c.name(); };
    EXPECT_EQ(shown(), colour(Qt::blue));

    give(Road::Browse, id, red);
    EXPECT_EQ(shown(), colour(Qt::red));
    front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
    const auto stored = TestEnvironment::runPython("import sys, openpyxl\n"
                                                   "for row in openpyxl.load_workbook(sys.argv[1]).active.values: print('|'.join(row))\n",
                                                   {LiveModePanels::projectWorkbookPath(Project_File_Name)});
    EXPECT_EQ(QString::fromUtf8(stored.out).trimmed(),
              QStringLiteral("Name|Company|Badge\nAna Souza|Harbour|%1\nBen Ode|Quay|%2").arg(red, green))
        << stored.err.constData();

    QTableView& list = controller.inspector().sizePanel().GroupList();
    for (const auto& [row, picture] : {std::pair{1, Qt::green}, std::pair{0, Qt::red}}) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(row, 0)).center());
        EXPECT_EQ(shown(), colour(picture)) << "record " << row + 1;
    }
}
