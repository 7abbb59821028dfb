// The print window as a person works it: the controls show what the layout decided, the profile
// table lists names that cannot be edited in place, and the name sheet checks what it is given.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include "PrintTestSheet.h"
#include "StandInPrinters.h"
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "platform/PropertyList.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/dialogs/WholeTitles.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/Add_Print_Profile.h"
#include "views/print/PrintProfileStore.h"
#include "views/print/Print_Wnd.h"
#include "views/print/Sample_Preview.h"

namespace {

struct WindowFixture {
    WindowFixture()
    {
        print_profile_path = folder.path();
        QPageLayout portrait = printInfo();
        portrait.setOrientation(QPageLayout::Portrait);
        setPrintInfo(portrait);
    }
    ~WindowFixture() { print_profile_path = QString(); }

    QTemporaryDir folder;
    StandInPrinters printers;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scoped{messages};
    ScriptedDialogPresenter dialogs;
};

int noRecords(bool, bool) { return 1; }

// A control of a window by its name in the window's layout.
template <class Widget>
Widget* control(const QObject& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    EXPECT_TRUE(widget) << name;
    return widget;
}

}  // namespace

TEST(PrintWindowTest, ControlsFollowTheLayoutAndTheTotalFollowsRowsTimesColumns)
{
    WindowFixture f;
    Print_Wnd window;
    window.prepare({true, 0, false, false, {}, {}}, &noRecords);
    EXPECT_EQ(control<QComboBox>(window, "Printer_ComboBox")->count(), 2);
    EXPECT_EQ(control<QLabel>(window, "Paper_id")->text(), "Letter");
    EXPECT_EQ(control<QLabel>(window, "l_mar_id")->text(), "6.35");
    EXPECT_TRUE(control<QRadioButton>(window, "side_both")->isChecked());
    EXPECT_FALSE(control<QComboBox>(window, "print_alignment")->isHidden());
    EXPECT_TRUE(control<QComboBox>(window, "print_alignment_one_side")->isHidden());

    control<QDoubleSpinBox>(window, "width_Text")->setValue(85.6);
    control<QDoubleSpinBox>(window, "height_Text")->setValue(54);
    control<QSpinBox>(window, "Col_Text")->setValue(2);
    control<QSpinBox>(window, "Row_Text")->setValue(2);
    EXPECT_EQ(window.rangeBlock().Total_Text->value(), 4);
    EXPECT_TRUE(window.rangeBlock().Total_Text->isEnabled());
    EXPECT_FALSE(window.rangeBlock().Sel_print_rd->isEnabled());
    control<QSpinBox>(window, "Row_Text")->setValue(9);  // two 54 mm cards stacked: three pairs fit 279 mm less margins
    EXPECT_EQ(control<QSpinBox>(window, "Row_Text")->value(), 2);
    EXPECT_EQ(window.rangeBlock().Total_Text->value(), 4);

    control<QComboBox>(window, "print_alignment")->setCurrentIndex(4);
    EXPECT_EQ(window.logic.settings().Print_Card_Algn, "DD");
    EXPECT_EQ(control<QSpinBox>(window, "Row_Text")->value(), 1);
    EXPECT_FALSE(control<QSpinBox>(window, "Row_Text")->isEnabled());
    EXPECT_FALSE(control<QWidget>(window, "card_align_box")->isEnabled());

    control<QRadioButton>(window, "side_front")->click();
    EXPECT_TRUE(control<QComboBox>(window, "print_alignment")->isHidden());
    EXPECT_FALSE(control<QDoubleSpinBox>(window, "Side_Margin_Text")->isEnabled());
    control<QToolButton>(window, "mid_center_btn")->click();
    EXPECT_EQ(window.logic.settings().label_align_val, 5);
    EXPECT_TRUE(control<QToolButton>(window, "mid_center_btn")->isChecked());
    EXPECT_FALSE(control<QToolButton>(window, "top_left_btn")->isChecked());
    control<QCheckBox>(window, "Auto_Center_chk_bx")->click();
    EXPECT_FALSE(control<QGroupBox>(window, "align_Gp_Bx")->isEnabled());
    EXPECT_FALSE(control<QDoubleSpinBox>(window, "horz_mar_Text")->isEnabled());

    window.rangeBlock().mirror_chk_box->click();
    window.rangeBlock().mirror_vertical->click();
    EXPECT_TRUE(window.logic.settings().Mirror_Vertical_Not_Horz);
    window.CancelButtonPressed();
    EXPECT_FALSE(window.logic.settings().Mirror_Image_Create);
}

TEST(PrintWindowTest, ProfilesAreListedReadOnlyAndAddedThroughTheNameSheet)
{
    WindowFixture f;
    Print_Wnd window;
    window.prepare({false, 0, false, false, {}, {}}, &noRecords);
    control<QDoubleSpinBox>(window, "width_Text")->setValue(50);
    control<QDoubleSpinBox>(window, "height_Text")->setValue(30);
    control<QSpinBox>(window, "Col_Text")->setValue(3);

    // The sheet refuses the default name, then takes "/Cards/" after the page layout panel.
    f.dialogs.queueHook([](QDialog& dialog) {
        EXPECT_EQ(control<QComboBox>(dialog, "Printer_ComboBox")->currentText(), "Office Laser");
        control<QLineEdit>(dialog, "Profile_name")->setText("default");
        control<QPushButton>(dialog, "OKButton")->click();
        EXPECT_EQ(dialog.result(), 0);
        control<QLineEdit>(dialog, "Profile_name")->setText("/Cards/");
        control<QComboBox>(dialog, "Printer_ComboBox")->setCurrentText("Card Printer");
        control<QPushButton>(dialog, "OKButton")->click();
    });
    control<QPushButton>(window, "Add_profile_btn")->click();
    EXPECT_EQ(f.messages.texts(), QStringList({"\nThis is a Default profile name.\n\nPlease enter another profile name.",
                                               "\nPrint Profile has been saved successfully."}));
    EXPECT_EQ(f.printers.pageSetups, 1);
    ASSERT_EQ(control<QTableWidget>(window, "List_profile")->rowCount(), 1);
    QTableWidgetItem* row = control<QTableWidget>(window, "List_profile")->item(0, 0);
    EXPECT_EQ(row->text(), "Cards");
    EXPECT_FALSE(row->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(control<QTableWidget>(window, "List_profile")->item(0, 0)->isSelected());
    const auto saved = PropertyList::readFile(f.folder.filePath("Cards.zvp"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->toList().value(0).toString(), "Card Printer");
    EXPECT_EQ(saved->toList().value(5).toString(), "Landscape");  // the page layout panel's choice
    EXPECT_EQ(control<QComboBox>(window, "Printer_ComboBox")->currentText(), "Card Printer");
    EXPECT_TRUE(control<QPushButton>(window, "Delete_profile_btn")->isEnabled());

    // Cancel on the page layout panel keeps the sheet open; Cancel on the sheet saves nothing.
    f.printers.pageSetupAccepts = false;
    f.dialogs.queueHook([](QDialog& dialog) {
        control<QLineEdit>(dialog, "Profile_name")->setText("Badges");
        control<QPushButton>(dialog, "OKButton")->click();
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_FALSE(control<QLineEdit>(dialog, "Profile_name")->text().isEmpty());
        control<QPushButton>(dialog, "CancelButton")->click();
    });
    control<QPushButton>(window, "Add_profile_btn")->click();
    EXPECT_EQ(control<QTableWidget>(window, "List_profile")->rowCount(), 1);

    // A later opening of the same window: Add still opens the name sheet once.
    window.prepare({false, 0, false, false, {}, {}}, &noRecords);
    int sheets = 0;
    for (int hook = 0; hook < 2; ++hook)
        f.dialogs.queueHook([&sheets](QDialog& dialog) {
            ++sheets;
            control<QPushButton>(dialog, "CancelButton")->click();
        });
    control<QPushButton>(window, "Add_profile_btn")->click();
    EXPECT_EQ(sheets, 1);
}

TEST(PrintWindowTest, ADuplexProfileLocksTheSheetFieldsButNotTheOptions)
{
    WindowFixture f;
    QVariantList duplex;
    for (const char* item : {"Office Laser", "Letter", "", "", "", "Portrait", "3", "2", "1.00", "1.00", "2.00", "",
                             "", "", "", "1", "N", "BOTH", "3", "N", "FH", "Y", "N", "N", "N", "N"})
        duplex.append(QString::fromLatin1(item));
    ASSERT_TRUE(PropertyList::writeFile(f.folder.filePath("Duplex.zvp"), duplex, PropertyList::Format::Xml));
    Print_Wnd window;
    window.prepare({true, 0, false, false, {}, {}}, &noRecords);
    EXPECT_EQ(control<QComboBox>(window, "print_alignment")->currentIndex(), 3);
    for (const char* locked : {"Row_Text", "Col_Text", "horz_mar_Text", "Side_Margin_Text"})
        EXPECT_FALSE(control<QWidget>(window, locked)->isEnabled()) << locked;
    for (const char* open : {"fit_frame_chk", "crop_mark_chk", "Show_Margins", "Auto_Center_chk_bx"})
        EXPECT_TRUE(control<QWidget>(window, open)->isEnabled()) << open;
}

TEST(PrintWindowTest, ChoosingAnotherProfileKeepsTheRangeTyped)
{
    WindowFixture f;
    Print_Wnd window;
    const PrintProfileStore store(f.folder.path());
    // Two layouts for the same data: the series box on in both, one sheet 2 x 5, the other 3 x 3.
    window.prepare({false, 0, true, false, {}, {}}, [](bool series, bool) { return series ? 50 : 1; });
    QStringList items = window.logic.profileItems("Office Laser");
    items[6] = "2";
    items[7] = "5";
    items[22] = "1";
    ASSERT_TRUE(store.write(store.entryFor("Badges"), items));
    items[6] = "3";
    items[7] = "3";
    ASSERT_TRUE(store.write(store.entryFor("Visitors"), items));
    window.prepare({false, 0, true, false, {}, {}}, [](bool series, bool) { return series ? 50 : 1; });
    OutputRangeBlock& range = window.rangeBlock();
    ASSERT_TRUE(range.seriesOn());
    range.Sel_print_rd->click();
    range.To_Text->setValue(12);
    range.from_Text->setValue(3);

    auto* list = control<QTableWidget>(window, "List_profile");
    ASSERT_EQ(list->rowCount(), 2);
    for (int row : {1, 0, 1}) {
        list->selectRow(row);
        SCOPED_TRACE(list->item(row, 0)->text().toStdString());
        EXPECT_TRUE(range.Sel_print_rd->isChecked());
        int first = 0;
        int end = 0;
        ASSERT_TRUE(range.range(&first, &end));
        EXPECT_EQ(first, 2);
        EXPECT_EQ(end, 12);
    }
    EXPECT_EQ(control<QSpinBox>(window, "Col_Text")->value(), 3);  // the profile chosen last is in force
}

TEST(PrintWindowTest, TheOpeningFollowsTheCardShapeAndTheVisitorPassMode)
{
    WindowFixture f;
    const int shapeBefore = Card_Shape;
    const QString modeBefore = Start_Card_Option;
    Card_Shape = 2;  // an elliptical card
    Start_Card_Option = QStringLiteral("V");
    Print_Wnd window;
    window.prepare({false, 0, true, true, PrintTest::colouredCard(Qt::red), {}}, [](bool, bool) { return 40; });

    // Show margins is on at opening: each card is outlined by its ellipse, its corners stay blank.
    ASSERT_TRUE(control<QCheckBox>(window, "Show_Margins")->isChecked());
    const QImage sheet = window.previewWidget()->imageRepresentation();
    const QRectF card = toPage(sheetPreviewScene(window.logic.settings()).labels.value(0).rect, sheet.height());
    // The darkest of the three pixels across the outline's line at a point of the card's edge.
    const auto outlineAt = [&sheet](QPointF point, QPoint across) {
        int darkest = 255;
        for (int step = -1; step <= 1; ++step)
            darkest = std::min(darkest, sheet.pixelColor(point.toPoint() + step * across).lightness());
        return darkest;
    };
    // The bottom edge (the top and left lie on the printable area's outline).
    EXPECT_GT(outlineAt(card.bottomLeft() + QPointF(6, 0), QPoint(0, 1)), 240);  // near the corner: blank
    EXPECT_LT(outlineAt(QPointF(card.center().x(), card.bottom()), QPoint(0, 1)), 200);  // mid edge: drawn

    // A visitor pass takes no data: both data boxes stay off and disabled.
    for (QCheckBox* box : {window.rangeBlock().Export_with_batch_chk, window.rangeBlock().Export_with_excel_chk}) {
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(box->isEnabled());
    }
    EXPECT_EQ(window.rangeBlock().Total_Text->value(), 1);
    Start_Card_Option = QString();
    window.prepare({false, 0, true, true, PrintTest::colouredCard(Qt::red), {}}, [](bool, bool) { return 40; });
    EXPECT_TRUE(window.rangeBlock().Export_with_batch_chk->isChecked());
    EXPECT_EQ(window.rangeBlock().Total_Text->value(), 40);
    Card_Shape = shapeBefore;
    Start_Card_Option = modeBefore;
}

TEST(PrintWindowTest, ThePictureOfTheSheetTheCopiesAndAStatusLineThatSpeaksOfTheLastJob)
{
    WindowFixture f;
    Print_Wnd window;
    window.resize(1100, 720);
    window.show();
    window.prepare({false, 0, false, false, PrintTest::colouredCard(Qt::red), {}}, &noRecords);
    // The window shows a picture of the sheet preview, shaped as the Letter paper, that follows
    // each change.
    auto* picture = control<QLabel>(window, "test_image_view");
    ASSERT_FALSE(picture->pixmap().isNull());
    const QSizeF shown = picture->pixmap().deviceIndependentSize();
    EXPECT_NEAR(shown.width() / shown.height(), 612.0 / 792, 0.01);
    const QImage before = picture->pixmap().toImage();
    control<QCheckBox>(window, "crop_mark_chk")->click();
    EXPECT_NE(picture->pixmap().toImage(), before);

    control<QSpinBox>(window, "Copies_Text")->setValue(3);
    QPrinter printer;
    window.setUpPrinter(printer);
    EXPECT_EQ(printer.copyCount(), 3);

    // While a new job runs, and any box it opens is up, the last job's line is gone.
    window.showStatus("1 sheet went to Office Laser.");
    QString statusDuringJob = "not run";
    window.executePrinting = [&](bool) { statusDuringJob = control<QLabel>(window, "print_status")->text(); };
    control<QPushButton>(window, "PrintButton")->click();
    EXPECT_EQ(statusDuringJob, "");
}

TEST(PrintWindowTest, AtItsSmallestEveryTextShowsWholeAndNoControlLiesOverAnother)
{
    WindowFixture f;
    Print_Wnd window;
    window.prepare({true, 0, true, true, PrintTest::colouredCard(Qt::red), PrintTest::colouredCard(Qt::blue)}, &noRecords);
    keepTitleWhole(window);  // as the application widens every dialog to its title
    window.show();
    window.resize(1, 1);
    QCoreApplication::processEvents();
    QList<QWidget*> shown;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || widget->isWindow())
            continue;
        const auto* label = qobject_cast<QLabel*>(widget);
        const bool texted = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget)
                            || (label && !label->wordWrap() && !label->text().isEmpty());
        if (!texted && !qobject_cast<QGroupBox*>(widget) && !qobject_cast<QAbstractScrollArea*>(widget))
            continue;
        if (texted)
            EXPECT_GE(widget->width(), widget->sizeHint().width()) << widget->objectName().toStdString();
        shown.append(widget);
    }
    for (QWidget* a : shown) {
        for (QWidget* b : shown) {
            if (a >= b || a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            const QRect ra(a->mapTo(&window, QPoint()), a->size());
            const QRect rb(b->mapTo(&window, QPoint()), b->size());
            EXPECT_FALSE(ra.intersects(rb)) << a->objectName().toStdString() << " over " << b->objectName().toStdString();
        }
    }
}
