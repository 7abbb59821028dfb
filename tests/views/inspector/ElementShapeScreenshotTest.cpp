// Pictures of the shape page for every shape kind, of the line page and of the arrange page, on a
// real X server at 1280 x 800, with the element selected on a card that holds one of each kind.
#include "InspectorScreenshots.h"

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

TEST_F(InspectorScreenshots, EachShapeKindTheLineAndTheArrangePage)
{
    const QList<ShapeShot> shots{
        {"rectangle", "R", [](SKTGraphic& s) { solid(s, QColor(250, 230, 160)); }},
        {"ellipse", "C", [](SKTGraphic& s) {
             s._isDrawingFill = true, s._fill_type = QStringLiteral("G"), s._fill_grad_angle = 45;
             s._fill_Grad_clr1 = QColor(200, 220, 255), s._fill_Grad_clr2 = QColor(40, 80, 160);
         }},
        {"rounded-rectangle", "RR", [this](SKTGraphic& s) {
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
    putOnCard(placed);

    showWindow();
    for (int i = 0; i < int(shots.size()); ++i) {
        select(placed[i]);
        shoot("shape_tab", QStringLiteral("element-shape-%1-1280x800.png").arg(QLatin1String(shots[i].name)));
    }
    select(placed[8]);
    shoot("line_tab", QStringLiteral("element-line-1280x800.png"));
    select(placed[0]);
    shoot("aligmnt_tab", QStringLiteral("element-arrange-1280x800.png"));
}

}  // namespace
