#pragma once
// The real main window over a document, with scripted messages and dialogs and a scratch folder:
// the inspector's controls and the window's actions found by name, the sample design opened as a
// user opens a file, and the globals a window changes put back after each test.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "mainwindow/FileCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "support/CanvasMouse.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/InspectorControls.h"
#include "views/inspector/PropertyInspector.h"

// design-probe, built beside the test program.
inline QString designProbe()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
}

class MainWindowFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (ownsDataFolder)
            QDir(Data_Folder_Path).removeRecursively();
        Card_Front_Or_Back = 0, Project_File_Name.clear(), Start_Card_Option = QStringLiteral("T");
        Measument_Unit_Is = last_unit_val = kUnitMillimetre;
    }

    InspectorView& inspector() const { return controller.windowLayout().inspectorView(); }
    template <typename Control>
    Control& control(const char* name) const
    {
        return inspectorControl<Control>(inspector(), name);
    }
    QAction& action(const QString& name) const { return *controller.window()->findChild<QAction*>(name); }
    // File -> Save As… into the scratch file of that name; what the Python script (the design is
    // sys.argv[1]) prints of it, as /usr/bin/python3 runs it.
    QString savedAsAndRead(const QString& name, const char* script)
    {
        const QString design = scratch.filePath(name);
        dialogs.queueSaveFile(design);
        action(QStringLiteral("SaveAs_Btn_Clicked")).trigger();
        const auto read = TestEnvironment::runPython(QString::fromLatin1(script), {design});
        EXPECT_EQ(read.exitCode, 0) << read.err.constData();
        return QString::fromUtf8(read.out).trimmed();
    }
    void choose(const char* combo, int index) { chooseItem(control<QComboBox>(combo), index); }
    void pickColour(const char* well, const QColor& colour) { ::pickColour(dialogs, control<ColorWell>(well), colour); }
    // Writes the sample design into the scratch folder with design-probe and opens it through the
    // window's Open command.
    void openSampleDesign()
    {
        const QString design = scratch.filePath(QStringLiteral("sample.did"));
        const TestEnvironment::ProcessResult written = TestEnvironment::run(designProbe(), {QStringLiteral("sample"), design});
        ASSERT_EQ(written.exitCode, 0) << written.err.constData();
        dialogs.queueOpenFile(design);
        ASSERT_TRUE(Open_Btn_Clicked(controller));
    }

    // A data folder of its own holding the series Staff with these lines, and the sample design
    // opened on the shown window as a saved design; TearDown removes the folder.
    void openSampleWithStaffSeries(const QByteArray& staffLines)
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = QStringLiteral("L");
        Data_Folder_Path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("DataSet");
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        QFile series(QDir(Data_Folder_Path).filePath("Staff.txt"));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        series.write(staffLines);
        series.close();
        ownsDataFolder = true;
        controller.inspector().setUpControls({});
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openSampleDesign());
    }

    // The sample's title, selected and bound to the series on the data-source page.
    void bindSampleTitleTo(const QString& series)
    {
        const QRectF title(70, 8, 165, 22);
        canvas_mouse::drag(*controller.editedGraphicView(), title.center(), title.center());
        ASSERT_TRUE(inspector().showPage(QStringLiteral("datasource_tab")));
        QComboBox& source = control<QComboBox>("Data_source_type");
        choose("Data_source_type", source.findText(QStringLiteral("Series")));
        choose("Batch_Series", control<QComboBox>("Batch_Series").findText(series));
    }

    bool ownsDataFolder = false;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    QTemporaryDir scratch;
    SKTDocument document;
    SKTWindowController controller{document};
};
