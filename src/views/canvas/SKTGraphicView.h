#pragma once
// The design canvas: shows one side's element list with the card base and overlay, the
// selection handles, the grid and the rubber band, and turns mouse and key input into creation,
// selection, moving and resizing. Coordinates of the public operations are card points; the
// widget shows them at the zoom factor. Editing commands and the clipboard are in
// SKTGraphicViewCommands.cpp and SKTGraphicViewClipboard.cpp, creation and the lookups by control
// ID in SKTGraphicViewCreation.cpp.
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "model/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "views/canvas/SKTGrid.h"

class QAction;
class QMenu;
class QTimer;
class CanvasMouseTracking;
class SKTZoomingScrollView;

// The private clipboard type of copied elements.
inline const QString SKTGraphicViewPasteboardType = QStringLiteral("ZOVA Card 2 pasteboard type");

class SKTGraphicView : public QWidget {
    Q_OBJECT
public:
    explicit SKTGraphicView(QWidget* parent = nullptr);
    ~SKTGraphicView() override;

    // ---- Binding ------------------------------------------------------------------------------
    // Shows the document's list of the side; nullptr unbinds. The selection, the current element
    // and the element being created are dropped.
    void setList(SKTDocument* document, SKTDocument::Side side);
    SKTDocument* document() const { return _document; }
    SKTDocument::Side side() const { return _side; }
    // The bound list; an empty list while unbound.
    const GraphicList& graphics() const;
    // List edits go through the document's mutators of the bound side (the front records undo).
    void insertGraphics(const GraphicList& graphics, const QList<int>& indexes);
    void removeGraphicsAtIndexes(const QList<int>& indexes);
    void replaceGraphics(const GraphicList& graphics);

    // ---- Selection ----------------------------------------------------------------------------
    // Indexes into graphics(), ascending. The selection follows the elements themselves across
    // list changes; elements that leave the list leave the selection.
    QList<int> selectionIndexes() const;
    // Also enables the window's same-width and same-height buttons for 2 or more indexes.
    void changeSelectionIndexes(const QList<int>& indexes);
    // The selected elements in index order.
    GraphicList selectedGraphics() const;
    bool isGraphicSelected(const SKTGraphic* graphic) const;
    // Lets go of the selection, the current element and the element being created (a rebuild of
    // the whole list follows).
    void dropSelection();
    // A press on the grey area around the card: nothing is selected or current any more and the
    // inspector shows the card.
    void pressOutsideCard();

    // The "current" element the inspector shows; other subsystems read it directly. Cleared when
    // its element leaves the list.
    GraphicPtr _Selected_Graphic;

    // ---- Grid and zoom -------------------------------------------------------------------------
    // Not owned; nullptr for none. The canvas redraws when the grid changes.
    void setGrid(SKTGrid* grid);
    SKTGrid* grid() const { return _grid; }
    // The widget takes the card's size times the factor and paints at that scale.
    void setZoomFactor(double factor);
    double zoomFactor() const { return _zoomFactor; }
    // The card rectangle in points: the view's bounds in card coordinates.
    QRectF viewBounds() const;
    QPointF cardPointFromWidget(QPointF widgetPoint) const;
    QRectF widgetRectFromCard(const QRectF& cardRect) const;
    // Marks a card rectangle for redisplay.
    void setNeedsDisplayInRect(const QRectF& cardRect);
    // The window asks for a redisplay of the side (0 front, 1 back): this canvas's, or not.
    void refreshRequested(int side);

    // ---- Hit testing ---------------------------------------------------------------------------
    // The topmost visible element under the card point; out-parameters may be null.
    GraphicPtr graphicUnderPoint(QPointF point, int* index = nullptr, bool* isSelected = nullptr,
                                 int* handle = nullptr) const;
    // Visible elements whose drawing bounds meet the rectangle; the first becomes current.
    QList<int> indexesOfGraphicsIntersectingRect(const QRectF& rect);
    static bool isPointNearToLineSegment(QPointF point, QPointF a, QPointF b, double marginOfError);
    static float distanceBetweenPoints(QPointF a, QPointF b);

    // ---- Handles ------------------------------------------------------------------------------
    // Hides the handles for half a second (a keyboard move repeats it).
    void hideHandlesMomentarily();
    // Shows the position and size of each selected unlocked element in the inspector.
    void Display_Control_Position_and_Size();
    bool isHidingHandles() const { return _isHidingHandles; }

    // ---- In-place editing (no kind has an in-place editor) ------------------------------------
    void startEditingGraphic(const GraphicPtr& graphic);
    void stopEditing();

    // ---- Ruler echo ----------------------------------------------------------------------------
    // Marker lines at the rectangle's minimum, middle and maximum on both rulers of the enclosing
    // scroll view; stopping removes them.
    void beginEchoingMoveToRulers(const QRectF& rect);
    void continueEchoingMoveToRulers(const QRectF& rect);
    void stopEchoingMoveToRulers();
    QRectF rulerEchoedBounds() const { return _rulerEchoedBounds; }

    // ---- Keyboard moves -------------------------------------------------------------------------
    // Moves the selection by 1 point, hides the handles momentarily and records a snapshot.
    void moveLeft();
    void moveRight();
    void moveUp();
    void moveDown();

    // ---- Context menu -------------------------------------------------------------------------
    // The "Contextual Menu" with each item validated; items carry their action name ("cut:", ...)
    // as data and run it when triggered.
    std::unique_ptr<QMenu> makeContextMenu();
    // Runs the command of a menu action name; unknown names do nothing.
    void performMenuAction(const QString& action);
    // The canvas menu's own commands forwarded to the window.
    void lock_ctrl();
    void unlock_ctrl();
    void card_properties();
    void select_card();
    void show_hide_grid_lines();
    void export_id_card();
    void export_as_template();
    void mail_id_card();
    void print_id_card();

    // ==== Editing commands (SKTGraphicViewCommands.cpp) ==========================================
    void Clear_Control_Selection();
    void deselectAll();
    void selectAll();
    bool There_Is_Any_Lock_Contrl() const;
    // setBounds already keeps a barcode's box on its bounds; this is for bounds set otherwise.
    void check_barcode_and_set_control_bounds(SKTGraphic* graphic);
    // Removes every element of the bound list, without a snapshot.
    void delete_all_control();
    void delete_();
    void deleteBackward() { delete_(); }
    void deleteForward() { delete_(); }
    void bringToFront();
    void sendToBack();
    void alignLeftEdges();
    void alignRightEdges();
    void alignTopEdges();
    void alignBottomEdges();
    void alignHorizontalCenters();
    void alignVerticalCenters();
    void alignformCenter();
    void alignWithGrid();
    void makeSameWidth();
    void makeSameHeight();
    void makeSameAsLabelSize();
    void makeNaturalSize();
    void Frame_main_Pic_X_Pos_Changed();
    void Frame_main_Pic_Y_Pos_Changed();
    void Frame_main_Pic_Wdith_Changed();
    void Frame_main_Pic_Height_Changed();
    void print_contol_or_not(int flag);
    void undo();
    void redo();
    void Refresh_ScrollView();
    // Toggles the rulers of the enclosing scroll view.
    void showOrHideRulers();
    bool rulersVisible() const;
    // The zooming scroll view the canvas sits in, if any.
    SKTZoomingScrollView* enclosingScrollView() const;
    // Enables or disables the item by its action name (its data); may retitle it.
    bool validateMenuItem(QAction& item);
    bool Get_Menu_Status(QAction& item) { return validateMenuItem(item); }

    // ==== Clipboard (SKTGraphicViewClipboard.cpp) ===============================================
    void cut();
    void copy();
    void paste();
    // A new picture element from a picture on the clipboard.
    void makeNewImageFromPasteboard(QPointF point);
    // Grows each time the system clipboard's contents change.
    static qint64 generalPasteboardChangeCount();
    qint64 pasteboardChangeCount() const { return _pasteboardChangeCount; }
    qint64 pasteCascadeNumber() const { return _pasteCascadeNumber; }

    // ==== Creation and lookups by control ID (SKTGraphicViewCreation.cpp) ========================
    // With a press point (card coordinates): makes and inserts the element at the point with size
    // 0 x 0 and leaves it in _creatingGraphic; the canvas then sizes it with the drag and settles
    // it on release. Without a point: makes, settles and finishes it at once.
    void createGraphicOfClass(GraphicKind kind, std::optional<QPointF> eventPoint, bool use_rect,
                              const QRectF& bound_rect, const QString& card_side,
                              const QString& ctrl_value, const QString& ctrl_ID);
    void ReplaceGraphicText(GraphicKind kind, std::optional<QPointF> eventPoint, bool use_rect,
                            const QRectF& bound_rect, const QString& card_side,
                            const QString& ctrl_value, const QString& ctrl_ID);
    // What follows the settling of a new element: the current element, the barcode picture, the
    // buttons, the batch list, the arrow tool and the closing snapshot. `kept` is false when the
    // element was taken out again (a click without drag).
    void finishCreatingGraphic(const GraphicPtr& graphic, bool kept);
    GraphicPtr Selcect_Ctrl_With_ID(const QString& ctrlId) const;
    void Set_Selection_Index_According_ID(const QString& ctrlId);
    void Hide_all_Text_control_FUP_Control();

    // ---- Settling a new element (SKTGraphicView.cpp) -----------------------------------------
    // Starts the document undo group the insertion of a new element goes into.
    void openCreationUndoGroup();
    // A new element of size 0 x 0 is taken out of the list on whatever side it is, leaving nothing
    // to redo; any other becomes the only selection. Closes the creation undo group. Answers
    // whether the element stayed.
    bool settleNewGraphic(const GraphicPtr& graphic);
    GraphicPtr creatingGraphic() const { return _creatingGraphic; }

    // ---- Painting pieces (also used by the benchmark and the tests) ----------------------------
    // Paints the card rectangle `dirty` (card points) with the painter in card coordinates.
    void drawRect(QPainter& painter, const QRectF& dirty);
    QRectF marqueeSelectionBounds() const { return _marqueeSelectionBounds; }

Q_SIGNALS:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class CanvasMouseTracking;

    void graphicsDidChange(int side);
    void pruneLeavingGraphics();
    void observeBoundGraphics();
    void stopObservingGraphics();
    void unhideHandlesForTimer();
    void moveSelectionBy(double dx, double dy);
    // The press with the mouse: a creation tool, a double click or the selection tracker.
    void pressAt(QPointF point, bool toggle, int clickCount);
    // focused: the element focused before the press.
    void selectAndTrackMouse(QPointF point, bool toggle, const GraphicPtr& focused);
    void showVisitorModeFields();
    // The card point of a mouse event of the tracking; a drag carried past the edge of the
    // enclosing scroll view scrolls it first, so that this point comes into sight.
    QPointF trackedPoint(const QMouseEvent& event);
    void echoOnRulers(const QRectF& rect);
    // The clipboard's elements, or its picture as a new picture element, onto the side.
    void pasteClipboardContents();

    SKTDocument* _document = nullptr;
    SKTDocument::Side _side = SKTDocument::FrontSide;
    QSet<const SKTGraphic*> _selection;
    QPointer<SKTGrid> _grid;
    QRectF _rulerEchoedBounds;
    GraphicPtr _creatingGraphic;
    QRectF _marqueeSelectionBounds;
    bool _isHidingHandles = false;
    QTimer* _handleShowingTimer = nullptr;
    qint64 _pasteboardChangeCount = -1;
    qint64 _pasteCascadeNumber = 0;
    double _zoomFactor = 1.0;
    std::unique_ptr<CanvasMouseTracking> _tracking;
    // Watches the bound elements so that a change of one redisplays its old and new area.
    std::unique_ptr<GraphicObserver> _elementObserver;
    GraphicList _observedGraphics;
    // Whether the open creation undo group records the insertion (registration was on).
    bool _creationGroupRecords = false;
};
