#pragma once
// The live picture of one sheet in the print window: paper, printable area, each cell with the
// names of the sides printed there, card outlines and crop marks, drawn from the published sheet
// settings each time it is shown.
#include <QImage>
#include <QWidget>

#include "output/PrintSheetSettings.h"
#include "output/SheetPreviewScene.h"

class Sample_Preview : public QWidget {
    Q_OBJECT
public:
    explicit Sample_Preview(QWidget* parent = nullptr, const PrintSheetSettings* sheet = &Print_Sheet_Settings);

    // The paper's size in points.
    QSize sizeHint() const override;
    // The sheet at one pixel per point, as the window shows it; null while there is no paper.
    QImage imageRepresentation() const;
    // The view as it draws itself at its own size, for a screen of that pixel ratio.
    QImage imageWithSubviews(qreal devicePixelRatio) const;
    // The scene on a painter whose units are points, origin at the paper's top-left, y down.
    static void drawScene(QPainter& painter, const SheetPreviewScene& scene);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The frame and the sheet scaled to fill as much of the size as its shape allows.
    void paintView(QPainter& painter, QSizeF size) const;

    const PrintSheetSettings* m_sheet;
};
