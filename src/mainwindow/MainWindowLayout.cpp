#include "mainwindow/MainWindowLayout.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QActionGroup>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "mainwindow/MainWindowGlobals.h"
#include "model/drawing/ShapePaths.h"
#include "platform/FileHelpers.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/inspector/InspectorView.h"

namespace {

using Pictogram = std::function<void(QPainter&)>;
using ViewCommand = void (SKTGraphicView::*)();

const QColor kInk(48, 48, 56);
const QColor kFill(196, 216, 250);

// A 24 x 24 pictogram drawn at twice the resolution for sharp edges on high-density screens.
QIcon iconFrom(const Pictogram& draw)
{
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2);
    painter.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kFill);
    draw(painter);
    painter.end();
    image.setDevicePixelRatio(2);
    return QIcon(QPixmap::fromImage(image));
}

// The outline a new shape element of the type draws, so a tool's picture shows what it makes.
Pictogram shapeToolPictogram(const char* shapeType)
{
    return [shapeType](QPainter& p) {
        const GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
        const ShapeOutlineSettings settings{QLatin1String(shapeType), shape->cor_rad_val, shape->double_star_type,
                                            shape->polygon_type};
        p.drawPath(shapeOutline(QRectF(3, 3, 18, 18), settings));
    };
}

void drawPicture(QPainter& p, QPointF offset)
{
    p.save();
    p.translate(offset);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 5, 17, 14));
    p.setBrush(kFill);
    p.drawPolygon(QPolygonF{{4.5, 17.5}, {9, 11}, {12.5, 15}, {15, 12.5}, {18.5, 17.5}});
    p.setBrush(kInk);
    p.drawEllipse(QRectF(14, 7.5, 3, 3));
    p.restore();
}

struct Tool {
    int number;
    const char* name;
    const char* title;
    Pictogram draw;
};

// In tool-number order; the numbers are what the canvas host knows.
const std::array<Tool, 16>& tools()
{
    static const std::array<Tool, 16> table{{
        {0, "arrow_tool_btn", "Select", [](QPainter& p) {
             p.setBrush(kInk);
             p.drawPolygon(QPolygonF{{7, 3}, {7, 19}, {10.5, 15.5}, {13.5, 21}, {15.5, 20}, {12.5, 14.5}, {17.5, 14.5}});
         }},
        {1, "line_tool_btn", "Line", [](QPainter& p) { p.drawLine(QPointF(4, 20), QPointF(20, 4)); }},
        {2, "text_tool_btn", "Text", [](QPainter& p) {
             QFont font = p.font();
             font.setPixelSize(19);
             font.setBold(true);
             p.setFont(font);
             p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("T"));
         }},
        {3, "rect_tool_btn", "Rectangle", [](QPainter& p) { p.drawRect(QRectF(4, 6, 16, 12)); }},
        {4, "circle_tool_btn", "Ellipse", [](QPainter& p) { p.drawEllipse(QRectF(4, 4, 16, 16)); }},
        {5, "round_rect_tool_btn", "Rounded Rectangle", [](QPainter& p) { p.drawRoundedRect(QRectF(4, 6, 16, 12), 4, 4); }},
        {6, "triangle_tool_btn", "Triangle", [](QPainter& p) { p.drawPolygon(QPolygonF{{12, 4}, {20.5, 19}, {3.5, 19}}); }},
        {7, "diamond_tool_btn", "Diamond", [](QPainter& p) { p.drawPolygon(QPolygonF{{12, 3}, {21, 12}, {12, 21}, {3, 12}}); }},
        {8, "image_tool_btn", "Picture", [](QPainter& p) { drawPicture(p, QPointF(0, 0)); }},
        {9, "image_library_tool_btn", "Picture Library", [](QPainter& p) {
             p.setBrush(Qt::white);
             p.drawRect(QRectF(6, 2, 16, 13));
             drawPicture(p, QPointF(-1.5, 2));
         }},
        {10, "barcode_tool_btn", "Barcode", [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             const double widths[] = {1.5, 1, 2.5, 1, 1, 2, 1, 2.5, 1, 1.5};
             double x = 3.5;
             for (double w : widths) {
                 p.drawRect(QRectF(x, 5, w, 14));
                 x += w + 1.1;
             }
         }},
        {11, "signature_tool_btn", "Signature", [](QPainter& p) {
             QPainterPath path(QPointF(3, 15));
             path.cubicTo(6, 2, 9, 22, 12, 11);
             path.cubicTo(14, 4, 15, 18, 21, 12);
             p.setBrush(Qt::NoBrush);
             p.drawPath(path);
             p.drawLine(QPointF(3, 20), QPointF(21, 20));
         }},
        {12, "fingure_print_tool_btn", "Fingerprint", [](QPainter& p) {
             p.setBrush(Qt::NoBrush);
             for (int r = 2; r <= 8; r += 2)
                 p.drawArc(QRectF(12 - r, 13 - r * 1.2, 2 * r, 2.4 * r), 200 * 16, 320 * 16);
         }},
        {13, "star_tool_btn", "Star", shapeToolPictogram("S")},
        {14, "double_star_tool_btn", "Double Star", shapeToolPictogram("DS")},
        {15, "polygon_tool_btn", "Polygon", shapeToolPictogram("P")},
    }};
    return table;
}

// Alignment pictograms: guide lines and the two bars they align.
struct Alignment {
    const char* name;
    const char* title;
    ViewCommand command;
    std::vector<QLineF> guides;
    QRectF first;
    QRectF second;
};

const std::vector<Alignment>& alignments()
{
    static const std::vector<Alignment> table{
        {"align_left_btn", "Align Left Edges", &SKTGraphicView::alignLeftEdges, {{4, 2, 4, 22}}, {4, 5, 15, 5}, {4, 14, 9, 5}},
        {"align_right_btn", "Align Right Edges", &SKTGraphicView::alignRightEdges, {{20, 2, 20, 22}}, {5, 5, 15, 5}, {11, 14, 9, 5}},
        {"align_top_btn", "Align Top Edges", &SKTGraphicView::alignTopEdges, {{2, 4, 22, 4}}, {5, 4, 5, 15}, {14, 4, 5, 9}},
        {"align_bottom_btn", "Align Bottom Edges", &SKTGraphicView::alignBottomEdges, {{2, 20, 22, 20}}, {5, 5, 5, 15}, {14, 11, 5, 9}},
        {"align_horzontal_btn", "Align Horizontal Centers", &SKTGraphicView::alignHorizontalCenters, {{12, 2, 12, 22}}, {4.5, 5, 15, 5}, {7.5, 14, 9, 5}},
        {"align_vertical_btn", "Align Vertical Centers", &SKTGraphicView::alignVerticalCenters, {{2, 12, 22, 12}}, {5, 4.5, 5, 15}, {14, 7.5, 5, 9}},
        {"align_center_btn", "Center on Card", &SKTGraphicView::alignformCenter,
         {{2, 2, 22, 2}, {22, 2, 22, 22}, {22, 22, 2, 22}, {2, 22, 2, 2}}, {8, 8, 8, 8}, {11.5, 11.5, 1, 1}},
    };
    return table;
}

// Commands that act on the shown canvas; their buttons show the title.
struct Command {
    const char* name;
    const char* title;
    ViewCommand command;
    QKeySequence shortcut;
};

const std::vector<Command>& editCommands()
{
    static const std::vector<Command> table{
        {"Cut_btn", "Cut", &SKTGraphicView::cut, QKeySequence::Cut},
        {"Copy_btn", "Copy", &SKTGraphicView::copy, QKeySequence::Copy},
        {"Paste_btn", "Paste", &SKTGraphicView::paste, QKeySequence::Paste},
        // The canvas takes the Delete and Backspace keys itself.
        {"Delete_btn", "Delete", &SKTGraphicView::delete_, {}},
    };
    return table;
}

const std::vector<Command>& arrangeCommands()
{
    static const std::vector<Command> table{
        {"Begin_Front_btn", "Bring to Front", &SKTGraphicView::bringToFront, {}},
        {"Send_Back_btn", "Send to Back", &SKTGraphicView::sendToBack, {}},
        {"Lock_btn", "Lock", &SKTGraphicView::lock_ctrl, {}},
        {"Unlock_btn", "Unlock", &SKTGraphicView::unlock_ctrl, {}},
    };
    return table;
}

const std::vector<Command>& sizeCommands()
{
    static const std::vector<Command> table{
        {"Make_same_width_btn", "Same Width", &SKTGraphicView::makeSameWidth, {}},
        {"Make_same_height_btn", "Same Height", &SKTGraphicView::makeSameHeight, {}},
        {"Make_natural_size_btn", "Natural Size", &SKTGraphicView::makeNaturalSize, {}},
        {"fit_to_label_btn", "Fit to Card", &SKTGraphicView::makeSameAsLabelSize, {}},
        {"Align_with_grid_btn", "Snap to Grid", &SKTGraphicView::alignWithGrid, {}},
    };
    return table;
}

// The platform's keys for a standard command, then the extra keys users of other desktops reach
// for (Ctrl+Y for Redo, Ctrl+= for Zoom In), each once.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, std::initializer_list<QKeySequence> extras = {})
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    for (const QKeySequence& extra : extras) {
        if (!keys.contains(extra))
            keys.append(extra);
    }
    return keys;
}

QAction* namedAction(QMainWindow& window, const char* name, const QString& title)
{
    auto* action = new QAction(title, &window);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(title);
    return action;
}

QToolBar* commandBar(QMainWindow& window, const QString& title, const char* name)
{
    auto* bar = window.addToolBar(title);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMovable(false);
    bar->setIconSize(QSize(22, 22));
    return bar;
}

struct SidePage {
    SKTDocument::Side side;
    const char* title;
    const char* viewName;
    const char* scrollName;
};

constexpr std::array<SidePage, 3> kSides{{
    {SKTDocument::FrontSide, "Front", "_graphicView", "_zoomingScrollView"},
    {SKTDocument::BackSide, "Back", "_graphicView_BACK", "_zoomingScrollView_BACK"},
    {SKTDocument::PreviewSide, "Preview", "_graphicView_TEMP", "_zoomingScrollView_TEMP"},
}};


} // namespace

MainWindowLayout::MainWindowLayout(QMainWindow& window, SKTDocument& document) : QObject(&window)
{
    _grid = new SKTGrid(this);
    buildToolBar(window);
    buildCommandBars(window);
    buildCanvases(window, document);
    buildInspector(window);
    buildMenus(window);
    showSide(SKTDocument::FrontSide);
    connect(_grid, &SKTGrid::alwaysShownChanged, this, &MainWindowLayout::syncGridButton);
    syncGridButton();
}

void MainWindowLayout::syncGridButton()
{
    if (auto* snap = parent()->findChild<QAction*>(QStringLiteral("Align_with_grid_btn")))
        snap->setEnabled(_grid->isAlwaysShown());
}

void MainWindowLayout::updateRulers()
{
    for (SKTZoomingScrollView* scroll : _scrollViews)
        scroll->updateRulers();
}

SKTGraphicView* MainWindowLayout::currentView() const
{
    return _views[currentSide()];
}

SKTDocument::Side MainWindowLayout::currentSide() const
{
    return SKTDocument::Side(std::max(0, _sideTabs->currentIndex()));
}

void MainWindowLayout::showSide(SKTDocument::Side side)
{
    _sideTabs->setCurrentIndex(side);
}

QMenu* MainWindowLayout::menu(const char* name) const
{
    return parent()->findChild<QMenu*>(QLatin1String(name));
}

QList<QAction*> MainWindowLayout::designCommands() const
{
    QList<QAction*> commands;
    for (const char* bar : {"tools_bar", "edit_bar", "arrange_bar"}) {
        for (QAction* action : parent()->findChild<QToolBar*>(QLatin1String(bar))->actions()) {
            if (!action->isSeparator())
                commands.append(action);
        }
    }
    return commands;
}

void MainWindowLayout::setDesignAreaVisible(bool visible)
{
    _designArea->setVisible(visible);
    _inspector->setVisible(visible);
}

void MainWindowLayout::syncToolButtons()
{
    const int tool = canvasHost().Selected_Control_Tool();
    for (QAction* action : _tools->actions()) {
        if (action->data().toInt() == tool)
            action->setChecked(true);
    }
}

void MainWindowLayout::stepZoom(int steps)
{
    _scrollViews[currentSide()]->stepFactor(steps);
}

void MainWindowLayout::buildCanvases(QMainWindow& window, SKTDocument& document)
{
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("myTargetView"));
    _designArea = area;
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    _sideTabs = new QTabBar;
    _sideTabs->setObjectName(QStringLiteral("side_tabs"));
    _sideTabs->setExpanding(false);
    _sideStack = new QStackedWidget;
    _sideStack->setObjectName(QStringLiteral("side_stack"));
    for (const SidePage& page : kSides) {
        _sideTabs->addTab(QString::fromLatin1(page.title));
        auto* scroll = new SKTZoomingScrollView;
        scroll->setObjectName(QString::fromLatin1(page.scrollName));
        auto* view = new SKTGraphicView;
        view->setObjectName(QString::fromLatin1(page.viewName));
        view->setList(&document, page.side);
        view->setGrid(_grid);
        scroll->setDocumentView(view);
        _sideStack->addWidget(scroll);
        _views[page.side] = view;
        _scrollViews[page.side] = scroll;
        connect(view, &SKTGraphicView::selectionChanged, this, &MainWindowLayout::syncToolButtons);
    }
    // One zoom for the three sides, whichever pop-up sets it.
    for (SKTZoomingScrollView* scroll : _scrollViews) {
        connect(scroll, &SKTZoomingScrollView::factorChanged, this, [this](double factor) {
            for (SKTZoomingScrollView* other : _scrollViews) {
                if (other->factor() != factor)
                    other->setFactor(factor);
            }
        });
    }
    connect(_sideTabs, &QTabBar::currentChanged, this, [this](int index) {
        _sideStack->setCurrentIndex(index);
        // The preview has no card settings of its own: commands keep the side last edited.
        if (index != SKTDocument::PreviewSide)
            Card_Front_Or_Back = index;
        _views[index]->setFocus();
    });
    auto* tabRow = new QHBoxLayout;
    tabRow->setContentsMargins(0, 0, 6, 0);
    tabRow->addWidget(_sideTabs);
    tabRow->addStretch(1);
    auto* rulers = new QCheckBox(QStringLiteral("Ruler"));
    rulers->setObjectName(QStringLiteral("Show_Hide_Ruler_ChkBox"));
    tabRow->addWidget(rulers);
    column->addLayout(tabRow);
    column->addWidget(_sideStack, 1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("main_splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(area);
    window.setCentralWidget(splitter);
}

void MainWindowLayout::buildToolBar(QMainWindow& window)
{
    auto* bar = new QToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("tools_bar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    window.addToolBar(Qt::LeftToolBarArea, bar);
    _tools = new QActionGroup(this);
    _tools->setExclusive(true);
    for (const Tool& tool : tools()) {
        QAction* action = namedAction(window, tool.name, QString::fromLatin1(tool.title));
        action->setIcon(iconFrom(tool.draw));
        action->setCheckable(true);
        action->setData(tool.number);
        _tools->addAction(action);
        bar->addAction(action);
    }
    // Not a tool: it brings the card's watermark and border settings forward.
    bar->addSeparator();
    QAction* watermark = namedAction(window, "Watermark_Tool_btn", QStringLiteral("Watermark and Border"));
    watermark->setIcon(iconFrom([](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 5, 18, 14));
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(150, 150, 170));
        p.drawText(QRectF(3, 5, 18, 14), Qt::AlignCenter, QStringLiteral("W"));
    }));
    bar->addAction(watermark);
    syncToolButtons();
}

void MainWindowLayout::buildCommandBars(QMainWindow& window)
{
    const auto addCommands = [&](QToolBar* bar, const std::vector<Command>& commands) {
        for (const Command& command : commands) {
            QAction* action = namedAction(window, command.name, QString::fromLatin1(command.title));
            action->setShortcut(command.shortcut);
            bar->addAction(action);
            connect(action, &QAction::triggered, this, [this, &command] { (currentView()->*command.command)(); });
        }
    };

    QToolBar* edit = commandBar(window, QStringLiteral("Edit"), "edit_bar");
    // Undo and redo start off; the window's snapshot undo switches them by its stacks.
    const QList<QKeySequence> redoKeys =
        standardKeys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (const auto& [name, title, keys] : {std::tuple{"Undo_btn", "Undo", standardKeys(QKeySequence::Undo)},
                                            std::tuple{"Redo_btn", "Redo", redoKeys}}) {
        QAction* action = namedAction(window, name, QString::fromLatin1(title));
        action->setShortcuts(keys);
        action->setEnabled(false);
        edit->addAction(action);
    }
    edit->addSeparator();
    addCommands(edit, editCommands());
    edit->addSeparator();
    addCommands(edit, arrangeCommands());

    window.addToolBarBreak();
    QToolBar* arrange = commandBar(window, QStringLiteral("Arrange"), "arrange_bar");
    for (const Alignment& alignment : alignments()) {
        QAction* action = namedAction(window, alignment.name, QString::fromLatin1(alignment.title));
        action->setIcon(iconFrom([&alignment](QPainter& p) {
            for (const QLineF& guide : alignment.guides)
                p.drawLine(guide);
            p.drawRect(alignment.first);
            p.drawRect(alignment.second);
        }));
        arrange->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, method = alignment.command] { (currentView()->*method)(); });
    }
    arrange->addSeparator();
    addCommands(arrange, sizeCommands());
}

void MainWindowLayout::buildInspector(QMainWindow& window)
{
    _inspector = new InspectorView;
    auto* splitter = static_cast<QSplitter*>(window.centralWidget());
    splitter->addWidget(_inspector);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
}

QTabWidget* MainWindowLayout::settingsTabs() const
{
    return &_inspector->sett_tab();
}

const QList<QWidget*>& MainWindowLayout::inspectorPages() const
{
    return _inspector->pages();
}

void MainWindowLayout::buildMenus(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    const auto action = [&window](const char* name) {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("file_menu"));
    // The file commands come with the design-file roads of the window.
    const QList<std::tuple<const char*, const char*, QList<QKeySequence>>> fileItems{
        {"New_Btn_Clicked", "New", standardKeys(QKeySequence::New)},
        {"Open_Btn_Clicked", "Open…", standardKeys(QKeySequence::Open)},
        {"Close_Document_Clicked", "Close", standardKeys(QKeySequence::Close)},
        {"Save_Btn_Clicked", "Save", standardKeys(QKeySequence::Save)},
        {"SaveAs_Btn_Clicked", "Save As…", standardKeys(QKeySequence::SaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)})},
    };
    for (const auto& [name, title, keys] : fileItems) {
        QAction* item = file->addAction(QString::fromUtf8(title));
        item->setObjectName(QLatin1String(name));
        item->setShortcuts(keys);
        item->setEnabled(false);
    }
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("Quit"));
    connect(quit, &QAction::triggered, &window, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("edit_menu"));
    edit->addActions({action("Undo_btn"), action("Redo_btn")});
    edit->addSeparator();
    edit->addActions({action("Cut_btn"), action("Copy_btn"), action("Paste_btn"), action("Delete_btn")});
    QAction* selectAll = edit->addAction(QStringLiteral("Select All"));
    selectAll->setObjectName(QStringLiteral("Select_All_menu"));
    selectAll->setShortcuts(standardKeys(QKeySequence::SelectAll));
    // The arrow keys then move what was selected.
    connect(selectAll, &QAction::triggered, this, [this] {
        currentView()->selectAll();
        currentView()->setFocus();
    });

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("view_menu"));
    const QList<QKeySequence> zoomInKeys =
        standardKeys(QKeySequence::ZoomIn, {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    const QList<QKeySequence> zoomOutKeys = standardKeys(QKeySequence::ZoomOut, {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    for (const auto& [title, keys, steps] : {std::tuple{"Zoom &In", zoomInKeys, 1}, std::tuple{"Zoom &Out", zoomOutKeys, -1}}) {
        QAction* item = view->addAction(QString::fromLatin1(title));
        item->setShortcuts(keys);
        connect(item, &QAction::triggered, this, [this, steps = steps] { stepZoom(steps); });
    }
    view->addSeparator();
    QAction* grid = view->addAction(QStringLiteral("Show &Grid"));
    grid->setObjectName(QStringLiteral("show_grid_menu"));
    grid->setCheckable(true);
    grid->setChecked(_grid->isAlwaysShown());
    connect(grid, &QAction::toggled, _grid, &SKTGrid::setAlwaysShown);
    connect(_grid, &SKTGrid::alwaysShownChanged, grid, &QAction::setChecked);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("help_menu"));
    connect(help->addAction(QStringLiteral("Help")), &QAction::triggered, this, [] { Open_Help_File(); });
}
