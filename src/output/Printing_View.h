#pragma once
// Draws the pages of a print run: each cell of each sheet gets its card, or its front and back,
// turned and mirrored as the sheet settings say, drawn as vectors stretched into its rectangle,
// with crop marks. A page depends on its number alone, so a preview redrawn after a page set-up
// change shows the same cards.
#include <QPageLayout>
#include <QPainter>
#include <functional>

#include "model/CardSide.h"
#include "output/PrintSheetSettings.h"
#include "output/SheetLayout.h"
#include "output/SideSnapshot.h"

class Printing_View {
public:
    // Record n's side in a data run, as designed (the view mirrors and turns it); no picture, with
    // the reason, when the record is refused. Called on the thread that draws.
    using RecordSide = std::function<SideSnapshot(int record, CardSide side)>;

    Printing_View(const PrintSheetSettings& sheet, const SheetRun& run, bool its_print_not_preview,
                  RecordSide recordSide = {});

    // Sheets of the run; a preview shows at most the first kPreviewPageLimit.
    int numberOfPages() const;
    // Draws page (from 1) in points on a page painter: origin at the paper's top-left, y down.
    void drawPage(QPainter& painter, int page) const;

    // The text centred in a side rectangle of the sheet, "Invalid Data" in red bold 11 points.
    static void Draw_Label_String(QPainter& painter, const QString& text, const QRectF& rect, qreal pageHeight);
    // The crop marks of a side rectangle when the sheet asks for them, light grey, 1 point wide.
    void Draw_Margin_rect(QPainter& painter, const QRectF& rect) const;

    // The visitor pass page: the pass at its own size, without crop marks.
    void Draw_visitor_pass(QPainter& painter) const;

    // The paper of the page layout less its margins, in points; the paper itself when the
    // margins leave no room.
    static QSizeF Calculate_Paper_size(const QPageLayout& printInfo);
    // The picture raised to 600 dpi for a real print in landscape or of a visitor pass, else the
    // picture as it is: a preview never raises, nor does a raise that fails.
    QImage Change_dpi_for_image(const QImage& picture) const;
    static QImage Change_dpi_for_image(const QImage& picture, const PrintSheetSettings& sheet,
                                       bool its_print_not_preview);
    // The whole picture stretched into a rectangle of the sheet, on a page pageHeight points tall.
    static void Draw_image_In_Rect(QPainter& painter, const QImage& picture, const QRectF& rect, qreal pageHeight);

private:
    // A cell's sides; a refused record's cell holds none.
    struct Pair {
        CardImage front;
        CardImage back;
    };
    Pair pairFor(const SheetCell& cell) const;
    void drawCell(QPainter& painter, const CellSides& sides, const Pair& pair, const SheetCell& cell) const;
    void Draw_image_In_Rect(QPainter& painter, const CardImage& image, const QRectF& rect, bool turned) const;

    const PrintSheetSettings& m_sheet;
    SheetRun m_run;
    bool m_print;
    RecordSide m_recordSide;
    SheetGeometry m_geometry;
};
