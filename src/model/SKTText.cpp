// Text elements: measuring, height tracking and the keys they add.
#include "model/SKTText.h"

#include <algorithm>

#include "model/NumberBounds.h"
#include "model/drawing/TextLayout.h"

QSizeF SKTText::naturalSize()
{
    // No box is taller than the coordinates reach.
    const auto layout = layOutElementText(*this, shownText(*this), NumberBounds::kCoordinate.high - NumberBounds::kCoordinate.low);
    const double width = _bounds.width() > 0 ? std::min(layout->usedWidth(), _bounds.width())
                                             : layout->usedWidth();
    return QSizeF(width, layout->height());
}

void SKTText::makeNaturalSize()
{
    if (ctrl_is_locked)
        return;
    setBounds(QRectF(_bounds.topLeft(), naturalSize()));
}

void SKTText::setHeightToMatchContents()
{
    const auto setFlag = [this](bool on) {
        const QSet<QString> before = keysForValuesToObserveForUndo();
        _boundsBeingChangedToMatchContents = on;
        notifyObservedKeysChanged(before, keysForValuesToObserveForUndo());
    };
    setFlag(true);
    setBounds(QRectF(_bounds.x(), _bounds.y(), _bounds.width(), naturalSize().height()));
    setFlag(false);
}

QSet<QString> SKTText::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo();
    if (_boundsBeingChangedToMatchContents)
        keys.remove(SKTGraphicBoundsKey);
    return keys;
}

QVariantMap SKTText::properties() const
{
    QVariantMap result = SKTGraphic::properties();
    // What Text_contents() answers, without storing it.
    result.insert(SKTTextContentsKey, _Text_contents.isEmpty() ? Text_Value : _Text_contents);
    return result;
}
