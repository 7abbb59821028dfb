// A template started untouched and turned to "Vertical" on the size page becomes its upright
// version as the version's file holds it: the saved design's texts (plistlib) have the fonts,
// sizes and styles of the same version opened from the start chooser, in template and in visitor
// mode.
#include <QComboBox>
#include <QPushButton>

#include "VisitorDeskFixture.h"
#include "views/wizards/Template_Wizard.h"

namespace {

struct Turn {
    const char* button;
    QString category;
    QString name;  // without its " (h)" or " (v)"
};

class TemplateTurnRoad : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        CARD_SIDE_STR = QStringLiteral("2");
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources(
            {"Templates/employee/classic blue (h).did", "Templates/employee/classic blue (v).did",
             "Templates/visitor/visitor orange (h).did", "Templates/visitor/visitor orange (v).did",
             "photo_placeholder.png"}));
        controller.window()->resize(1280, 800);
        controller.showWindow();
    }
    // The chooser's start by the button on the category's template shown under this name.
    void start(const Turn& turn, const QString& shown)
    {
        press(turn.button);
        dialogs.queueHook([category = turn.category, shown](QDialog& dialog) {
            if (Template_Wizard* window = chooseShownTemplate(dialog, category, shown))
                window->OK_Click();
        });
        ASSERT_TRUE(Open_Start_Window(controller));
        dialogs.clearHooks();
    }
    // File -> Save As… into the scratch folder; the texts of the saved design as plistlib reads
    // them, a line each: identifier, font item, wording.
    QString savedTexts(const QString& name)
    {
        const QString saved = scratch.filePath(name + QStringLiteral(".did"));
        dialogs.queueSaveFile(saved);
        action(QStringLiteral("SaveAs_Btn_Clicked")).trigger();
        const auto read = TestEnvironment::runPython(
            "import plistlib, sys\n"
            "for e in plistlib.load(open(sys.argv[1], 'rb')):\n"
            "    if isinstance(e, list) and e[:1] == ['T']: print(repr((e[18], e[25], e[31])))\n",
            {saved});
        EXPECT_EQ(read.exitCode, 0) << read.err.constData();
        return QString::fromUtf8(read.out);
    }
};

}  // namespace

TEST_F(TemplateTurnRoad, ATurnedTemplateKeepsTheFontsOfItsUprightVersion)
{
    const Turn turns[] = {{"Using_Template_btn", QStringLiteral("Employee"), QStringLiteral("Classic blue")},
                          {"Using_Visitor_btn", TemplateCatalog::kVisitorCategory, QStringLiteral("Visitor orange")}};
    for (const Turn& turn : turns) {
        SCOPED_TRACE(turn.name.toStdString());
        ASSERT_NO_FATAL_FAILURE(start(turn, turn.name + QStringLiteral(" (v)")));
        const QString chosen = savedTexts(QStringLiteral("chosen"));

        ASSERT_NO_FATAL_FAILURE(start(turn, turn.name + QStringLiteral(" (h)")));
        ASSERT_TRUE(inspector().showPage(QStringLiteral("card_size_tab")));
        choose("Preset_ComboBox", control<QComboBox>("Preset_ComboBox").findText(QStringLiteral("Vertical")));
        const QString turned = savedTexts(QStringLiteral("turned"));

        EXPECT_EQ(turned.toStdString(), chosen.toStdString());
        // The name keeps its bold 13 points, and the number's caption its bold 8.
        EXPECT_TRUE(turned.contains(QStringLiteral("('Fup_Name', 'DejaVu Sans Bold::::13.00', ")));
        EXPECT_TRUE(turned.contains(QStringLiteral("('Fup_lbl_UniqueNo', 'DejaVu Sans Bold::::8.00', ")));
        EXPECT_FALSE(turned.contains(QStringLiteral("'DejaVu Sans::::12.00'")));
    }
}
