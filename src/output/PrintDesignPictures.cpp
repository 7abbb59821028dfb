#include "output/PrintDesignPictures.h"

#include "render/SKTRenderingView.h"

void Generate_No_Batch_Card_Image(PrintSheetSettings& sheet, const GraphicList& front, const GraphicList& back,
                                  const QString& card_side_str)
{
    const bool both = card_side_str == QLatin1String("BOTH");
    if (both || card_side_str == QLatin1String("B"))
        sheet.back_image = SKTRenderingView::image_From_Card_Graphics(back, CardSide::Back, false);
    if (both || card_side_str == QLatin1String("F"))
        sheet.front_image = SKTRenderingView::image_From_Card_Graphics(front, CardSide::Front, false);
}

QSizeF printedCardSize(const PrintSheetSettings& sheet)
{
    return sheet.front_image.isNull() ? QSizeF() : sheet.front_image.size();
}
