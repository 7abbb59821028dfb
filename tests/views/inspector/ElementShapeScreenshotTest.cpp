// Pictures of the shape page for every shape kind, of the line page and of the arrange page, on a
// real X server at 1280 x 800, with the element selected on a card that holds one of each kind.
#include <QDir>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

#include "CrampedControls.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "model/Card_Property.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

struct ShapeShot {
    const char* name;
    const char* code;
    std::function<void(SKTGraphic&)> dress;
};

void solid(SKTGraphic& shape, const QColor& colour)
{
    shape._isDrawingFill = true, shape._fill_type = QStringLiteral("S"), shape._fillColor = colour;
}

TEST(InspectorScreenshots, EachShapeKindTheLineAndTheArrangePage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    SKTDocument document;
    SKTWindowController controller(document);
    const QStringList hatches = Get_Files_Array_At_Path(Resource_Path + QStringLiteral("/Fill_Style_Image"), true);
    ASSERT_FALSE(hatches.isEmpty());
    controller.inspector().setUpControls(hatches);
    controller.SetDocumentCanvasSize(QSizeF(242.65, 153.07));

    const QList<ShapeShot> shots{
        {"rectangle", "R", [](SKTGraphic& s) { solid(s, QColor(250, 230, 160)); }},
        {"ellipse", "C", [](SKTGraphic& s) {
             s._isDrawingFill = true, s._fill_type = QStringLiteral("G"), s._fill_grad_angle = 45;
             s._fill_Grad_clr1 = QColor(200, 220, 255), s._fill_Grad_clr2 = QColor(40, 80, 160);
         }},
        {"rounded-rectangle", "RR", [&hatches](SKTGraphic& s) {
             s._isDrawingFill = true, s._fill_type = QStringLiteral("H"), s._fill_hatch_type = hatches.first();
             s._fill_htch_clr = QColor(230, 245, 230), s.cor_rad_val = 8;
         }},
        {"triangle", "T", [](SKTGraphic& s) { solid(s, QColor(255, 200, 200)), s._stroke_border_type = QStringLiteral("DA"); }},
        {"diamond", "D", [](SKTGraphic& s) { solid(s, QColor(200, 240, 255)), s._strokeWidth = 3; }},
        {"star", "S", [](SKTGraphic& s) { solid(s, QColor(255, 220, 80)), s.text_rotation = 15; }},
        {"double-star", "DS", [](SKTGraphic& s) { solid(s, QColor(255, 170, 60)), s.double_star_type = 3; }},
        {"polygon", "P", [](SKTGraphic& s) { solid(s, QColor(190, 160, 230)), s.polygon_type = 2, s.alpha_val = 0.6f; }},
    };
    GraphicList placed;
    for (int i = 0; i < int(shots.size()); ++i) {
        const GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
        shape->Set_Shape_Type(QString::fromLatin1(shots[i].code));
        shape->setBounds(QRectF(10 + (i % 4) * 58, 10 + (i / 4) * 50, 46, 36));
        shots[i].dress(*shape);
        placed << shape;
    }
    const GraphicPtr line = SKTGraphic::create(GraphicKind::Line);
    line->setBounds(QRectF(20, 112, 200, 24));
    line->_strokeWidth = 3, line->_strokeColor = QColor(180, 30, 30), line->_stroke_border_type = QStringLiteral("DD");
    placed << line;
    document.insertGraphicsOnSide(SKTDocument::FrontSide, placed, {0, 1, 2, 3, 4, 5, 6, 7, 8});

    const QDir artifacts(QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    controller.showWindow();
    controller.window()->showNormal();
    controller.window()->resize(1280, 800);
    InspectorView& view = controller.windowLayout().inspectorView();
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    const auto shoot = [&](int index, const char* page, const QString& name) {
        controller.inspector().Show_RHS_Properties(nullptr);
        canvas.changeSelectionIndexes({index});
        controller.inspector().Show_RHS_Properties(placed[index].get());
        ASSERT_TRUE(view.showPage(QString::fromLatin1(page))) << qPrintable(name);
        QTest::qWait(150);
        EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(name))) << qPrintable(name);
        EXPECT_EQ(crampedControls(*view.page(QString::fromLatin1(page))), QStringList()) << qPrintable(name);
    };
    for (int i = 0; i < int(shots.size()); ++i)
        shoot(i, "shape_tab", QStringLiteral("element-shape-%1-1280x800.png").arg(QLatin1String(shots[i].name)));
    shoot(8, "line_tab", QStringLiteral("element-line-1280x800.png"));
    shoot(0, "aligmnt_tab", QStringLiteral("element-arrange-1280x800.png"));
}

}  // namespace
