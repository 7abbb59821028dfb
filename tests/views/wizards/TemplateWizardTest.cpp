// The template window: choosing a template, its size choice, OK, Cancel and the profile button.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QIcon>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/wizards/TemplateBrowser.h"
#include "views/wizards/Template_Wizard.h"
#include "TemplateFolder.h"

namespace {

const QString kSelect = QStringLiteral("\nPlease select template.");

class TemplateWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        classic = templates.add(QStringLiteral("employee"), QStringLiteral("classic (h)"), QStringLiteral("Horizontal"),
                                QStringLiteral("PVC Card"), 0);
        portrait = templates.add(QStringLiteral("employee"), QStringLiteral("classic (v)"), QStringLiteral("Vertical"),
                                 QStringLiteral("Paper Card"), 2);
        templates.add(QStringLiteral("visitor"), QStringLiteral("pass (v)"), QStringLiteral("Vertical"),
                      QStringLiteral("PVC Card"), 1);
    }
    Template_Wizard& window(bool visitorMode = false)
    {
        wizard = std::make_unique<Template_Wizard>(templates.catalog(), sizes, visitorMode);
        return *wizard;
    }
    QStringList comboItems(const char* name) const
    {
        auto* combo = wizard->findChild<QComboBox*>(QLatin1String(name));
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }

    TemplateFolder templates;
    QString classic, portrait;
    CardSizeNames sizes{{"CR80", "CR79", "CR100"}, {"A7", "A6", "Badge 4 x 3"}};
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    std::unique_ptr<Template_Wizard> wizard;
};

}  // namespace

TEST_F(TemplateWizardTest, OkNeedsAChosenTemplateAndTakesItsSizeChoice)
{
    Template_Wizard& templateWindow = window();
    dialogs.queueHook([&](QDialog& dialog) {
        ASSERT_EQ(&dialog, &templateWindow);
        templateWindow.OK_Click();
        EXPECT_EQ(dialog.result(), 0) << "the window stays open";
        // The list shows the category's templates by name, portrait and landscape alike.
        ASSERT_EQ(templateWindow.browser().rowCount(), 2);
        EXPECT_EQ(templateWindow.browser().index(1).data().toString(), "Classic (v)");
        templateWindow.browser().chooseRow(1);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(templateWindow.Open_Template_Window(), 1);
    EXPECT_EQ(templateWindow.selectedTemplatePath(), portrait);
    EXPECT_EQ(messages.texts(), QStringList{kSelect});
    // The portrait template's own orientation, category and size row: the start keeps it upright.
    const Template_Wizard_Fields fields = templateWindow.fields();
    EXPECT_EQ(fields.Preset_ComboBox, 1);
    EXPECT_EQ(fields.Category_ComboBox, 1);
    EXPECT_EQ(fields.ColList, 2);
    EXPECT_EQ(comboItems("Category_ComboBox"), (QStringList{"PVC Card", "Paper Card"}));

    // Choosing the landscape one turns the choice back; the paper sizes gave way to the cards'.
    dialogs.queueHook([&](QDialog&) {
        templateWindow.browser().chooseRow(0);
        templateWindow.OK_Click();
    });
    EXPECT_EQ(templateWindow.Open_Template_Window(), 1);
    EXPECT_EQ(templateWindow.selectedTemplatePath(), classic);
    EXPECT_EQ(templateWindow.fields().Preset_ComboBox, 0);
    EXPECT_EQ(templateWindow.fields().Category_ComboBox, 0);
    EXPECT_EQ(templateWindow.fields().ColList, 0);
}

TEST_F(TemplateWizardTest, CancelAndAVanishedTemplateLeaveNoPath)
{
    Template_Wizard& templateWindow = window();
    dialogs.queueHook([&](QDialog&) {
        templateWindow.browser().chooseRow(0);
        templateWindow.Cancel_Click();
    });
    EXPECT_EQ(templateWindow.Open_Template_Window(), 0);
    EXPECT_TRUE(templateWindow.selectedTemplatePath().isEmpty());

    dialogs.queueHook([&](QDialog& dialog) {
        templateWindow.browser().chooseRow(0);
        ASSERT_TRUE(QFile::remove(classic));
        templateWindow.OK_Click();
        EXPECT_EQ(dialog.result(), 0);
        templateWindow.User_Profile_Click();
        templateWindow.Cancel_Click();
    });
    EXPECT_EQ(templateWindow.Open_Template_Window(), 0);
    EXPECT_TRUE(templateWindow.selectedTemplatePath().isEmpty());
    EXPECT_EQ(messages.texts(), QStringList(2, kSelect));
}

// A choice belongs to the category it was made in: another category, even the same one shown
// again, leaves none.
TEST_F(TemplateWizardTest, ShowingACategoryClearsTheChoice)
{
    Template_Wizard& templateWindow = window();
    dialogs.queueHook([&](QDialog& dialog) {
        templateWindow.browser().chooseRow(1);
        templateWindow.browser().Show_Category(QStringLiteral("User"));
        templateWindow.browser().Show_Category(QStringLiteral("Employee"));
        EXPECT_FALSE(templateWindow.browser().chosenTemplate());
        templateWindow.OK_Click();
        EXPECT_EQ(dialog.result(), 0);
        templateWindow.Cancel_Click();
    });
    EXPECT_EQ(templateWindow.Open_Template_Window(), 0);
    EXPECT_EQ(messages.texts(), QStringList{kSelect});
}

TEST_F(TemplateWizardTest, TheProfileButtonNeedsATemplate)
{
    Template_Wizard& templateWindow = window();
    QStringList asked;
    templateWindow.openProfileWindow = [&](bool reload, const QString& side, const QString& sides) {
        asked << QStringLiteral("%1 '%2' %3").arg(reload).arg(side, sides);
        return 0;
    };
    templateWindow.findChild<QPushButton*>(QStringLiteral("User_Profile_btn"))->click();
    EXPECT_TRUE(asked.isEmpty());
    templateWindow.browser().chooseRow(0);
    templateWindow.User_Profile_Click();
    EXPECT_EQ(messages.texts(), QStringList{kSelect});
    // A template's profile is for both sides of the card.
    EXPECT_EQ(asked, QStringList{"0 '' 2"});
}

TEST_F(TemplateWizardTest, VisitorTemplatesAreOfferedFirstToVisitorRunsOnly)
{
    templates.add(TemplateCatalog::kUserCategory, QStringLiteral("Mine"), QStringLiteral("Horizontal"),
                  QStringLiteral("PVC Card"), 0);
    window(false);
    EXPECT_EQ(comboItems("Template_Category_ComboBox"), (QStringList{"Employee", "User"}));
    Template_Wizard& visitorWindow = window(true);
    EXPECT_EQ(comboItems("Template_Category_ComboBox"), (QStringList{"Visitor", "Employee", "User"}));
    ASSERT_EQ(visitorWindow.browser().rowCount(), 1);
    EXPECT_EQ(visitorWindow.browser().entries().first().name, "pass (v)");

    // Another category shows its own templates, and no choice carries over.
    auto* categories = visitorWindow.findChild<QComboBox*>(QStringLiteral("Template_Category_ComboBox"));
    visitorWindow.browser().chooseRow(0);
    categories->setCurrentIndex(2);
    Q_EMIT categories->activated(2);
    ASSERT_EQ(visitorWindow.browser().rowCount(), 1);
    EXPECT_EQ(visitorWindow.browser().entries().first().name, "Mine");
    EXPECT_FALSE(visitorWindow.browser().chosenTemplate());
}

TEST_F(TemplateWizardTest, PreviewsAreReadIntoTheBrowser)
{
    Template_Wizard& templateWindow = window();
    TemplateBrowser& browser = templateWindow.browser();
    const auto previewShown = [&](int row) {
        const QImage icon = qvariant_cast<QIcon>(browser.index(row).data(Qt::DecorationRole))
                                .pixmap(TemplateBrowser::kThumbnailBox).toImage();
        return icon.pixelColor(icon.width() / 2, icon.height() / 2) == QColor(Qt::darkCyan);
    };
    browser.index(0).data(Qt::DecorationRole);
    browser.index(1).data(Qt::DecorationRole);
    EXPECT_TRUE(QTest::qWaitFor([&] { return previewShown(0) && previewShown(1); }, 10000));
}
