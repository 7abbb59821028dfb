// Pictures of every card page as a person sees them, on a real X server, with a design open: each
// fill kind, the border and the watermark, at the window's own size and at 1280 x 800. Every label
// and button on a shown page must have the room its text asks for.
#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "CrampedControls.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
#include "probes/SampleCard.h"
#include "support/CanvasMouse.h"
#include "support/TestEnvironment.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

struct PageShot {
    const char* name;
    const char* page;
    std::function<void(Card_Property&)> setUp;
};

TEST(InspectorScreenshots, EveryCardPageWithEachFillKindBorderAndWatermark)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QTemporaryDir scratch;
    SKTDocument document;
    SKTWindowController controller(document);
    const QStringList hatches = Get_Files_Array_At_Path(Resource_Path + QStringLiteral("/Fill_Style_Image"), true);
    ASSERT_FALSE(hatches.isEmpty());
    controller.inspector().setUpControls(hatches);
    sample::putOnSide(document, SKTDocument::FrontSide, sample::front(QDir(scratch.path())));
    controller.SetDocumentCanvasSize(QSizeF(242.65, 153.07));

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
        {"hatch", "card_bkgd_tab", [&hatches](Card_Property& side) {
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
    const QDir artifacts(QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    controller.showWindow();
    for (const QSize windowSize : {QSize(1200, 800), QSize(1280, 800)}) {
        controller.window()->showNormal();
        controller.window()->resize(windowSize);
        for (const PageShot& shot : shots) {
            Card_Property side;
            shot.setUp(side);
            controller.Front_card_Prop = side;
            controller.inspector().Show_RHS_Properties(nullptr);
            InspectorView& view = controller.windowLayout().inspectorView();
            ASSERT_TRUE(view.showPage(QString::fromLatin1(shot.page)));
            QTest::qWait(150);
            const QString name = QStringLiteral("card-%1-%2x%3.png").arg(QLatin1String(shot.name)).arg(windowSize.width()).arg(windowSize.height());
            EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(name))) << qPrintable(name);
            EXPECT_EQ(crampedControls(*view.page(QString::fromLatin1(shot.page))), QStringList()) << qPrintable(name);
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
TEST(InspectorScreenshots, TheTextPagesWithATextSelected)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QTemporaryDir scratch;
    SKTDocument document;
    SKTWindowController controller(document);
    controller.inspector().setUpControls({});
    GraphicList front = sample::front(QDir(scratch.path()));
    SKTGraphic& title = *front.first();
    title._isDrawingStroke = true, title._strokeWidth = 2, title._stroke_border_type = QStringLiteral("DA");
    title._isDrawingFill = true, title._fill_type = QStringLiteral("G");
    title._fill_Grad_clr1 = QColor(255, 250, 220), title._fill_Grad_clr2 = QColor(250, 210, 120);
    title.textStyle.Drawing_Shadow = true, title.textStyle.Shadow_blur = 2, title.textStyle.text_alignmnet = 2;
    sample::putOnSide(document, SKTDocument::FrontSide, front);
    controller.SetDocumentCanvasSize(QSizeF(242.65, 153.07));
    const QDir artifacts(QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    controller.showWindow();
    controller.window()->showNormal();
    controller.window()->resize(1280, 800);
    // A click on the title, as a person selects it.
    canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), QPointF(150, 19), QPointF(150, 19));
    InspectorView& view = controller.windowLayout().inspectorView();
    for (const auto& [page, name] : {std::pair{"text_edtng_tab", "element-text-1280x800.png"},
                                     std::pair{"text_prop_tab", "element-text-style-1280x800.png"}}) {
        ASSERT_TRUE(view.showPage(QString::fromLatin1(page))) << page;
        QTest::qWait(150);
        EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(QString::fromLatin1(name)))) << name;
        EXPECT_EQ(crampedControls(*view.page(QString::fromLatin1(page))), QStringList()) << name;
        EXPECT_EQ(controlsCutOff(*view.page(QString::fromLatin1(page))), QStringList()) << name;
    }
}

}  // namespace
