// On the real window over the shipped "Classic blue (h)": a text bound to a series on the Source
// page is drawn on the screen with the series' first value at once, before anything else repaints.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "StartRoadFixture.h"
#include "support/CanvasMouse.h"

namespace {

class SeriesBindingRoad : public StartRoadFixture {
protected:
    void writeSeries(const QString& name, const QByteArray& lines)
    {
        QFile file(QDir(Data_Folder_Path).filePath(name + QStringLiteral(".txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(lines) == lines.size());
    }
    // The element's place as the window's backing store holds it: what the screen shows.
    QImage onScreen(const SKTGraphic& element)
    {
        QTest::qWait(50);
        SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
        const QRectF box = element.drawingBounds();
        const double zoom = canvas.zoomFactor();
        const QRect area((box.topLeft() * zoom).toPoint(), (box.bottomRight() * zoom).toPoint());
        const QPoint global = canvas.mapToGlobal(area.topLeft());
        return canvas.screen()->grabWindow(0, global.x(), global.y(), area.width(), area.height()).toImage();
    }
};

TEST_F(SeriesBindingRoad, ATextBoundToASeriesIsDrawnWithItsFirstValueAtOnce)
{
    Data_Folder_Path = scratch.filePath(QStringLiteral("DataSet"));
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
    ASSERT_NO_FATAL_FAILURE(writeSeries(QStringLiteral("Cities"), "Oslo\n"));
    ASSERT_NO_FATAL_FAILURE(writeSeries(QStringLiteral("Names"), "Ann One\nBo Two\n"));
    copyClassicBlueTwoSided();
    queueTemplateStart(QStringLiteral("Employee"), QStringLiteral("Classic blue (h)"));
    ASSERT_TRUE(Open_Start_Window(controller));
    controller.showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
    GraphicPtr name;
    for (const GraphicPtr& element : document.graphics())
        if (element->kind() == GraphicKind::Text && element->Text_Value == QLatin1String("Alex Morgan"))
            name = element;
    ASSERT_TRUE(name);
    canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), name->bounds().center(), name->bounds().center());
    ASSERT_TRUE(inspector().showPage(QStringLiteral("datasource_tab")));
    const QImage unbound = onScreen(*name);

    choose("Data_source_type", control<QComboBox>("Data_source_type").findText(QStringLiteral("Series")));
    choose("Batch_Series", control<QComboBox>("Batch_Series").findText(QStringLiteral("Names")));
    EXPECT_EQ(name->Text_contents(), "Ann One");
    const QImage bound = onScreen(*name);
    EXPECT_NE(bound, unbound);
    controller.graphicView(SKTDocument::FrontSide)->update();
    EXPECT_EQ(onScreen(*name), bound) << "the screen showed the text as it was before the binding";
}

}  // namespace
