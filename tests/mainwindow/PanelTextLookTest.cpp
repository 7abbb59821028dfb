// A text that the side panel fills takes the look the Text page gives it and keeps the panel's
// value, on the real window: in visitor mode through every road of the pages that writes a text,
// each pass printed set against the pass printed once the panel's value is typed again
// (ImageMagick compare) and the visitor logged (sqlite3); in group mode over a title typed for a
// record, the card exported as PDF read with pdftotext.
#include <QFontDatabase>
#include <QFontDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

#include "GroupPeopleFixture.h"
#include "VisitorDeskFixture.h"
#include "../views/inspector/FieldTyping.h"

namespace {

// Clicks the element on the side's canvas as a user selects it.
void clickOn(SKTGraphicView& canvas, const GraphicPtr& element)
{
    const QPointF centre = element->bounds().center();
    ASSERT_EQ(canvas.graphicUnderPoint(centre), element);
    canvas_mouse::drag(canvas, centre, centre);
    ASSERT_EQ(canvas.selectedGraphics(), GraphicList{element});
}

// A road of the text pages that writes the selected text, and the look it leaves.
struct LookRoad {
    const char* name;
    std::function<void()> change;
    std::function<bool(const SKTGraphic&)> shows;
};

class VisitorTextLook : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedPass());
    }
    GraphicPtr nameText() const
    {
        for (const GraphicPtr& element : controller.Get_Front_Controls_Array())
            if (element->control_ID == QLatin1String("Fup_Name") && element->kind() == GraphicKind::Text)
                return element;
        return nullptr;
    }
    // The picker of Use Template Title answered with the title.
    void pickTemplateTitle(const QString& title)
    {
        dialogs.queueHook([title](QDialog& picker) {
            auto& titles = *picker.findChild<QListWidget*>(QStringLiteral("template_list"));
            titles.setCurrentItem(titles.findItems(title, Qt::MatchExactly).value(0));
            picker.accept();
        });
        control<QPushButton>("insert_template_btn").click();
    }
    void chooseFont(const QFont& font)
    {
        dialogs.queueHook([font](QDialog& dialog) {
            static_cast<QFontDialog&>(dialog).setCurrentFont(font);
            dialog.accept();
        });
        control<QPushButton>("text_font_btn").click();
    }
};

class GroupTextLook : public GroupPeople {};

}  // namespace

// The visitor's name clicked on the card, then for each road a name typed in the panel and the
// road taken: the card, the panel and the pass show the name in the new look, and the log keeps it.
TEST_F(VisitorTextLook, EachLookOfTheTextPagesKeepsTheNameTypedInThePanel)
{
    ASSERT_NO_FATAL_FAILURE(clickOn(*controller.graphicView(SKTDocument::FrontSide), nameText()));
    ASSERT_EQ(control<QPlainTextEdit>("Text_value_Edit").toPlainText(), "Visitor Name");
    const QColor blue(30, 90, 160);
    const QList<LookRoad> roads{
        {"Case", [this] { choose("Text_case_combo", 1); }, [](const SKTGraphic& t) { return t.textStyle.text_transfrom_case == 1; }},
        {"alignment", [this] { choose("Text_align_combo", 2); }, [](const SKTGraphic& t) { return t.textStyle.text_alignmnet == 2; }},
        {"vertical alignment", [this] { choose("Text_vert_align_combo", 1); },
         [](const SKTGraphic& t) { return t.textStyle.text_alignmnet_Vert == 1; }},
        {"colour", [&] { pickColour("Text_clr", blue); }, [&](const SKTGraphic& t) { return t.textStyle.txt_clr == blue; }},
        {"font, size and style", [this] { chooseFont(QFont(QStringLiteral("DejaVu Serif"), 11, QFont::Bold)); },
         [](const SKTGraphic& t) { return t.textStyle.text_ctrl_font == CardFont{"DejaVu Serif", 11, "Bold"}; }},
        {"letter spacing", [this] { typeAndEnter(control<QDoubleSpinBox>("Text_Kern_Stepper"), QStringLiteral("1.5")); },
         [](const SKTGraphic& t) { return t.textStyle.text_kerning == 1.5f; }},
        {"Use Template Title", [this] { pickTemplateTitle(QStringLiteral("Guest")); }, [](const SKTGraphic&) { return true; }},
        {"shadow", [this] {
             ASSERT_TRUE(inspector().showPage(QStringLiteral("text_prop_tab")));
             control<QCheckBox>("draw_shadow_chkbox").click();
         }, [](const SKTGraphic& t) { return t.textStyle.Drawing_Shadow; }},
    };
    QString name;
    for (const LookRoad& road : roads) {
        SCOPED_TRACE(road.name);
        name = QStringLiteral("Zed Visitor %1").arg(&road - roads.data() + 1);
        type("Fup_Name", name);
        road.change();
        EXPECT_EQ(nameText()->Text_Value, name);
        EXPECT_TRUE(road.shows(*nameText()));
        EXPECT_EQ(front().textBox("Fup_Name")->text(), name);
        const QString changed = printPass(QStringLiteral("look-%1").arg(&road - roads.data()));
        // Typed again, the name goes onto the card in the look it now has: the pass printed then.
        type("Fup_Name", name);
        EXPECT_EQ(differingPixels(changed, printPass(QStringLiteral("typed-%1").arg(&road - roads.data()))), 0);
    }
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name"), name);
}

// The name the panel fills shows neither the wording field nor the template button that only
// fills it; the organisation's name, a text of the pass alone, shows both, and bound to a series
// (as a design made for series may hold it) it takes no typing.
TEST_F(VisitorTextLook, OnlyATextThatTakesTypingOffersTheWordingAndTheTemplateTitle)
{
    GraphicPtr own;
    for (const GraphicPtr& element : controller.Get_Front_Controls_Array())
        if (element->kind() == GraphicKind::Text && element->Text_Value == QLatin1String("Northwind Systems"))
            own = element;
    ASSERT_TRUE(own && own->control_ID.isEmpty());
    auto& editor = control<QPlainTextEdit>("Text_value_Edit");
    const auto& templateTitle = control<QPushButton>("insert_template_btn");
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    for (const GraphicPtr& text : {nameText(), own}) {
        ASSERT_NO_FATAL_FAILURE(clickOn(canvas, text));
        EXPECT_EQ(editor.isVisible(), text == own);
        EXPECT_EQ(templateTitle.isVisible(), text == own);
    }
    own->Set_Data_source_type(1);
    ASSERT_NO_FATAL_FAILURE(clickOn(canvas, nameText()));
    ASSERT_NO_FATAL_FAILURE(clickOn(canvas, own));
    editor.setFocus();
    QTest::keyClicks(&editor, QStringLiteral("x"));
    EXPECT_EQ(editor.toPlainText().toStdString(), "Northwind Systems");
}

// Record 5 shown, a title typed for it (no column shows the title, so the panel fills the card's
// text), the title clicked on the card and typed over, then upper case chosen: the card says the
// typed title in capitals, exported without the workbook's data as a PDF card.
TEST_F(GroupTextLook, ALookChosenForATitleTypedOverARecordKeepsTheTypedTitle)
{
    clickGroupRow(4);
    ASSERT_EQ(field("Fup_Name").text(), "Person 5");
    type("Fup_Title", QStringLiteral("First Pos"));
    ASSERT_NE(frontElement("Fup_Title"), nullptr);
    ASSERT_EQ(frontElement("Fup_Title")->data_source_type, 0);
    ASSERT_NO_FATAL_FAILURE(clickOn(*controller.graphicView(SKTDocument::FrontSide), frontElement("Fup_Title")));
    type("Fup_Title", QStringLiteral("Typed Pos"));
    choose("Text_case_combo", 1);
    EXPECT_EQ(frontElement("Fup_Title")->Text_Value, "Typed Pos");
    EXPECT_EQ(frontElement("Fup_Title")->textStyle.text_transfrom_case, 1);
    EXPECT_EQ(field("Fup_Title").text(), "Typed Pos");

    exportCardWithoutData(scratch.filePath(QStringLiteral("card.pdf")), QStringLiteral("PDF"));
    const QString card = scratch.filePath(QStringLiteral("card_Front.pdf"));
    ASSERT_TRUE(QFile::exists(card)) << qPrintable(messages.texts().join(u'|'));
    const QString words = QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {card, "-"}).out).simplified();
    EXPECT_TRUE(words.contains(QStringLiteral("TYPED POS"))) << qPrintable(words);
    EXPECT_FALSE(words.contains(QStringLiteral("FIRST POS"))) << qPrintable(words);
}
