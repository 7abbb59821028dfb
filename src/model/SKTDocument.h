#pragma once
// The one design document of a run: it owns the element lists of the front, back and preview
// sides, records undo for the front list and its elements' property changes, and answers the
// window title and the document's own data.
#include <QHash>
#include <QObject>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

#include "model/SKTGraphic.h"
#include "model/SKTMapTableOwner.h"
#include "platform/UndoManager.h"

class Card_Property;

inline const QString SKTDocumentOldTypeName = QStringLiteral("ZOVA Card document");
inline const QString SKTDocumentNewTypeName = QStringLiteral("com.zovasoftware.kestrelcard");
inline const QString SKTDocumentGraphicsKey = QStringLiteral("graphics");
inline const QString SKTDocumentCanvasSizeKey = QStringLiteral("canvasSize");
inline const QString SKTDocumentVersionKey = QStringLiteral("version");
constexpr int SKTDocumentCurrentVersion = 2;
inline const QString App_Name = QStringLiteral("ZOVA ID Card");

class SKTDocument : public QObject, private GraphicObserver {
    Q_OBJECT
public:
    // The sides as graphicsChanged names them.
    enum Side { FrontSide = 0, BackSide = 1, PreviewSide = 2 };

    explicit SKTDocument(QObject* parent = nullptr);
    ~SKTDocument() override;

    // ---- Element lists (index 0 is the topmost element) ------------------------------------
    const GraphicList& graphics() const { return _graphics; }
    const GraphicList& graphics_back() const { return _graphics_back; }
    const GraphicList& graphics_temp() const { return _graphics_temp; }
    const GraphicList& graphicsOfSide(Side side) const;

    // The only mutators of the front list: they register undo, set the elements' scripting
    // container and observe their properties. Indexes follow index-set rules (each index is the
    // element's place after the insertion); a request that does not fit the list is ignored.
    void insertGraphics(const GraphicList& graphics, const QList<int>& indexes);
    void removeGraphicsAtIndexes(const QList<int>& indexes);
    void insertGraphic(const GraphicPtr& graphic, int index);
    void removeGraphicAtIndex(int index);
    void addInGraphics(const GraphicPtr& graphic);
    // The front elements of one kind, in list order.
    GraphicList graphicsWithClass(GraphicKind kind) const;

    // Mutators for any side: the front goes through the undo-recording mutators above, the back
    // and preview lists change plainly (no undo, no observation).
    void insertGraphicsOnSide(Side side, const GraphicList& graphics, const QList<int>& indexes);
    void removeGraphicsOnSideAtIndexes(Side side, const QList<int>& indexes);
    void replaceGraphicsOnSide(Side side, const GraphicList& graphics);

    // ---- Undo ------------------------------------------------------------------------------
    UndoManager& undoManager() { return m_undoManager; }
    void Enable_Disable_Undo_Registraion(bool enable);
    // Forgets every undo action and empties the front list without recording it.
    void Clear_All_Undo_Redo();
    // Sets each element's recorded keys back to the recorded values (the registered undo action
    // of property changes).
    void setGraphicProperties(const SKTMapTableOwner& propertiesPerGraphic);

    // ---- Title and size --------------------------------------------------------------------
    // The front card settings whose name the title shows (not owned; nullptr for none).
    void setFrontCardProperty(const Card_Property* property) { m_frontCardProperty = property; }
    // The window title: the front card's name and, once it exists, the design file's name.
    QString displayName(const QString& projectFileName) const;
    static QSizeF canvasSize(bool flag, QSizeF size);
    bool isDocumentEdited() const { return false; }

    // ---- The document's own data -----------------------------------------------------------
    // The document opens no file itself: always false.
    bool readFromData(const QByteArray& data, const QString& type, QString* error = nullptr);
    // The document's own types (a binary list of the front side's archives); empty with a reason
    // in *error for any other. PDF and TIFF pictures of the side come from the renderer
    // (SKTRenderingView::documentDataOfType).
    QByteArray dataOfType(const QString& type, QString* error = nullptr) const;

    // ---- Window controllers ----------------------------------------------------------------
    // Creates the main window controller through the factory, on the first call of the run only.
    void makeWindowControllers();
    static void setWindowControllerFactory(std::function<void(SKTDocument&)> factory);

Q_SIGNALS:
    // After any change of a list, so the canvas of that side can redisplay.
    void graphicsChanged(int side);

private:
    enum class UndoPhase { Doing, Undoing, Redoing };
    struct ObservedGraphic {
        GraphicPtr graphic;
        QSet<QString> keys;
    };

    void graphicValueChanged(SKTGraphic& graphic, const QString& key, const QVariant& oldValue,
                             const QVariant& newValue) override;
    void graphicObservedKeysChanged(SKTGraphic& graphic, const QSet<QString>& oldKeys,
                                    const QSet<QString>& newKeys) override;
    void startObservingGraphics(const GraphicList& graphics);
    void stopObservingGraphics(const GraphicList& graphics);
    void recordOldValue(SKTGraphic& graphic, const QString& key, const QVariant& oldValue);
    void trackPresentablePropertyName(SKTGraphic& graphic, const QString& key);

    // Ends the current undo group's bookkeeping (run at every checkpoint).
    void observeUndoManagerCheckpoint();
    // Undoing and redoing run outside the checkpoints; bookkeeping begun in another phase
    // belongs to another group.
    void matchBookkeepingToUndoPhase();
    UndoPhase currentUndoPhase() const;

    GraphicList& mutableList(Side side);

    GraphicList _graphics;
    GraphicList _graphics_back;
    GraphicList _graphics_temp;
    QSet<const SKTGraphic*> _undoGroupInsertedGraphics;
    std::shared_ptr<SKTMapTableOwner> _undoGroupOldPropertiesPerGraphic;
    QString _undoGroupPresentablePropertyName;
    bool _undoGroupHasChangesToMultipleProperties = false;

    UndoPhase m_bookkeepingPhase = UndoPhase::Doing;
    QHash<const SKTGraphic*, ObservedGraphic> m_observed;
    UndoManager m_undoManager;
    const Card_Property* m_frontCardProperty = nullptr;
};
