// Cut, copy and paste of card elements through the system clipboard: the private element data
// with a PDF and a TIFF of the copied elements beside it for other programs, and pictures pasted
// from other programs.
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <numeric>

#include "model/CardHost.h"
#include "model/SKTError.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "platform/AtomicFile.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "render/SKTRenderingView.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"

namespace {

const QString kPdfType = QStringLiteral("application/pdf");
const QString kTiffType = QStringLiteral("image/tiff");
// Our own mark on copied contents: "<process id>:<copy serial>". It stands in for the change count
// of a clipboard, which Qt does not have.
const QString kCopySerialType = QStringLiteral("application/x-zova-card-copy-serial");

qint64 lastCopySerial = 0;       // GUI thread only
qint64 foreignChangeCount = 0;   // clipboard changes seen; GUI thread only

QClipboard& clipboard()
{
    QClipboard* board = QGuiApplication::clipboard();
    // Contents that another program puts up carry no serial: counting the clipboard's changes
    // tells one such contents from the next.
    static const bool watching = [board] {
        QObject::connect(board, &QClipboard::dataChanged, board, [] { ++foreignChangeCount; });
        return true;
    }();
    Q_UNUSED(watching);
    return *board;
}

QByteArray copySerialMark(qint64 serial)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(serial);
}

// The serial of contents this process copied; none for anything else (another program, another
// run of this one, a malformed mark).
std::optional<qint64> ownCopySerial(const QMimeData& data)
{
    const QList<QByteArray> parts = data.data(kCopySerialType).split(':');
    if (parts.size() != 2 || parts[0] != QByteArray::number(QCoreApplication::applicationPid()))
        return std::nullopt;
    bool ok = false;
    const qint64 serial = parts[1].toLongLong(&ok);
    if (!ok || serial <= 0 || serial > lastCopySerial)
        return std::nullopt;
    return serial;
}

QList<int> topIndexes(int count)
{
    QList<int> indexes(count);
    std::iota(indexes.begin(), indexes.end(), 0);
    return indexes;
}

// A free file name in the folder for a picture pasted now.
QString pastedPicturePath(const QDir& folder)
{
    const QString stem = QStringLiteral("Pasted_") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss_zzz"));
    QString path = folder.filePath(stem + QStringLiteral(".png"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1_%2.png").arg(stem).arg(n));
    return path;
}

// Keeps a picture that came from another program as a PNG file of the user folder, so that the
// element's path names its own picture; empty (logged) when it cannot be written.
QString savePastedPicture(const QImage& picture)
{
    if (Created_Resource_Path.isEmpty())
        return {};
    const QString folderPath = QDir(Created_Resource_Path).filePath(QStringLiteral("Images_save_by_user"));
    if (!Create_Folder(folderPath) || !QFileInfo(folderPath).isDir()) {
        Show_NSLog_Message(QStringLiteral("Cannot make the folder %1 for a pasted picture").arg(folderPath));
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QString path = pastedPicturePath(QDir(folderPath));
    QString error;
    if (!picture.save(&buffer, "PNG") || !writeFileAtomically(path, bytes, &error)) {
        Show_NSLog_Message(QStringLiteral("Cannot save the pasted picture to %1: %2").arg(path, error));
        return {};
    }
    return path;
}

// The picture's box with its top-left at the point, shrunk (proportions kept) to fit the card
// when larger, and moved back onto the card where it would stick out.
QRectF pastedPictureBox(QPointF origin, QSizeF size, const QRectF& card)
{
    if (size.width() > card.width() || size.height() > card.height())
        size = size.scaled(card.size(), Qt::KeepAspectRatio);
    const double x = std::max(card.left(), std::min(origin.x(), card.right() - size.width()));
    const double y = std::max(card.top(), std::min(origin.y(), card.bottom() - size.height()));
    return QRectF(QPointF(x, y), size);
}

}  // namespace

qint64 SKTGraphicView::generalPasteboardChangeCount()
{
    const QClipboard& board = clipboard();
    const QMimeData* data = board.mimeData();
    if (data) {
        if (const std::optional<qint64> serial = ownCopySerial(*data))
            return *serial;
    }
    // Below -1 (the count of a view that never copied or pasted), never equal to a serial.
    return -2 - foreignChangeCount;
}

void SKTGraphicView::copy()
{
    const GraphicList selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setData(SKTGraphicViewPasteboardType, SKTGraphic::pasteboardDataWithGraphics(selected));
    data->setData(kPdfType, SKTRenderingView::pdfDataWithGraphics_data(selected, cardSideOf(canvasHost().sideInForce())));
    const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics(selected, nullptr);
    if (!tiff.isEmpty())
        data->setData(kTiffType, tiff);
    const qint64 serial = ++lastCopySerial;
    data->setData(kCopySerialType, copySerialMark(serial));
    clipboard().setMimeData(data);
    _pasteboardChangeCount = serial;
    _pasteCascadeNumber = 1;
    canvasHost().Set_Paste_Button_Status();
}

void SKTGraphicView::cut()
{
    if (There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(QStringLiteral("Selected control is locked."));
        return;
    }
    copy();
    delete_();
    canvasHost().Undo_Redo_Button_state();
}

void SKTGraphicView::paste()
{
    CanvasHost& host = canvasHost();
    host.Insert_In_Undo_Redo();
    pasteClipboardContents();
    // The side after the paste, whichever road asked for it (the window's command, the canvas
    // menu): the next edit is a step of its own.
    host.Insert_In_Undo_Redo();
}

void SKTGraphicView::pasteClipboardContents()
{
    CanvasHost& host = canvasHost();
    const QMimeData* data = clipboard().mimeData();
    if (!data)
        return;
    if (!data->hasFormat(SKTGraphicViewPasteboardType)) {
        // File names paste nothing; they would also stand for a picture of the same files.
        if (!data->hasUrls())
            makeNewImageFromPasteboard(QPointF(50, 50));
        return;
    }

    std::optional<SKTError> error;
    const GraphicList pasted =
        SKTGraphic::graphicsWithPasteboardData(data->data(SKTGraphicViewPasteboardType), Start_Card_Option, &error);
    if (error) {
        Show_MessageBox(error->localizedDescription);
        return;
    }
    // Contents copied elsewhere (another view, another program) paste at their own positions the
    // first time, and cascade from then on.
    const qint64 changeCount = generalPasteboardChangeCount();
    if (changeCount != _pasteboardChangeCount) {
        _pasteboardChangeCount = changeCount;
        _pasteCascadeNumber = 0;
    }
    if (pasted.isEmpty())
        return;
    if (_pasteCascadeNumber > 0) {
        const QString side = canvasHost().sideInForce() == 1 ? QStringLiteral("B") : QStringLiteral("F");
        const QPointF origin = cardHost().Control_New_Point(side);
        SKTGraphic::Paste_Location_Of_Graphics(pasted, origin.x(), origin.y(), side);
    }
    ++_pasteCascadeNumber;
    const QList<int> indexes = topIndexes(int(pasted.size()));
    insertGraphics(pasted, indexes);
    changeSelectionIndexes(indexes);
    _Selected_Graphic = pasted.first();
    host.Undo_Redo_Button_state();
    host.Show_RHS_Properties(_Selected_Graphic.get());
}

void SKTGraphicView::makeNewImageFromPasteboard(QPointF point)
{
    const QMimeData* data = clipboard().mimeData();
    if (!data || !data->hasImage())
        return;
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull())
        return;
    const std::shared_ptr<SKTImage> image = SKTImage::initWithPosition(point, picture, Library_Selected_Image);
    image->Set_Control_File_path(savePastedPicture(picture));
    image->setBounds(pastedPictureBox(point, picture.deviceIndependentSize(), viewBounds()));
    image->ensureAdjustedPicture();
    insertGraphics({image}, {0});
    changeSelectionIndexes({0});
    _Selected_Graphic = image;
    // The pages show the new picture's own settings, as after any paste: the writers that follow
    // must not give it those of the element selected before.
    canvasHost().Undo_Redo_Button_state();
    canvasHost().Show_RHS_Properties(image.get());
}
