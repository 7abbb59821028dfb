// Pictures of every card page as a person sees them, on a real X server, with a design open: each
// fill kind, the border and the watermark, at the window's own size and at 1280 x 800. Every label
// and button on a shown page must have the room its text asks for.
#include "InspectorScreenshots.h"
#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
#include "support/CanvasMouse.h"

namespace {

struct PageShot {
    const char* name;
    const char* page;
    std::function<void(Card_Property&)> setUp;
};

TEST_F(InspectorScreenshots, EveryCardPageWithEachFillKindBorderAndWatermark)
{
    putOnCard(sampleFront());

    const QString picture = QDir(Resource_Path).filePath(QStringLiteral("sign_sample.png"));
    const QList<PageShot> shots{
        {"info", "card_info_tab", [](Card_Property& side) { side.setCard_Name(QStringLiteral("Visitor Pass")); }},
        {"size", "card_size_tab", [](Card_Property&) {}},
        {"solid", "card_bkgd_tab", [](Card_Property& side) {
             side.setCard_fill_chk(true), side.setCard_fill_style(QStringLiteral("S")), side.setCard_fill_clr(QColor(250, 240, 200));
         }},
        {"gradient", "card_bkgd_tab", [](Card_Property& side) {
             side.setCard_fill_chk(true), side.setCard_fill_style(QStringLiteral("G"));
             side.setCard_fill_Grd_1_clr(QColor(200, 220, 255)), side.setCard_fill_Grd_2_clr(QColor(40, 80, 160));
             side.setCard_grad_Stepper(30);
         }},
        {"hatch", "card_bkgd_tab", [this](Card_Property& side) {
             side.setCard_fill_chk(true), side.setCard_fill_style(QStringLiteral("H")), side.setCard_hatch_bk_clr(QColor(230, 245, 230));
             side.setCard_hatch_style(hatches.last());
         }},
        {"picture", "card_bkgd_tab", [picture](Card_Property& side) { Set_Card_Background_Picture(side, picture); }},
        {"border", "card_brdr_tab", [](Card_Property& side) {
             side.setCard_border_chk(true), side.setCard_bor_Stepper(4), side.setCard_bordr_clr(QColor(180, 30, 30));
             side.setCard_border_style(QStringLiteral("DA"));
         }},
        {"watermark", "card_brdr_tab", [](Card_Property& side) {
             side.setWatermark_Used(true), side.setWatermark_Text(QStringLiteral("SAMPLE")), side.setWatermark_Transp(0.3f);
             side.setWatermark_Color(QColor(120, 120, 120)), side.setWatermark_Alignment(1);
         }},
    };
    showWindow();
    for (const QSize windowSize : {QSize(1200, 800), QSize(1280, 800)}) {
        resizeWindow(windowSize);
        for (const PageShot& shot : shots) {
            Card_Property side;
            shot.setUp(side);
            controller.Front_card_Prop = side;
            controller.inspector().Show_RHS_Properties(nullptr);
            shoot(shot.page, QStringLiteral("card-%1-%2x%3.png").arg(QLatin1String(shot.name)).arg(windowSize.width()).arg(windowSize.height()));
        }
    }
}

// Controls reaching past the page's bottom or right edge: the page is too small for them.
QStringList controlsCutOff(const QWidget& page)
{
    QStringList cut;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        if (control->isVisible() && !page.rect().contains(QRect(control->mapTo(&page, QPoint()), control->size())))
            cut << control->objectName();
    }
    return cut;
}

// The text pages with the sample card's title selected, given a dashed border, a gradient fill and
// a blurred shadow, so that every box of both pages is in use.
TEST_F(InspectorScreenshots, TheTextPagesWithATextSelected)
{
    GraphicList front = sampleFront();
    SKTGraphic& title = *front.first();
    title._isDrawingStroke = true, title._strokeWidth = 2, title._stroke_border_type = QStringLiteral("DA");
    title._isDrawingFill = true, title._fill_type = QStringLiteral("G");
    title._fill_Grad_clr1 = QColor(255, 250, 220), title._fill_Grad_clr2 = QColor(250, 210, 120);
    title.textStyle.Drawing_Shadow = true, title.textStyle.Shadow_blur = 2, title.textStyle.text_alignmnet = 2;
    putOnCard(front);
    showWindow();
    // A click on the title, as a person selects it.
    canvas_mouse::drag(frontCanvas(), QPointF(150, 19), QPointF(150, 19));
    for (const auto& [page, name] : {std::pair{"text_edtng_tab", "element-text-1280x800.png"},
                                     std::pair{"text_prop_tab", "element-text-style-1280x800.png"}}) {
        shoot(page, QString::fromLatin1(name));
        EXPECT_EQ(controlsCutOff(*view().page(QString::fromLatin1(page))), QStringList()) << name;
    }
}

}  // namespace
