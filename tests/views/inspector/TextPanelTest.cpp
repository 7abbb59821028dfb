// The text pages on real canvases: the writer and its common rule, live typing, the number fields,
// the load, the date and time insert, template texts and the font.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "ElementPanelFixture.h"
#include "model/NumberBounds.h"
#include "platform/AppContext.h"
#include "support/FontPrinting.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/inspector/CheckedNumberField.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

GraphicPtr text(const QString& value, bool locked = false)
{
    const GraphicPtr graphic = SKTGraphic::create(GraphicKind::Text);
    graphic->setBounds(QRectF(10, 10, 80, 30));
    graphic->Set_text_value(value);
    graphic->ctrl_is_locked = locked;
    return graphic;
}

class TextPanelTest : public ElementPanelFixture {
protected:
    void SetUp() override
    {
        ElementPanelFixture::SetUp();
        inspector.textPanel().setClock([] { return QDateTime(QDate(2026, 12, 5), QTime(15, 4, 9)); });
    }

    QPlainTextEdit& editor() { return control<QPlainTextEdit>("Text_value_Edit"); }
};

TEST_F(TextPanelTest, TheWriterChangesEveryUnlockedSelectedTextAndNothingElse)
{
    const GraphicPtr first = text("First"), shape = SKTGraphic::create(GraphicKind::Shape),
                     locked = text("Locked", true), second = text("Second"), unselected = text("Other");
    first->_isDrawingStroke = second->_isDrawingStroke = true;
    first->_strokeWidth = 1.5, second->_strokeWidth = 3;
    first->textStyle.txt_clr = Qt::red;
    first->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Serif"), 14};
    first->textStyle.Shadow_offset_X = 2.5f;
    placeAndShow({first, shape, locked, second, unselected}, 4);
    const QByteArray untouched[] = {shape->archiveDigest(), locked->archiveDigest(), unselected->archiveDigest()};

    choose("Text_align_combo", 1);
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(window.snapshots, 1);
    for (const GraphicPtr& written : {first, second}) {
        EXPECT_EQ(written->textStyle.text_alignmnet, 1);
        EXPECT_EQ(written->textStyle.txt_clr, QColor(Qt::red)) << "every field of the page is written";
        EXPECT_EQ(written->textStyle.text_ctrl_font, first->textStyle.text_ctrl_font);
        EXPECT_FLOAT_EQ(written->textStyle.Shadow_offset_X, 2.5f);
    }
    EXPECT_EQ(first->_strokeWidth, 1.5) << "the field still shows its width";
    EXPECT_EQ(second->_strokeWidth, 1);
    EXPECT_EQ(first->Text_contents(), "First") << "the wording goes to a lone text only";
    EXPECT_EQ(second->Text_contents(), "Second");
    const QByteArray after[] = {shape->archiveDigest(), locked->archiveDigest(), unselected->archiveDigest()};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after[i], untouched[i]) << i;

    control<QSpinBox>("Text_alpha_Stepper").setValue(35);
    control<QSpinBox>("shadow_transp_Stepper").setValue(50);
    control<QDoubleSpinBox>("Text_Kern_Stepper").setValue(1.5);
    choose("Text_border_style", 3);
    EXPECT_FLOAT_EQ(second->alpha_val, 0.35f);
    EXPECT_FLOAT_EQ(second->textStyle.Shadow_transparency, 0.5f);
    EXPECT_FLOAT_EQ(second->textStyle.text_kerning, 1.5f);
    EXPECT_EQ(second->_stroke_border_type, "DD");
    EXPECT_EQ(window.snapshots, 5);

    // The wording the editor shows goes to the one manual text selected alone.
    {
        const QSignalBlocker quiet(editor());
        editor().setPlainText(QStringLiteral("Typed"));
    }
    pickColour("Text_clr", Qt::blue);
    EXPECT_EQ(first->Text_contents(), "First");
    window.frontView.changeSelectionIndexes({0});
    pickColour("Text_clr", Qt::darkGreen);
    EXPECT_EQ(first->Text_contents(), "Typed");
    EXPECT_EQ(first->textStyle.txt_clr, QColor(Qt::darkGreen));
    first->Set_Data_source_type(1);
    {
        const QSignalBlocker quiet(editor());
        editor().setPlainText(QStringLiteral("Not for a series"));
    }
    choose("Text_case_combo", 1);
    EXPECT_EQ(first->Text_contents(), "Typed");
    EXPECT_EQ(first->textStyle.text_transfrom_case, 1);
    // Nor to a text that the side panels fill in the live modes.
    first->Set_Data_source_type(0);
    first->control_ID = QStringLiteral("Fup_Title");
    Start_Card_Option = QStringLiteral("G");
    choose("Text_case_combo", 2);
    Start_Card_Option = QStringLiteral("L");
    EXPECT_EQ(first->Text_contents(), "Typed");
    EXPECT_EQ(first->textStyle.text_transfrom_case, 2);
}

TEST_F(TextPanelTest, NothingChangesWhileTheControlsAreFilled)
{
    const GraphicPtr first = text("First");
    placeAndShow({first});
    const QByteArray before = first->archiveDigest();
    {
        const NotDrawOnlyPropChangeGuard filling;
        choose("Text_align_combo", 2);
        control<QCheckBox>("draw_shadow_chkbox").click();
        control<QCheckBox>("Text_fill_chk").click();
        control<QRadioButton>("Text_gradient_fill_rd").click();
        control<QSpinBox>("Text_bor_Stepper").setValue(9);
        control<QSlider>("txt_rotation_slidr").setValue(45);
        pickColour("Shadow_clr", Qt::green);
    }
    EXPECT_EQ(first->archiveDigest(), before);
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_EQ(window.snapshots, 0);
}

// Typing goes to every selected manual text at once, with a redraw and no snapshot; the
// placeholder goes, and the wording stops at 250 UTF-16 units without cutting a character in two.
TEST_F(TextPanelTest, LiveTypingStripsThePlaceholderCutsAt250AndIsOneSnapshotPerRun)
{
    const GraphicPtr fresh = text("Text here"), second = text("Two"), series = text("Series value"),
                     locked = text("Locked", true), shape = SKTGraphic::create(GraphicKind::Shape);
    series->Set_Data_source_type(1);
    placeAndShow({fresh, second, series, locked, shape});
    const QByteArray kept[] = {series->archiveDigest(), locked->archiveDigest(), shape->archiveDigest()};
    ASSERT_EQ(editor().toPlainText(), "Text here");

    editor().moveCursor(QTextCursor::End);
    QTest::keyClicks(&editor(), QStringLiteral("A"));
    EXPECT_EQ(editor().toPlainText(), "A");
    EXPECT_EQ(editor().textCursor().position(), 1);
    QTest::keyClicks(&editor(), QStringLiteral("b"));
    for (const GraphicPtr& typedInto : {fresh, second})
        EXPECT_EQ(typedInto->Text_contents(), "Ab");
    EXPECT_EQ(window.refreshes, 2);
    EXPECT_EQ(window.snapshots, 1);
    const QByteArray after[] = {series->archiveDigest(), locked->archiveDigest(), shape->archiveDigest()};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after[i], kept[i]) << i;

    editor().selectAll();
    editor().insertPlainText(QString(300, u'x'));
    EXPECT_EQ(editor().toPlainText(), QString(250, u'x'));
    EXPECT_EQ(second->Text_contents(), QString(250, u'x'));
    const QString face = QStringLiteral("\U0001F600");
    editor().selectAll();
    editor().insertPlainText(QString(249, u'y') + face + QStringLiteral("zz"));
    EXPECT_EQ(editor().toPlainText(), QString(249, u'y')) << "no half of the face is left";
    EXPECT_EQ(fresh->Text_contents(), QString(249, u'y'));
    editor().selectAll();
    editor().insertPlainText(QString(248, u'y') + face + QStringLiteral("zz"));
    EXPECT_EQ(second->Text_contents(), QString(248, u'y') + face);
    EXPECT_EQ(window.snapshots, 1) << "one run of typing";

    // In the live modes, a text filled from the side panels is not typed into.
    Start_Card_Option = QStringLiteral("V");
    second->control_ID = QStringLiteral("F_Name");
    editor().selectAll();
    QTest::keyClicks(&editor(), QStringLiteral("Guest"));
    EXPECT_EQ(fresh->Text_contents(), "Guest");
    EXPECT_EQ(second->Text_contents(), QString(248, u'y') + face);

    // Leaving the editor ends the run; typing that reaches no text is no step.
    QFocusEvent leaving(QEvent::FocusOut);
    QApplication::sendEvent(&editor(), &leaving);
    QTest::keyClicks(&editor(), QStringLiteral("s"));
    EXPECT_EQ(window.snapshots, 2);
    fresh->ctrl_is_locked = true;
    QApplication::sendEvent(&editor(), &leaving);
    QTest::keyClicks(&editor(), QStringLiteral("t"));
    EXPECT_EQ(window.snapshots, 2);
}

// A number typed into a field reaches the texts only as the number typed, within the bounds the
// design file keeps; anything else is refused at the field and writes nothing.
TEST_F(TextPanelTest, NumberFieldsRefuseWhatTheyCannotTakeBeforeItReachesAText)
{
    const struct { const char* field; NumberBounds::Range bounds; } fields[] = {
        {"Text_Kern_Stepper", NumberBounds::kTextOffset},   {"txt_rotation_slidr_val", NumberBounds::kAngle},
        {"Text_bor_Stepper", NumberBounds::kStrokeWidth},   {"Text_grad_Stepper", NumberBounds::kAngle},
        {"Text_alpha_Stepper", NumberBounds::kOpacityPercent}, {"shadow_x_Stepper", NumberBounds::kTextOffset},
        {"shadow_y_Stepper", NumberBounds::kTextOffset},    {"shadow_blur_Stepper", NumberBounds::kShadowBlur},
        {"shadow_transp_Stepper", NumberBounds::kOpacityPercent},
    };
    int checked = 0;
    for (const char* page : {"text_edtng_tab", "text_prop_tab"}) {
        for (QAbstractSpinBox* field : view.page(QString::fromLatin1(page))->findChildren<QAbstractSpinBox*>()) {
            EXPECT_TRUE(qobject_cast<CheckedSpinBox*>(field) || qobject_cast<CheckedDoubleSpinBox*>(field))
                << field->objectName().toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, int(std::size(fields)));
    for (const auto& [name, bounds] : fields) {
        const auto& field = control<QAbstractSpinBox>(name);
        const double low = field.property("minimum").toDouble(), high = field.property("maximum").toDouble();
        EXPECT_TRUE(bounds.contains(low) && bounds.contains(high)) << name;
    }

    const GraphicPtr first = text("First");
    first->_isDrawingStroke = true;
    first->_strokeWidth = 2;
    first->textStyle.Drawing_Shadow = true;
    placeAndShow({first});
    ASSERT_NO_FATAL_FAILURE(showView());
    EXPECT_EQ(enter("Text_bor_Stepper", QStringLiteral("100")), "Enter a whole number from 0 to 72 pt.");
    EXPECT_EQ(enter("Text_Kern_Stepper", QStringLiteral("2.255")), "Enter a number from -2430.00 to 2430.00 pt, with at most 2 decimals.");
    EXPECT_EQ(enter("txt_rotation_slidr_val", QStringLiteral("1e9")), "Enter a whole number from -360 to 360 degrees.");
    EXPECT_EQ(first->_strokeWidth, 2);
    EXPECT_EQ(first->textStyle.text_kerning, 0);
    EXPECT_EQ(first->text_rotation, 0);
    EXPECT_EQ(window.snapshots, 0);
    EXPECT_EQ(enter("shadow_x_Stepper", QStringLiteral("12")), QString());
    EXPECT_FLOAT_EQ(first->textStyle.Shadow_offset_X, 12.0f);
    EXPECT_EQ(window.snapshots, 1) << "one write for the number typed, none for its first digit";
}

TEST_F(TextPanelTest, TheLoadShowsTheTextsValuesAndTheSetUpTheFirstChoices)
{
    EXPECT_EQ(control<QComboBox>("Text_Date_style").count(), 9);
    EXPECT_EQ(control<QComboBox>("Text_Date_style").itemText(6), "dd-MMM-yy");
    EXPECT_EQ(control<QComboBox>("Text_Time_style").itemText(0), "h:mm:ss a");
    for (const char* combo : {"Text_Date_style", "Text_Time_style", "Text_vert_align_combo", "Text_align_combo", "Text_case_combo"})
        EXPECT_EQ(control<QComboBox>(combo).currentIndex(), 0) << combo;

    const GraphicPtr first = text("Line one\nLine two"), turned = text("Turned");
    first->_isDrawingStroke = true, first->_strokeWidth = 1.5, first->_stroke_border_type = QStringLiteral("DO");
    first->_isDrawingFill = true, first->_fill_type = QStringLiteral("G"), first->alpha_val = 0.53f;
    first->text_rotation = 90;
    first->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), 12};
    first->textStyle.text_alignmnet_Vert = 1, first->textStyle.text_alignmnet = 3, first->textStyle.text_transfrom_case = 2;
    first->textStyle.Drawing_Shadow = false, first->textStyle.Shadow_transparency = 0.25f;
    turned->text_rotation = 45;
    placeAndShow({first, turned}, 1);
    EXPECT_EQ(editor().toPlainText(), "Line one\nLine two");
    EXPECT_EQ(control<QSpinBox>("Text_bor_Stepper").value(), 1);
    EXPECT_EQ(control<QComboBox>("Text_border_style").currentIndex(), 2);
    EXPECT_TRUE(control<QRadioButton>("Text_gradient_fill_rd").isChecked());
    EXPECT_TRUE(control<QSpinBox>("Text_alpha_Stepper").isHidden()) << "a gradient has no opacity";
    EXPECT_EQ(control<QSpinBox>("Text_alpha_Stepper").value(), 53);
    EXPECT_FALSE(control<ColorWell>("Text_fill_clr").isEnabled());
    EXPECT_TRUE(control<ColorWell>("Text_fill_Grd_1_clr").isEnabled());
    EXPECT_EQ(control<QLabel>("Text_font_value").text(), "DejaVu Sans ( 12.00 )");
    EXPECT_EQ(control<QSlider>("txt_rotation_slidr").value(), 90);
    EXPECT_EQ(control<QComboBox>("Text_Orientation_Combo").currentText(), "90");
    EXPECT_EQ(control<QComboBox>("Text_vert_align_combo").currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>("Text_align_combo").currentIndex(), 3);
    EXPECT_EQ(control<QComboBox>("Text_case_combo").currentIndex(), 2);
    EXPECT_FALSE(control<QGroupBox>("shadow_box").isEnabled());
    EXPECT_EQ(control<QSpinBox>("shadow_transp_Stepper").value(), 25);
    EXPECT_FALSE(control<QPlainTextEdit>("Text_value_Edit").isReadOnly());

    control<QRadioButton>("Text_solid_fill_rd").click();
    EXPECT_FALSE(control<QSpinBox>("Text_alpha_Stepper").isHidden());
    EXPECT_EQ(first->_fill_type, "S");

    window.frontView.changeSelectionIndexes({1});
    inspector.Show_RHS_Properties(turned.get());
    EXPECT_EQ(control<QComboBox>("Text_Orientation_Combo").currentIndex(), -1) << "45 degrees is no quarter turn";
    EXPECT_EQ(control<QSpinBox>("txt_rotation_slidr_val").value(), 45);

    // In visitor mode a text filled from the side panels shows no editor.
    Start_Card_Option = QStringLiteral("V");
    turned->control_ID = QStringLiteral(" F_Name ");
    inspector.Show_RHS_Properties(first.get());
    inspector.Show_RHS_Properties(turned.get());
    EXPECT_TRUE(editor().isHidden());
    EXPECT_TRUE(editor().isReadOnly());
    EXPECT_TRUE(control<QLabel>("text_value_lbl").isHidden());
    EXPECT_TRUE(control<QGroupBox>("Text_Date_Time_Box").isHidden());
    EXPECT_EQ(control<QLabel>("txt_ctrl_id_val").text(), "F_Name");
    EXPECT_FALSE(control<QLabel>("txt_ctrl_id_val").isVisible()) << "the identifier is for the code, not the eye";
    // Back at the layout, the next text shows its editor, its label and the date and time again.
    Start_Card_Option = QStringLiteral("L");
    inspector.Show_RHS_Properties(first.get());
    EXPECT_FALSE(editor().isHidden());
    EXPECT_FALSE(editor().isReadOnly());
    EXPECT_FALSE(control<QLabel>("text_value_lbl").isHidden());
    EXPECT_FALSE(control<QGroupBox>("Text_Date_Time_Box").isHidden());
}

// The opacity row goes with a gradient fill, and what lies below it stays where it was.
TEST_F(TextPanelTest, TheOpacityRowKeepsItsRoomWhenAGradientHidesIt)
{
    ASSERT_NO_FATAL_FAILURE(showView());
    const GraphicPtr filled = text("Filled");
    filled->_isDrawingFill = true;
    placeAndShow({filled});
    ASSERT_TRUE(view.showPage(QStringLiteral("text_prop_tab")));
    const QWidget& shadowSwitch = control<QCheckBox>("draw_shadow_chkbox");
    const auto shadowSwitchTop = [&shadowSwitch] {
        // Each pass settles one level of the nested layouts.
        for (int pass = 0; pass < 8; ++pass)
            QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return shadowSwitch.mapTo(shadowSwitch.window(), QPoint()).y();
    };
    const int solidTop = shadowSwitchTop();

    control<QRadioButton>("Text_gradient_fill_rd").click();
    EXPECT_FALSE(control<QSpinBox>("Text_alpha_Stepper").isVisible());
    EXPECT_FALSE(control<QLabel>("text_alpha_lbl").isVisible());
    EXPECT_EQ(shadowSwitchTop(), solidTop);
    control<QRadioButton>("Text_solid_fill_rd").click();
    EXPECT_TRUE(control<QSpinBox>("Text_alpha_Stepper").isVisible());
    EXPECT_EQ(shadowSwitchTop(), solidTop);
}

TEST_F(TextPanelTest, DateTimeTemplateAndFontGoIntoTheEditorAndTheText)
{
    const GraphicPtr first = text("Issued ");
    placeAndShow({first});
    editor().moveCursor(QTextCursor::End);
    choose("Text_Date_style", 5);  // yyyy-MM-dd
    control<QPushButton>("text_insert_date_btn").click();
    EXPECT_EQ(editor().toPlainText(), "Issued 2026-12-05");
    EXPECT_EQ(first->Text_contents(), "Issued 2026-12-05");
    EXPECT_EQ(window.snapshots, 1);
    // A selection is replaced.
    QTextCursor cursor = editor().textCursor();
    cursor.setPosition(0), cursor.setPosition(6, QTextCursor::KeepAnchor);
    editor().setTextCursor(cursor);
    choose("Text_Time_style", 0);  // h:mm:ss a
    control<QPushButton>("text_insert_time_btn").click();
    EXPECT_EQ(first->Text_contents(), "3:04:09 PM 2026-12-05");
    choose("Text_Date_style", 6);  // dd-MMM-yy
    editor().selectAll();
    control<QPushButton>("text_insert_date_btn").click();
    EXPECT_EQ(first->Text_contents(), "05-Dec-26");

    control<QComboBox>("Text_Date_style").setCurrentIndex(-1);
    control<QComboBox>("Text_Time_style").setCurrentIndex(-1);
    control<QPushButton>("text_insert_date_btn").click();
    control<QPushButton>("text_insert_time_btn").click();
    EXPECT_EQ(messages.texts(), QStringList({"\nPlease select Date format.", "\nPlease select Time format."}));
    EXPECT_EQ(first->Text_contents(), "05-Dec-26");

    dialogs.queueHook([](QDialog& dialog) { dialog.reject(); });
    control<QPushButton>("insert_template_btn").click();
    EXPECT_EQ(first->Text_contents(), "05-Dec-26");
    dialogs.queueHook([](QDialog& dialog) {
        dialog.findChild<QListWidget*>()->setCurrentRow(4);
        dialog.accept();
    });
    control<QPushButton>("insert_template_btn").click();
    EXPECT_EQ(editor().toPlainText(), "Visitor");
    EXPECT_EQ(first->Text_contents(), "Visitor");

    dialogs.queueHook([](QDialog& dialog) {
        static_cast<QFontDialog&>(dialog).setCurrentFont(QFontDatabase::font(QStringLiteral("DejaVu Serif"), QStringLiteral("Book"), 14));
        dialog.accept();
    });
    control<QPushButton>("text_font_btn").click();
    EXPECT_EQ(first->textStyle.text_ctrl_font, (CardFont{QStringLiteral("DejaVu Serif"), 14}));
    EXPECT_EQ(control<QLabel>("Text_font_value").text(), "DejaVu Serif ( 14.00 )");
    EXPECT_EQ(window.snapshots, 5);

    // The chooser opens on the regular face of a font that has no style.
    dialogs.queueHook([](QDialog& dialog) { dialog.accept(); });
    control<QPushButton>("text_font_btn").click();
    EXPECT_EQ(first->textStyle.text_ctrl_font, (CardFont{QStringLiteral("DejaVu Serif"), 14}));
    dialogs.queueHook([](QDialog& dialog) {
        static_cast<QFontDialog&>(dialog).setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 14, QFont::Bold, true));
        dialog.accept();
    });
    control<QPushButton>("text_font_btn").click();
    EXPECT_EQ(first->textStyle.text_ctrl_font, (CardFont{QStringLiteral("DejaVu Serif"), 14, QStringLiteral("Bold Italic")}));
    EXPECT_EQ(control<QLabel>("Text_font_value").text(), "DejaVu Serif Bold Italic ( 14.00 )");
    dialogs.queueHook([](QDialog& dialog) { dialog.accept(); });
    control<QPushButton>("text_font_btn").click();
    EXPECT_EQ(first->textStyle.text_ctrl_font.style, QStringLiteral("Bold Italic")) << "and on the face of one that has";
}

}  // namespace
