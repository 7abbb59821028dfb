// The text pages into the selected texts: the writer, and live typing from the editor.
#include <QEvent>
#include <QSignalBlocker>
#include <QTextCursor>
#include <cmath>
#include <utility>

#include "model/SKTGraphic.h"
#include "platform/AppContext.h"
#include "views/inspector/BorderFields.h"
#include "views/inspector/FieldBalloon.h"
#include "views/inspector/FillKindRadios.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/KeptNumber.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/TextPanel.h"
#include "views/inspector/TypedText.h"
#include "ui_TextEditingPage.h"
#include "ui_TextStylePage.h"

namespace {

bool mayTypeInto(const SKTGraphic& graphic)
{
    if (graphic.kind() != GraphicKind::Text || graphic.ctrl_is_locked || graphic.data_source_type != 0)
        return false;
    // In the live modes a text with an identifier is filled from the side panels.
    return !isVisitorOrGroupMode() || graphic.control_ID.isEmpty();
}

}  // namespace

void TextPanel::Update_Text_Graphics()
{
    const GraphicList selection = m_context.window.selectedGraphics();
    // The wording goes only where typing goes: the editor is filled when a text is selected and
    // does not follow the side panels, so a text they fill keeps their value and takes the look.
    const bool withWording = selection.size() == 1 && mayTypeInto(*selection.first());
    writeSelected(GraphicKind::Text, [this, withWording](SKTGraphic& graphic) { writeText(graphic, withWording); });
}

void TextPanel::writeText(SKTGraphic& graphic, bool withWording) const
{
    const Ui::TextEditingPage& e = *editing;
    const Ui::TextStylePage& s = *style;
    TextStyle& text = graphic.textStyle;

    graphic.print_object = m_context.positions.printObjectState();
    border().write(graphic);
    graphic._isDrawingFill = s.Text_fill_chk->isChecked();
    if (graphic._isDrawingFill)
        graphic._fillColor = s.Text_fill_clr->color();
    graphic._fill_type = fillRadios().chosen();
    graphic._fill_Grad_clr1 = s.Text_fill_Grd_1_clr->color();
    graphic._fill_Grad_clr2 = s.Text_fill_Grd_2_clr->color();
    graphic._fill_grad_angle = numberToWrite(*s.Text_grad_Stepper, graphic._fill_grad_angle);
    text.txt_clr = e.Text_clr->color();
    text.text_ctrl_font = Text_font;
    if (withWording)
        graphic.Set_text_value(e.Text_value_Edit->toPlainText());
    graphic.alpha_val = float(s.Text_alpha_Stepper->value() / 100.0);
    text.text_alignmnet_Vert = e.Text_vert_align_combo->currentIndex();
    text.text_alignmnet = e.Text_align_combo->currentIndex();
    text.text_transfrom_case = e.Text_case_combo->currentIndex();
    text.text_kerning = float(e.Text_Kern_Stepper->value());
    text.Drawing_Shadow = s.draw_shadow_chkbox->isChecked();
    graphic.text_rotation = e.txt_rotation_slidr_val->value();
    text.Shadow_Color = s.Shadow_clr->color();
    text.Shadow_offset_X = float(s.shadow_x_Stepper->value());
    text.Shadow_offset_Y = float(s.shadow_y_Stepper->value());
    text.Shadow_blur = float(s.shadow_blur_Stepper->value());
    text.Shadow_transparency = float(s.shadow_transp_Stepper->value() / 100.0);
}

void TextPanel::textDidChange()
{
    const QString typed = keepEditorWithinLimits();
    bool typedInto = false;
    for (const GraphicPtr& graphic : m_context.window.selectedGraphics()) {
        if (mayTypeInto(*graphic)) {
            graphic->Set_text_value(typed);
            typedInto = true;
        }
    }
    m_context.window.Refresh_Canvas();
    if (typedInto)
        m_context.window.Record_Typing_In_Undo_Redo(std::exchange(m_typingRun, true));
}

bool TextPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editing->Text_value_Edit && event->type() == QEvent::FocusOut)
        m_typingRun = false;
    return ElementPanel::eventFilter(watched, event);
}

QString TextPanel::keepEditorWithinLimits()
{
    QPlainTextEdit& editor = *editing->Text_value_Edit;
    const QString typed = editor.toPlainText();
    const QString wording = withoutPlaceholder(typed);
    const QString kept = cutToTypedTextLimit(wording);
    if (kept == typed)
        return kept;
    const qsizetype caret = editor.textCursor().position();
    const QSignalBlocker quiet(editor);
    editor.setPlainText(kept);
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(int(std::min(withoutPlaceholder(typed.left(caret)).size(), kept.size())));
    editor.setTextCursor(cursor);
    // Typing or pasting past the limit is told, as a field tells what it refuses.
    if (kept != wording)
        showFieldBalloon(editor, typedTextCutMessage());
    return kept;
}
