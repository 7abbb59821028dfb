// Which pages the inspector shows for the selection, under which labels, with which toolbar
// button states, and when it reloads.
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "FakeInspectorWindow.h"
#include "model/SKTGraphicKinds.h"
#include "platform/AppContext.h"
#include "views/inspector/InspectorTabs.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

GraphicPtr element(GraphicKind kind, bool locked = false, const QString& shape = {})
{
    GraphicPtr graphic = SKTGraphic::create(kind);
    graphic->ctrl_is_locked = locked;
    if (!shape.isEmpty())
        graphic->_shape_type = shape;
    return graphic;
}

QStringList pagesOf(const InspectorTabSet& set)
{
    QStringList pages;
    for (const InspectorTab& tab : set.tabs)
        pages << (tab.label.isEmpty() ? tab.page : tab.page + QLatin1Char('=') + tab.label);
    return pages;
}

TEST(InspectorTabs, EachKindLockStateAndModeGetsItsPagesInOrder)
{
    struct Case {
        GraphicKind kind;
        bool locked;
        QString mode;
        int images;
        QString shape;
        QString title;
        QStringList pages;
    };
    const QList<Case> cases{
        {GraphicKind::Text, false, "L", 0, {}, "Text Properties",
         {"text_edtng_tab", "text_prop_tab", "datasource_tab=Source", "aligmnt_tab"}},
        {GraphicKind::Text, false, "V", 0, {}, "Text Properties", {"text_edtng_tab", "text_prop_tab", "aligmnt_tab"}},
        {GraphicKind::Text, true, "L", 0, {}, "Text Properties", {"Lock_tab=Text Properties"}},
        {GraphicKind::Image, false, "T", 1, {}, "Image Properties", {"datasource_tab=Source", "image_tab", "aligmnt_tab"}},
        {GraphicKind::Image, false, "T", 2, {}, "Image Properties", {"image_tab", "aligmnt_tab"}},
        {GraphicKind::Image, false, "G", 1, {}, "Image Properties", {"image_tab", "aligmnt_tab"}},
        {GraphicKind::Line, false, "L", 0, {}, "Line Properties", {"line_tab", "aligmnt_tab"}},
        {GraphicKind::Signature, true, "L", 0, {}, "Signature Properties", {"Lock_tab=Signature Properties"}},
        {GraphicKind::Barcode, false, "L", 0, {}, "Barcode Properties", {"barcode_tab", "aligmnt_tab"}},
        {GraphicKind::Shape, false, "L", 0, "DS", "Shape Properties", {"shape_tab=General", "aligmnt_tab"}},
        {GraphicKind::Shape, true, "L", 0, "RR", "Shape Properties", {"Lock_tab=Rounded Rectangle Settings"}},
        {GraphicKind::Shape, true, "L", 0, "X", "Shape Properties", {"Lock_tab"}},
    };
    for (const Case& c : cases) {
        const InspectorTabSet set = elementTabSet(*element(c.kind, c.locked, c.shape), c.mode, c.images);
        EXPECT_EQ(set.title, c.title) << c.title.toStdString();
        EXPECT_EQ(pagesOf(set), c.pages) << c.title.toStdString() << " " << c.mode.toStdString();
    }
    EXPECT_EQ(elementTabSet(*element(GraphicKind::Text), "L", 0).dataSourceTitle, "Text Source");
    EXPECT_EQ(elementTabSet(*element(GraphicKind::Image), "L", 1).dataSourceTitle, "Image Source");
    EXPECT_EQ(elementTabSet(*element(GraphicKind::Shape, false, "P"), "L", 0).shapeTitle, "Polygon Settings");
}

class InspectorDispatch : public ::testing::Test {
protected:
    void SetUp() override { Start_Card_Option = QStringLiteral("L"), Not_Draw_Only_Prop_Change = false; }
    void TearDown() override { Start_Card_Option = QStringLiteral("T"), Not_Draw_Only_Prop_Change = false; }

    QStringList shownTabs() const
    {
        QStringList shown;
        for (int i = 0; i < view.sett_tab().count(); ++i)
            shown << view.sett_tab().widget(i)->objectName() + QLatin1Char('=') + view.sett_tab().tabText(i);
        return shown;
    }

    FakeInspectorWindow window;
    InspectorView view;
    PropertyInspector inspector{view, window};
};

TEST_F(InspectorDispatch, NothingSelectedShowsTheCardPagesAndDisablesTheElementButtons)
{
    window.frontRecord.setCard_Name(QStringLiteral("Staff"));
    inspector.Show_RHS_Properties(nullptr);
    EXPECT_EQ(shownTabs(), QStringList({"card_info_tab=Card", "card_size_tab=Size", "card_bkgd_tab=Background",
                                        "card_brdr_tab=Border"}));
    EXPECT_EQ(view.sett_tab().currentIndex(), 0);
    EXPECT_EQ(view.properties_title().text(), "Card Properties");
    EXPECT_EQ(window.calls, QStringList({"selectArrowTool", "Clear_Control_Selection", "Card"}));
    EXPECT_EQ(view.page("card_info_tab")->findChild<QLineEdit*>("card_name")->text(), "Staff");
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
}

TEST_F(InspectorDispatch, ButtonStatesFollowTheLockAndBarcodesLoseTheSizeCommands)
{
    const GraphicPtr text = element(GraphicKind::Text);
    inspector.Show_RHS_Properties(text.get());
    EXPECT_EQ(window.calls, QStringList({"selectArrowTool", "Control", "Unlock", "NaturalOn"}));
    EXPECT_EQ(shownTabs().last(), "aligmnt_tab=Arrange");

    window.calls.clear();
    const GraphicPtr locked = element(GraphicKind::Barcode, true);
    inspector.Show_RHS_Properties(locked.get());
    EXPECT_EQ(window.calls, QStringList({"selectArrowTool", "Control", "Lock", "NaturalOff"}));
    EXPECT_EQ(shownTabs(), QStringList({"Lock_tab=Barcode Properties"}));
    EXPECT_EQ(view.properties_title().text(), "Barcode Properties");
}

TEST_F(InspectorDispatch, TheSameElementAgainKeepsItsPagesUnlessASecondPictureJoinedTheSelection)
{
    const GraphicPtr text = element(GraphicKind::Text);
    inspector.Show_RHS_Properties(text.get());
    view.sett_tab().setCurrentIndex(1);
    inspector.Show_RHS_Properties(text.get());
    EXPECT_EQ(view.sett_tab().currentIndex(), 1);  // not reloaded
    EXPECT_EQ(inspector.Last_Selected_Graphic(), text.get());

    const GraphicPtr first = element(GraphicKind::Image), second = element(GraphicKind::Image);
    window.selection = {first};
    inspector.Show_RHS_Properties(first.get());
    EXPECT_EQ(shownTabs().first(), "datasource_tab=Source");
    window.selection = {first, second};
    inspector.Show_RHS_Properties(first.get());
    EXPECT_EQ(shownTabs(), QStringList({"image_tab=Picture", "aligmnt_tab=Arrange"}));

    inspector.Show_RHS_Properties(nullptr);
    EXPECT_EQ(inspector.Last_Selected_Graphic(), nullptr);
}

TEST_F(InspectorDispatch, WhileControlsAreFilledOnlyTheCardTabsAndVisitorPicturesGetThrough)
{
    const GraphicPtr text = element(GraphicKind::Text), picture = element(GraphicKind::Image);
    window.canvas = QRectF(0, 0, 100, 50);
    Not_Draw_Only_Prop_Change = true;
    inspector.Show_RHS_Properties(text.get());
    EXPECT_TRUE(window.calls.isEmpty());
    inspector.Show_RHS_Properties(nullptr);
    EXPECT_EQ(shownTabs().size(), 4);
    EXPECT_EQ(window.frontRecord.Card_Size(), QSizeF(0, 0));  // the pages were not filled
    EXPECT_TRUE(Not_Draw_Only_Prop_Change);

    Start_Card_Option = QStringLiteral("V");
    inspector.Show_RHS_Properties(picture.get());
    EXPECT_EQ(shownTabs(), QStringList({"image_tab=Picture", "aligmnt_tab=Arrange"}));
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);  // the dispatch always ends with the flag clear
}

}  // namespace
