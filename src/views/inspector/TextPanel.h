#pragma once
// The text pages: the wording (with live typing, date and time insert and template titles) and
// the style (font, colour, alignments, case, letter spacing, turn, border, fill and shadow),
// written into the selected texts.
#include <QDateTime>
#include <functional>
#include <memory>

#include "model/CardFont.h"
#include "views/inspector/ElementPanel.h"

class QComboBox;
struct BorderFields;
struct FillKindRadios;

namespace Ui {
class TextEditingPage;
class TextStylePage;
}

class TextPanel : public ElementPanel {
    Q_OBJECT
public:
    TextPanel(const PanelContext& context, QObject* parent = nullptr);
    ~TextPanel() override;

    // The window's set-up: the date and time patterns with the first of each chosen, and the
    // first alignment, vertical alignment and case.
    void setUpControls();
    void load(SKTGraphic& graphic) override;

    // The writer: every control of both pages into each unlocked selected text; the wording only
    // when one manual text alone is selected that typing may change (in the live modes not one
    // the side panels fill).
    void Update_Text_Graphics();
    // The user typed into the editor: the placeholder goes, the wording is cut to its limit, and
    // every selected manual text that may be typed into takes it at once, with a redraw. A run of
    // typing is one undo step; it ends when the editor loses the focus or shows another text.
    void textDidChange();
    // YES hides the opacity label and field of the fill (a gradient has no opacity).
    void Show_Hide_Text_Transp_Ctrl(bool hide);
    // The data-source page bound the selected text to a value: the editor shows its text and the
    // writer runs.
    void showBoundText(SKTGraphic& graphic);

    // Control handlers: what each does before the writer runs.
    void Text_Border_ChkBox();
    void Text_Fill_Chk_Box();
    void Text_Solid_RD_Sel();
    void Text_Gradient_RD_Sel();
    void Draw_Shadow_ChkBox();
    void Txt_Rotate_Slider_Changed();
    void Txt_Rotate_Value_Changed();
    void Text_Orientation_Changed();
    void Text_Font_Changed();
    void Text_Insert_Date();
    void Text_Insert_Time();
    void Insert_Template_Button();

    // The panel's font, kept from the load for the font dialog.
    CardFont Text_font;
    // Where date and time inserts take the present moment from.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    BorderFields border() const;
    FillKindRadios fillRadios() const;
    // The fill box by the fill check box and the radios: the solid colour or the gradient's
    // controls.
    void enableFillControls();
    // The turn in the slider, its field and, for a quarter turn, the orientation list.
    void showTurn(int degrees);
    void loadVisibility(const SKTGraphic& graphic);
    void showEditor(bool shown);
    void loadStyle(const SKTGraphic& graphic);
    void writeText(SKTGraphic& graphic, bool withWording) const;
    // The editor's text as the texts take it, put back into the editor when it differs, the
    // caret kept after what the user typed.
    QString keepEditorWithinLimits();
    void insertMoment(const QComboBox& patterns, const QString& refusal);

    std::unique_ptr<Ui::TextEditingPage> editing;
    std::unique_ptr<Ui::TextStylePage> style;
    std::function<QDateTime()> m_clock = &QDateTime::currentDateTime;
    // Keys typed since the editor took the focus or showed a text are one undo step.
    bool m_typingRun = false;
};
