// The canvas's context menu and the window commands it carries.
#include <QAction>
#include <QContextMenuEvent>
#include <QHash>
#include <QMenu>
#include <functional>

#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"

namespace {

struct MenuItem {
    const char* title;  // nullptr for a separator
    const char* action;
};

constexpr MenuItem kContextMenuItems[] = {
    {"Cut", "cut:"},
    {"Copy", "copy:"},
    {"Paste", "paste:"},
    {nullptr, nullptr},
    {"Delete", "delete:"},
    {nullptr, nullptr},
    {"Bring to Front", "bringToFront:"},
    {"Send to Back", "sendToBack:"},
    {nullptr, nullptr},
    {"Lock", "lock_ctrl:"},
    {"Unlock", "unlock_ctrl:"},
    {nullptr, nullptr},
    {"Card Properties", "card_properties:"},
    {"Card Background", "select_card:"},
    {nullptr, nullptr},
    {"Show/Hide Grid", "show_hide_grid_lines:"},
    {nullptr, nullptr},
    {"Export ID Card", "export_id_card:"},
    {"Export as Template", "export_as_template:"},
    {"Mail ID Card", "mail_id_card:"},
    {"Print ID Card", "print_id_card:"},
};

using ViewCommand = std::function<void(SKTGraphicView&)>;

const QHash<QString, ViewCommand>& viewCommands()
{
    static const QHash<QString, ViewCommand> commands = {
        {QStringLiteral("cut:"), &SKTGraphicView::cut},
        {QStringLiteral("copy:"), &SKTGraphicView::copy},
        {QStringLiteral("paste:"), &SKTGraphicView::paste},
        {QStringLiteral("delete:"), &SKTGraphicView::delete_},
        {QStringLiteral("bringToFront:"), &SKTGraphicView::bringToFront},
        {QStringLiteral("sendToBack:"), &SKTGraphicView::sendToBack},
        {QStringLiteral("lock_ctrl:"), &SKTGraphicView::lock_ctrl},
        {QStringLiteral("unlock_ctrl:"), &SKTGraphicView::unlock_ctrl},
        {QStringLiteral("card_properties:"), &SKTGraphicView::card_properties},
        {QStringLiteral("select_card:"), &SKTGraphicView::select_card},
        {QStringLiteral("show_hide_grid_lines:"), &SKTGraphicView::show_hide_grid_lines},
        {QStringLiteral("export_id_card:"), &SKTGraphicView::export_id_card},
        {QStringLiteral("export_as_template:"), &SKTGraphicView::export_as_template},
        {QStringLiteral("mail_id_card:"), &SKTGraphicView::mail_id_card},
        {QStringLiteral("print_id_card:"), &SKTGraphicView::print_id_card},
        {QStringLiteral("selectAll:"), &SKTGraphicView::selectAll},
        {QStringLiteral("deselectAll:"), &SKTGraphicView::deselectAll},
        {QStringLiteral("alignLeftEdges:"), &SKTGraphicView::alignLeftEdges},
        {QStringLiteral("alignRightEdges:"), &SKTGraphicView::alignRightEdges},
        {QStringLiteral("alignTopEdges:"), &SKTGraphicView::alignTopEdges},
        {QStringLiteral("alignBottomEdges:"), &SKTGraphicView::alignBottomEdges},
        {QStringLiteral("alignHorizontalCenters:"), &SKTGraphicView::alignHorizontalCenters},
        {QStringLiteral("alignVerticalCenters:"), &SKTGraphicView::alignVerticalCenters},
        {QStringLiteral("alignformCenter:"), &SKTGraphicView::alignformCenter},
        {QStringLiteral("alignWithGrid:"), &SKTGraphicView::alignWithGrid},
        {QStringLiteral("makeSameWidth:"), &SKTGraphicView::makeSameWidth},
        {QStringLiteral("makeSameHeight:"), &SKTGraphicView::makeSameHeight},
        {QStringLiteral("makeSameAsLabelSize:"), &SKTGraphicView::makeSameAsLabelSize},
        {QStringLiteral("makeNaturalSize:"), &SKTGraphicView::makeNaturalSize},
        {QStringLiteral("undo:"), &SKTGraphicView::undo},
        {QStringLiteral("redo:"), &SKTGraphicView::redo},
        {QStringLiteral("showOrHideRulers:"), &SKTGraphicView::showOrHideRulers},
    };
    return commands;
}

}  // namespace

std::unique_ptr<QMenu> SKTGraphicView::makeContextMenu()
{
    auto menu = std::make_unique<QMenu>(QStringLiteral("Contextual Menu"), this);
    for (const MenuItem& item : kContextMenuItems) {
        if (!item.title) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.title));
        const QString name = QString::fromLatin1(item.action);
        action->setData(name);
        connect(action, &QAction::triggered, this, [this, name] { performMenuAction(name); });
        validateMenuItem(*action);
    }
    return menu;
}

void SKTGraphicView::performMenuAction(const QString& action)
{
    const auto command = viewCommands().constFind(action);
    if (command != viewCommands().constEnd())
        (*command)(*this);
}

void SKTGraphicView::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu = makeContextMenu();
    menu->exec(event->globalPos());
}

void SKTGraphicView::lock_ctrl() { canvasHost().Lock_Clicked(); }
void SKTGraphicView::unlock_ctrl() { canvasHost().Unlock_Clicked(); }
void SKTGraphicView::card_properties() { canvasHost().Card_Prop_Clicked(); }
void SKTGraphicView::select_card() { canvasHost().Card_Bckgrnd_Clicked(); }
void SKTGraphicView::export_id_card() { canvasHost().Export_Button(); }
void SKTGraphicView::export_as_template() { canvasHost().Export_As_Template_Clicked(); }
void SKTGraphicView::mail_id_card() { canvasHost().Mail_Button(); }
void SKTGraphicView::print_id_card() { canvasHost().Print_Button(); }

void SKTGraphicView::show_hide_grid_lines()
{
    if (_grid)
        _grid->setAlwaysShown(!_grid->isAlwaysShown());
}
