#include "model/SKTDocument.h"

#include <QFileInfo>
#include <QtDebug>
#include <algorithm>
#include <stdexcept>

#include "model/Card_Property.h"
#include "model/SKTError.h"
#include "platform/PropertyList.h"

namespace {

// An index set: ascending, each index once.
QList<int> indexSet(QList<int> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return indexes;
}

// Each element goes in at its index in ascending order, so every index names the element's place
// in the finished list.
bool insertionFits(qsizetype listSize, qsizetype count, const QList<int>& set)
{
    if (set.size() != count)
        return false;
    for (qsizetype i = 0; i < set.size(); ++i) {
        if (set[i] < 0 || set[i] > listSize + i)
            return false;
    }
    return true;
}

bool removalFits(qsizetype listSize, const QList<int>& set)
{
    return set.isEmpty() || (set.first() >= 0 && set.last() < listSize);
}

void insertAtIndexes(GraphicList& list, const GraphicList& graphics, const QList<int>& set)
{
    for (qsizetype i = 0; i < set.size(); ++i)
        list.insert(set[i], graphics[i]);
}

GraphicList takeAtIndexes(GraphicList& list, const QList<int>& set)
{
    GraphicList taken;
    for (int index : set)
        taken.append(list[index]);
    for (auto it = set.crbegin(); it != set.crend(); ++it)
        list.removeAt(*it);
    return taken;
}

QList<int> allIndexes(qsizetype count)
{
    QList<int> indexes;
    for (int i = 0; i < count; ++i)
        indexes.append(i);
    return indexes;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

std::function<void(SKTDocument&)>& windowControllerFactory()
{
    static std::function<void(SKTDocument&)> factory;
    return factory;
}

}  // namespace

SKTDocument::SKTDocument(QObject* parent) : QObject(parent)
{
    m_undoManager.setCheckpointCallback([this] { observeUndoManagerCheckpoint(); });
}

SKTDocument::~SKTDocument()
{
    // Listeners may already be gone; nobody needs to redisplay a document that is going away.
    blockSignals(true);
    Clear_All_Undo_Redo();
    m_undoManager.setCheckpointCallback(nullptr);
}

// ---- Element lists ------------------------------------------------------------------------------

const GraphicList& SKTDocument::graphicsOfSide(Side side) const
{
    switch (side) {
    case BackSide:
        return _graphics_back;
    case PreviewSide:
        return _graphics_temp;
    case FrontSide:
        break;
    }
    return _graphics;
}

GraphicList& SKTDocument::mutableList(Side side)
{
    return const_cast<GraphicList&>(graphicsOfSide(side));
}

void SKTDocument::insertGraphics(const GraphicList& graphics, const QList<int>& indexes)
{
    const QList<int> set = indexSet(indexes);
    if (graphics.isEmpty())
        return;
    if (!insertionFits(_graphics.size(), graphics.size(), set)) {
        qWarning("SKTDocument: %lld elements do not fit the given indexes", qlonglong(graphics.size()));
        return;
    }
    insertAtIndexes(_graphics, graphics, set);
    for (const GraphicPtr& graphic : graphics)
        graphic->setScriptingContainer(this);

    m_undoManager.registerUndo([this, set] { removeGraphicsAtIndexes(set); });
    if (m_undoManager.isUndoRegistrationEnabled()) {
        matchBookkeepingToUndoPhase();
        for (const GraphicPtr& graphic : graphics)
            _undoGroupInsertedGraphics.insert(graphic.get());
    }
    startObservingGraphics(graphics);
    Q_EMIT graphicsChanged(FrontSide);
}

void SKTDocument::removeGraphicsAtIndexes(const QList<int>& indexes)
{
    const QList<int> set = indexSet(indexes);
    if (set.isEmpty())
        return;
    if (!removalFits(_graphics.size(), set)) {
        qWarning("SKTDocument: removal indexes beyond the %lld front elements", qlonglong(_graphics.size()));
        return;
    }
    const GraphicList removed = takeAtIndexes(_graphics, set);
    stopObservingGraphics(removed);
    m_undoManager.registerUndo([this, removed, set] { insertGraphics(removed, set); });
    for (const GraphicPtr& graphic : removed)
        graphic->setScriptingContainer(nullptr);
    Q_EMIT graphicsChanged(FrontSide);
}

void SKTDocument::insertGraphic(const GraphicPtr& graphic, int index)
{
    insertGraphics(GraphicList{graphic}, QList<int>{index});
}

void SKTDocument::removeGraphicAtIndex(int index)
{
    removeGraphicsAtIndexes(QList<int>{index});
}

void SKTDocument::addInGraphics(const GraphicPtr& graphic)
{
    insertGraphic(graphic, int(_graphics.size()));
}

GraphicList SKTDocument::graphicsWithClass(GraphicKind kind) const
{
    GraphicList result;
    for (const GraphicPtr& graphic : _graphics) {
        if (graphic->kind() == kind)
            result.append(graphic);
    }
    return result;
}

void SKTDocument::insertGraphicsOnSide(Side side, const GraphicList& graphics, const QList<int>& indexes)
{
    if (side == FrontSide) {
        insertGraphics(graphics, indexes);
        return;
    }
    const QList<int> set = indexSet(indexes);
    GraphicList& list = mutableList(side);
    if (graphics.isEmpty() || !insertionFits(list.size(), graphics.size(), set))
        return;
    insertAtIndexes(list, graphics, set);
    Q_EMIT graphicsChanged(side);
}

void SKTDocument::removeGraphicsOnSideAtIndexes(Side side, const QList<int>& indexes)
{
    if (side == FrontSide) {
        removeGraphicsAtIndexes(indexes);
        return;
    }
    const QList<int> set = indexSet(indexes);
    GraphicList& list = mutableList(side);
    if (set.isEmpty() || !removalFits(list.size(), set))
        return;
    takeAtIndexes(list, set);
    Q_EMIT graphicsChanged(side);
}

void SKTDocument::replaceGraphicsOnSide(Side side, const GraphicList& graphics)
{
    if (side == FrontSide) {
        removeGraphicsAtIndexes(allIndexes(_graphics.size()));
        insertGraphics(graphics, allIndexes(graphics.size()));
        return;
    }
    mutableList(side) = graphics;
    Q_EMIT graphicsChanged(side);
}

// ---- Observation and property undo --------------------------------------------------------------

void SKTDocument::startObservingGraphics(const GraphicList& graphics)
{
    for (const GraphicPtr& graphic : graphics) {
        m_observed.insert(graphic.get(), ObservedGraphic{graphic, graphic->keysForValuesToObserveForUndo()});
        graphic->addObserver(this);
    }
}

void SKTDocument::stopObservingGraphics(const GraphicList& graphics)
{
    for (const GraphicPtr& graphic : graphics) {
        graphic->removeObserver(this);
        m_observed.remove(graphic.get());
    }
}

void SKTDocument::graphicObservedKeysChanged(SKTGraphic& graphic, const QSet<QString>& oldKeys,
                                             const QSet<QString>& newKeys)
{
    const auto it = m_observed.find(&graphic);
    if (it == m_observed.end())
        return;
    it->keys.subtract(QSet<QString>(oldKeys).subtract(newKeys));
    it->keys.unite(QSet<QString>(newKeys).subtract(oldKeys));
}

void SKTDocument::graphicValueChanged(SKTGraphic& graphic, const QString& key, const QVariant& oldValue,
                                      const QVariant& newValue)
{
    const auto it = m_observed.constFind(&graphic);
    if (it == m_observed.constEnd() || !it->keys.contains(key))
        return;
    // Nothing could be registered; a table made now would swallow the group's later changes.
    if (!m_undoManager.isUndoRegistrationEnabled())
        return;
    matchBookkeepingToUndoPhase();
    // Undoing the insertion covers every change made to the element in the same group.
    if (_undoGroupInsertedGraphics.contains(&graphic) || oldValue == newValue)
        return;

    if (!_undoGroupOldPropertiesPerGraphic) {
        auto table = std::make_shared<SKTMapTableOwner>();
        _undoGroupOldPropertiesPerGraphic = table;
        m_undoManager.registerUndo([this, table] { setGraphicProperties(*table); });
    }
    QVariantMap& oldValues = _undoGroupOldPropertiesPerGraphic->valuesFor(it->graphic);
    if (!oldValues.contains(key))
        oldValues.insert(key, oldValue);

    if (currentUndoPhase() == UndoPhase::Doing)
        trackPresentablePropertyName(graphic, key);
}

void SKTDocument::trackPresentablePropertyName(SKTGraphic& graphic, const QString& key)
{
    // "" is a name; only a null answer means the key has none.
    const QString name = SKTGraphic::presentablePropertyNameForKey(key);
    if (name.isNull()) {
        const QString className = graphic.className();
        throw std::logic_error(
            QStringLiteral("[[%1 class] keysForValuesToObserveForUndo] returns a set that includes @\"%2\", "
                           "but [[%1 class] presentablePropertyNameForKey:@\"%2\"] returns nil.")
                .arg(className, key)
                .toStdString());
    }
    if (_undoGroupHasChangesToMultipleProperties)
        return;
    if (_undoGroupPresentablePropertyName.isNull()) {
        _undoGroupPresentablePropertyName = name;
    } else if (_undoGroupPresentablePropertyName != name) {
        _undoGroupPresentablePropertyName.clear();
        _undoGroupHasChangesToMultipleProperties = true;
    }
}

void SKTDocument::setGraphicProperties(const SKTMapTableOwner& propertiesPerGraphic)
{
    for (const SKTMapTableOwner::Entry& entry : propertiesPerGraphic.mapTable()) {
        for (auto it = entry.values.constBegin(); it != entry.values.constEnd(); ++it)
            entry.graphic->setValueForKey(it.key(), it.value());
    }
}

void SKTDocument::observeUndoManagerCheckpoint()
{
    _undoGroupHasChangesToMultipleProperties = false;
    _undoGroupPresentablePropertyName.clear();
    _undoGroupOldPropertiesPerGraphic.reset();
    _undoGroupInsertedGraphics.clear();
}

SKTDocument::UndoPhase SKTDocument::currentUndoPhase() const
{
    if (m_undoManager.isUndoing())
        return UndoPhase::Undoing;
    if (m_undoManager.isRedoing())
        return UndoPhase::Redoing;
    return UndoPhase::Doing;
}

void SKTDocument::matchBookkeepingToUndoPhase()
{
    const UndoPhase phase = currentUndoPhase();
    if (phase == m_bookkeepingPhase)
        return;
    observeUndoManagerCheckpoint();
    m_bookkeepingPhase = phase;
}

void SKTDocument::Enable_Disable_Undo_Registraion(bool enable)
{
    if (enable)
        m_undoManager.enableUndoRegistration();
    else
        m_undoManager.disableUndoRegistration();
}

void SKTDocument::Clear_All_Undo_Redo()
{
    m_undoManager.removeAllActions();
    m_undoManager.disableUndoRegistration();
    removeGraphicsAtIndexes(allIndexes(_graphics.size()));
    m_undoManager.enableUndoRegistration();
}

// ---- Title and size -----------------------------------------------------------------------------

QString SKTDocument::displayName(const QString& projectFileName) const
{
    const QString cardName = m_frontCardProperty ? m_frontCardProperty->Card_Name() : QString();
    if (!projectFileName.isEmpty() && QFileInfo::exists(projectFileName)) {
        return QStringLiteral("%1 ( %2 - %3 )")
            .arg(App_Name, cardName, QFileInfo(projectFileName).fileName());
    }
    return QStringLiteral("%1 ( %2 )").arg(App_Name, cardName);
}

QSizeF SKTDocument::canvasSize(bool flag, QSizeF size)
{
    return flag ? QSizeF(243, 154) : size;
}

// ---- The document's own data --------------------------------------------------------------------

bool SKTDocument::readFromData(const QByteArray&, const QString&, QString*)
{
    return false;
}

QByteArray SKTDocument::dataOfType(const QString& type, QString* error) const
{
    if (type == SKTDocumentOldTypeName || type == SKTDocumentNewTypeName) {
        const QVariantMap root{
            {SKTDocumentVersionKey, qint64(SKTDocumentCurrentVersion)},
            {SKTDocumentGraphicsKey, SKTGraphic::propertiesWithGraphics(_graphics)},
        };
        return PropertyList::toData(root, PropertyList::Format::Binary, error);
    }
    setError(error, QStringLiteral("The document cannot be written as \"%1\".").arg(type));
    return {};
}

// ---- Window controllers -------------------------------------------------------------------------

void SKTDocument::makeWindowControllers()
{
    // One main window per run, whatever documents come later.
    static int first = 0;
    if (first != 0)
        return;
    if (windowControllerFactory())
        windowControllerFactory()(*this);
    ++first;
}

void SKTDocument::setWindowControllerFactory(std::function<void(SKTDocument&)> factory)
{
    windowControllerFactory() = std::move(factory);
}
