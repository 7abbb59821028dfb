// The canvas's editing commands: alignment, the refusals for locked elements and the
// validation of menu items.
#include <QAction>
#include <QMenu>

#include "CanvasCommandFixture.h"

namespace {

using Command = void (SKTGraphicView::*)();
using CanvasCommandsTest = CanvasCommandFixture;

struct AlignmentCase {
    const char* name;
    Command command;
    QPointF alone;      // origin of a 40 x 20 barcode alone on the card
    QPointF withFirst;  // origin of the second element when the first is at (30, 40, 50, 20)
};

TEST_F(CanvasCommandsTest, AlignmentToTheCardAloneAndToTheFirstOfSeveral)
{
    const AlignmentCase cases[] = {
        {"left", &SKTGraphicView::alignLeftEdges, {0, 100}, {30, 90}},
        {"right", &SKTGraphicView::alignRightEdges, {203, 100}, {40, 90}},
        {"top", &SKTGraphicView::alignTopEdges, {100, 0}, {100, 40}},
        {"bottom", &SKTGraphicView::alignBottomEdges, {100, 134}, {100, 40}},
        // Centring always uses the card, however many are selected.
        {"horizontal centres", &SKTGraphicView::alignHorizontalCenters, {101.5, 100}, {101.5, 90}},
        {"vertical centres", &SKTGraphicView::alignVerticalCenters, {100, 67}, {100, 67}},
        {"centre", &SKTGraphicView::alignformCenter, {101.5, 67}, {101.5, 67}},
    };
    for (const AlignmentCase& c : cases) {
        SCOPED_TRACE(c.name);
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
        const GraphicPtr barcode = add(GraphicKind::Barcode, {100, 100, 40, 20});
        view.selectAll();
        (view.*c.command)();
        EXPECT_EQ(barcode->bounds(), QRectF(c.alone, QSizeF(40, 20)));
        EXPECT_EQ(barcode->bar_image_ctrl_bounds, barcode->bounds()) << "a barcode's picture follows";

        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
        addShape({30, 40, 50, 20});
        const GraphicPtr second = addShape({100, 90, 40, 20});
        const GraphicPtr locked = addShape({5, 5, 40, 20}, true);
        view.selectAll();
        (view.*c.command)();
        EXPECT_EQ(second->bounds(), QRectF(c.withFirst, QSizeF(40, 20)));
        EXPECT_EQ(locked->bounds(), QRectF(5, 5, 40, 20));
    }
    EXPECT_TRUE(presenter.texts().isEmpty()) << "locked elements are skipped silently";
}

TEST_F(CanvasCommandsTest, LockedSelectionIsRefusedByDeleteCutAndStacking)
{
    const GraphicPtr free = addShape({0, 0, 10, 10});
    const GraphicPtr locked = addShape({20, 0, 10, 10}, true);
    view.selectAll();
    for (Command command : {&SKTGraphicView::delete_, &SKTGraphicView::cut, &SKTGraphicView::bringToFront,
                            &SKTGraphicView::sendToBack})
        (view.*command)();
    EXPECT_EQ(view.graphics(), (GraphicList{free, locked}));
    EXPECT_EQ(host.snapshots, 0);
    EXPECT_EQ(presenter.texts().size(), 4);
    EXPECT_TRUE(presenter.texts().first().contains(QLatin1String("Selected control is locked.")));
}

// The inspector is asked to show the place of every selected element but the locked ones.
TEST_F(CanvasCommandsTest, ThePositionsShownAgainAreThoseOfTheSelectedUnlockedElements)
{
    struct ShownPlaces : SteppingCardHost {
        QList<const SKTGraphic*> shown;
        void Set_Control_Pos_And_Size(SKTGraphic& graphic) override { shown.append(&graphic); }
    } places;
    const GraphicPtr first = addShape({0, 0, 10, 10});
    const GraphicPtr locked = addShape({20, 0, 10, 10}, true);
    const GraphicPtr last = addShape({40, 0, 10, 10});
    addShape({60, 0, 10, 10});
    view.changeSelectionIndexes({0, 1, 2});
    setCardHost(&places);
    view.Display_Control_Position_and_Size();
    setCardHost(&cardHost_);
    EXPECT_EQ(places.shown, (QList<const SKTGraphic*>{first.get(), last.get()}));
}

TEST_F(CanvasCommandsTest, MenuItemsFollowSelectionLocksAndClipboard)
{
    // The items that validate, each checked to be enabled exactly when it validates.
    const auto enabled = [this](std::initializer_list<const char*> names) {
        QStringList on;
        for (const char* name : names) {
            QAction item;
            item.setData(QString::fromLatin1(name));
            if (view.validateMenuItem(item))
                on << name;
            EXPECT_EQ(on.contains(name), item.isEnabled()) << name;
        }
        return on;
    };
    EXPECT_EQ(enabled({"delete:", "paste:"}), QStringList());

    const GraphicPtr g = addShape({0, 0, 30, 10});
    view.selectAll();
    view._Selected_Graphic = g;
    EXPECT_EQ(enabled({"cut:", "unlock_ctrl:", "makeSameWidth:"}), QStringList{"cut:"}) << "same width needs two";

    // Two selected, the current one locked: the editing of the locked one is off.
    addShape({40, 0, 10, 10});
    view.selectAll();
    g->ctrl_is_locked = true;
    EXPECT_EQ(enabled({"delete:", "lock_ctrl:", "unlock_ctrl:", "copy:", "alignTopEdges:"}),
              (QStringList{"unlock_ctrl:", "copy:", "alignTopEdges:"}));
    // The context menu is validated the same way before it shows.
    std::unique_ptr<QMenu> menu = view.makeContextMenu();
    QStringList shown;
    for (QAction* action : menu->actions())
        if (action->isEnabled())
            shown.append(action->data().toString());
    EXPECT_TRUE(shown.contains("unlock_ctrl:") && !shown.contains("delete:")) << shown.join(' ').toStdString();

    // Paste needs copied elements.
    g->ctrl_is_locked = false;
    view.copy();
    EXPECT_EQ(enabled({"paste:"}), QStringList{"paste:"});
    auto* text = new QMimeData;
    text->setText(QStringLiteral("plain"));
    QGuiApplication::clipboard()->setMimeData(text);
    EXPECT_EQ(enabled({"paste:"}), QStringList());
}

}  // namespace
