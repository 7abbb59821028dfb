// The start road through the real template window and group-mode wizard, answered as a user would.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "designfile/DesignFile.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/TemplateCommands.h"
#include "mainwindow/WizardStartWindows.h"
#include "support/InkPixels.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/PropertyInspector.h"
#include "views/wizards/Group_Mode_Wizard.h"
#include "views/wizards/TemplateBrowser.h"
#include "views/wizards/Template_Wizard.h"
#include "StartRoadFixture.h"

namespace {

GraphicPtr shape(double x)
{
    GraphicPtr element = SKTGraphic::create(GraphicKind::Shape);
    element->_bounds = QRectF(x, 20, 30, 30);
    return element;
}

class WizardStartRoad : public StartRoadFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartRoadFixture::SetUp());
        CARD_SIDE_STR = QStringLiteral("2");
        // Twins of one design: the landscape card holds two shapes, the portrait card three.
        writeTemplate(QStringLiteral("badge (h)"), QStringLiteral("Horizontal"), QSizeF(242.64, 153.36), 2);
        writeTemplate(QStringLiteral("badge (v)"), QStringLiteral("Vertical"), QSizeF(153.36, 242.64), 3);
    }
    void writeTemplate(const QString& name, const QString& preset, QSizeF size, int shapes,
                       const QString& category = QStringLiteral("employee"))
    {
        GraphicList front;
        for (int i = 0; i < shapes; ++i)
            front.append(shape(10 + 35 * i));
        writeTemplateFile(name, category, preset, size, front);
    }
    // The template window: the category, then the template of that name, then the size row when
    // one is given, then OK.
    void chooseTemplate(const QString& category, const QString& name, int sizeRow = -1)
    {
        dialogs.queueHook([category, name, sizeRow](QDialog& dialog) {
            auto* window = qobject_cast<Template_Wizard*>(&dialog);
            ASSERT_NE(window, nullptr);
            auto* categories = window->findChild<QComboBox*>(QStringLiteral("Template_Category_ComboBox"));
            categories->setCurrentText(category);
            Q_EMIT categories->activated(categories->currentIndex());
            const QList<TemplateEntry>& entries = window->browser().entries();
            const auto found = std::find_if(entries.begin(), entries.end(),
                                            [&](const TemplateEntry& entry) { return entry.name == name; });
            ASSERT_NE(found, entries.end()) << name.toStdString();
            window->browser().chooseRow(int(found - entries.begin()));
            if (sizeRow >= 0) {
                auto* sizes = window->findChild<QTableView*>(QStringLiteral("ColList"));
                sizes->selectionModel()->select(sizes->model()->index(sizeRow, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            }
            window->OK_Click();
        });
    }
    QSizeF cardSize() const { return controller.Front_card_Prop.Card_Size(); }
};

}  // namespace

// Picked while the window still shows "Horizontal", a portrait template must not turn into its
// landscape twin: the window takes the template's own orientation.
TEST_F(WizardStartRoad, ATemplateStartsAsItWasMadeInEitherOrientation)
{
    for (const char* name : {"badge (v)", "badge (h)"}) {
        press("Using_Template_btn");
        chooseTemplate(QStringLiteral("Employee"), QString::fromLatin1(name));
        ASSERT_TRUE(Open_Start_Window(controller)) << name;
        const bool portrait = QByteArray(name).contains("(v)");
        EXPECT_EQ(Start_Card_Option, "T");
        EXPECT_EQ(document.graphics().size(), portrait ? 3 : 2) << name;
        EXPECT_NEAR(cardSize().width(), portrait ? 153.36 : 242.64, 0.01) << name;
        EXPECT_NEAR(cardSize().height(), portrait ? 242.64 : 153.36, 0.01) << name;
        EXPECT_EQ(control<QComboBox>("Preset_ComboBox").currentText(), portrait ? "Vertical" : "Horizontal");
    }
    EXPECT_TRUE(messages.texts().isEmpty());
}

// Another size chosen in the window is the size the design starts with, its elements moved along.
TEST_F(WizardStartRoad, TheSizeChosenInTheWindowIsTheCardsSize)
{
    press("Using_Template_btn");
    chooseTemplate(QStringLiteral("Employee"), QStringLiteral("badge (h)"), 2);  // CR90, 3.62 x 2.38 in
    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(document.graphics().size(), 2);
    EXPECT_NEAR(cardSize().width(), 3.62 * 72, 0.05);
    EXPECT_NEAR(cardSize().height(), 2.38 * 72, 0.05);
    EXPECT_NEAR(document.graphics().at(1)->_bounds.x(), 45 * 3.62 / 3.37, 0.05);
    EXPECT_EQ(controller.Front_card_Prop.Card_Cat_index(), 2);
}

// The visitor road keeps the size chosen in the window too: the Size page shows a CR90 pass.
TEST_F(WizardStartRoad, AVisitorPassTakesTheSizeChosenInTheWindow)
{
    copyBuiltResources({"Templates/visitor/visitor orange (h).did", "photo_placeholder.png"});
    press("Using_Visitor_btn");
    chooseTemplate(TemplateCatalog::kVisitorCategory, QStringLiteral("visitor orange (h)"), 2);  // CR90-Over Sized
    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(Start_Card_Option, "V");
    EXPECT_NEAR(control<QDoubleSpinBox>("width_Stepper").value(), 3.62 * 25.4, 0.05);
    EXPECT_NEAR(control<QDoubleSpinBox>("height_Stepper").value(), 2.38 * 25.4, 0.05);
    EXPECT_NEAR(cardSize().width(), 3.62 * 72, 0.05);
}

TEST_F(WizardStartRoad, AVisitorRunOpensAVisitorTemplate)
{
    writeTemplate(QStringLiteral("day pass (v)"), QStringLiteral("Vertical"), QSizeF(153.36, 242.64), 1,
                  QStringLiteral("visitor"));
    press("Using_Visitor_btn");
    chooseTemplate(TemplateCatalog::kVisitorCategory, QStringLiteral("day pass (v)"));
    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(Start_Card_Option, "V");
    // The template's shape and the default photo every pass gets.
    ASSERT_EQ(document.graphics().size(), 2);
    EXPECT_EQ(std::count_if(document.graphics().begin(), document.graphics().end(),
                            [](const GraphicPtr& element) { return element->control_ID == "Fup_Photo"; }),
              1);
    EXPECT_NEAR(cardSize().height(), 242.64, 0.01);
}

TEST_F(WizardStartRoad, AnExportedTemplateIsOfferedAndOpens)
{
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {shape(10), shape(50), shape(90), shape(130)}, {0, 1, 2, 3});
    controller.Front_card_Prop.setCard_Size(QSizeF(242.64, 153.36));
    dialogs.queueHook([](QDialog& dialog) {
        auto& window = static_cast<Export_Template&>(dialog);
        window.template_name->setText(QStringLiteral("Front desk"));
        window.OK_Pressed();
    });
    ASSERT_TRUE(Export_As_Template_Clicked(controller));
    document.removeGraphicsOnSideAtIndexes(SKTDocument::FrontSide, {0, 1, 2, 3});

    press("Using_Template_btn");
    chooseTemplate(TemplateCatalog::kUserCategory, QStringLiteral("Front desk"));
    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(Selected_Template_Path, User_Template_File(QStringLiteral("Front desk"), QStringLiteral("did")));
    EXPECT_EQ(document.graphics().size(), 4);
    EXPECT_NEAR(cardSize().width(), 242.64, 0.01);
}

TEST_F(WizardStartRoad, TheGroupWizardMakesAProjectWithTheWorkbooksRecords)
{
    const QString workbook = scratch.filePath(QStringLiteral("team.xlsx"));
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(workbook, {{"Name", "Role"}, {"Ada", "Engineer"}, {"Grace", "Admiral"}}, true));
    press("Using_Group_Batch_btn");
    dialogs.queueHook([&](QDialog& dialog) {
        auto* wizard = qobject_cast<Group_Mode_Wizard*>(&dialog);
        ASSERT_NE(wizard, nullptr);
        wizard->browser().chooseRow(1);  // "badge (v)"
        dialogs.queueOpenFile(workbook);
        wizard->findChild<QPushButton*>(QStringLiteral("Select_Excel_btn"))->click();
        wizard->findChild<QLineEdit*>(QStringLiteral("Project_Name_Text"))->setText(QStringLiteral("Team"));
        wizard->OK_Click();
    });
    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(Start_Card_Option, "G");
    const QString project = QDir(Created_Resource_Path).filePath(QStringLiteral("Group_Excel_Data/Team.did"));
    EXPECT_EQ(Project_File_Name, project);
    EXPECT_EQ(document.graphics().size(), 3);
    EXPECT_NEAR(cardSize().height(), 242.64, 0.01);
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 2);
    EXPECT_EQ(controller.inspector().sizePanel().groupList().Get_Item_Text(1), "2 - Grace");

    DesignFileError error;
    const std::optional<DesignState> saved = readDesignFile(project, &error);
    ASSERT_TRUE(saved) << error.reason.toStdString();
    EXPECT_EQ(saved->startMode, "G");
    EXPECT_EQ(saved->excelSourcePath, workbook);
    ASSERT_EQ(saved->rows.size(), 2);
    EXPECT_EQ(saved->rows.at(0).value(QStringLiteral("Column1")), "Ada");
    EXPECT_EQ(saved->columnTitles.mid(1), (QStringList{"Name", "Role"}));
    EXPECT_EQ(saved->frontElements.size(), 3);
}

// Applying the size writes the card pages into the card: the template's own card settings survive.
TEST_F(WizardStartRoad, ATemplateKeepsItsBorderFillAndWatermark)
{
    DesignState design;
    design.startMode = QStringLiteral("T");
    for (Card_Property* side : {&design.front, &design.back}) {
        side->setCard_Size(QSizeF(242.64, 153.36));
        side->setCard_fill_chk(true), side->setCard_fill_clr(Qt::red);
        side->setCard_border_chk(true), side->setCard_bor_Stepper(3), side->setCard_bordr_clr(Qt::blue);
        side->setWatermark_Used(true), side->setWatermark_Text(QStringLiteral("COPY"));
    }
    const QString folder = QDir(Resource_Path).filePath(QStringLiteral("Templates/employee"));
    ASSERT_TRUE(writeDesignFile(QDir(folder).filePath(QStringLiteral("red (h).did")), design));
    press("Using_Template_btn");
    chooseTemplate(QStringLiteral("Employee"), QStringLiteral("red (h)"));
    ASSERT_TRUE(Open_Start_Window(controller));
    for (const Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop}) {
        EXPECT_EQ(side->Card_fill_clr(), QColor(Qt::red));
        EXPECT_TRUE(side->Card_border_chk());
        EXPECT_EQ(side->Card_bor_Stepper(), 3);
        EXPECT_EQ(side->Card_bordr_clr(), QColor(Qt::blue));
        EXPECT_TRUE(side->Watermark_Used());
        EXPECT_EQ(side->Watermark_Text(), "COPY");
    }
}

// The template window's profile button opens the card's profile window for both sides; the
// template then starts with the profile on its front and back.
TEST_F(WizardStartRoad, TheProfileEnteredInTheTemplateWindowIsOnTheTemplatesSides)
{
    Fill_User_Profile = false;
    press("Using_Template_btn");
    dialogs.queueHook([this](QDialog& dialog) {
        auto& window = static_cast<Template_Wizard&>(dialog);
        window.browser().chooseRow(0);
        dialogs.queueHook([](QDialog& profile) {
            EXPECT_EQ(profile.windowTitle(), "User Profile Information");
            EXPECT_TRUE(profile.findChild<QComboBox*>(QStringLiteral("unique_side_combo"))->isVisibleTo(&profile));
            profile.findChild<QLineEdit*>(QStringLiteral("unique_value"))->setText(QStringLiteral("0042"));
            profile.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
        });
        window.findChild<QPushButton*>(QStringLiteral("User_Profile_btn"))->click();
        window.OK_Click();
    });
    ASSERT_TRUE(Open_Start_Window(controller));
    Fill_User_Profile = false;
    for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide}) {
        QStringList ids;
        for (const GraphicPtr& graphic : document.graphicsOfSide(side))
            if (graphic->control_ID == QLatin1String("Fup_UniqueNo"))
                ids << graphic->Text_Value;
        EXPECT_EQ(ids, QStringList{"0042"}) << side;
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
}

// From the template window the main window lies under two windows: the profile window's Preview
// shows the card with the profile in the profile window itself.
TEST_F(WizardStartRoad, ThePreviewFromTheTemplateWindowShowsInTheProfileWindow)
{
    Fill_User_Profile = false;
    press("Using_Template_btn");
    QImage previewed;
    bool shown = false;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& window = static_cast<Template_Wizard&>(dialog);
        window.browser().chooseRow(0);
        dialogs.queueHook([&](QDialog& profile) {
            profile.findChild<QLineEdit*>(QStringLiteral("name_value"))->setText(QStringLiteral("Ada Lovelace"));
            profile.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
            shown = profile.findChild<QWidget*>(QStringLiteral("preview_box"))->isVisibleTo(&profile);
            previewed = profile.findChild<QLabel*>(QStringLiteral("preview_picture"))->pixmap().toImage();
            profile.findChild<QPushButton*>(QStringLiteral("cancel_btn"))->click();
        });
        window.findChild<QPushButton*>(QStringLiteral("User_Profile_btn"))->click();
        window.OK_Click();
    });
    ASSERT_TRUE(Open_Start_Window(controller));
    Fill_User_Profile = false;
    EXPECT_TRUE(shown);
    ASSERT_FALSE(previewed.isNull());
    // The name is drawn: ink on the card's white.
    EXPECT_GT(inkPixels(previewed), 20);
}
