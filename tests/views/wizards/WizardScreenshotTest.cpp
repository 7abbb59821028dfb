// Pictures of the template window and the group-mode wizard as a person sees them, on a real X
// server under a window manager. The shipped library is shown when the resource folder has one;
// otherwise a few templates with drawn previews stand in for it.
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TestEnvironment.h"
#include "support/WindowFrame.h"
#include "views/inspector/InspectorLists.h"
#include "views/wizards/Group_Mode_Wizard.h"
#include "views/wizards/TemplateBrowser.h"
#include "views/wizards/Template_Wizard.h"
#include "TemplateFolder.h"

namespace {

void drawPreview(const QString& didPath, const QColor& colour, bool vertical, const QString& title)
{
    QImage card(vertical ? 320 : 510, vertical ? 510 : 320, QImage::Format_RGB32);
    card.fill(Qt::white);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(0, 0, card.width(), card.height() / 4, colour);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"), 28, QFont::Bold);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, card.width(), card.height() / 4), Qt::AlignCenter, title.toUpper());
    painter.setBrush(colour.lighter(170));
    painter.setPen(colour);
    const int photo = card.width() / 3;
    painter.drawRect(vertical ? (card.width() - photo) / 2 : 30, card.height() / 4 + 30, photo, photo * 5 / 4);
    painter.end();
    card.save(QString(didPath).replace(QLatin1String(".did"), QLatin1String(".png")));
}

TemplateCatalog standInLibrary(TemplateFolder& folder)
{
    struct Made {
        const char* category;
        const char* name;
        QColor colour;
        const char* title;
    };
    for (const Made& made : {Made{"employee", "classic blue", QColor(20, 70, 140), "Staff"},
                             Made{"employee", "modern green", QColor(20, 120, 80), "Employee"},
                             Made{"employee", "warm red", QColor(160, 40, 40), "Team"}}) {
        for (const bool vertical : {false, true}) {
            const QString name = QString::fromLatin1(made.name) + (vertical ? QStringLiteral(" (v)") : QStringLiteral(" (h)"));
            const QString did = folder.add(QString::fromLatin1(made.category), name,
                                           vertical ? QStringLiteral("Vertical") : QStringLiteral("Horizontal"),
                                           QStringLiteral("PVC Card"), 0, QColor());
            drawPreview(did, made.colour, vertical, QString::fromLatin1(made.title));
        }
    }
    const QString mine = folder.add(TemplateCatalog::kUserCategory, QStringLiteral("Front desk"),
                                    QStringLiteral("Horizontal"), QStringLiteral("PVC Card"), 0, QColor());
    drawPreview(mine, QColor(90, 60, 140), false, QStringLiteral("Reception"));
    return folder.catalog();
}

class WizardScreenshots : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
        ASSERT_TRUE(QDir().mkpath(artifacts.path()));
        const TemplateCatalog shipped(QDir(TestEnvironment::resourceDir()).filePath(QStringLiteral("Templates")),
                                      folder.userFolder());
        catalog = shipped.categories(false).size() > 1 ? shipped : standInLibrary(folder);
    }
    // Waits for the frame and the previews, then saves the window with its frame.
    void shoot(QDialog& dialog, const QString& file)
    {
        const QMargins frame = showFramed(dialog, 800);
        EXPECT_TRUE(grabFramed(dialog, frame).save(artifacts.filePath(file)));
    }

    QDir artifacts{QStringLiteral(ZOVA_WIZARDS_ARTIFACT_DIR)};
    TemplateFolder folder;
    TemplateCatalog catalog{QString(), QString()};
    ScriptedDialogPresenter dialogs;
};

}  // namespace

TEST_F(WizardScreenshots, TheTemplateWindowWithPreviews)
{
    Template_Wizard window(catalog, CardSizeNames{{"CR80-Credit Card Size", "CR79", "CR90-Over Sized"}, {"A7", "A6"}},
                           false);
    window.resize(1040, 640);
    dialogs.queueHook([&](QDialog& dialog) {
        window.browser().chooseRow(1);
        shoot(dialog, QStringLiteral("template-window.png"));
        window.Cancel_Click();
    });
    EXPECT_EQ(window.Open_Template_Window(), 0);
}

TEST_F(WizardScreenshots, TheGroupModeWizard)
{
    class Host : public GroupProjectHost {
    public:
        int Create_Group_Mode_Project(const QString&, const QString&, const std::function<int()>&) override { return 0; }
        GroupListData& groupList() override { return groups; }
        GroupListData groups;
    } host;
    const QString workbook = folder.root.filePath(QStringLiteral("team.xlsx"));
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(workbook, {{"Name", "Role"}, {"Ada", "Engineer"}, {"Grace", "Admiral"}}, true));
    Group_Mode_Wizard wizard(catalog, host, folder.root.filePath(QStringLiteral("projects")));
    wizard.resize(1040, 640);
    dialogs.queueHook([&](QDialog& dialog) {
        wizard.browser().chooseRow(0);
        dialogs.queueOpenFile(workbook);
        wizard.Select_Excel_Click();
        wizard.findChild<QLineEdit*>(QStringLiteral("Project_Name_Text"))->setText(QStringLiteral("Spring intake"));
        shoot(dialog, QStringLiteral("group-mode-wizard.png"));
        wizard.Cancel_Click();
    });
    EXPECT_EQ(wizard.Open_Wnd(), 0);
    Loaded_Data_Table().ListData.clear();
}
