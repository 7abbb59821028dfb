#pragma once
// The main window with the real start windows over a scratch resource folder and user folder, so
// that the start roads run through the chooser as a user answers them.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

#include "data/Data_From_Excel.h"
#include "designfile/DesignFile.h"
#include "designfile/TemplateCatalog.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/StartWindows.h"
#include "mainwindow/WizardStartWindows.h"
#include "support/CanvasMouse.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TestEnvironment.h"
#include "views/profiles/Show_User_Profile.h"
#include "views/wizards/Group_Mode_Wizard.h"
#include "views/wizards/TemplateBrowser.h"
#include "views/wizards/Template_Wizard.h"
#include "MainWindowFixture.h"

class StartRoadFixture : public MainWindowFixture {
protected:
    void SetUp() override
    {
        savedResources = Resource_Path, savedUserFolder = Created_Resource_Path;
        Resource_Path = scratch.filePath(QStringLiteral("resources"));
        // The workbook writer fills the resource folder's blank workbook.
        ASSERT_TRUE(QDir().mkpath(Resource_Path));
        ASSERT_TRUE(QFile::copy(QDir(savedResources).filePath(QStringLiteral("Template.xlsx")),
                                QDir(Resource_Path).filePath(QStringLiteral("Template.xlsx"))));
        Created_Resource_Path = scratch.filePath(QStringLiteral("user"));
        setStartWindows(&windows);
    }
    void TearDown() override
    {
        setStartWindows(nullptr);
        Resource_Path = savedResources, Created_Resource_Path = savedUserFolder;
        Selected_Template_Path.clear(), Excel_Source_Path.clear(), Excel_Binding_Use = false;
        Loaded_Data_Table().ListData.clear();
        MainWindowFixture::TearDown();
    }
    // A template of the category (its folder's name) with these front (and back) elements.
    void writeTemplateFile(const QString& name, const QString& category, const QString& preset, QSizeF size,
                           const GraphicList& frontElements, const GraphicList& backElements = {})
    {
        DesignState design;
        design.startMode = QStringLiteral("T");
        for (Card_Property* side : {&design.front, &design.back}) {
            side->setCard_Preset(preset);
            side->setCard_Size(size);
        }
        design.frontElements = frontElements;
        design.backElements = backElements;
        const QString folder = QDir(Resource_Path).filePath(QStringLiteral("Templates/") + category);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(writeDesignFile(QDir(folder).filePath(name + QStringLiteral(".did")), design));
    }
    // Copies these files of the build's resource folder (shipped templates, the photo placeholder)
    // into the scratch one, their folders made as needed.
    void copyBuiltResources(const QStringList& files)
    {
        const QDir built(TestEnvironment::resourceDir());
        const QDir resources(Resource_Path);
        for (const QString& file : files) {
            ASSERT_TRUE(resources.mkpath(QFileInfo(file).path()));
            ASSERT_TRUE(QFile::copy(built.filePath(file), resources.filePath(file))) << qPrintable(file);
        }
    }
    // A two-sided card's start on the shipped "Classic blue (h)" with its preview and the photo
    // placeholder in the scratch resource folder.
    void copyClassicBlueTwoSided()
    {
        CARD_SIDE_STR = QStringLiteral("2");
        copyBuiltResources({"Templates/employee/classic blue (h).did", "Templates/employee/classic blue (h).png",
                            "photo_placeholder.png"});
    }
    // The chooser's next run takes Design from a template, on the category's template that the
    // template window lists under this name.
    void queueTemplateStart(const QString& category, const QString& shown)
    {
        press("Using_Template_btn");
        dialogs.queueHook([category, shown](QDialog& dialog) {
            Template_Wizard* window = chooseShownTemplate(dialog, category, shown);
            if (window)
                window->OK_Click();
        });
    }
    // In the template window, the category's template listed under this name chosen; the window,
    // or nullptr (a failure) when it is no template window or lists no such template.
    static Template_Wizard* chooseShownTemplate(QDialog& dialog, const QString& category, const QString& shown)
    {
        auto* window = qobject_cast<Template_Wizard*>(&dialog);
        EXPECT_NE(window, nullptr);
        if (!window)
            return nullptr;
        auto* categories = window->findChild<QComboBox*>(QStringLiteral("Template_Category_ComboBox"));
        categories->setCurrentText(category);
        Q_EMIT categories->activated(categories->currentIndex());
        const QAbstractItemModel& listed = window->browser();
        int row = 0;
        while (row < listed.rowCount() && listed.data(listed.index(row, 0), Qt::DisplayRole).toString() != shown)
            ++row;
        EXPECT_LT(row, listed.rowCount()) << "no template shown as " << qPrintable(shown);
        if (row == listed.rowCount())
            return nullptr;
        window->browser().chooseRow(row);
        return window;
    }
    // The visitor road through the chooser, on the first template of the visitor category.
    void openVisitorPass()
    {
        press("Using_Visitor_btn");
        dialogs.queueHook([](QDialog& dialog) {
            auto* window = qobject_cast<Template_Wizard*>(&dialog);
            ASSERT_NE(window, nullptr);
            auto* categories = window->findChild<QComboBox*>(QStringLiteral("Template_Category_ComboBox"));
            categories->setCurrentText(TemplateCatalog::kVisitorCategory);
            Q_EMIT categories->activated(categories->currentIndex());
            window->browser().chooseRow(0);
            window->OK_Click();
        });
        ASSERT_TRUE(Open_Start_Window(controller));
    }
    // A workbook in the scratch folder written by openpyxl: `rows` is Python appending the header
    // and the rows to the sheet `ws`; it reads `arguments` as sys.argv[2:].
    QString openpyxlWorkbook(const QString& name, const char* rows, const QStringList& arguments = {})
    {
        const QString workbook = scratch.filePath(name);
        const auto made = TestEnvironment::runPython(QStringLiteral("import sys, openpyxl\n"
                                                                    "wb = openpyxl.Workbook(); ws = wb.active\n")
                                                         + QLatin1String(rows) + QStringLiteral("wb.save(sys.argv[1])\n"),
                                                     QStringList{workbook} + arguments);
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        return workbook;
    }
    // The group road through the chooser, on the first template of the group wizard, over the
    // workbook, as the project "People".
    void startGroupProject(const QString& workbook)
    {
        press("Using_Group_Batch_btn");
        dialogs.queueHook([&](QDialog& dialog) {
            auto* wizard = qobject_cast<Group_Mode_Wizard*>(&dialog);
            ASSERT_NE(wizard, nullptr);
            wizard->browser().chooseRow(0);
            dialogs.queueOpenFile(workbook);
            wizard->findChild<QPushButton*>(QStringLiteral("Select_Excel_btn"))->click();
            wizard->findChild<QLineEdit*>(QStringLiteral("Project_Name_Text"))->setText(QStringLiteral("People"));
            wizard->OK_Click();
        });
        ASSERT_TRUE(Open_Start_Window(controller));
    }
    // A double click on the front's symbol opens the barcode window: its Value box typed over, then OK.
    void giveBarcodeValue(const GraphicPtr& symbol, const QString& value)
    {
        dialogs.queueHook([value](QDialog& window) {
            auto* box = window.findChild<QLineEdit*>(QStringLiteral("dataText"));
            box->selectAll();
            QTest::keyClicks(box, value);
            window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        canvas_mouse::doubleClick(*controller.graphicView(SKTDocument::FrontSide), symbol->bounds().center());
        dialogs.clearHooks();
    }
    // File -> Card Holder Profile…: each field (its index in the record's order: 0 the name, 2 the
    // company, 9 the unique number) typed over in the side's window as a user types, then OK.
    void confirmProfile(const QList<std::pair<int, QString>>& typed)
    {
        dialogs.queueHook([this, typed](QDialog& dialog) {
            Show_User_Profile& window = controller.profileWindows().sideProfileWindow();
            for (const auto& [field, text] : typed) {
                QLineEdit& value = *window.row(field).value;
                value.selectAll();
                QTest::keyClicks(&value, text);
            }
            dialog.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
        });
        action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
        dialogs.clearHooks();
    }
    // The chooser's next run presses this button.
    void press(const char* button)
    {
        dialogs.queueHook([button](QDialog& chooser) { chooser.findChild<QPushButton*>(QLatin1String(button))->click(); });
    }

    WizardStartWindows windows;
    QString savedResources, savedUserFolder;
};
