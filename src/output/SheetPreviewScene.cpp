#include "output/SheetPreviewScene.h"

#include "output/SheetLayout.h"

namespace {

// The outline and crop marks of a side rectangle, as far as the sheet shows them.
void addFrame(SheetPreviewScene& scene, const PrintSheetSettings& sheet, const QRectF& rect)
{
    if (sheet.Show_margin_rect)
        scene.outlines.append({rect, sheet.Card_Shape});
    if (sheet.Enable_Crop_Marks)
        for (const QLineF& mark : cropMarks(rect))
            scene.cropMarks.append(mark);
}

void addSide(SheetPreviewScene& scene, const PrintSheetSettings& sheet, const SheetPreviewLabel& label)
{
    scene.labels.append(label);
    addFrame(scene, sheet, label.rect);
}

}  // namespace

SheetPreviewScene sheetPreviewScene(const PrintSheetSettings& sheet)
{
    SheetPreviewScene scene;
    if (sheet.paperWidth <= 0 || sheet.paperHeight <= 0)
        return scene;
    const SheetGeometry geometry(sheet);
    scene.paper = QRectF(0, 0, sheet.paperWidth, sheet.paperHeight);
    scene.printable = geometry.printableArea();

    const bool both = sheet.Print_Card_Side == QLatin1String("BOTH");
    const bool oneTurned = sheet.Print_One_Card_Algn == QLatin1String("D");
    const bool pairBackShown = both && !sheet.Print_Card_Algn.startsWith(QLatin1Char('D'));
    // The preview shows the front face of a duplex sheet, so no back is turned there.
    const bool pairBackTurned = both && sheet.Print_Card_Algn == QLatin1String("UD");
    const QString firstSide = sheet.Print_Card_Side == QLatin1String("B") ? QStringLiteral("Back") : QStringLiteral("Front");
    const int columns = std::max(1, sheet.Print_Col);
    for (int row = 1; row <= std::max(1, sheet.Print_Row); ++row) {
        for (int column = 1; column <= columns; ++column) {
            const CellSides sides = geometry.cellSides(row, column);
            if (sheet.front_image.isNull()) {
                addSide(scene, sheet, {QStringLiteral("Invalid Data"), sides.R1, oneTurned, true});
                continue;
            }
            const QString number = QString::number(Get_Curr_Label_Index(sheet, row, column) + 1);
            addSide(scene, sheet, {firstSide + QLatin1Char(' ') + number, sides.R1, oneTurned, false});
            if (pairBackShown)
                addSide(scene, sheet, {QStringLiteral("Back ") + number, sides.R2, oneTurned || pairBackTurned, false});
            else if (both)
                addFrame(scene, sheet, sides.R2);
        }
    }
    return scene;
}
