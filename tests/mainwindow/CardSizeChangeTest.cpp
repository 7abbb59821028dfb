// The size and background pages on the real main window: a new size and Undo, the category's
// size list, background pictures that cannot be read, each refused with its reason (one past
// the pixel bound by its size), and a tiled background repeating at its size in points on the
// exported card.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QItemSelectionModel>
#include <QMainWindow>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "ExportScripting.h"
#include "MainWindowFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/SnapshotUndo.h"
#include "model/SKTDocument.h"
#include "views/canvas/SKTGraphicView.h"
#include "support/TestEnvironment.h"
#include "views/inspector/PropertyInspector.h"

namespace {

// CR80 and CR90 in points, as the presets give them in inches.
const QSizeF kCr80(3.37 * 72, 2.13 * 72);
const QSizeF kCr90(3.62 * 72, 2.38 * 72);
const QString kUnreadable = QStringLiteral("\nThe file \"%1\" is not a picture that can be read.");

class CardSizeChangeTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0, Measument_Unit_Is = last_unit_val = kUnitMillimetre;
        controller.inspector().setUpControls({});
        {
            const NotDrawOnlyPropChangeGuard filling;
            controller.inspector().sizePanel().showSizeChoice(0, 0, 0);  // Horizontal, PVC Card, CR80
        }
        controller.inspector().sizePanel().Change_Value_According_List_Selection(0);
        shape = SKTGraphic::create(GraphicKind::Shape);
        shape->Set_Shape_Type(QStringLiteral("R"));
        shape->setBounds(QRectF(100, 50, 60, 30));
        view().insertGraphics({shape}, {0});
        controller.showWindow();
        controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History();  // as every start does
        QApplication::processEvents();
    }
    void clickRow(int row)
    {
        QTableView& list = control<QTableView>("ColList");
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    int highlightedRow()
    {
        const QModelIndexList rows = control<QTableView>("ColList").selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    SKTGraphicView& view() const { return *controller.graphicView(SKTDocument::FrontSide); }
    QSizeF card() const { return controller.frontCanvasBounds().size(); }
    static void expectSize(QSizeF actual, QSizeF expected)
    {
        // The fields keep hundredths of a millimetre.
        EXPECT_NEAR(actual.width(), expected.width(), 0.03);
        EXPECT_NEAR(actual.height(), expected.height(), 0.03);
    }

    GraphicPtr shape;
};

// A new size starts the history afresh: Undo never puts elements of one size on a card of another.
TEST_F(CardSizeChangeTest, UndoAfterANewSizeNeverMixesSizes)
{
    expectSize(card(), kCr80);
    view().changeSelectionIndexes({0});
    QTest::keyClick(&view(), Qt::Key_Right);
    ASSERT_EQ(document.graphics().first()->bounds().x(), 101);
    ASSERT_TRUE(action("Undo_btn").isEnabled());

    clickRow(2);  // CR90
    expectSize(card(), kCr90);
    const QRectF rescaled = document.graphics().first()->bounds();
    EXPECT_NEAR(rescaled.x(), 101 * kCr90.width() / kCr80.width(), 0.01);
    EXPECT_FALSE(action("Undo_btn").isEnabled());
    EXPECT_FALSE(action("Redo_btn").isEnabled());

    action("Undo_btn").trigger();
    expectSize(card(), kCr90);
    EXPECT_EQ(document.graphics().first()->bounds(), rescaled);

    // Edits on the new size are undone as before.
    view().changeSelectionIndexes({0});
    QTest::keyClick(&view(), Qt::Key_Down);
    action("Undo_btn").trigger();
    EXPECT_EQ(document.graphics().first()->bounds(), rescaled);
    EXPECT_FALSE(action("Undo_btn").isEnabled());
}

// The highlighted row of the size list is the card's size, or none; choosing any row applies it.
TEST_F(CardSizeChangeTest, TheSizeListHighlightsTheCardsSizeAndAnyChosenRowApplies)
{
    ASSERT_EQ(highlightedRow(), 0);
    choose("Category_ComboBox", 1);  // Paper Card: no badge is a CR80
    EXPECT_EQ(highlightedRow(), -1);
    expectSize(card(), kCr80);
    EXPECT_EQ(controller.Front_card_Prop.Card_Cat_index(), -1);
    EXPECT_EQ(controller.Front_card_Prop.Card_Sub_Category(), "");

    clickRow(0);  // Durable 1458, 3.94 x 4.09 in
    expectSize(card(), QSizeF(3.94 * 72, 4.09 * 72));
    EXPECT_EQ(controller.Front_card_Prop.Card_Sub_Category(), "Durable 1458 - Name Badge");

    choose("Category_ComboBox", 0);
    EXPECT_EQ(highlightedRow(), -1);
    // With no row chosen a new orientation turns the card as it is, never to a stand-in size.
    choose("Preset_ComboBox", 1);
    expectSize(card(), QSizeF(4.09 * 72, 3.94 * 72));
    EXPECT_EQ(highlightedRow(), -1);
    choose("Preset_ComboBox", 2);  // custom: the card keeps its size
    choose("Preset_ComboBox", 1);
    expectSize(card(), QSizeF(4.09 * 72, 3.94 * 72));

    clickRow(0);  // CR80 upright
    expectSize(card(), kCr80.transposed());
    choose("Category_ComboBox", 1);
    choose("Category_ComboBox", 0);
    EXPECT_EQ(highlightedRow(), 0);  // the card is a CR80 again
}

// A background picture that cannot be read is refused with a message; the side keeps its own.
TEST_F(CardSizeChangeTest, AnUnreadableBackgroundPictureIsRefusedAndThePreviousKept)
{
    QTemporaryDir dir;
    QImage good(40, 20, QImage::Format_RGB32);
    good.fill(Qt::red);
    const QString goodPath = dir.filePath(QStringLiteral("good.png"));
    ASSERT_TRUE(good.save(goodPath));
    QFile fake(dir.filePath(QStringLiteral("fake.png")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("this is no picture\n");
    fake.close();
    // Past the reader's allocation limit once decoded, though small as a file.
    QImage huge(20000, 20000, QImage::Format_Mono);
    huge.fill(0);
    const QString hugePath = dir.filePath(QStringLiteral("huge.png"));
    ASSERT_TRUE(huge.save(hugePath));
    huge = QImage();

    control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_Image_fill_rd").click();
    dialogs.queueOpenFile(goodPath);
    control<QPushButton>("Card_Image_Browse_Btn").click();
    ASSERT_EQ(controller.Front_card_Prop.Card_BG_Image_Path(), goodPath);
    ASSERT_EQ(controller.Front_card_Prop.Card_fill_style(), "I");

    const std::pair<QString, QString> refusals[] = {
        {fake.fileName(), kUnreadable.arg(QStringLiteral("fake.png"))},
        {hugePath, QStringLiteral("\nThe picture \"huge.png\" has 20000 × 20000 pixels, more than the 67,108,864 (64 megapixels) "
                                  "a picture may have.")},
    };
    for (const auto& [bad, told] : refusals) {
        dialogs.queueOpenFile(bad);
        control<QPushButton>("Card_Image_Browse_Btn").click();
        EXPECT_EQ(messages.texts().value(messages.texts().size() - 1), told);
        EXPECT_EQ(controller.Front_card_Prop.Card_BG_Image_Path(), goodPath);
        EXPECT_EQ(controller.Front_card_Prop.Card_BG_Image().pixelColor(5, 5), QColor(Qt::red));
        EXPECT_EQ(control<QLineEdit>("Card_Image_path").text(), goodPath);
    }
    EXPECT_EQ(messages.texts().size(), 2);
}

// Tiled backgrounds made by ImageMagick, each browsed on the background page and the card exported:
// a picture of 1448 x 300 pixels (no resolution stated, so as many points) is held to 724 points
// wide, so its stripe at pixel 200 shows at 100 points; a 100-pixel tile stating 300 dpi repeats
// every 24 points. The exported row is read back by ImageMagick.
TEST_F(CardSizeChangeTest, ATiledBackgroundRepeatsAtItsSizeInPointsOnTheExportedCard)
{
    QTemporaryDir dir;
    const QString wide = dir.filePath(QStringLiteral("wide.png")), fine = dir.filePath(QStringLiteral("fine.png"));
    const QStringList made[] = {
        {QStringLiteral("-size"), QStringLiteral("1448x300"), QStringLiteral("xc:white"), QStringLiteral("-fill"),
         QStringLiteral("black"), QStringLiteral("-draw"), QStringLiteral("rectangle 200,0 203,299"), wide},
        {QStringLiteral("-size"), QStringLiteral("100x100"), QStringLiteral("xc:white"), QStringLiteral("-fill"),
         QStringLiteral("black"), QStringLiteral("-draw"), QStringLiteral("rectangle 0,0 9,99"), QStringLiteral("-units"),
         QStringLiteral("PixelsPerInch"), QStringLiteral("-density"), QStringLiteral("300"), fine},
    };
    for (const QStringList& arguments : made)
        ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), arguments).exitCode, 0);
    control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_Image_fill_rd").click();
    choose("Card_image_layout", control<QComboBox>("Card_image_layout").findText(QStringLiteral("Tile")));

    struct Case {
        QString picture;
        QList<double> dark, light;  // points across the card, on a row clear of the shape
    };
    const Case cases[] = {{wide, {100.5, 101.5}, {50, 99, 104, 150, 201.5}},
                          {fine, {1, 25, 49, 73, 97, 121, 145}, {12, 23, 36, 60, 101.5}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture.toStdString());
        dialogs.queueOpenFile(c.picture);
        control<QPushButton>("Card_Image_Browse_Btn").click();
        ASSERT_EQ(controller.Front_card_Prop.Card_BG_Image_Layout(), "Tile");
        const QString png = dir.filePath(QStringLiteral("card.png"));
        scriptDesignExport(dialogs, png);
        action(QStringLiteral("Export_Button")).trigger();
        const QString front = dir.filePath(QStringLiteral("card_Front.png"));
        const auto width = TestEnvironment::run(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%w"), front});
        const double scale = width.out.toDouble() / card().width();
        ASSERT_GT(scale, 0.9) << width.err.constData();
        const auto row = TestEnvironment::run(
            QStringLiteral("convert"), {front, QStringLiteral("-crop"),
                                        QStringLiteral("%1x1+0+%2").arg(width.out.constData()).arg(int(120 * scale)),
                                        QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("gray:-")});
        ASSERT_EQ(row.out.size(), width.out.toInt());
        for (const double x : c.dark)
            EXPECT_LT(quint8(row.out.at(int(x * scale))), 64) << x;
        for (const double x : c.light)
            EXPECT_GT(quint8(row.out.at(int(x * scale))), 192) << x;
        QFile::remove(front);
    }
}

}  // namespace
