// The PDF417 view: its states as painted, its EPS read by Ghostscript and a barcode reader, its
// drag flags, drops and archive.
#include <gtest/gtest.h>

#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextEdit>

#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/barcodes/Pdf417ViewWidget.h"

namespace {

QImage painted(const Pdf417ViewWidget& view)
{
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    view.drawRect(painter);
    return image;
}

bool anyPixel(const QImage& image, QRgb rgb)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (rgb & 0xffffff))
                return true;
    return false;
}

}  // namespace

TEST(Pdf417ViewWidget, StatesArePaintedAsTheyStand)
{
    Pdf417ViewWidget view;
    view.resize(100, 20);
    EXPECT_EQ(view.getErrorLevel(), 2);
    EXPECT_FALSE(view.getTargetState());
    EXPECT_FALSE(view.getSourceState());

    // The empty view is light grey all over; a symbol starts with its dark start pattern.
    EXPECT_EQ(view.imageState(), pdf417View::ImageEmpty);
    QImage grey(view.size(), QImage::Format_RGB32);
    grey.fill(Qt::lightGray);
    EXPECT_EQ(painted(view), grey);
    EXPECT_EQ(view.drawWithText(QStringLiteral("0123")), pdf417View::ImageReady);
    EXPECT_EQ(painted(view).pixel(0, 0) & 0xffffff, 0u);
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::ImageEmpty);
    EXPECT_EQ(painted(view), grey);
    // The message of the error state is written over white.
    QImage big(400, 60, QImage::Format_RGB32);
    view.resize(big.size());
    EXPECT_EQ(view.drawWithText(QString(6000, QLatin1Char('x'))), pdf417View::ImageError);
    big.fill(Qt::white);
    QPainter painter(&big);
    view.drawRect(painter);
    painter.end();
    QImage message(big.size(), QImage::Format_RGB32);
    message.fill(Qt::white);
    QPainter writer(&message);
    writer.setPen(Qt::black);
    writer.drawText(QRectF(big.rect()), Qt::TextWordWrap, kPdf417DrawingProblem);
    writer.end();
    EXPECT_EQ(big, message);
}

// The EPS of "0123" in the default 100 x 20 frame: its header as written, and the symbol it draws
// read back by Ghostscript and ZXing.
TEST(Pdf417ViewWidget, TheEpsDrawsTheSymbol)
{
    Pdf417ViewWidget view;
    view.resize(100, 20);
    ASSERT_EQ(view.drawWithText(QStringLiteral("0123")), pdf417View::ImageReady);
    const QList<QByteArray> lines = view.makeEPS().split('\n');
    ASSERT_GE(lines.size(), 7 + 12 + 1);
    EXPECT_EQ(lines[0], "%!PS-Adobe-3.0 EPSF-3.0");
    EXPECT_EQ(lines[1], "%%BoundingBox: 0 0 100 20");
    EXPECT_EQ(lines[2], "%%Title: pdf417View_EPS_image");
    EXPECT_EQ(lines[3], "%%Creator: pdf417View");
    EXPECT_TRUE(lines[4].startsWith("%%CreationDate: "));
    EXPECT_EQ(lines[5], "100.00 20.00 scale");
    EXPECT_EQ(lines[6], "86 12 1 [86 0 0 -12 0 12]{<");
    for (int row = 7; row < 7 + 12; ++row)
        EXPECT_EQ(lines[row].size(), 2 * 11) << row;  // 86 modules in 11 bytes
    EXPECT_EQ(lines[7 + 12], ">}image");

    // A bigger frame for the reader; Ghostscript crops to the bounding box.
    view.resize(430, 120);
    ASSERT_EQ(view.drawWithText(QStringLiteral("ZOVA-417")), pdf417View::ImageReady);
    QTemporaryDir dir;
    const QString eps = dir.filePath("symbol.eps"), png = dir.filePath("symbol.png");
    QFile file(eps);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(view.makeEPS());
    file.close();
    const auto gs = TestEnvironment::run("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop", "-sDEVICE=pnggray",
                                                "-r144", "-sOutputFile=" + png, eps});
    ASSERT_EQ(gs.exitCode, 0) << gs.err.constData();
    const QImage page(png);
    EXPECT_EQ(page.size(), QSize(860, 240));
    const auto read = TestEnvironment::run("ZXingReader", {"-format", "PDF417", png});
    EXPECT_TRUE(read.out.contains("ZOVA-417")) << read.out.constData() << read.err.constData();
}

TEST(Pdf417ViewWidget, DropsTakeTextOnlyWhileTheViewIsATarget)
{
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scoped(messages);
    Pdf417ViewWidget view;
    view.resize(200, 60);
    QMimeData text;
    text.setText(QStringLiteral("dropped"));
    QMimeData picture;
    picture.setData(QStringLiteral("image/png"), QByteArray("png"));

    EXPECT_EQ(view.draggingSourceOperationMask(), Qt::DropActions(Qt::IgnoreAction));
    EXPECT_EQ(view.draggingEntered(text, Qt::CopyAction | Qt::MoveAction), Qt::IgnoreAction);
    view.toggleTargetState();
    view.toggleSourceState();
    EXPECT_TRUE(view.getTargetState());
    EXPECT_EQ(view.draggingSourceOperationMask(), Qt::DropActions(Qt::CopyAction));
    EXPECT_EQ(view.draggingEntered(picture, Qt::CopyAction), Qt::IgnoreAction);
    EXPECT_EQ(view.draggingEntered(text, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(view.draggingEntered(text, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_TRUE(view.dragSessionInProgress());
    EXPECT_TRUE(anyPixel(painted(view), qRgb(255, 0, 0))) << "the red frame of a drag over the view";

    EXPECT_TRUE(view.performDragOperation(text));
    view.concludeDragOperation();
    EXPECT_FALSE(view.dragSessionInProgress());
    EXPECT_EQ(view.imageState(), pdf417View::ImageReady);
    EXPECT_FALSE(view.performDragOperation(picture));
    EXPECT_EQ(messages.texts(), QStringList{"Unable to perform drop operation."});
    EXPECT_EQ(messages.records().constFirst().request.title, "Paste");
    EXPECT_EQ(messages.records().constFirst().request.buttons, QStringList{"OK"});

    // A drag of the picture offers it as TIFF only.
    std::unique_ptr<QMimeData> offered(view.pictureDragData());
    EXPECT_EQ(offered->formats(), QStringList{"image/tiff"});
    EXPECT_EQ(QImage::fromData(offered->data("image/tiff")).size(), view.getImage().size());
}

TEST(Pdf417ViewWidget, TheArchiveKeepsSettingsStateAndPictureAndRefusesAnythingElse)
{
    Pdf417ViewWidget view;
    view.resize(100, 20);
    view.setErrorLevel(5);
    view.toggleSourceState();
    QTextEdit source;
    view.draw();  // no source yet: nothing drawn
    EXPECT_EQ(view.imageState(), pdf417View::ImageEmpty);
    source.setPlainText(QStringLiteral("HELLO 417"));
    view.setInString(&source);
    view.draw();
    ASSERT_EQ(view.imageState(), pdf417View::ImageReady);

    const QByteArray archive = view.archived();
    Pdf417ViewWidget restored;
    ASSERT_TRUE(restored.unarchive(archive));
    EXPECT_EQ(restored.getErrorLevel(), 5);
    EXPECT_FALSE(restored.getTargetState());
    EXPECT_TRUE(restored.getSourceState());
    EXPECT_EQ(restored.imageState(), pdf417View::ImageReady);
    EXPECT_EQ(restored.getImage().convertToFormat(QImage::Format_RGB32),
              view.getImage().convertToFormat(QImage::Format_RGB32));

    for (const QByteArray& bad : {archive.left(archive.size() - 3), archive + "x", QByteArray(),
                                  QByteArray::fromHex("0000000900000000000000")}) {
        Pdf417ViewWidget untouched;
        EXPECT_FALSE(untouched.unarchive(bad)) << bad.toHex().left(40).constData();
        EXPECT_EQ(untouched.getErrorLevel(), 2);
        EXPECT_EQ(untouched.imageState(), pdf417View::ImageEmpty);
    }
}
