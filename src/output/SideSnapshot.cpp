#include "output/SideSnapshot.h"

#include <QFileInfo>

#include "model/CardHost.h"
#include "model/SKTImage.h"
#include "output/OutputPictures.h"
#include "platform/Log.h"
#include "render/SKTRenderingView.h"

namespace {

// Gives the copy of a picture element its picture at the output size; the reason when it has none.
QString preparePicture(SKTImage& copy, OutputPictures& pictures, double dpi)
{
    // Without a file the element draws its border alone, as on the canvas.
    if (copy._file_path.isEmpty())
        return QString();
    const QSize pixels = OutputPictures::pixelsFor(copy.bounds().size(), dpi);
    OutputPictures::Picture picture = pictures.pictureFor(copy._file_path, copy.picture, pixels);
    if (picture.original.isNull()) {
        // The picture the design holds, when its file is gone: what the canvas shows.
        if (!copy._contents.isNull()) {
            Show_NSLog_Message(QStringLiteral("The picture \"%1\" could not be read; the picture the design "
                                              "holds is used.").arg(copy._file_path));
            copy.ensureCurrentAdjustedPicture();
            return copy._contents_with_settings.isNull()
                       ? QStringLiteral("The picture \"%1\" could not be adjusted.").arg(copy._file_path)
                       : QString();
        }
        return QStringLiteral("The picture \"%1\" could not be read.").arg(QFileInfo(copy._file_path).fileName());
    }
    if (picture.adjusted.isNull())
        return QStringLiteral("The picture \"%1\" could not be adjusted.").arg(QFileInfo(copy._file_path).fileName());
    copy._contents = picture.original;
    copy.setAdjustedPicture(picture.adjusted, picture.original.cacheKey(), copy.picture);
    return QString();
}

}  // namespace

SideSnapshot snapshotForOutput(const GraphicList& elements, CardSide side, OutputPictures& pictures, double dpi)
{
    GraphicList copies;
    copies.reserve(elements.size());
    for (const GraphicPtr& element : elements) {
        if (element)
            copies.append(element->cloneForRendering());
    }
    return snapshotOfCopies(std::move(copies), side, pictures, dpi);
}

SideSnapshot snapshotOfCopies(GraphicList copies, CardSide side, OutputPictures& pictures, double dpi)
{
    for (const GraphicPtr& copy : copies) {
        if (copy->kind() == GraphicKind::Image && isDrawnInOutput(*copy)) {
            const QString failure = preparePicture(static_cast<SKTImage&>(*copy), pictures, dpi);
            if (!failure.isEmpty()) {
                Show_NSLog_Message(failure);
                return {CardImage(), failure};
            }
        }
    }
    CardImage image = SKTRenderingView::image_From_Card_Graphics(copies, side);
    if (image.isNull())
        return {CardImage(), QStringLiteral("The card side could not be drawn.")};
    return {std::move(image), QString()};
}
