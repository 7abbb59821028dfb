// The canvas's editing commands: deleting, stacking order, alignment and sizing, the inspector's
// position fields, the print flag, and the validation of the menu items that carry them.
#include <QAbstractScrollArea>
#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <functional>
#include <numeric>

#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/Units.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

const QString kSelectedControlLocked = QStringLiteral("Selected control is locked.");

QList<int> indexRange(int first, int count)
{
    QList<int> indexes(count);
    std::iota(indexes.begin(), indexes.end(), first);
    return indexes;
}

bool isTextOrImage(const SKTGraphic& graphic)
{
    return graphic.kind() == GraphicKind::Text || graphic.kind() == GraphicKind::Image;
}

// Moves the element only where a coordinate really changes, so that unchanged elements record no
// undo step and report nothing to the inspector.
void moveTo(SKTGraphic& graphic, std::optional<double> x, std::optional<double> y)
{
    if (x && graphic.xPosition() != *x)
        graphic.setXPosition(*x);
    if (y && graphic.yPosition() != *y)
        graphic.setYPosition(*y);
}

// Delete and the stacking commands refuse a selection that holds a locked element, and say so.
bool refusedForLockedSelection(const SKTGraphicView& view)
{
    if (!view.There_Is_Any_Lock_Contrl())
        return false;
    Show_MessageBox(kSelectedControlLocked);
    return true;
}

}  // namespace

// ---- Selection --------------------------------------------------------------------------------

void SKTGraphicView::Clear_Control_Selection()
{
    changeSelectionIndexes({});
}

void SKTGraphicView::deselectAll()
{
    changeSelectionIndexes({});
}

void SKTGraphicView::selectAll()
{
    changeSelectionIndexes(indexRange(0, int(graphics().size())));
}

bool SKTGraphicView::There_Is_Any_Lock_Contrl() const
{
    const GraphicList selected = selectedGraphics();
    return std::any_of(selected.cbegin(), selected.cend(),
                       [](const GraphicPtr& graphic) { return graphic->ctrl_is_locked; });
}

void SKTGraphicView::check_barcode_and_set_control_bounds(SKTGraphic* graphic)
{
    if (graphic)
        graphic->keepBarcodeBoxAtBounds();
}

void SKTGraphicView::delete_all_control()
{
    removeGraphicsAtIndexes(indexRange(0, int(graphics().size())));
}

// ---- Delete and stacking order -----------------------------------------------------------------

void SKTGraphicView::delete_()
{
    if (refusedForLockedSelection(*this))
        return;
    CanvasHost& host = canvasHost();
    if (isVisitorOrGroupMode()) {
        // The side panel's fields of a deleted text or picture stop feeding the card, unless a
        // symbol left on the side still shows the field: the pass then still carries its value.
        const GraphicList selected = selectedGraphics();
        const auto symbolKeeps = [&](const QString& ctrlId) {
            return std::any_of(graphics().begin(), graphics().end(), [&](const GraphicPtr& other) {
                return other->kind() == GraphicKind::Barcode && other->control_ID == ctrlId && !selected.contains(other);
            });
        };
        for (const GraphicPtr& graphic : selected) {
            if (!isTextOrImage(*graphic) || symbolKeeps(graphic->control_ID))
                continue;
            host.releaseVisitorField(graphic->control_ID);
            if (graphic->kind() == GraphicKind::Image)
                host.Set_User_Image_Control(host.sideInForce(), QString(), QImage(), graphic->control_ID);
        }
    }
    host.Insert_In_Undo_Redo();
    removeGraphicsAtIndexes(selectionIndexes());
    // The batch list follows the side as it is after the removal.
    if (Start_Card_Option == QLatin1String("G"))
        host.Set_Graphics_array_Batch_To_Current_Side();
    host.Undo_Redo_Button_state();
    host.Show_RHS_Properties(nullptr);
    host.Insert_In_Undo_Redo();
}

namespace {

enum class Stack { Front, Back };

// Shared by bringToFront and sendToBack: the selection leaves the list and comes back as one block
// at the top (index 0) or the bottom, in its order, and stays selected.
void restackSelection(SKTGraphicView& view, Stack where)
{
    if (refusedForLockedSelection(view))
        return;
    const GraphicList moving = view.selectedGraphics();
    if (!moving.isEmpty()) {
        view.removeGraphicsAtIndexes(view.selectionIndexes());
        const int first = where == Stack::Front ? 0 : int(view.graphics().size());
        const QList<int> indexes = indexRange(first, int(moving.size()));
        view.insertGraphics(moving, indexes);
        view.changeSelectionIndexes(indexes);
    }
    canvasHost().Insert_In_Undo_Redo();
}

}  // namespace

void SKTGraphicView::bringToFront()
{
    restackSelection(*this, Stack::Front);
}

void SKTGraphicView::sendToBack()
{
    restackSelection(*this, Stack::Back);
}

// ---- Alignment ---------------------------------------------------------------------------------

namespace {

// The new coordinate of an element on one axis. `first` is the first selected element when
// several are selected, null when the element is alone (the card is the reference then).
using Coordinate = std::function<double(const SKTGraphic& graphic, const SKTGraphic* first)>;

// An axis without a coordinate stays as it is.
struct AxisPlacement {
    Coordinate x;
    Coordinate y;
};

// Runs one alignment over the unlocked selected elements. With several selected and
// `skipFirst`, the first is the reference and stays where it is.
void alignSelection(SKTGraphicView& view, bool skipFirst, const AxisPlacement& placement)
{
    const GraphicList selected = view.selectedGraphics();
    if (selected.isEmpty())
        return;
    const SKTGraphic* first = selected.size() > 1 ? selected.first().get() : nullptr;
    for (qsizetype i = 0; i < selected.size(); ++i) {
        SKTGraphic& graphic = *selected[i];
        if (graphic.ctrl_is_locked || (skipFirst && first && i == 0))
            continue;
        moveTo(graphic, placement.x ? std::optional(placement.x(graphic, first)) : std::nullopt,
               placement.y ? std::optional(placement.y(graphic, first)) : std::nullopt);
    }
    canvasHost().Insert_In_Undo_Redo();
}

}  // namespace

void SKTGraphicView::alignLeftEdges()
{
    alignSelection(*this, true, {[](const SKTGraphic&, const SKTGraphic* first) {
                                     return first ? first->xPosition() : 0.0;
                                 },
                                 nullptr});
}

void SKTGraphicView::alignRightEdges()
{
    const double cardRight = viewBounds().right();
    alignSelection(*this, true,
                   {[cardRight](const SKTGraphic& graphic, const SKTGraphic* first) {
                        const double right = first ? first->bounds().right() : cardRight;
                        return right - graphic.width();
                    },
                    nullptr});
}

void SKTGraphicView::alignTopEdges()
{
    alignSelection(*this, true, {nullptr, [](const SKTGraphic&, const SKTGraphic* first) {
                                     return first ? first->yPosition() : 0.0;
                                 }});
}

void SKTGraphicView::alignBottomEdges()
{
    const double cardBottom = viewBounds().bottom();
    alignSelection(*this, true,
                   {nullptr, [cardBottom](const SKTGraphic& graphic, const SKTGraphic* first) {
                        const double bottom = first ? first->bounds().bottom() : cardBottom;
                        return bottom - graphic.height();
                    }});
}

namespace {

AxisPlacement centredOnCard(const QRectF& card, bool horizontally, bool vertically)
{
    AxisPlacement placement;
    if (horizontally)
        placement.x = [card](const SKTGraphic& graphic, const SKTGraphic*) {
            return card.left() + (card.width() - graphic.width()) / 2;
        };
    if (vertically)
        placement.y = [card](const SKTGraphic& graphic, const SKTGraphic*) {
            return card.top() + (card.height() - graphic.height()) / 2;
        };
    return placement;
}

}  // namespace

void SKTGraphicView::alignHorizontalCenters()
{
    alignSelection(*this, false, centredOnCard(viewBounds(), true, false));
}

void SKTGraphicView::alignVerticalCenters()
{
    alignSelection(*this, false, centredOnCard(viewBounds(), false, true));
}

void SKTGraphicView::alignformCenter()
{
    alignSelection(*this, false, centredOnCard(viewBounds(), true, true));
}

void SKTGraphicView::alignWithGrid()
{
    SKTGrid* const theGrid = grid();
    if (!theGrid)
        return;
    for (const GraphicPtr& graphic : selectedGraphics()) {
        if (graphic->ctrl_is_locked)
            continue;
        const QRectF aligned = theGrid->alignedRect(graphic->bounds());
        if (aligned != graphic->bounds())
            graphic->setBounds(aligned);
    }
    canvasHost().Insert_In_Undo_Redo();
}

// ---- Sizing ------------------------------------------------------------------------------------

namespace {

// Every further unlocked element but barcodes (sized by their picture) takes the first's size on
// one axis.
void matchFirstSize(const GraphicList& selected, bool width)
{
    if (selected.size() < 2)
        return;
    const SKTGraphic& first = *selected.first();
    for (qsizetype i = 1; i < selected.size(); ++i) {
        SKTGraphic& graphic = *selected[i];
        if (graphic.ctrl_is_locked || graphic.kind() == GraphicKind::Barcode)
            continue;
        if (width && graphic.width() != first.width())
            graphic.setWidth(first.width());
        else if (!width && graphic.height() != first.height())
            graphic.setHeight(first.height());
    }
}

}  // namespace

void SKTGraphicView::makeSameWidth()
{
    matchFirstSize(selectedGraphics(), true);
    canvasHost().Insert_In_Undo_Redo();
}

void SKTGraphicView::makeSameHeight()
{
    matchFirstSize(selectedGraphics(), false);
    canvasHost().Insert_In_Undo_Redo();
}

void SKTGraphicView::makeSameAsLabelSize()
{
    for (const GraphicPtr& graphic : selectedGraphics())
        graphic->makeSameAsLabelSize();
    canvasHost().Insert_In_Undo_Redo();
}

void SKTGraphicView::makeNaturalSize()
{
    for (const GraphicPtr& graphic : selectedGraphics())
        graphic->makeNaturalSize();
    canvasHost().Insert_In_Undo_Redo();
}

// ---- Inspector position and size fields --------------------------------------------------------

namespace {

// Applies a change to every unlocked selected element, barcodes too unless told otherwise.
void forUnlockedSelected(const GraphicList& selected, bool skipBarcodes,
                         const std::function<void(SKTGraphic&)>& change)
{
    for (const GraphicPtr& graphic : selected) {
        if (graphic->ctrl_is_locked || (skipBarcodes && graphic->kind() == GraphicKind::Barcode))
            continue;
        change(*graphic);
    }
}

// A size typed in the display unit, in points.
double sizeFieldInPoints(CanvasHost::FrameField field)
{
    return unitToPoints(canvasHost().Frame_Field_Value(field), Measument_Unit_Is);
}

}  // namespace

void SKTGraphicView::Frame_main_Pic_X_Pos_Changed()
{
    const double x = canvasHost().Frame_Field_Value(CanvasHost::FrameField::XPos);
    forUnlockedSelected(selectedGraphics(), false, [x](SKTGraphic& g) { g.setXPosition(x); });
}

void SKTGraphicView::Frame_main_Pic_Y_Pos_Changed()
{
    const double y = canvasHost().Frame_Field_Value(CanvasHost::FrameField::YPos);
    forUnlockedSelected(selectedGraphics(), false, [y](SKTGraphic& g) { g.setYPosition(y); });
}

void SKTGraphicView::Frame_main_Pic_Wdith_Changed()
{
    const double width = sizeFieldInPoints(CanvasHost::FrameField::Width);
    forUnlockedSelected(selectedGraphics(), true, [width](SKTGraphic& g) { g.setWidth(width); });
}

void SKTGraphicView::Frame_main_Pic_Height_Changed()
{
    const double height = sizeFieldInPoints(CanvasHost::FrameField::Height);
    forUnlockedSelected(selectedGraphics(), true, [height](SKTGraphic& g) { g.setHeight(height); });
}

void SKTGraphicView::print_contol_or_not(int flag)
{
    forUnlockedSelected(selectedGraphics(), false, [flag](SKTGraphic& g) { g.print_object = flag; });
}

// ---- Other view actions ------------------------------------------------------------------------

void SKTGraphicView::undo()
{
    canvasHost().Undo_Action_Perform();
}

void SKTGraphicView::redo()
{
    canvasHost().Redo_Action_Perform();
}

void SKTGraphicView::Refresh_ScrollView()
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* scrollArea = qobject_cast<QAbstractScrollArea*>(w)) {
            scrollArea->viewport()->update();
            return;
        }
    }
    update();
}

void SKTGraphicView::showOrHideRulers()
{
    if (SKTZoomingScrollView* scroll = enclosingScrollView())
        scroll->setRulersVisible(!scroll->rulersVisible());
}

// ---- Menu validation ---------------------------------------------------------------------------

namespace {

// Of the clipboard's offers that a paste looks at (elements, then file names), elements come first.
bool clipboardOffersElements()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(SKTGraphicViewPasteboardType);
}

bool isOneOf(const QString& action, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&action](const char* name) { return action == QLatin1String(name); });
}

}  // namespace

bool SKTGraphicView::validateMenuItem(QAction& item)
{
    const QString action = item.data().toString();
    const auto decide = [&item](bool enabled) {
        item.setEnabled(enabled);
        return enabled;
    };
    if (_Selected_Graphic) {
        if (_Selected_Graphic->ctrl_is_locked &&
            isOneOf(action, {"cut:", "paste:", "delete:", "bringToFront:", "sendToBack:", "lock_ctrl:"}))
            return decide(false);
        if (!_Selected_Graphic->ctrl_is_locked && action == QLatin1String("unlock_ctrl:"))
            return decide(false);
    }
    const GraphicList selected = selectedGraphics();
    if (action == QLatin1String("makeNaturalSize:"))
        return decide(std::any_of(selected.cbegin(), selected.cend(),
                                  [](const GraphicPtr& g) { return g->canMakeNaturalSize(); }));
    if (action == QLatin1String("paste:"))
        return decide(clipboardOffersElements());
    if (action == QLatin1String("alignWithGrid:"))
        return decide(grid() && grid()->canAlign() && !selected.isEmpty());
    if (isOneOf(action, {"delete:", "bringToFront:", "sendToBack:", "cut:", "copy:", "lock_ctrl:",
                         "unlock_ctrl:"}))
        return decide(!selected.isEmpty());
    if (isOneOf(action, {"alignLeftEdges:", "alignRightEdges:", "alignTopEdges:", "alignBottomEdges:",
                         "alignHorizontalCenters:", "alignVerticalCenters:", "makeSameWidth:",
                         "makeSameHeight:"}))
        return decide(selected.size() > 1);
    if (isOneOf(action, {"undo:", "redo:"}))
        return decide(canvasHost().Get_Menu_Status(action));
    if (action == QLatin1String("showOrHideRulers:")) {
        item.setText(rulersVisible() ? QCoreApplication::translate("SKTGraphicView", "Hide Ruler")
                                    : QCoreApplication::translate("SKTGraphicView", "Show Ruler"));
        return decide(true);
    }
    return decide(true);
}
