#include "mainwindow/InspectorCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "views/canvas/SKTGrid.h"
#include "views/inspector/PropertyInspector.h"
#include "views/wizards/Grid_Wizard.h"

namespace {

QAction* addCommand(QMenu& menu, const char* name, const QString& title)
{
    QAction* action = menu.addAction(title);
    action->setObjectName(QLatin1String(name));
    return action;
}

}  // namespace

void Connect_Inspector_Commands(SKTWindowController& controller)
{
    QMenu& view = *controller.windowLayout().menu("view_menu");
    SKTGrid& grid = controller.windowLayout().grid();
    view.addSeparator();
    QObject::connect(addCommand(view, "doPreferences", QStringLiteral("&Units…")), &QAction::triggered, &controller,
                     [&controller] {
                         controller.inspector().sizePanel().doPreferences();
                         controller.windowLayout().updateRulers();
                     });
    QObject::connect(addCommand(view, "toggleGridShowing", QStringLiteral("G&rid…")), &QAction::triggered, &controller,
                     [&controller, &grid] { Grid_Wizard(grid, controller.window()).toggleGridShowing(); });
    QAction* snapping = addCommand(view, "toggleGridConstraining", QStringLiteral("&Snap to Grid While Moving"));
    snapping->setCheckable(true);
    snapping->setChecked(grid.isConstraining());
    QObject::connect(snapping, &QAction::triggered, &controller, [&grid, snapping] {
        GridSettings(grid).toggleGridConstraining();
        snapping->setChecked(grid.isConstraining());
    });
}
