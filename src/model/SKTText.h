#pragma once
#include <QSizeF>

#include "model/SKTGraphic.h"

// Key of the element's text in its properties dictionary.
inline const QString SKTTextContentsKey = QStringLiteral("contents");

// A box of text.
class SKTText final : public SKTGraphic {
public:
    SKTText() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Text; }
    bool canSetDrawingStroke() const override { return false; }

    // Box fill, the shown text (case, font, kerning, alignments, shadow) turned with the box,
    // then the border; only the knob-coloured frame while the element is being dragged out.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

    // The size the shown text takes laid out at the current width: the widest line (never
    // wider than the box) by the height of all lines.
    QSizeF naturalSize();
    // Keeps the origin; the size becomes the natural size. Locked elements keep their bounds.
    void makeNaturalSize() override;
    // Keeps origin and width; the height becomes the natural height. Records no undo step:
    // "bounds" leaves the observed keys while it runs.
    void setHeightToMatchContents();

    QSet<QString> keysForValuesToObserveForUndo() const override;
    // The base's entries plus "contents", the element's text.
    QVariantMap properties() const override;

    // Text storage of the in-place editor; never archived.
    QString contents_val;
    bool _contentsBeingChangedByScripting = false;

private:
    friend class SKTGraphic;
    explicit SKTText(ZeroFields) {}
};
