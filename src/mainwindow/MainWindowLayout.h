#pragma once
// The main window's widgets: the tool bar, the command bars, the menus, the Front/Back/Preview
// canvases with their zoom pop-ups and the inspector tab view. Commands act on the canvas of the
// side being shown.
#include <QList>
#include <QObject>
#include <array>

#include "model/SKTDocument.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QStackedWidget;
class QTabBar;
class QTabWidget;
class QWidget;
class InspectorView;
class SKTGraphicView;
class SKTGrid;
class SKTZoomingScrollView;

class MainWindowLayout : public QObject {
    Q_OBJECT
public:
    // Builds everything into the window; the layout is a child of the window.
    MainWindowLayout(QMainWindow& window, SKTDocument& document);

    // Side index: 0 front, 1 back, 2 preview.
    SKTGraphicView* graphicView(SKTDocument::Side side) const { return _views[side]; }
    SKTZoomingScrollView* zoomingScrollView(SKTDocument::Side side) const { return _scrollViews[side]; }
    SKTGraphicView* currentView() const;
    SKTDocument::Side currentSide() const;
    // Shows the side's canvas; the front and the back also become the side commands act on.
    void showSide(SKTDocument::Side side);
    SKTGrid& grid() const { return *_grid; }
    // The property inspector's widgets: its title, its tab view and every page.
    InspectorView& inspectorView() const { return *_inspector; }
    QTabWidget* settingsTabs() const;
    // All fifteen inspector pages in their fixed order, shown in the tab view or not.
    const QList<QWidget*>& inspectorPages() const;
    // The window's menus by name: "file_menu", "edit_menu", "view_menu", "help_menu".
    QMenu* menu(const char* name) const;
    // Every action of the tool, edit and arrange bars: what acts on the open design.
    QList<QAction*> designCommands() const;
    // The canvas area and the property box.
    void setDesignAreaVisible(bool visible);
    QActionGroup* toolGroup() const { return _tools; }
    // Checks the tool button of the canvas host's current tool (a creation returns to the arrow).
    void syncToolButtons();
    // Steps the shown side's zoom pop-up by `steps` items, held at its ends.
    void stepZoom(int steps);
    // The Snap to Grid button acts only on a grid that is shown.
    void syncGridButton();
    // The rulers of the three canvases drawn again (the unit may have changed).
    void updateRulers();

private:
    void buildCanvases(QMainWindow& window, SKTDocument& document);
    void buildToolBar(QMainWindow& window);
    void buildCommandBars(QMainWindow& window);
    void buildInspector(QMainWindow& window);
    void buildMenus(QMainWindow& window);

    std::array<SKTGraphicView*, 3> _views{};
    std::array<SKTZoomingScrollView*, 3> _scrollViews{};
    SKTGrid* _grid = nullptr;
    QTabBar* _sideTabs = nullptr;
    QStackedWidget* _sideStack = nullptr;
    QWidget* _designArea = nullptr;
    InspectorView* _inspector = nullptr;
    QActionGroup* _tools = nullptr;
};
