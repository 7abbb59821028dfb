// Which writer a user's choice in each element combo reaches: with an element of the combo's kind
// selected, one write of that kind (one redraw, one snapshot); with another kind selected, none.
#include <QTemporaryDir>

#include "ElementPanelFixture.h"

namespace {

struct Route {
    const char* combo;
    GraphicKind kind;
};

// The element combos and the kind whose writer each reaches.
const Route kRoutes[] = {
    {"Line_border_style", GraphicKind::Line},   {"Line_ori_style", GraphicKind::Line},
    {"Line_cap_style", GraphicKind::Line},      {"Text_border_style", GraphicKind::Text},
    {"Text_align_combo", GraphicKind::Text},    {"Text_vert_align_combo", GraphicKind::Text},
    {"Text_case_combo", GraphicKind::Text},     {"Text_Orientation_Combo", GraphicKind::Text},
    {"shape_border_style", GraphicKind::Shape}, {"shape_hatch_style", GraphicKind::Shape},
    {"Image_border_style", GraphicKind::Image}, {"Sign_border_style", GraphicKind::Signature},
};

class InspectorComboRouting : public ElementPanelFixture {
protected:
    GraphicPtr selectNew(GraphicKind kind)
    {
        const GraphicPtr graphic = add(kind);
        selectAndShow({graphic});
        return graphic;
    }
    // A user's choice of the next entry (the previous one at the end), also where the combo waits
    // for its check box.
    static void chooseAnother(QComboBox& combo)
    {
        const int index = combo.currentIndex() + 1 < combo.count() ? combo.currentIndex() + 1 : combo.currentIndex() - 1;
        combo.setCurrentIndex(index);
        Q_EMIT combo.activated(index);
    }
};

TEST_F(InspectorComboRouting, EachElementComboReachesTheWriterOfItsKind)
{
    for (const Route& route : kRoutes) {
        auto& combo = control<QComboBox>(route.combo);
        ASSERT_GE(combo.count(), 2) << route.combo;
        selectNew(route.kind);
        const int snapshots = window.snapshots, refreshes = window.refreshes;
        chooseAnother(combo);
        EXPECT_EQ(window.snapshots - snapshots, 1) << route.combo;
        EXPECT_EQ(window.refreshes - refreshes, 1) << route.combo;
    }
}

TEST_F(InspectorComboRouting, TheDataSourceCombosBindTheSelectedText)
{
    const QTemporaryDir noSeries;
    Data_Folder_Path = noSeries.path();
    const GraphicPtr text = selectNew(GraphicKind::Text);
    auto& source = control<QComboBox>("Data_source_type");
    const int snapshots = window.snapshots;
    chooseAnother(source);  // "Series"; the test's data folder holds none
    EXPECT_EQ(text->data_source_type, 0);
    EXPECT_EQ(window.snapshots, snapshots);
    EXPECT_EQ(messages.texts(), QStringList{"\nPlease create batch processing series first."});
    chooseAnother(source);  // back to "Manual"
    EXPECT_EQ(text->data_source_type, 0);
    EXPECT_EQ(window.snapshots - snapshots, 1);
}

}  // namespace
