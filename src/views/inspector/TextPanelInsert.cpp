// What the text page puts into its editor besides typing: the date or time, a template text, the
// bound value; and the font dialog.
#include <QSignalBlocker>
#include <QTextCursor>

#include "model/SKTGraphic.h"
#include "platform/DateValues.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/inspector/FontChoice.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/TextPanel.h"
#include "views/wizards/Insert_Template.h"
#include "ui_TextEditingPage.h"

namespace {

const QString kTemplateTitleCaption = QStringLiteral("Use Template Title");

}  // namespace

void TextPanel::Text_Insert_Date()
{
    insertMoment(*editing->Text_Date_style, QStringLiteral("Please select Date format."));
}

void TextPanel::Text_Insert_Time()
{
    insertMoment(*editing->Text_Time_style, QStringLiteral("Please select Time format."));
}

void TextPanel::insertMoment(const QComboBox& patterns, const QString& refusal)
{
    const QString pattern = Trim_Str(patterns.currentText());
    if (pattern.isEmpty()) {
        Show_MessageBox(refusal);
        return;
    }
    QPlainTextEdit& editor = *editing->Text_value_Edit;
    {
        const QSignalBlocker quiet(editor);
        // Replaces the selected text, or goes in at the caret.
        QTextCursor cursor = editor.textCursor();
        cursor.insertText(Get_date_Value(pattern, m_clock()));
        editor.setTextCursor(cursor);
    }
    keepEditorWithinLimits();
    Update_Text_Graphics();
}

void TextPanel::Insert_Template_Button()
{
    const bool titles = editing->insert_template_btn->text() == kTemplateTitleCaption;
    Insert_Template picker(titles ? QStringLiteral("T") : QStringLiteral("M"), &m_context.view);
    if (picker.Open_Template_Dialog() != 1)
        return;
    {
        const QSignalBlocker quiet(editing->Text_value_Edit);
        editing->Text_value_Edit->setPlainText(Template_Msg_Val);
    }
    keepEditorWithinLimits();
    Update_Text_Graphics();
}

void TextPanel::showBoundText(SKTGraphic& graphic)
{
    {
        const QSignalBlocker quiet(editing->Text_value_Edit);
        editing->Text_value_Edit->setPlainText(graphic.Text_contents());
    }
    Update_Text_Graphics();
}

void TextPanel::Text_Font_Changed()
{
    const std::optional<CardFont> chosen = chooseFont(&m_context.view, Text_font);
    if (!chosen)
        return;
    Text_font = *chosen;
    editing->Text_font_value->setText(fontCaption(Text_font));
    Update_Text_Graphics();
}
