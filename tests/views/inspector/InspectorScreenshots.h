#pragma once
// What the pictures of the inspector's pages share: the main window on a real X server (ctest runs
// them under with-display.sh) with the fill lists offering the hatch patterns of the resources, a
// card of the sample's size, and pictures of the window saved into the inspector's artifact folder,
// each with the check that every label and button on the page shown has the room its text asks for.
#include <QDir>
#include <QGuiApplication>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "CrampedControls.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "probes/SampleCard.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

class InspectorScreenshots : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
        hatches = Get_Files_Array_At_Path(Resource_Path + QStringLiteral("/Fill_Style_Image"), true);
        ASSERT_FALSE(hatches.isEmpty());
        controller.inspector().setUpControls(hatches);
        ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    }

    // The sample card's front, its picture's file written into the scratch folder.
    GraphicList sampleFront() const { return sample::front(QDir(scratch.path())); }
    // The elements on the front side, topmost first, on a card of the sample's size.
    void putOnCard(const GraphicList& front)
    {
        sample::putOnSide(document, SKTDocument::FrontSide, front);
        controller.SetDocumentCanvasSize(QSizeF(242.65, 153.07));
    }
    void showWindow(QSize size = QSize(1280, 800))
    {
        controller.showWindow();
        resizeWindow(size);
    }
    void resizeWindow(QSize size)
    {
        controller.window()->showNormal();
        controller.window()->resize(size);
    }
    InspectorView& view() const { return controller.windowLayout().inspectorView(); }
    SKTGraphicView& frontCanvas() const { return *controller.graphicView(SKTDocument::FrontSide); }
    // Selects the element on the front canvas and shows its pages, as a click on it does.
    void select(const GraphicPtr& graphic)
    {
        controller.inspector().Show_RHS_Properties(nullptr);
        frontCanvas().changeSelectionIndexes({int(document.graphics().indexOf(graphic))});
        frontCanvas()._Selected_Graphic = graphic;
        controller.inspector().Show_RHS_Properties(graphic.get());
    }
    // The window with the page in front, saved under the name; none of the page's labels and
    // buttons cramped.
    void shoot(const char* page, const QString& name)
    {
        ASSERT_TRUE(view().showPage(QString::fromLatin1(page))) << page;
        QTest::qWait(150);
        EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(name))) << qPrintable(name);
        EXPECT_EQ(crampedControls(*view().page(QString::fromLatin1(page))), QStringList()) << qPrintable(name);
    }

    QStringList hatches;
    const QTemporaryDir scratch;
    SKTDocument document;
    SKTWindowController controller{document};
    const QDir artifacts{QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR)};
};
